// TStringList: lines, name=value pairs, texts, sorting and duplicates.
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringList.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

TEST(StringList, NamesAndValuesIgnoreCase) {
    TStringList list;
    list.Add("Server=mail.example.org");
    list.Add("Port=25");
    list.Add("plain line");
    EXPECT_EQ(list.Values("server"), "mail.example.org");
    EXPECT_EQ(list.IndexOfName("PORT"), 1);
    EXPECT_EQ(list.Names(2), "");
    EXPECT_EQ(list.ValueFromIndex(1), "25");
    EXPECT_EQ(list.IndexOf("PLAIN LINE"), 2);
    list.SetValue("port", "587");
    EXPECT_EQ(list[1], "port=587");
    list.SetValue("Port", "");
    EXPECT_EQ(list.Count(), 2);
    list.SetValue("User", "ann");
    EXPECT_EQ(list[2], "User=ann");
}

TEST(StringList, TextJoinsWithCrLfAndSplitsAnyLineBreak) {
    TStringList list;
    list.SetText("one\r\ntwo\rthree\nfour\r\n");
    EXPECT_EQ(list.ToStringList(), QStringList({"one", "two", "three", "four"}));
    EXPECT_EQ(list.Text(), "one\r\ntwo\r\nthree\r\nfour\r\n");
    list.SetText("a\n\nb");
    EXPECT_EQ(list.ToStringList(), QStringList({"a", "", "b"}));
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
}

TEST(StringList, CommaTextQuotesWhatNeedsIt) {
    TStringList list;
    list.SetStrings({"plain", "two words", "say \"hi\"", "a,b", ""});
    EXPECT_EQ(list.CommaText(), "plain,\"two words\",\"say \"\"hi\"\"\",\"a,b\",");
    TStringList back;
    back.SetCommaText(list.CommaText() + "x");
    EXPECT_EQ(back.ToStringList(), QStringList({"plain", "two words", "say \"hi\"", "a,b", "x"}));
    back.SetCommaText("one two, three,");  // unquoted blanks split too; a final comma adds an empty line
    EXPECT_EQ(back.ToStringList(), QStringList({"one", "two", "three", ""}));
    back.Delimiter = u';';
    back.SetDelimitedText("Day;7;\"a;b\"");
    EXPECT_EQ(back.ToStringList(), QStringList({"Day", "7", "a;b"}));
}

TEST(StringList, SortedListsKeepOrderAndHandleDuplicates) {
    TStringList list;
    list.SetSorted(true);
    for (const char* s : {"pear", "Apple", "fig", "apple"}) list.Add(s);
    EXPECT_EQ(list.ToStringList(), QStringList({"Apple", "fig", "pear"}));  // "apple" ignored: same without case
    int index;
    EXPECT_TRUE(list.Find("FIG", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(list.Find("grape", index));
    EXPECT_EQ(index, 2);
    EXPECT_THROW(list.Insert(0, "x"), EStringListError);

    list.Duplicates = dupError;
    EXPECT_THROW(list.Add("PEAR"), EStringListError);
    list.Duplicates = dupAccept;
    list.Add("PEAR");
    EXPECT_EQ(list.Count(), 4);

    TStringList cased;
    cased.SetCaseSensitive(true);
    cased.SetStrings({"b", "B", "a"});
    cased.Sort();
    EXPECT_EQ(cased.ToStringList(), QStringList({"B", "a", "b"}));
    cased.CustomSort([](TStringList& l, int a, int b) { return l[b].compare(l[a]); });  // descending
    EXPECT_EQ(cased.ToStringList(), QStringList({"b", "a", "B"}));
}

TEST(StringList, RaisesForAnIndexOutOfBounds) {
    TStringList list;
    list.Add("only");
    try {
        list.Delete(3);
        ADD_FAILURE();
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (3)");
    }
    EXPECT_THROW(list.Get(-1), EStringListError);
    EXPECT_NO_THROW(list.Insert(1, "end"));
}

TEST(StringList, ReportsChangesOncePerUpdate) {
    TStringList list;
    int changes = 0;
    list.OnChange = [&] { ++changes; };
    list.Add("a");
    EXPECT_EQ(changes, 1);
    list.SetStrings({"x", "y", "z"});
    EXPECT_EQ(changes, 2);
    int object = 5;
    list.AddObject("w", &object);
    EXPECT_EQ(list.IndexOfObject(&object), 3);
    list.Move(3, 0);
    EXPECT_EQ(list.Objects(0), &object);
}

TEST(StringList, SavesAndLoadsUtf8Files) {
    const QString file = testing_env::TempDir() + "/lines.txt";
    TStringList list;
    list.SetStrings({"Zoë", "second"});
    list.SaveToFile(file);
    TStringList back;
    back.LoadFromFile(file);
    EXPECT_EQ(back.ToStringList(), list.ToStringList());
    EXPECT_THROW(back.LoadFromFile(testing_env::TempDir() + "/missing.txt"), EFOpenError);
}
