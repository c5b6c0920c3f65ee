// The record search over a real database file: kinds of match, case rules, numbers, searching on from the
// current record, and where the dataset stands afterwards.
#include "LocateFixture.h"
#include "controls/edit/WwIntl.h"
#include "controls/edit/WwLocate.h"
#include "platform/rtl/Exceptions.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

using locate_test::LocateFixture;

class RecordSearch : public LocateFixture {
protected:
    // Finds from the first record and then on, and answers the names in the order found.
    std::vector<QString> AllMatches(const QString& field, const QString& text, TwwLocateMatchType type,
                                    bool caseSensitive) {
        std::vector<QString> names;
        bool fromFirst = true;
        while (SearchFieldValue(fromFirst, table, field, text, type, caseSensitive, false)) {
            names.push_back(Name());
            fromFirst = false;
        }
        return names;
    }
};

TEST_F(RecordSearch, KindsOfMatchAndCaseRules) {
    struct Case {
        const char* text;
        TwwLocateMatchType type;
        bool caseSensitive;
        std::vector<QString> found;
    };
    const Case cases[] = {
        {"room a", mtExactMatch, false, {"Room A"}},
        {"room a", mtExactMatch, true, {}},
        {"room b", mtExactMatch, true, {"room b"}},
        {"room", mtExactMatch, false, {}},
        {"ROOM", mtPartialMatchStart, false, {"Room A", "room b"}},
        {"room", mtPartialMatchStart, true, {"room b"}},
        {"room", mtPartialMatchAny, false, {"Room A", "room b", "Boardroom"}},
        {"Room", mtPartialMatchAny, true, {"Room A"}},
        {"oject", mtPartialMatchAny, false, {"Projector"}},
        {"xyz", mtPartialMatchAny, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " type " + std::to_string(c.type) + (c.caseSensitive ? " case" : ""));
        EXPECT_EQ(AllMatches("ResourceName", QString::fromLatin1(c.text), c.type, c.caseSensitive), c.found);
    }
    EXPECT_TRUE(testing_env::Messages().Requests().empty());
}

TEST_F(RecordSearch, TheSameWhetherTheEngineOrTheScanFindsTheFirst) {
    // The library's setting sends a first exact or start search on an ADO dataset to its Locate; without it
    // the records are scanned, with the same answers.
    for (const bool engine : {true, false}) {
        SCOPED_TRACE(engine ? "locate" : "scan");
        TwwIntl::Global().ADO.UseLocateWhenFindingValue = engine;
        EXPECT_EQ(AllMatches("ResourceName", "ROOM", mtPartialMatchStart, false),
                  (std::vector<QString>{"Room A", "room b"}));
        EXPECT_EQ(AllMatches("ResourceName", "VAN", mtExactMatch, false), std::vector<QString>{"Van"});
        EXPECT_EQ(AllMatches("ResourceName", "van", mtExactMatch, true), std::vector<QString>{});
    }
    TwwIntl::Global().ADO.UseLocateWhenFindingValue = true;
}

TEST_F(RecordSearch, AFloatSearchedAs250Matches25AndTextThatIsNoNumberMatchesNothing) {
    for (const bool engine : {true, false}) {
        SCOPED_TRACE(engine ? "locate" : "scan");
        TwwIntl::Global().ADO.UseLocateWhenFindingValue = engine;
        EXPECT_EQ(AllMatches("Rate", "2.50", mtExactMatch, false), (std::vector<QString>{"Projector", "Van"}));
        EXPECT_EQ(AllMatches("Rate", "7.250", mtExactMatch, false), std::vector<QString>{"room b"});
        EXPECT_EQ(AllMatches("Rate", "two", mtExactMatch, false), std::vector<QString>{});
    }
    TwwIntl::Global().ADO.UseLocateWhenFindingValue = true;
    // Other kinds of match compare the field's text.
    EXPECT_EQ(AllMatches("Rate", "2.5", mtPartialMatchStart, false), (std::vector<QString>{"Projector", "Van"}));
}

TEST_F(RecordSearch, NextSearchesOnFromTheCurrentRecordAndDoesNotWrap) {
    ASSERT_TRUE(table.Locate("ResourceName", "room b", {}));
    // Only records after the current one count; the earlier "Room A" is not found again.
    EXPECT_TRUE(SearchFieldValue(false, table, "ResourceName", "room", mtPartialMatchAny, false, false));
    EXPECT_EQ(Name(), "Boardroom");
    EXPECT_FALSE(SearchFieldValue(false, table, "ResourceName", "room", mtPartialMatchAny, false, false));
    EXPECT_EQ(Name(), "Boardroom");
    // A failed search from the first record returns to where the dataset stood.
    EXPECT_FALSE(SearchFieldValue(true, table, "ResourceName", "Lorry", mtExactMatch, false, false));
    EXPECT_EQ(Name(), "Boardroom");
    EXPECT_FALSE(SearchFieldValue(true, table, "Notes", "attic", mtPartialMatchAny, false, false));
    EXPECT_EQ(Name(), "Boardroom");
}

TEST_F(RecordSearch, MemoFieldsAreSearchedByTheirText) {
    EXPECT_EQ(AllMatches("Notes", "NORTH WING", mtExactMatch, false), (std::vector<QString>{"Room A", "room b"}));
    EXPECT_EQ(AllMatches("Notes", "desk", mtPartialMatchAny, true), (std::vector<QString>{"Projector", "Van"}));
}

TEST_F(RecordSearch, AnEditInProgressIsPostedFirst) {
    table.Edit();
    table.FieldByName("ResourceName").SetAsString("Minibus");
    EXPECT_TRUE(SearchFieldValue(true, table, "ResourceName", "mini", mtPartialMatchStart, false, false));
    EXPECT_EQ(table.State(), dsBrowse);
    EXPECT_EQ(Name(), "Minibus");
}

TEST_F(RecordSearch, AMissingFieldIsAWarningAndFindsNothing) {
    table.Last();
    EXPECT_FALSE(SearchFieldValue(true, table, "Colour", "red", mtExactMatch, false, false));
    ASSERT_EQ(testing_env::Messages().Requests().size(), 1u);
    EXPECT_EQ(testing_env::Messages().Texts(), std::vector<QString>{"Field Colour not found."});
    EXPECT_EQ(testing_env::Messages().Requests()[0].type, mtWarning);
    EXPECT_EQ(Name(), "Boardroom");
}

TEST_F(RecordSearch, LocateFieldValueStaysOnACurrentRecordThatHoldsTheText) {
    ASSERT_TRUE(table.Locate("ResourceName", "Van", {}));
    // Whatever the kind of match, the current record's own text answers at once.
    EXPECT_TRUE(LocateFieldValue(table, "VAN", "ResourceName", mtPartialMatchAny, false));
    EXPECT_EQ(Name(), "Van");
    EXPECT_TRUE(LocateFieldValue(table, "room", "ResourceName", mtPartialMatchStart, true));
    EXPECT_EQ(Name(), "room b");
    EXPECT_FALSE(LocateFieldValue(table, "Lorry", "ResourceName", mtExactMatch, false));
    EXPECT_EQ(Name(), "room b");
    EXPECT_THROW(LocateFieldValue(table, "x", "Colour", mtExactMatch, false), Exception);
}

}  // namespace
