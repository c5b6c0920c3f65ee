// The lookup combo as the booking window sets it up: unbound, a drop-down list over the Resources table of a
// real database file, opened before each drop-down and closed after each close-up.
#include "controls/grid/Wwdblook.h"
#include "platform/db/ADOConnection.h"
#include "platform/db/ADODataSet.h"
#include "platform/db/Field.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Statement.h"
#include "platform/ui/Color.h"
#include "platform/ui/TimerService.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <memory>
#include <optional>

namespace {

// Counts the searches the timer and the keys run.
class CountingCombo : public TwwDBLookupCombo {
public:
    using TwwDBLookupCombo::TwwDBLookupCombo;
    int Searches = 0;
    void PerformSearch() override {
        ++Searches;
        TwwDBLookupCombo::PerformSearch();
    }
};

const QStringList kResources = {"Board room", "Projector", "Rocket Lab", "rotunda", "Alpha Room",
                                "Van",        "Laptop 1",  "Laptop 2",   "Studio",  "Camera"};

class LookupComboTest : public ::testing::Test {
protected:
    TADOConnection connection;
    TADOTable table;
    ui::ScopedFakeTimers timers;
    std::unique_ptr<QWidget> window;
    CountingCombo* combo = nullptr;
    QPushButton* other = nullptr;
    std::optional<bool> closeUpModified;
    int chosenId = -1;

    void SetUp() override {
        const QString path = QDir(testing_env::TempDir()).filePath(QStringLiteral("lookup.tvd"));
        sql::Connection::CreateDatabase({path, {}});
        connection.ConnectionString = QStringLiteral("Data Source=") + path;
        connection.LoginPrompt = false;
        connection.Open();
        connection.Execute(
            "CREATE TABLE Resources (ResourceId AUTOINCREMENT CONSTRAINT PrimaryKey PRIMARY KEY, "
            "ResourceName TEXT(25))");
        connection.Execute("CREATE INDEX ResourceNameIndex ON Resources (ResourceName)");
        table.SetConnection(&connection);
        table.TableName = QStringLiteral("Resources");
        table.IndexName = QStringLiteral("ResourceNameIndex");
        table.AddField<TAutoIncField>(QStringLiteral("ResourceId")).SetVisible(false);
        table.AddField<TStringField>(QStringLiteral("ResourceName")).SetSize(25);

        window = std::make_unique<QWidget>();
        window->resize(400, 400);
        combo = new CountingCombo(window.get());
        combo->setGeometry(20, 20, 200, 25);
        other = new QPushButton(QStringLiteral("Other"), window.get());
        other->setGeometry(20, 300, 100, 25);
        combo->SetLookupTable(&table);
        combo->SetLookupField(QStringLiteral("ResourceName"));
        combo->Style = csDropDownList;
        combo->AutoDropDown = false;
        combo->SetShowButton(true);
        combo->AllowClearKey = false;
        combo->DropDownAlignment = taLeftJustify;
        combo->SetOptions({loTitles});
        // The font that gives the list the booking window's 17-pixel rows.
        List().Font().SetHeight(13);
        combo->OnBeforeDropDown = [this](QObject*) { table.Open(); };
        combo->OnCloseUp = [this](QObject*, TDataSet* lookupTable, TDataSet* fillTable, bool modified) {
            EXPECT_EQ(lookupTable, &table);
            EXPECT_EQ(fillTable, nullptr);
            closeUpModified = modified;
            if (modified) chosenId = table.FieldByName("ResourceId").AsInteger();
            table.Close();
        };
        combo->Loaded();
        window->show();
        combo->setFocus();
        QApplication::processEvents();
    }

    void AddResources(const QStringList& names) {
        sql::Connection& engine = connection.Engine();
        engine.BeginTransaction();
        const auto insert = engine.Prepare("INSERT INTO Resources (ResourceName) VALUES (:Name)");
        for (const QString& name : names) {
            insert->Reset();
            insert->Bind(0, name);
            insert->Step();
        }
        engine.CommitTransaction();
    }

    void TearDown() override {
        for (const QString& text : testing_env::Messages().Texts()) ADD_FAILURE() << text.toStdString();
    }

    int IdOf(const QString& name) {
        const auto query = connection.Engine().Prepare("SELECT ResourceId FROM Resources WHERE ResourceName = :N");
        query->Bind(0, name);
        return query->Step() ? query->Value(0).toInt() : -1;
    }

    TwwPopupGrid& List() const { return *combo->Grid(); }

    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(combo, key, modifiers);
        QApplication::processEvents();
    }

    // The booking window shows the booking's resource while the lookup table is closed.
    void ShowResource(const QString& name) {
        combo->SetLookupValue(name);
        other->setFocus();
        combo->setFocus();
        QApplication::processEvents();
    }
};

TEST_F(LookupComboTest, ListIsAsHighAsItsRowsAndShrinksToAShortTable) {
    AddResources(kResources);
    ASSERT_EQ(List().DefaultRowHeight(), 17) << "the pinned test font gives 17-pixel rows";
    Press(Qt::Key_F4);
    ASSERT_TRUE(List().isVisible());
    // (1 title + 8 rows) x 17 + 3 + 2
    EXPECT_EQ(List().height(), 158);
    // The name is the one column: the id is an invisible field.
    ASSERT_EQ(List().GetFieldCount(), 1);
    EXPECT_EQ(List().GetFields(0)->FieldName(), "ResourceName");
    EXPECT_EQ(List().DataLink().RecordCount(), 8);
    EXPECT_TRUE(List().verticalScrollBar()->isVisible());
    Press(Qt::Key_Escape);
    ASSERT_FALSE(List().isVisible());

    connection.Execute(
        "DELETE FROM Resources WHERE ResourceName <> 'Van' AND ResourceName <> 'Studio' AND "
        "ResourceName <> 'Camera'");
    Press(Qt::Key_F4);
    ASSERT_TRUE(List().isVisible());
    // (1 title + 3 rows) x 17 + 5
    EXPECT_EQ(List().height(), 73);
    EXPECT_FALSE(List().verticalScrollBar()->isVisible());
    EXPECT_EQ(List().height(), combo->ListHeightFor(3));
}

TEST_F(LookupComboTest, ListOpensBelowTheComboAtLeastAsWideAsItAndUpwardNearTheBottom) {
    AddResources(kResources);
    Press(Qt::Key_F4);
    const QPoint origin = combo->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(List().geometry().top(), origin.y() + combo->height() - 1);
    EXPECT_EQ(List().geometry().left(), origin.x());
    EXPECT_GE(List().width(), combo->width() - 4);
    Press(Qt::Key_Escape);

    combo->DropDownAlignment = taRightJustify;
    combo->DropDownWidth = 120;
    Press(Qt::Key_F4);
    EXPECT_EQ(List().geometry().left() + List().width(), origin.x() + combo->width() + 1);
    EXPECT_EQ(List().width(), combo->width() - 4);
    Press(Qt::Key_Escape);

    const int screenHeight = combo->screen()->availableGeometry().height();
    window->move(window->x(), screenHeight - 60);
    QApplication::processEvents();
    Press(Qt::Key_F4);
    const QPoint low = combo->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(List().geometry().top(), low.y() - List().height() + 1);
}

TEST_F(LookupComboTest, F4AndAltDownOpenAndTypingIsRefusedWhileClosed) {
    AddResources(kResources);
    ShowResource("Van");
    for (const char* key : {"x", "r"}) QTest::keyClicks(combo, key);
    Press(Qt::Key_Backspace);
    Press(Qt::Key_Delete);
    Press(Qt::Key_Down);
    Press(Qt::Key_Up);
    EXPECT_EQ(combo->Text(), "Van");
    EXPECT_FALSE(List().isVisible());
    EXPECT_EQ(combo->Searches, 0);

    Press(Qt::Key_F4);
    EXPECT_TRUE(List().isVisible());
    Press(Qt::Key_Escape);
    EXPECT_FALSE(List().isVisible());
    Press(Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(List().isVisible());
}

TEST_F(LookupComboTest, TypingQuicklyRunsOneSearchAfterThePauseAndHighlightsTheFirstMatch) {
    AddResources(kResources);
    ShowResource("Van");
    Press(Qt::Key_F4);
    ASSERT_TRUE(List().isVisible());
    QTest::keyClicks(combo, "ro");
    EXPECT_EQ(combo->Text(), "ro");
    timers.Advance(150);
    EXPECT_EQ(combo->Searches, 0);
    timers.Advance(50);
    EXPECT_EQ(combo->Searches, 1);
    timers.Advance(1000);
    EXPECT_EQ(combo->Searches, 1);
    // "Rocket Lab" comes before "rotunda" in the name index, whatever the case.
    EXPECT_EQ(table.FieldByName("ResourceName").AsString(), "Rocket Lab");
    EXPECT_EQ(combo->GetLookupValue(), "Rocket Lab");
    EXPECT_TRUE(combo->FoundFlag());
    // The found record's row is painted in the highlight (the inactive window's shade), every other row plain.
    const QImage image = List().viewport()->grab().toImage();
    const int foundRow = List().DataLink().ActiveRecord() + List().TitleRowCount();
    for (int row = List().TitleRowCount(); row < List().RowCount(); ++row) {
        const TRect cell = List().CellRect(0, row);
        // Right of the names, left of the cell's edge.
        const QColor color(image.pixel(cell.Left + (cell.Right - cell.Left) * 3 / 4, (cell.Top + cell.Bottom) / 2));
        EXPECT_EQ(color.blue() > color.red() + 60, row == foundRow) << row;
    }
    EXPECT_EQ(List().HighlightedRecord(), List().DataLink().ActiveRecord());
}

TEST_F(LookupComboTest, EscRestoresThePreviousTextAndReportsNotModified) {
    AddResources(kResources);
    ShowResource("Van");
    Press(Qt::Key_F4);
    QTest::keyClicks(combo, "ro");
    timers.Advance(200);
    Press(Qt::Key_Down);
    ASSERT_NE(combo->Text(), "Van");
    Press(Qt::Key_Escape);
    EXPECT_FALSE(List().isVisible());
    EXPECT_EQ(combo->Text(), "Van");
    ASSERT_TRUE(closeUpModified.has_value());
    EXPECT_FALSE(*closeUpModified);
    EXPECT_FALSE(table.Active());
}

TEST_F(LookupComboTest, EnterChoosesTheFoundRecord) {
    AddResources(kResources);
    ShowResource("Van");
    Press(Qt::Key_F4);
    QTest::keyClicks(combo, "la");
    timers.Advance(200);
    Press(Qt::Key_Down);
    Press(Qt::Key_Return);
    EXPECT_FALSE(List().isVisible());
    EXPECT_EQ(combo->Text(), "Laptop 2");
    ASSERT_TRUE(closeUpModified.has_value());
    EXPECT_TRUE(*closeUpModified);
    EXPECT_EQ(chosenId, IdOf("Laptop 2"));
}

TEST_F(LookupComboTest, AClickOutsideAcceptsTheFoundRecord) {
    AddResources(kResources);
    ShowResource("Van");
    Press(Qt::Key_F4);
    QTest::keyClicks(combo, "ro");
    timers.Advance(200);
    QTest::mouseClick(other, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_FALSE(List().isVisible());
    EXPECT_EQ(combo->Text(), "Rocket Lab");
    ASSERT_TRUE(closeUpModified.has_value());
    EXPECT_TRUE(*closeUpModified);
    EXPECT_EQ(chosenId, IdOf("Rocket Lab"));
}

TEST_F(LookupComboTest, AValueNotInTheTableIsNoChoice) {
    AddResources(kResources);
    ShowResource("Van");
    Press(Qt::Key_F4);
    QTest::keyClicks(combo, "zz");
    timers.Advance(200);
    EXPECT_FALSE(combo->FoundFlag());
    Press(Qt::Key_Return);
    EXPECT_FALSE(List().isVisible());
    EXPECT_EQ(combo->Text(), "Van");
    ASSERT_TRUE(closeUpModified.has_value());
    EXPECT_FALSE(*closeUpModified);
}

TEST_F(LookupComboTest, ClickingARowChoosesIt) {
    AddResources(kResources);
    Press(Qt::Key_F4);
    const TRect cell = List().CellRect(0, 3);  // the third record below the title
    QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, QPoint(cell.Left + 5, cell.Top + 3));
    QApplication::processEvents();
    EXPECT_FALSE(List().isVisible());
    EXPECT_EQ(combo->Text(), "Camera");
    ASSERT_TRUE(closeUpModified.has_value());
    EXPECT_TRUE(*closeUpModified);
    EXPECT_EQ(chosenId, IdOf("Camera"));
}

TEST_F(LookupComboTest, SetLookupValueWithTheTableClosedShowsTheText) {
    combo->SetLookupValue("Studio");
    EXPECT_EQ(combo->Text(), "Studio");
    EXPECT_EQ(combo->GetLookupValue(), "");
    combo->SetLookupValue("");
    EXPECT_EQ(combo->Text(), "");
}

TEST_F(LookupComboTest, ADataSourceOverTheLookupTableIsRefused) {
    TDataSource source;
    source.SetDataSet(&table);
    EXPECT_THROW(combo->SetDataSource(&source), EInvalidOperation);
}

}  // namespace

namespace {

QRgb PixelAt(QWidget& widget, QPoint point) { return widget.grab().toImage().pixel(point); }

TEST_F(LookupComboTest, AFocusedDropDownListComboShowsItsTextSelected) {
    ShowResource("Van");
    ASSERT_TRUE(combo->hasFocus());
    // Right of the text, left of the button.
    const QPoint blank(combo->ButtonHolder()->geometry().left() - 6, combo->height() / 2);
    EXPECT_EQ(QColor(PixelAt(*combo, blank)), ui::ToQColor(clHighlight));
    other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(QColor(PixelAt(*combo, blank)), ui::ToQColor(combo->Color()));
}

TEST_F(LookupComboTest, NoDropDownCountShowsOneRowAndANarrowComboNoList) {
    AddResources(kResources);
    combo->DropDownCount = 0;
    Press(Qt::Key_F4);
    ASSERT_TRUE(List().isVisible());
    EXPECT_EQ(List().height(), combo->ListHeightFor(1));
    Press(Qt::Key_Escape);

    int beforeDropDown = 0;
    combo->OnBeforeDropDown = [&](QObject*) {
        ++beforeDropDown;
        table.Open();
    };
    combo->resize(20, combo->height());
    Press(Qt::Key_F4);
    EXPECT_EQ(beforeDropDown, 1);
    EXPECT_FALSE(List().isVisible());
}

TEST_F(LookupComboTest, ShowMatchTextCompletesTheTypedTextAndSelectsTheRest) {
    AddResources(kResources);
    combo->Style = csDropDown;
    combo->ShowMatchText = true;
    Press(Qt::Key_F4);
    combo->setText(QString());
    QTest::keyClicks(combo, "ro");
    timers.Advance(200);
    EXPECT_EQ(combo->Text(), "Rocket Lab");
    EXPECT_EQ(combo->selectionStart(), 2);
    EXPECT_EQ(combo->selectedText(), "cket Lab");
    // Backspace with the list down asks a search that does not complete.
    Press(Qt::Key_Backspace);
    EXPECT_EQ(combo->LastSearchedText(), "~~~~");
    timers.Advance(200);
    EXPECT_EQ(combo->Text(), "Ro");
}

TEST_F(LookupComboTest, ATextLongerThanTheNameFieldIsSoughtByWhatTheFieldCanHold) {
    const QString name = QStringLiteral("Main conference room east");  // the field's 25 characters
    AddResources({"Board room", name, "Van"});
    // Without fields of its own the table has the engine's wide-string fields; the fixture's are narrow ones.
    TADOTable wide;
    wide.SetConnection(&connection);
    wide.TableName = QStringLiteral("Resources");
    wide.Open();
    table.Open();
    const QString typed = name + QStringLiteral(" wing");
    for (TADOTable* lookup : {&table, &wide}) {
        combo->SetLookupTable(lookup);
        combo->setText(typed);
        for (const bool partial : {true, false}) {
            lookup->First();
            EXPECT_TRUE(combo->LookupDisplayValue(typed, "ResourceName", partial, false, false))
                << (lookup == &wide) << partial;
            EXPECT_EQ(lookup->FieldByName("ResourceName").AsString(), name);
        }
    }
}

TEST_F(LookupComboTest, AComboBoundToAKeyFieldWritesTheChosenKeyIntoTheRecord) {
    AddResources(kResources);
    connection.Execute("CREATE TABLE Bookings (BookingId INTEGER NOT NULL PRIMARY KEY, ResourceId INTEGER)");
    connection.Execute(QStringLiteral("INSERT INTO Bookings VALUES (1, %1)").arg(IdOf("Van")));
    TADOTable bookings;
    bookings.SetConnection(&connection);
    bookings.TableName = QStringLiteral("Bookings");
    TDataSource source;
    source.SetDataSet(&bookings);
    combo->OnCloseUp = [&](QObject*, TDataSet*, TDataSet* fillTable, bool modified) {
        EXPECT_EQ(fillTable, &bookings);
        closeUpModified = modified;
        // The record has the key before the close-up is reported.
        chosenId = bookings.FieldByName("ResourceId").AsInteger();
    };
    table.Open();
    combo->Selected().SetStrings({"ResourceName\t25\tResource"});
    combo->SetLookupField(QStringLiteral("ResourceId"));
    combo->SetDataSource(&source);
    combo->SetDataField(QStringLiteral("ResourceId"));
    bookings.Open();
    EXPECT_EQ(combo->Text(), "Van");
    bookings.Edit();
    Press(Qt::Key_F4);
    ASSERT_TRUE(List().isVisible());
    QTest::keyClicks(combo, "ro");
    timers.Advance(200);
    Press(Qt::Key_Return);
    EXPECT_EQ(combo->Text(), "Rocket Lab");
    ASSERT_TRUE(closeUpModified.has_value());
    EXPECT_TRUE(*closeUpModified);
    EXPECT_EQ(chosenId, IdOf("Rocket Lab"));
    EXPECT_EQ(bookings.FieldByName("ResourceId").AsInteger(), IdOf("Rocket Lab"));
}

}  // namespace

namespace {

TEST_F(LookupComboTest, TheButtonOpensAndClosesTheList) {
    AddResources(kResources);
    ShowResource("Van");
    QTest::mouseClick(combo->Button(), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(List().isVisible());
    EXPECT_TRUE(combo->hasFocus());
    QTest::mouseClick(combo->Button(), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_FALSE(List().isVisible());
    EXPECT_EQ(combo->Text(), "Van");
}

TEST_F(LookupComboTest, ACustomSearchHandlerCannotSearchAgainInside) {
    std::vector<bool> performLookups;
    bool nested = true;
    combo->OnPerformCustomSearch = [&](QObject*, TDataSet* lookupTable, const QString& field, const QString& value,
                                       bool performLookup, bool& found) {
        EXPECT_EQ(lookupTable, &table);
        EXPECT_EQ(field, "ResourceName");
        EXPECT_EQ(value, "Studio");
        performLookups.push_back(performLookup);
        nested = combo->LookupDisplayValue(value, field, false, false, false);
        found = true;
    };
    combo->SetLookupValue("Studio");
    EXPECT_EQ(performLookups, std::vector<bool>{true});
    EXPECT_FALSE(nested);
    EXPECT_FALSE(combo->CustomSearchRunning());
}

}  // namespace

namespace {

TEST_F(LookupComboTest, APasteIntoTheDroppedListIsSearchedAtOnce) {
    AddResources(kResources);
    ShowResource("Van");
    Press(Qt::Key_F4);
    QApplication::clipboard()->setText(QStringLiteral("st"));
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(combo->Text(), "st");
    EXPECT_EQ(combo->Searches, 1);
    EXPECT_EQ(combo->GetLookupValue(), "Studio");
}

}  // namespace
