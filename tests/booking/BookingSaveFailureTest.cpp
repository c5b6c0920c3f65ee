// Saves in the booking window that fail: nothing is stored, the user is told why, and the window saves again.
#include "BookingFormFixture.h"
#include "SmallFileSystem.h"

#include "booking/TaskEditFrame.h"
#include "platform/rtl/FaultInjection.h"
#include "platform/rtl/Messages.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Database.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/Menus.h"
#include "support/FaultLoop.h"

#include <QFile>
#include <algorithm>

using namespace booking_form_test;

namespace {

const QString kUnknownError =
    QStringLiteral("An unknown error occurred while checking for conflicts. Please try again.");

// A connection of another program that waits only briefly for a lock, so that one held shows at once.
std::unique_ptr<sql::Connection> ImpatientProgram() {
    auto connection = std::make_unique<sql::Connection>(sql::ConnectOptions{DatabasePath(), {}});
    connection->Native().Exec(QStringLiteral("PRAGMA busy_timeout = 300"));
    return connection;
}

// Runs onRetryQuestion while the retry question is on screen and declines it; every other message gets the scripted
// service's answer.
class RetryQuestionService : public rtl::MessageService {
public:
    explicit RetryQuestionService(std::function<void()> onRetryQuestion)
        : onRetryQuestion_(std::move(onRetryQuestion)) {}
    rtl::MessageAnswer Ask(const rtl::MessageRequest& request) override {
        if (!request.text.endsWith(QStringLiteral("Retry update?"))) return testing_env::Messages().Ask(request);
        onRetryQuestion_();
        return {mrNo, {}};
    }

private:
    std::function<void()> onRetryQuestion_;
};

class BookingSaveFailureTest : public BookingFormTest {
protected:
    // Presses OK as a click does: an error that escapes is shown the way the event loop shows it.
    bool PressOk() {
        if (form->isHidden()) form->Show();
        ui::Dispatch(form.get(), [&] { form->OkButtonClick(); });
        return form->isHidden();
    }
    bool ErrorShown() {
        for (const rtl::MessageRequest& request : testing_env::Messages().Requests())
            if (request.type == mtError || request.kind == rtl::MessageRequest::Kind::Box) return true;
        return false;
    }
    void CloseAll() {
        form.reset();
        sqlData.reset();
        data.reset();
        other.reset();
    }
    static QString PristinePath() { return QDir(testing_env::TempDir()).filePath(QStringLiteral("pristine.tvd")); }
    // The file as the test set it up, to start every faulted run from.
    void KeepPristine() {
        CloseAll();
        QFile::remove(PristinePath());
        ASSERT_TRUE(QFile::copy(DatabasePath(), PristinePath()));
        other = std::make_unique<OtherProgram>();
    }
    void BackToPristine() {
        CloseAll();
        QFile::remove(DatabasePath());
        ASSERT_TRUE(QFile::copy(PristinePath(), DatabasePath()));
        other = std::make_unique<OtherProgram>();
    }
    // The data module waits only briefly for a lock another program holds.
    void OpenImpatient() {
        Open();
        data->ADOConnection.Engine().Native().Exec(QStringLiteral("PRAGMA busy_timeout = 300"));
    }

    QStringList BookingRows() {
        return other->Rows(
            QStringLiteral("SELECT BookingId, ResourceId, BookingStart, BookingEnd, Client, Trans FROM "
                           "Bookings ORDER BY BookingId"));
    }
    int CountOf(const QString& jetSql) { return other->Rows(jetSql).value(0).toInt(); }
    // What any failure must leave: no two bookings of a resource overlap, nothing staged, no task without its
    // booking, and one History row for each booking changed since `before` (none for the others).
    void ExpectBookingInvariants(const QStringList& before) {
        EXPECT_EQ(CountOf(QStringLiteral("SELECT Count(*) FROM Bookings AS a, Bookings AS b WHERE a.ResourceId = "
                                         "b.ResourceId AND a.BookingId < b.BookingId AND a.BookingStart < "
                                         "b.BookingEnd AND b.BookingStart < a.BookingEnd")),
                  0);
        EXPECT_EQ(CountOf(QStringLiteral("SELECT Count(*) FROM Bookings WHERE Trans = True")), 0);
        EXPECT_EQ(CountOf(QStringLiteral("SELECT Count(*) FROM History WHERE Trans = True")), 0);
        EXPECT_EQ(CountOf(QStringLiteral("SELECT Count(*) FROM Tasks WHERE BookingId NOT IN (SELECT BookingId FROM "
                                         "Bookings)")),
                  0);
        for (const QString& row : BookingRows()) {
            const QString id = row.section(u'|', 0, 0);
            EXPECT_EQ(CountOf(QStringLiteral("SELECT Count(*) FROM History WHERE BookingId = %1").arg(id)),
                      before.contains(row) ? 0 : 1)
                << row.toStdString();
        }
    }
    bool AskedToRetry() {
        const std::vector<QString> shown = Shown();
        return std::any_of(shown.begin(), shown.end(),
                           [](const QString& text) { return text.endsWith(QStringLiteral("Retry update?")); });
    }

    // One save run with each fault point failing in turn. After each failure the file holds exactly what it did
    // before or what the save stores without a fault; when it is as before the user was told, the window is
    // open with the entry as typed, and OK without a fault then stores what a save does.
    void ExpectEveryFaultFailsClosed(const std::function<void()>& openAndType, TDateTime typedStart,
                                     const std::function<void()>& expectSaved, rtl::Fault kind,
                                     const QString& cause = {}) {
        KeepPristine();
        const QStringList before = Stored();
        const QStringList bookingsBefore = BookingRows();
        Open();
        openAndType();
        PressOk();
        expectSaved();
        const QStringList after = Stored();
        const bool closes = form->isHidden();
        int failures = 0;
        testing_env::LoopOverFaults(
            [&] {
                BackToPristine();
                Open();
                openAndType();
                testing_env::Messages().Clear();
            },
            [&] { PressOk(); },
            [&](int n) {
                SCOPED_TRACE(testing::Message() << "fault at point " << n);
                const QStringList state = Stored();
                ExpectBookingInvariants(bookingsBefore);
                if (state == after && after != before) {
                    EXPECT_EQ(form->isHidden(), closes);
                    EXPECT_FALSE(ErrorShown()) << Shown().front().toStdString();
                    return;
                }
                ++failures;
                // A write that failed at the commit was asked about with no lock held; the scripted answer, No,
                // leaves that booking as it was and the others saved.
                if (state != before && AskedToRetry()) return;
                ASSERT_EQ(state, before);
                ASSERT_FALSE(Shown().empty());
                EXPECT_FALSE(form->isHidden());
                if (!cause.isEmpty() && ErrorShown()) {
                    EXPECT_TRUE(Shown().back().contains(cause)) << Shown().back().toStdString();
                }
                EXPECT_TRUE(Bookings().State() == dsInsert || Bookings().State() == dsEdit);
                EXPECT_NEAR(Start(), typedStart, OneMillisecond);
                testing_env::Messages().Clear();
                PressOk();
                expectSaved();
                EXPECT_EQ(Stored(), after);
            },
            2000, kind);
        EXPECT_GT(failures, 3);
    }
};

// A new booking 9:30-10:30 over one at 9:00-10:00 must be refused whatever fails on the way.
TEST_F(BookingSaveFailureTest, EveryFaultInTheSaveOfAnOverlappingBookingStoresNothing) {
    other->Book(1001, 1, Jan(5, 9), Jan(5, 10));
    ExpectEveryFaultFailsClosed(
        [this] { OpenNew(Jan(5, 9, 30), Jan(5, 10, 30)); }, Jan(5, 9, 30),
        [this] {
            EXPECT_EQ(Shown(), std::vector<QString>{QStringLiteral("This booking conflicts with booking 1001")});
        },
        rtl::Fault::DiskError);
}

TEST_F(BookingSaveFailureTest, EveryFaultInTheSaveOfANewOrAChangedBookingStoresAllOrNothing) {
    {
        SCOPED_TRACE("new");
        ExpectEveryFaultFailsClosed([this] { OpenNew(Jan(5, 9), Jan(5, 10)); }, Jan(5, 9),
                                    [this] { EXPECT_TRUE(Shown().empty()); }, rtl::Fault::DiskError);
    }
    {
        SCOPED_TRACE("changed");
        BackToPristine();
        other->Book(1001, 1, Jan(5, 9), Jan(5, 10));
        ExpectEveryFaultFailsClosed(
            [this] {
                OpenBooking(1001);
                Type("BookingStart", Jan(5, 11));
                Type("BookingEnd", Jan(5, 12));
                form->OnModify();
            },
            Jan(5, 11), [this] { EXPECT_TRUE(Shown().empty()); }, rtl::Fault::DiskError);
    }
}

// A group edit, applied whole or, with a member refused and kept out in the review, to the others.
TEST_F(BookingSaveFailureTest, EveryFaultInAGroupEditStoresAllOrNothingAndLeavesNothingStaged) {
    other->Book(1001, 1, Jan(5, 9), Jan(5, 10), QStringLiteral("Smith"), 77);
    other->Book(1002, 2, Jan(5, 11), Jan(5, 12), QStringLiteral("Smith"), 77);
    other->Book(1003, 1, Jan(5, 14), Jan(5, 15, 30), QStringLiteral("Smith"), 77);
    const auto openGroup = [this] {
        Open();
        form->Hooks.AskGroupQuestion = [](const QString&, const QString&) { return int(mrYes); };
        form->Hooks.ChooseGroupBookings = [](const TGroupBookingChoice&, QList<qint32>& ids, bool&) {
            ids = {1001, 1002, 1003};
            return true;
        };
        form->Hooks.ReviewGroupUpdate = [](const TGroupBookingReview&) { return true; };
        OpenBooking(1001);
        Type("BookingStart", Jan(8, 9));
        form->OnModify();
    };
    {
        SCOPED_TRACE("every member");
        ExpectEveryFaultFailsClosed(
            openGroup, Jan(8, 9), [this] { EXPECT_TRUE(Shown().empty()); }, rtl::Fault::DiskError);
    }
    {
        SCOPED_TRACE("one member refused");
        BackToPristine();
        other->Book(2000, 1, Jan(8, 15), Jan(8, 16));
        ExpectEveryFaultFailsClosed(
            openGroup, Jan(8, 9),
            [this] {
                EXPECT_EQ(Shown(),
                          std::vector<QString>{QStringLiteral("Some bookings were not updated.\r\rPlease review "
                                                              "the update list.")});
            },
            rtl::Fault::DiskError);
    }
}

// The cause is named: the Part's text alone would hide it.
TEST_F(BookingSaveFailureTest, AFullDiskOrAReadOnlyFileIsNamedAndStoresNothing) {
    const std::pair<rtl::Fault, QString> causes[] = {{rtl::Fault::DiskFull, QStringLiteral("The disk is full")},
                                                     {rtl::Fault::ReadOnly, QStringLiteral("read-only")}};
    for (const auto& [kind, cause] : causes) {
        SCOPED_TRACE(cause.toStdString());
        ExpectEveryFaultFailsClosed([this] { OpenNew(Jan(5, 9), Jan(5, 10)); }, Jan(5, 9),
                                    [this] { EXPECT_TRUE(Shown().empty()); }, kind, cause);
        BackToPristine();
    }
}

TEST_F(BookingSaveFailureTest, AFileDeletedOrReplacedWhileTheWindowIsOpenIsNamedAndGetsNothing) {
    for (const bool replaced : {false, true}) {
        SCOPED_TRACE(replaced ? "replaced" : "deleted");
        KeepPristine();
        const QStringList before = Stored();
        OpenNew(Jan(5, 9), Jan(5, 10));
        other.reset();
        ASSERT_TRUE(QFile::remove(DatabasePath()));
        if (replaced) {
            ASSERT_TRUE(QFile::copy(PristinePath(), DatabasePath()));
        }
        EXPECT_FALSE(PressOk());
        ASSERT_EQ(Shown().size(), 1u);
        EXPECT_TRUE(Shown()[0].startsWith(kUnknownError)) << Shown()[0].toStdString();
        EXPECT_TRUE(Shown()[0].contains(QStringLiteral("deleted, moved or replaced"))) << Shown()[0].toStdString();
        EXPECT_EQ(Bookings().State(), dsInsert);
        EXPECT_NEAR(Start(), Jan(5, 9), OneMillisecond);
        if (replaced) {
            other = std::make_unique<OtherProgram>();
            EXPECT_EQ(Stored(), before);
        }
        CloseAll();
        QFile::remove(DatabasePath());
        ASSERT_TRUE(QFile::copy(PristinePath(), DatabasePath()));
        other = std::make_unique<OtherProgram>();
        testing_env::Messages().Clear();
    }
}

// The disk really full: a small file system of its own, filled to its last block.
TEST_F(BookingSaveFailureTest, ASaveOnAFullDiskSaysSoStoresNothingAndSavesOnceThereIsRoom) {
    other->Book(1001, 1, Jan(5, 9), Jan(5, 10));
    other.reset();
    SmallFileSystem disk(testing_env::TempDir());
    if (!disk.Mounted()) GTEST_SKIP() << "a small file system cannot be mounted here";
    other = std::make_unique<OtherProgram>();
    const QStringList before = Stored();
    OpenNew(Jan(5, 11), Jan(5, 12));
    disk.Fill();

    EXPECT_FALSE(PressOk());
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_TRUE(Shown()[0].contains(QStringLiteral("The disk is full"))) << Shown()[0].toStdString();
    EXPECT_EQ(Stored(), before);
    EXPECT_EQ(Bookings().State(), dsInsert);
    EXPECT_NEAR(Start(), Jan(5, 11), OneMillisecond);

    disk.Free();
    testing_env::Messages().Clear();
    EXPECT_TRUE(PressOk());
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(other->Count(QStringLiteral("Bookings")), 2);
    EXPECT_EQ(other->Count(QStringLiteral("History")), 1);
    CloseAll();
}

// The folder turns read-only while the window is open: the save says so and stores nothing.
TEST_F(BookingSaveFailureTest, ASaveInAFolderThatTurnedReadOnlySaysSoAndStoresNothing) {
    other->Book(1001, 1, Jan(5, 9), Jan(5, 10));
    const QStringList before = Stored();
    OpenNew(Jan(5, 11), Jan(5, 12));
    {
        ReadOnlyFolder folder(testing_env::TempDir());
        if (!folder.ReadOnly()) GTEST_SKIP() << "a folder cannot be made read-only here";
        EXPECT_FALSE(PressOk());
    }
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_TRUE(Shown()[0].contains(QStringLiteral("read-only"))) << Shown()[0].toStdString();
    EXPECT_EQ(Stored(), before);
    EXPECT_EQ(Bookings().State(), dsInsert);
    EXPECT_NEAR(Start(), Jan(5, 11), OneMillisecond);
}

// Another program holds the write lock for the whole of the save: nothing may reach the file then or later.
TEST_F(BookingSaveFailureTest, ASaveWhileAnotherProgramHoldsTheWriteLockStoresNothingThenOrLater) {
    other->Book(1001, 1, Jan(5, 9), Jan(5, 10));
    const QStringList before = Stored();
    OpenImpatient();
    OpenNew(Jan(5, 9, 30), Jan(5, 10, 30));
    auto holder = ImpatientProgram();
    holder->Native().Exec(QStringLiteral("BEGIN IMMEDIATE"));
    EXPECT_FALSE(PressOk());
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_TRUE(Shown()[0].contains(QStringLiteral("currently locked"))) << Shown()[0].toStdString();
    holder->Native().Exec(QStringLiteral("ROLLBACK"));
    holder.reset();
    EXPECT_EQ(Stored(), before);
    EXPECT_EQ(Bookings().State(), dsInsert);
    EXPECT_NEAR(Start(), Jan(5, 9, 30), OneMillisecond);

    // The window goes on with the entry, which is checked like any other.
    testing_env::Messages().Clear();
    form->UpdateItemClick();
    EXPECT_EQ(Shown(), std::vector<QString>{QStringLiteral("This booking conflicts with booking 1001")});
    EXPECT_EQ(Stored(), before);
    Type("BookingStart", Jan(5, 10));
    Type("BookingEnd", Jan(5, 11));
    EXPECT_TRUE(PressOk());
    EXPECT_EQ(other->Count(QStringLiteral("Bookings")), 2);
    EXPECT_EQ(other->Count(QStringLiteral("History")), 1);
}

// The question about a failed write is asked with no lock held: another program's save goes through meanwhile.
TEST_F(BookingSaveFailureTest, AnotherProgramSavesWhileTheRetryQuestionIsOpen) {
    other->Book(1001, 1, Jan(5, 9), Jan(5, 10));
    KeepPristine();
    int asked = 0;
    QString theirError;
    const auto theirSave = [&] {
        ++asked;
        try {
            const auto them = ImpatientProgram();
            them->Native().Exec(QStringLiteral("BEGIN IMMEDIATE"));
            them->Native().Exec(QStringLiteral("INSERT INTO Bookings (BookingId, ResourceId, Client, BookingStart, "
                                               "BookingEnd, Owner, Trans) VALUES (2001, 2, 'Them', %1, %2, 'them', 0)")
                                    .arg(Jan(6, 9), 0, 'f', 6)
                                    .arg(Jan(6, 10), 0, 'f', 6));
            them->Native().Exec(QStringLiteral("COMMIT"));
        } catch (const std::exception& e) {
            theirError = QString::fromUtf8(e.what());
        }
    };
    const std::shared_ptr<rtl::MessageService> scripted =
        rtl::SetMessageService(std::make_shared<RetryQuestionService>(theirSave));
    // The first fault point whose failure is a failed write of the commit.
    for (int n = 1; n < 300 && asked == 0; ++n) {
        BackToPristine();
        OpenImpatient();
        OpenBooking(1001);
        Type("BookingStart", Jan(5, 11));
        Type("BookingEnd", Jan(5, 12));
        form->OnModify();
        const rtl::ScopedFault fault(n);
        PressOk();
    }
    rtl::SetMessageService(scripted);
    ASSERT_EQ(asked, 1);
    EXPECT_TRUE(theirError.isEmpty()) << theirError.toStdString();
    // Declined: their booking is stored, ours as it was, and the window stays open with the entry as typed.
    EXPECT_EQ(other->Rows(QStringLiteral("SELECT BookingId, BookingStart FROM Bookings ORDER BY BookingId")),
              (QStringList{QStringLiteral("1001|Jan 5 9:00"), QStringLiteral("2001|Jan 6 9:00")}));
    EXPECT_EQ(other->Count(QStringLiteral("History")), 0);
    EXPECT_FALSE(form->isHidden());
    EXPECT_NEAR(Start(), Jan(5, 11), OneMillisecond);
}

// A new task, its History row and the booking's row naming it are one change.
TEST_F(BookingSaveFailureTest, EveryFaultInTheSaveOfANewTaskStoresItWithBothHistoryRowsOrNothing) {
    other->Book(1001, 1, Jan(5, 9), Jan(5, 10));
    KeepPristine();
    const auto openWithNewTask = [this] {
        Open();
        OpenBooking(1001);
        form->Item(QStringLiteral("AddTaskItem"))->Click();
        TADOQuery& tasks = form->TaskEditFrame->TasksQuery;
        if (tasks.State() == dsBrowse) tasks.Edit();
        tasks.FieldByName(QStringLiteral("Subject")).SetAsString(QStringLiteral("Chairs"));
        testing_env::Messages().Clear();
    };
    const auto tasks = [this] { return other->Rows(QStringLiteral("SELECT BookingId, Subject FROM Tasks")); };
    const auto history = [this] {
        return other->Rows(QStringLiteral("SELECT HistoryCode, Trans FROM History ORDER BY HistoryCode"));
    };
    const QStringList saved = {QStringLiteral("7|0"), QStringLiteral("30|0")};
    int failures = 0;
    testing_env::LoopOverFaults(
        [&] {
            BackToPristine();
            openWithNewTask();
        },
        [&] { PressOk(); },
        [&](int n) {
            SCOPED_TRACE(testing::Message() << "fault at point " << n);
            if (!tasks().isEmpty()) {
                EXPECT_EQ(history(), saved);
                return;
            }
            ++failures;
            EXPECT_TRUE(history().isEmpty());
            ASSERT_FALSE(Shown().empty());
            EXPECT_FALSE(form->isHidden());
            testing_env::Messages().Clear();
            EXPECT_TRUE(PressOk());
            EXPECT_TRUE(Shown().empty()) << Shown().front().toStdString();
            EXPECT_EQ(tasks(), QStringList{QStringLiteral("1001|Chairs")});
            EXPECT_EQ(history(), saved);
        });
    EXPECT_GT(failures, 2);
}

}  // namespace
