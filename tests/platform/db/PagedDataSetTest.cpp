// Datasets larger than a page of rows: walking, positions, bookmarks, writing back and Locate through the engine.
#include "AdoFixture.h"

#include "platform/db/KeysetCursor.h"
#include "platform/db/RowIdQuery.h"
#include "platform/db/SqlCursor.h"
#include "platform/rtl/Exceptions.h"
#include "platform/sql/TextCompare.h"

#include <gtest/gtest.h>

namespace {

constexpr int kPage = db::KeysetCursor::kPageRows;
// More rows than the cache holds, so that walking forgets the first pages.
constexpr int kRows = db::KeysetCursor::kCachedRows + 3 * kPage + 17;

// Clients "Client 0000".. in BookingId order; every tenth is written in lower case.
QString ClientOf(int i) {
    const QString name = QStringLiteral("Client %1").arg(i, 4, 10, QLatin1Char('0'));
    return i % 10 == 3 ? name.toLower() : name;
}

class PagedDataSetTest : public db_test::AdoTest {
protected:
    TADOTable table;

    void SetUp() override {
        AdoTest::SetUp();
        connection.Execute(
            "CREATE TABLE Bookings (BookingId AUTOINCREMENT CONSTRAINT PrimaryKey PRIMARY KEY, "
            "Client TEXT(30) NOT NULL, Amount INTEGER, Notes MEMO)");
        connection.Execute("CREATE INDEX ClientIndex ON Bookings (Client DESC)");
        sql::Connection& engine = connection.Engine();
        engine.BeginTransaction();
        const auto insert = engine.Prepare("INSERT INTO Bookings (Client, Amount) VALUES (:Client, :Amount)");
        for (int i = 0; i < kRows; ++i) {
            insert->Reset();
            insert->Bind(0, ClientOf(i));
            insert->Bind(1, i % 7);
            insert->Step();
        }
        engine.CommitTransaction();
        table.SetConnection(&connection);
        table.TableName = "Bookings";
    }

    int StoredCount() { return connection.Engine().Native().QueryValue("SELECT COUNT(*) FROM Bookings").toInt(); }
};

TEST_F(PagedDataSetTest, WalkingAcrossPagesKeepsOrderPositionsAndCount) {
    table.IndexName = "ClientIndex";
    table.Open();
    ASSERT_EQ(table.RecordCount(), kRows);
    QString previous;
    int walked = 0;
    for (table.First(); !table.Eof(); table.Next()) {
        ++walked;
        const QString client = table.FieldByName("Client").AsString();
        ASSERT_EQ(table.RecNo(), walked);
        if (walked > 1) {
            ASSERT_GE(sql::CompareText(previous, client), 0) << client.toStdString();
        }
        previous = client;
    }
    EXPECT_EQ(walked, kRows);

    table.Last();
    EXPECT_EQ(table.FieldByName("Client").AsString(), "Client 0000");
    EXPECT_EQ(table.MoveBy(-(kPage + 1)), -(kPage + 1));
    EXPECT_EQ(table.RecNo(), kRows - kPage - 1);
    table.SetRecNo(kPage);
    EXPECT_EQ(table.MoveBy(1), 1);
    EXPECT_EQ(table.FieldByName("Client").AsString(), ClientOf(kRows - 1 - kPage));
    for (int i = 0; i < 3; ++i) table.Prior();
    EXPECT_EQ(table.RecNo(), kPage - 2);
}

TEST_F(PagedDataSetTest, BookmarksReturnAcrossPagesAfterTheirRowsWereForgotten) {
    table.Open();
    table.SetRecNo(5);
    const TBookmark early = table.GetBookmark();
    table.Last();
    const TBookmark late = table.GetBookmark();
    for (table.First(); !table.Eof(); table.Next()) {
    }
    table.GotoBookmark(early);
    EXPECT_EQ(table.RecNo(), 5);
    EXPECT_EQ(table.FieldByName("Client").AsString(), ClientOf(4));
    EXPECT_EQ(table.CompareBookmarks(early, late), -1);
    EXPECT_EQ(table.CompareBookmarks(late, early), 1);
    table.GotoBookmark(late);
    table.Delete();
    EXPECT_FALSE(table.BookmarkValid(late));
    EXPECT_TRUE(table.BookmarkValid(early));
}

TEST_F(PagedDataSetTest, EditsInsertsAndDeletesOnLaterPagesWriteBack) {
    table.Open();
    table.SetRecNo(3 * kPage + 10);
    table.Edit();
    table.FieldByName("Amount").SetAsInteger(99);
    table.Post();
    const int id = table.FieldByName("BookingId").AsInteger();
    EXPECT_EQ(connection.Engine()
                  .Native()
                  .QueryValue(QStringLiteral("SELECT Amount FROM Bookings WHERE BookingId = %1").arg(id))
                  .toInt(),
              99);
    // Walked away and back, the row shows as stored.
    for (table.First(); !table.Eof(); table.Next()) {
    }
    table.SetRecNo(3 * kPage + 10);
    EXPECT_EQ(table.FieldByName("Amount").AsInteger(), 99);

    table.Append();
    table.FieldByName("Client").SetAsString("Newcomer");
    table.Post();
    EXPECT_EQ(table.RecNo(), kRows + 1);
    EXPECT_EQ(table.FieldByName("BookingId").AsInteger(), kRows + 1);

    // Deleting the last row leaves the new last one current, again and again.
    table.Last();
    table.Delete();
    table.Delete();
    EXPECT_EQ(table.RecordCount(), kRows - 1);
    EXPECT_EQ(table.RecNo(), kRows - 1);
    EXPECT_EQ(table.FieldByName("Client").AsString(), ClientOf(kRows - 2));
    EXPECT_EQ(StoredCount(), kRows - 1);
    table.Next();
    EXPECT_TRUE(table.Eof());
}

TEST_F(PagedDataSetTest, RowsChangedOrDeletedByOthersCannotBeWrittenBack) {
    table.Open();
    table.SetRecNo(2 * kPage + 1);  // read now, changed by the other connection afterwards
    const int changedId = table.FieldByName("BookingId").AsInteger();
    TADOConnection other;
    other.ConnectionString = connection.ConnectionString;
    other.Execute(QStringLiteral("UPDATE Bookings SET Amount = 50 WHERE BookingId = %1").arg(changedId));
    other.Execute(QStringLiteral("DELETE FROM Bookings WHERE BookingId = %1").arg(4 * kPage + 1));

    table.Edit();
    table.FieldByName("Amount").SetAsInteger(1);
    try {
        table.Post();
        FAIL();
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.Message(), db::kRowNotLocated);
    }
    table.Cancel();

    // A row deleted before it was first shown keeps its place, empty.
    table.SetRecNo(4 * kPage + 1);
    EXPECT_TRUE(table.FieldByName("BookingId").IsNull());
    EXPECT_THROW(table.Delete(), EDatabaseError);
    EXPECT_EQ(table.RecordCount(), kRows);
    table.Requery();
    EXPECT_EQ(table.RecordCount(), kRows - 1);
}

TEST_F(PagedDataSetTest, LocateAsksTheTableAndFindsTheFirstRowInTheDatasetsOrder) {
    table.IndexName = "ClientIndex";
    table.Open();
    // Many rows start with "client 00"; in descending order "Client 0099" comes first.
    EXPECT_TRUE(table.Locate("Client", "client 00", {loCaseInsensitive, loPartialKey}));
    EXPECT_EQ(table.FieldByName("Client").AsString(), "Client 0099");
    EXPECT_EQ(table.RecNo(), kRows - 99);
    // The table compares without case; the exact case is checked on the rows it names.
    EXPECT_FALSE(table.Locate("Client", "Client 0013", {}));
    EXPECT_TRUE(table.Locate("Client", "client 0013", {}));
    EXPECT_TRUE(table.Locate("Client", "CLIENT 0013", {loCaseInsensitive}));
    EXPECT_TRUE(table.Locate("Client", "client 001", {loPartialKey}));
    EXPECT_EQ(table.FieldByName("Client").AsString(), "client 0013");
    EXPECT_TRUE(table.Locate("Client", "Client 001", {loPartialKey}));
    EXPECT_EQ(table.FieldByName("Client").AsString(), "Client 0019");

    EXPECT_TRUE(table.Locate("BookingId;Amount", QVariantList{kRows - 3, (kRows - 4) % 7}));
    EXPECT_EQ(table.FieldByName("Client").AsString(), ClientOf(kRows - 4));
    EXPECT_FALSE(table.Locate("BookingId;Amount", QVariantList{kRows - 3, 100}));
    EXPECT_TRUE(table.Locate("BookingId", QString::number(kPage * 5)));
    EXPECT_FALSE(table.Locate("BookingId", "not a number"));
    EXPECT_TRUE(table.Locate("Notes", QVariant()));
    EXPECT_EQ(table.Lookup("BookingId", 8, "Client").toString(), ClientOf(7));

    // Rows the filter hides are not found.
    table.SetFilter("Amount = 3");
    table.SetFiltered(true);
    EXPECT_FALSE(table.Locate("BookingId", 1));
    EXPECT_TRUE(table.Locate("BookingId", 4));
    EXPECT_EQ(table.FieldByName("Amount").AsInteger(), 3);
}

TEST_F(PagedDataSetTest, OnlyTheRowsShownAreHeld) {
    const auto cursor = db::OpenSelect(connection.Engine(), "select * from Bookings where Amount <> 2", {}, false);
    auto* paged = dynamic_cast<db::KeysetCursor*>(cursor.get());
    ASSERT_NE(paged, nullptr);
    EXPECT_LE(paged->CachedRows(), kPage);
    for (int i = 0; i < paged->Count(); ++i) ASSERT_NE(paged->Fetch(i).value(2).toInt(), 2);
    EXPECT_LE(paged->CachedRows(), db::KeysetCursor::kCachedRows);
}

TEST_F(PagedDataSetTest, TheTableNamesTheRowsALocateMayMatchWithoutReadingThem) {
    const auto cursor = db::OpenSelect(connection.Engine(), "select * from Bookings order by Client desc", {}, false);
    auto* paged = dynamic_cast<db::KeysetCursor*>(cursor.get());
    ASSERT_NE(paged, nullptr);
    const auto byKey = paged->LocateCandidates({{0, 5.0, false}});
    ASSERT_TRUE(byKey && byKey->size() == 1);
    EXPECT_EQ(paged->RowId((*byKey)[0]), 5);
    EXPECT_EQ((*byKey)[0], kRows - 5);

    const auto byPrefix = paged->LocateCandidates({{1, "CLIENT 001", true}, {2, 3.0, false}});
    ASSERT_TRUE(byPrefix);
    EXPECT_EQ(*byPrefix, std::vector<int>({kRows - 18, kRows - 11}));  // Client 0017, Client 0010
    EXPECT_EQ(paged->LocateCandidates({{3, QVariant(), false}})->size(), size_t(kRows));
    EXPECT_LE(paged->CachedRows(), kPage);

    const auto join =
        db::OpenSelect(connection.Engine(), "select * from Bookings, Resources where Amount = ResourceId", {}, true);
    EXPECT_FALSE(join->LocateCandidates({{0, 1.0, false}}));
}

TEST_F(PagedDataSetTest, ACursorSortedByTheSearchedColumnNamesItsFirstMatchAsTheFullListWould) {
    // Three names equal without case, the later rows with the larger amounts.
    connection.Execute("INSERT INTO Bookings (Client, Amount) VALUES ('client 0050', 10)");
    connection.Execute("INSERT INTO Bookings (Client, Amount) VALUES ('CLIENT 0050', 11)");
    connection.Execute("UPDATE Bookings SET Notes = 'note' WHERE BookingId IN (3, 9)");
    const auto expected = [](db::Cursor& cursor, const QVector<db::LocateTerm>& terms) {
        const auto all = cursor.LocateCandidates(terms);
        return all->empty() ? -1 : all->front();
    };
    const auto open = [&](const char* sql) { return db::OpenSelect(connection.Engine(), sql, {}, false); };
    const QVector<db::LocateTerm> prefix{{1, "CLIENT 001", true}};

    const auto byClient = open("select * from Bookings order by Client");
    for (const QVector<db::LocateTerm>& terms :
         {prefix, QVector<db::LocateTerm>{{1, "zz", true}}, QVector<db::LocateTerm>{{1, "Client 0000", false}}}) {
        const auto first = byClient->LocateFirst(terms);
        ASSERT_TRUE(first) << terms[0].value.toString().toStdString();
        EXPECT_EQ(*first, expected(*byClient, terms)) << terms[0].value.toString().toStdString();
    }
    // Equal names stand in whatever order the engine chose for them: the answer is the same or none.
    const QVector<db::LocateTerm> tie{{1, "Client 0050", false}};
    EXPECT_EQ(byClient->LocateFirst(tie).value_or(expected(*byClient, tie)), expected(*byClient, tie));
    // Another column, or more than one term: the full list decides.
    EXPECT_FALSE(byClient->LocateFirst({{2, 3.0, false}}));
    EXPECT_FALSE(byClient->LocateFirst({{1, "Client", true}, {2, 3.0, false}}));
    // Nulls sort first.
    const auto byNotes = open("select * from Bookings order by Notes, BookingId");
    EXPECT_EQ(byNotes->LocateFirst({{3, QVariant(), false}}), std::optional<int>(0));
    EXPECT_EQ(byNotes->LocateFirst({{3, "NOTE", false}}), std::optional<int>(expected(*byNotes, {{3, "NOTE", false}})));
    // Equal names in another order than the engine's: its first is not the cursor's.
    const auto tiesByAmount = open("select * from Bookings order by Client, Amount desc");
    EXPECT_FALSE(tiesByAmount->LocateFirst({{1, "client 0050", false}}));
    // The engine's first row is not one the statement returned.
    EXPECT_FALSE(open("select * from Bookings where Amount <> 3 order by Client")->LocateFirst(prefix));
    EXPECT_FALSE(open("select * from Bookings order by Client desc")->LocateFirst(prefix));
    // A row inserted through the cursor stands out of the order.
    const auto inserted = open("select * from Bookings order by Client");
    db::Row row(inserted->Columns().size());
    row[1] = QStringLiteral("Client 0010a");
    inserted->Insert(0, row, {false, true, false, false});
    EXPECT_FALSE(inserted->LocateFirst(prefix));
}

TEST_F(PagedDataSetTest, LocateInASortedTableFindsWhatTheFullSearchFinds) {
    table.IndexFieldNames = "Client";
    table.Open();
    EXPECT_TRUE(table.Locate("Client", "client 001", {loCaseInsensitive, loPartialKey}));
    EXPECT_EQ(table.FieldByName("Client").AsString(), "Client 0010");
    // Already there.
    EXPECT_TRUE(table.Locate("Client", "CLIENT 0010", {loCaseInsensitive}));
    EXPECT_EQ(table.FieldByName("Client").AsString(), "Client 0010");
    // The engine's first differs in case: the next that matches exactly.
    EXPECT_TRUE(table.Locate("Client", "client 00", {loPartialKey}));
    EXPECT_EQ(table.FieldByName("Client").AsString(), "client 0003");
    EXPECT_FALSE(table.Locate("Client", "nobody", {loCaseInsensitive, loPartialKey}));
    EXPECT_EQ(table.FieldByName("Client").AsString(), "client 0003");
    // The first match is hidden by the filter.
    table.SetFilter("Amount = 2");
    table.SetFiltered(true);
    EXPECT_TRUE(table.Locate("Client", "client 001", {loCaseInsensitive, loPartialKey}));
    EXPECT_EQ(table.FieldByName("Client").AsString(), "Client 0016");
    table.SetFiltered(false);
    // An edited name leaves the row where it stood, before the others it now matches.
    table.SetRecNo(6);
    table.Edit();
    table.FieldByName("Client").SetAsString("Client 0011x");
    table.Post();
    table.Last();
    EXPECT_TRUE(table.Locate("Client", "client 0011", {loCaseInsensitive, loPartialKey}));
    EXPECT_EQ(table.RecNo(), 6);
}

TEST_F(PagedDataSetTest, PlainOneTableSelectsArePagedAndOthersReadWhole) {
    // The rowid is the only column unless the order needs the select list; 0: not paged.
    const struct {
        const char* sql;
        int columns;
    } cases[] = {
        {"select * from Bookings where Amount = 1 order by Client", 1},
        {"SELECT b.* FROM [Bookings] AS b WHERE b.Amount > :Least", 1},
        {"select Client, Amount from Bookings", 1},
        {"select * from Bookings order by 2", 5},
        {"select Client, Amount from Bookings order by 2, 1", 3},
        {"select Client as Who from Bookings order by Who desc", 2},
        {"select distinct Client from Bookings", 0},
        {"select Amount from Bookings group by Amount", 0},
        {"select Bookings.* from Bookings, Resources where Amount = ResourceId", 0},
        {"select Client from Bookings union select ResourceName from Resources", 0},
    };
    for (const auto& c : cases) {
        const auto statement = db::RowIdStatement(connection.Engine(), c.sql, "Bookings", false);
        EXPECT_EQ(statement ? (*statement)->ColumnCount() : 0, c.columns) << c.sql;
    }

    // The order the select list gives is kept.
    TADOQuery byPosition;
    OpenQuery(byPosition, "select Client, Amount from Bookings where BookingId < 30 order by 2 desc, 1");
    EXPECT_EQ(byPosition.FieldByName("Client").AsString(), "Client 0006");
    TADOQuery byAlias;
    OpenQuery(byAlias, "select Client as Who, Amount from Bookings where BookingId < 30 order by Who desc");
    EXPECT_EQ(byAlias.FieldByName("Who").AsString(), "Client 0028");
    byAlias.Edit();
    byAlias.FieldByName("Amount").SetAsInteger(40);
    byAlias.Post();
    EXPECT_EQ(connection.Engine().Native().QueryValue("SELECT Amount FROM Bookings WHERE BookingId = 29").toInt(), 40);
}

TEST(LeadingOrderColumn, OnlyAPlainAscendingColumnOfEveryColumnCounts) {
    const struct {
        const char* sql;
        const char* column;
    } cases[] = {
        {"select * from Bookings order by Client", "Client"},
        {"SELECT * FROM [Bookings] AS b WHERE Amount > 1 ORDER BY b.[Client] ASC, Amount DESC", "Client"},
        {"select * from Bookings", ""},
        {"select * from Bookings order by Client desc", ""},
        {"select * from Bookings order by 2", ""},
        {"select * from Bookings order by Client & Notes", ""},
        {"select Client as Amount, Amount as Client from Bookings order by Client", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(db::LeadingOrderColumn(c.sql), QString(c.column)) << c.sql;
}

// Rows in index order have rowids out of order: their positions stay right through inserts and deletes.
TEST_F(PagedDataSetTest, PositionsStayRightThroughInsertsAndDeletesInIndexOrder) {
    table.IndexName = "ClientIndex";
    table.Open();
    table.SetRecNo(kPage + 3);
    const TBookmark marked = table.GetBookmark();
    const QString client = table.FieldByName("Client").AsString();
    for (int i = 0; i < 3; ++i) {
        table.SetRecNo(1 + i * kPage);
        table.Insert();
        table.FieldByName("Client").SetAsString(QStringLiteral("Inserted %1").arg(i));
        table.Post();
    }
    table.SetRecNo(2);
    table.Delete();
    ASSERT_TRUE(table.Locate("Client", QStringLiteral("Inserted 2")));
    EXPECT_EQ(table.FieldByName("Client").AsString(), QStringLiteral("Inserted 2"));
    table.GotoBookmark(marked);
    EXPECT_EQ(table.FieldByName("Client").AsString(), client);
    EXPECT_EQ(table.RecNo(), kPage + 3 + 1);
    EXPECT_EQ(table.RecordCount(), kRows + 2);
}

TEST_F(PagedDataSetTest, ATableOfRowsInHandHoldsWhatWasLocatedOrInserted) {
    table.IndexName = "ClientIndex";
    table.RowsInHand = true;
    table.Open();
    EXPECT_EQ(table.RecordCount(), 0);
    ASSERT_TRUE(table.Locate("Client", ClientOf(kRows - 1)));
    ASSERT_TRUE(table.Locate("BookingId", 5));
    EXPECT_EQ(table.FieldByName("Client").AsString(), ClientOf(4));
    EXPECT_EQ(table.RecNo(), 2);
    table.Insert();
    table.FieldByName("Client").SetAsString(QStringLiteral("New"));
    table.Post();
    EXPECT_EQ(table.RecordCount(), 3);
    // Found again where it is held, not taken twice.
    ASSERT_TRUE(table.Locate("BookingId", 5));
    EXPECT_EQ(table.RecordCount(), 3);
    table.Delete();
    EXPECT_EQ(table.RecordCount(), 2);
    EXPECT_EQ(StoredCount(), kRows);
    EXPECT_FALSE(table.Locate("Client", QStringLiteral("Nobody")));
    table.Requery();
    EXPECT_EQ(table.RecordCount(), 0);
}

}  // namespace

// A select with parameters keeps its statements prepared: reopened with other values, and open twice at once,
// each query reads its own rows, paged (one table) or whole (a join).
TEST_F(PagedDataSetTest, KeptStatementsReadTheRowsOfEachOpen) {
    for (const QString& sql :
         {QStringLiteral("select Client from Bookings where Amount = :A order by BookingId"),
          QStringLiteral("select Bookings.Client from Bookings, Bookings as B2 where Bookings.Amount = :A "
                         "and B2.BookingId = Bookings.BookingId order by Bookings.BookingId")}) {
        TADOQuery first;
        TADOQuery second;
        for (TADOQuery* query : {&first, &second}) {
            query->SetConnection(&connection);
            query->SQL.SetText(sql);
        }
        first.Parameters.ParamByName("A").SetValue(2);
        first.Open();
        second.Parameters.ParamByName("A").SetValue(3);
        second.Open();
        EXPECT_EQ(first.FieldByName("Client").AsString(), ClientOf(2)) << sql.toStdString();
        EXPECT_EQ(second.FieldByName("Client").AsString(), ClientOf(3)) << sql.toStdString();
        first.Close();
        first.Parameters.ParamByName("A").SetValue(4);
        first.Open();
        EXPECT_EQ(first.FieldByName("Client").AsString(), ClientOf(4)) << sql.toStdString();
        EXPECT_EQ(first.RecordCount(),
                  connection.Engine().Native().QueryValue("SELECT COUNT(*) FROM Bookings WHERE Amount = 4").toInt())
            << sql.toStdString();
    }
}
