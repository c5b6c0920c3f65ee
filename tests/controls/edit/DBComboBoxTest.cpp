// The combo box on a real database: value maps, the drop-down list closing on a click elsewhere, its place
// on the screen, ItemIndex, the incremental search's pause and the history kept in an INI file.
#include "BoundEditFixture.h"
#include "controls/edit/WwDBComboBox.h"
#include "controls/edit/WwWindows.h"
#include "platform/ini/IniFiles.h"
#include "platform/registry/Registry.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/TimerService.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QClipboard>

namespace {

using controls_test::BoundEditTest;

const QStringList kStatuses{"Not started\t0", "In progress\t1", "Completed\t2", "Waiting\t3", "Deferred\t4"};

void Fill(TStrings& items, const QStringList& lines) {
    items.Clear();
    for (const QString& line : lines) items.Add(line);
}

class DBComboBox : public BoundEditTest {
protected:
    TwwDBComboBox* combo = new TwwDBComboBox(&form);

    DBComboBox() { combo->SetBounds(10, 10, 150, 21); }

    void BindStatus() {
        combo->SetMapList(true);
        combo->SetStyle(csDropDownList);
        Fill(combo->Items(), kStatuses);
        combo->SetDataSource(&source);
        combo->SetDataField(QStringLiteral("Status"));
        combo->Loaded();
        ShowForm();
    }
    void Focus() {
        combo->SetFocus();
        QApplication::processEvents();
    }
    QRect ItemRect(int index) const { return combo->ListBox()->visualItemRect(combo->ListBox()->item(index)); }
};

TEST_F(DBComboBox, AMapListShowsTheNameOfTheStoredCodeAndWritesTheCodeBack) {
    BindStatus();
    EXPECT_EQ(combo->Text(), QStringLiteral("Completed"));
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(combo->GetValue(), QStringLiteral("2"));
    // Display texts match in any case, values exactly.
    EXPECT_EQ(combo->DisplayTextToValue(QStringLiteral("waiting")), QStringLiteral("3"));
    EXPECT_EQ(combo->DisplayTextToValue(QStringLiteral("Unknown")), QString());

    Focus();
    Key(combo, Qt::Key_Down);  // the next item, with the record in edit mode
    EXPECT_EQ(combo->Text(), QStringLiteral("Waiting"));
    EXPECT_EQ(query.State(), dsEdit);
    Type(combo, QStringLiteral("x"));  // a list-only text takes no typing, nor a paste
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    Key(combo, Qt::Key_V, Qt::ControlModifier);
    Key(combo, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(combo->Text(), QStringLiteral("Waiting"));
    other->SetFocus();
    QApplication::processEvents();
    query.Post();
    EXPECT_EQ(Stored(QStringLiteral("Status")).toInt(), 3);
}

TEST_F(DBComboBox, ValueLookupIsExactAndAValueMissingFromItemsShowsEmpty) {
    TwwDBComboBox letters(&form);
    letters.SetMapList(true);
    Fill(letters.Items(), {"Alpha\ta", "Beta\tB"});
    EXPECT_EQ(letters.ValueToDisplayText(QStringLiteral("a")), QStringLiteral("Alpha"));
    EXPECT_EQ(letters.ValueToDisplayText(QStringLiteral("A")), QString());
    EXPECT_EQ(letters.ValueToDisplayText(QStringLiteral("b")), QString());
    EXPECT_EQ(letters.DisplayTextToValue(QStringLiteral("BETA")), QStringLiteral("B"));

    BindStatus();
    query.Edit();
    query.FieldByName(QStringLiteral("Status")).SetAsInteger(7);
    EXPECT_EQ(combo->Text(), QString());
    EXPECT_EQ(combo->ItemIndex(), -1);
    query.Cancel();
    EXPECT_EQ(combo->Text(), QStringLiteral("Completed"));
}

TEST_F(DBComboBox, AClickOnAnotherControlClosesTheListAcceptingAndStillClicksIt) {
    auto* button = new TButton(&form);
    button->SetBounds(250, 10, 80, 25);
    int clicks = 0;
    button->OnClick = [&](QObject*) { ++clicks; };
    BindStatus();
    Focus();
    Key(combo, Qt::Key_F4);
    ASSERT_TRUE(combo->ListShowing());
    TwwPopupListbox* list = combo->ListBox();
    EXPECT_TRUE(list->isVisible());
    EXPECT_TRUE(list->isWindow());
    EXPECT_TRUE(combo->hasFocus());  // the list never takes the focus
    EXPECT_EQ(list->ItemIndex(), 2);
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, ItemRect(4).center());
    EXPECT_EQ(list->ItemIndex(), 4);
    EXPECT_TRUE(combo->ListShowing());

    QTest::mouseClick(button, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(combo->ListShowing());
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(combo->Text(), QStringLiteral("Deferred"));
    EXPECT_EQ(query.FieldByName(QStringLiteral("Status")).AsInteger(), 4);
}

TEST_F(DBComboBox, KeysMoveInTheOpenListAndEnterOrEscCloseIt) {
    std::vector<bool> closeUps;
    combo->OnCloseUp = [&](QObject*, bool select) { closeUps.push_back(select); };
    BindStatus();
    Focus();
    Key(combo, Qt::Key_F4);
    Key(combo, Qt::Key_Up);
    EXPECT_EQ(combo->ListBox()->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), QStringLiteral("In progress"));
    Key(combo, Qt::Key_Escape);
    EXPECT_FALSE(combo->ListShowing());
    EXPECT_EQ(combo->Text(), QStringLiteral("In progress"));  // Esc closed the list only
    Key(combo, Qt::Key_F4);
    Key(combo, Qt::Key_Down);
    Key(combo, Qt::Key_Return);
    EXPECT_FALSE(combo->ListShowing());
    EXPECT_EQ(combo->Text(), QStringLiteral("Completed"));
    // A release inside the list takes the item under it.
    Key(combo, Qt::Key_F4);
    QTest::mouseClick(combo->ListBox()->viewport(), Qt::LeftButton, {}, ItemRect(0).center());
    EXPECT_FALSE(combo->ListShowing());
    EXPECT_EQ(combo->Text(), QStringLiteral("Not started"));
    EXPECT_EQ(closeUps, (std::vector<bool>{false, true, true}));
}

TEST_F(DBComboBox, ItemIndexMinusOneClearsTheTextAndAnIndexPastTheEndLeavesIt) {
    Fill(combo->Items(), {"Red", "Green", "Blue"});
    combo->SetItemIndex(1);
    EXPECT_EQ(combo->Text(), QStringLiteral("Green"));
    combo->SetItemIndex(7);
    EXPECT_EQ(combo->Text(), QStringLiteral("Green"));
    combo->SetItemIndex(-1);
    EXPECT_EQ(combo->Text(), QString());
}

TEST_F(DBComboBox, ShowMatchTextCompletesFromTheFirstItemBeginningWithTheTypedTextAndSelectsTheRest) {
    Fill(combo->Items(), {"Red", "Green", "Grey", "Blue"});
    combo->ShowMatchText = true;
    combo->Loaded();
    ShowForm();
    Focus();
    struct Step {
        const char* typed;
        const char* text;
        const char* rest;
        int index;
    };
    // Each character replaces the selected rest; one that no item continues is typed as it is.
    for (const Step& step : {Step{"g", "Green", "reen", 1}, Step{"r", "Green", "een", 1}, Step{"e", "Green", "en", 1},
                             Step{"y", "Grey", "", 2}, Step{"s", "Greys", "", -1}}) {
        Type(combo, QString::fromLatin1(step.typed));
        EXPECT_EQ(combo->Text(), QString::fromLatin1(step.text)) << step.typed;
        EXPECT_EQ(combo->selectedText(), QString::fromLatin1(step.rest)) << step.typed;
        if (step.index >= 0) {
            EXPECT_EQ(combo->ItemIndex(), step.index) << step.typed;
        }
    }
    EXPECT_TRUE(combo->Modified());
}

TEST_F(DBComboBox, ShowMatchTextInABoundListOnlyBoxEditsTheRecordAndRefusesTextNoItemBeginsWith) {
    combo->ShowMatchText = true;
    BindStatus();
    Focus();
    combo->SelectAll();
    Type(combo, QStringLiteral("w"));
    EXPECT_EQ(combo->Text(), QStringLiteral("Waiting"));
    EXPECT_EQ(combo->selectedText(), QStringLiteral("aiting"));
    EXPECT_EQ(query.State(), dsEdit);
    Type(combo, QStringLiteral("x"));
    EXPECT_EQ(combo->Text(), QStringLiteral("Waiting"));
    other->SetFocus();
    QApplication::processEvents();
    query.Post();
    EXPECT_EQ(Stored(QStringLiteral("Status")).toInt(), 3);
}

TEST_F(DBComboBox, ItemsChangedByOnDropDownAppearInTheOpenedList) {
    combo->Loaded();
    Fill(combo->Items(), {"One"});
    combo->OnDropDown = [&](QObject*) { combo->Items().Add(QStringLiteral("Two")); };
    ShowForm();
    Focus();
    combo->DropDown();
    ASSERT_EQ(combo->ListBox()->Count(), 2);
    EXPECT_EQ(combo->ListBox()->Item(1), QStringLiteral("Two"));
    combo->CloseUp(false);
}

TEST_F(DBComboBox, AVariableOwnerDrawnListAsksEachItemsHeightAndDrawsThroughTheHandler) {
    combo->SetStyle(csOwnerDrawVariable);
    Fill(combo->Items(), {"Low", "High"});
    combo->OnMeasureItem = [](QObject*, int index, int& height) { height = index == 0 ? 20 : 30; };
    QList<int> drawn;
    bool hadCanvas = false;
    combo->OnDrawItem = [&](QObject*, int index, const TRect&, TOwnerDrawState) {
        drawn << index;
        hadCanvas = combo->GetCanvas() != nullptr;
    };
    combo->Loaded();
    ShowForm();
    Focus();
    combo->DropDown();
    EXPECT_EQ(combo->ListBox()->height(), 20 + 30 + 4);
    EXPECT_EQ(ItemRect(1).height(), 30);
    combo->ListBox()->grab();  // paints every item
    EXPECT_TRUE(drawn.contains(0) && drawn.contains(1));
    EXPECT_TRUE(hadCanvas);
    EXPECT_EQ(combo->GetCanvas(), nullptr);
    combo->CloseUp(false);
}

TEST_F(DBComboBox, TheListOpensBelowTheBoxOrAboveItWhenTheScreenEndsFirst) {
    Fill(combo->Items(), {"One", "Two", "Three"});
    combo->Loaded();
    ShowForm();
    Focus();
    combo->DropDown();
    const QPoint boxTop = combo->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(combo->ListBox()->geometry().top(), boxTop.y() + combo->height() - 1);
    combo->CloseUp(false);

    const TRect work = GetWorkArea();
    form.move(form.x(), work.Bottom - 40 - (combo->mapToGlobal(QPoint(0, 0)).y() - form.y()));
    QApplication::processEvents();
    combo->DropDown();
    EXPECT_EQ(combo->ListBox()->geometry().bottom() + 1, combo->mapToGlobal(QPoint(0, 0)).y());
    combo->CloseUp(false);
}

TEST_F(DBComboBox, TheOwnerDrawnListsSearchStartsAfreshAfterItsPause) {
    ui::ScopedFakeTimers time;
    combo->SetStyle(csOwnerDrawFixed);
    Fill(combo->Items(), {"Alpha", "Beta", "Bravo", "Charlie"});
    combo->Loaded();
    ShowForm();
    Focus();
    Key(combo, Qt::Key_F4);
    TwwPopupListbox* list = combo->ListBox();
    Type(combo, QStringLiteral("b"));
    EXPECT_EQ(list->ItemIndex(), 1);
    time.Advance(1000);
    Type(combo, QStringLiteral("r"));
    EXPECT_EQ(list->ItemIndex(), 2);  // "br"
    time.Advance(1500);
    Type(combo, QStringLiteral("c"));  // "brc" finds nothing: the selection stays
    EXPECT_EQ(list->ItemIndex(), 2);
    time.Advance(1501);
    Type(combo, QStringLiteral("c"));  // a new search
    EXPECT_EQ(list->ItemIndex(), 3);
    Key(combo, Qt::Key_Return);
    EXPECT_EQ(combo->Text(), QStringLiteral("Charlie"));
}

TEST_F(DBComboBox, TheHistoryIsKeptInTheIniFileNewestLastAndShownOnTopWithMru) {
    const QString iniPath = QDir(testing_env::TempDir()).filePath(QStringLiteral("history.ini"));
    TwwHistoryList& history = combo->HistoryList();
    history.Enabled = true;
    history.Section = QStringLiteral("Subjects");
    history.FileName = iniPath;
    history.MaxSize = 3;
    Fill(combo->Items(), {"Zebra"});
    combo->Loaded();
    ShowForm();
    for (const char* text : {"Lamps", "Chairs", "Desks", "Lamps", "Boards  "}) {
        Focus();
        combo->SelectAll();
        Type(combo, QString::fromLatin1(text));
        Key(combo, Qt::Key_Return);
        other->SetFocus();
        QApplication::processEvents();
    }
    TIniFile ini(iniPath);
    QStringList keys;
    ini.ReadSection(QStringLiteral("Subjects"), keys);
    // Five texts, four entries ("Lamps" moved to newest, "Boards" without its blanks); the newest three keep
    // their numbers.
    EXPECT_EQ(keys, (QStringList{"1", "2", "3"}));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Subjects"), QStringLiteral("3"), QString()), QStringLiteral("Boards"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Subjects"), QStringLiteral("1"), QString()), QStringLiteral("Desks"));

    TwwDBComboBox reader(&form);
    reader.HistoryList().Enabled = true;
    reader.HistoryList().Section = QStringLiteral("Subjects");
    reader.HistoryList().FileName = iniPath;
    reader.HistoryList().MRUEnabled = true;
    reader.SetSorted(true);
    Fill(reader.Items(), {"Zebra", "Apple"});
    reader.Loaded();
    reader.DropDown();
    QStringList shown;
    for (int i = 0; i < reader.ListBox()->Count(); ++i) shown << reader.ListBox()->Item(i);
    EXPECT_EQ(shown, (QStringList{"Boards", "Lamps", "Apple", "Boards", "Desks", "Lamps", "Zebra"}));
    reader.CloseUp(false);
}

TEST(HistoryList, InTheRegistryItIsOneBinaryValueOfLinesKeptToItsNewestMaxSize) {
    TwwHistoryList history;
    history.StorageType = stRegistry;
    history.FileName = QStringLiteral("Software\\Dulvex\\Tavorin\\7.0\\ComboHistory");
    history.Section = QStringLiteral("Cities");
    history.MaxSize = 2;
    for (const char* city : {"Oslo", "Bergen", "Tromso"}) history.Entries().Add(QString::fromLatin1(city));
    history.Save();
    EXPECT_EQ(history.Entries().Count(), 2);  // trimmed in memory too

    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(history.FileName, false));
    QByteArray bytes(registry.GetDataSize(QStringLiteral("Cities")), '\0');
    registry.ReadBinaryData(QStringLiteral("Cities"), bytes.data(), int(bytes.size()));
    EXPECT_EQ(bytes, QByteArray("Bergen\r\nTromso"));

    TwwHistoryList reader;
    reader.StorageType = stRegistry;
    reader.FileName = history.FileName;
    reader.Section = history.Section;
    reader.Load();
    EXPECT_TRUE(reader.IsLoaded());
    ASSERT_EQ(reader.Entries().Count(), 2);
    EXPECT_EQ(reader.Entries().Get(1), QStringLiteral("Tromso"));

    // Without a section nothing is read or written.
    TwwHistoryList nameless;
    nameless.StorageType = stRegistry;
    nameless.FileName = history.FileName;
    nameless.Load();
    EXPECT_FALSE(nameless.IsLoaded());
}

TEST(RadioGroupHelpers, ValuesFallBackToItemsAndCaptionsAreFoundByExactValue) {
    TStringList items;
    TStringList values;
    for (const char* item : {"Low", "High", "Urgent"}) items.Add(QString::fromLatin1(item));
    for (const char* value : {"L", ""}) values.Add(QString::fromLatin1(value));
    EXPECT_EQ(RadioGroupValue(items, values, 0), QStringLiteral("L"));
    EXPECT_EQ(RadioGroupValue(items, values, 1), QStringLiteral("High"));
    EXPECT_EQ(RadioGroupValue(items, values, 2), QStringLiteral("Urgent"));
    EXPECT_EQ(RadioGroupValue(items, values, 5), QString());
    const QStringList captions{"&Low", "&High", "&Urgent"};
    EXPECT_EQ(RadioGroupDisplayText(items, values, captions, QStringLiteral("High")), QStringLiteral("&High"));
    EXPECT_EQ(RadioGroupDisplayText(items, values, captions, QStringLiteral("l")), QString());
}

}  // namespace
