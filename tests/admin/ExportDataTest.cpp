// The booking export over a real file: the columns and their order, quoting, line breaks, the date range by
// start, the remembered options, the overwrite question and a failed write that keeps the old file.
#include "AdminFixture.h"

#include "admin/ExportData.h"
#include "controls/edit/DateTimePicker.h"
#include "data/module/LookupQueries.h"
#include "platform/rtl/FaultInjection.h"
#include "platform/ui/Bars.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "support/TextFit.h"
#include "util/DesktopOpen.h"
#include "util/core/VersionHistory.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QFile>
#include <QMouseEvent>

using namespace admin_test;

namespace {

const QString kHeader = QStringLiteral(
    "ResourceName,BookingId,GroupBookingId,BookingStart,BookingEnd,Client,Phone,Email,Address,Description,Notes,"
    "Reminder,Owner,udf1Colour");

class ExportData : public AdminTest {
protected:
    QString path = data_test::DbPath(QStringLiteral("export.tvd"));
    QString exportFile;

    void SetUp() override {
        CreateVersionHistory();
        ASSERT_TRUE(TData().CreateDatabase(path, false));
        ASSERT_TRUE(data.ConnectDatabase(path, {}));
        exportFile = data_test::DbPath(QStringLiteral("TavorinExport.csv"));
        QFile::remove(exportFile);
        data.ADOConnection.Execute(QStringLiteral("alter table Bookings add column udf1Colour text(20)"));
        for (const char* name : {"Room B", "Room A"})
            data::ExecuteWith(data.ADOConnection,
                              QStringLiteral("insert into Resources (ResourceName, MaxBookDays) values (:n, 0)"),
                              {{QStringLiteral("n"), QString::fromLatin1(name)}});
        // Room B is resource 1, Room A resource 2.
        Book(1, 1, March(5, 23), March(6, 1), QStringLiteral("Lee, Ann"), QStringLiteral("say \"hi\""),
             QStringLiteral("first\r\nsecond"));
        Book(2, 2, March(4, 10), March(5, 10), QStringLiteral("Zoë Smith"), {}, {});
        Book(3, 2, March(5, 9), March(5, 10), QStringLiteral("Jones"), {}, {});
    }

    static TDateTime March(int day, int hour) { return EncodeDate(2024, 3, day) + EncodeTime(hour, 0, 0, 0); }

    void Book(int id, int resource, TDateTime start, TDateTime end, const QString& client, const QString& description,
              const QString& notes) {
        data::ExecuteWith(data.ADOConnection,
                          QStringLiteral("insert into Bookings (BookingId, ResourceId, BookingStart, BookingEnd, "
                                         "Client, Description, Notes, Trans) values (:i, :r, :s, :e, :c, :d, :n, 0)"),
                          {{QStringLiteral("i"), id},
                           {QStringLiteral("r"), resource},
                           {QStringLiteral("s"), start},
                           {QStringLiteral("e"), end},
                           {QStringLiteral("c"), client},
                           {QStringLiteral("d"), description.isEmpty() ? QVariant() : QVariant(description)},
                           {QStringLiteral("n"), notes.isEmpty() ? QVariant() : QVariant(notes)}});
    }

    // Shows the window on 5 March 2024, lets the action work in it and closes it.
    void Run(const std::function<void(TExportForm&)>& action) {
        runner->OnShown<TExportForm>(QStringLiteral("ExportForm"), [action](TExportForm& form) {
            action(form);
            form.CancelButton->Click();
        });
        TExportForm(data, EncodeDate(2024, 3, 5)).ShowModal();
    }

    QString Exported() const { return QString::fromUtf8(data_test::FileBytes(exportFile)); }
};

TEST_F(ExportData, EntireDatabaseInResourceAndStartOrderWithOneLinePerBooking) {
    QString status;
    Run([&](TExportForm& form) {
        EXPECT_EQ(form.FilenameEdit->Text(), exportFile);
        EXPECT_FALSE(form.StopButton->Enabled());
        form.StartButton->Click();
        status = form.StatusBar->PanelText(1);
        EXPECT_EQ(form.Percent, 100);
    });
    EXPECT_EQ(status, QStringLiteral("Records exported 3"));
    const QStringList lines = Exported().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 5) << Exported().toStdString();
    EXPECT_EQ(lines[0], kHeader);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Room A,2,,3/4/2024 10:00:00 AM,3/5/2024 10:00:00 AM,Zoë Smith,")))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("Room A,3,"))) << lines[2].toStdString();
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("Room B,1,,3/5/2024 11:00:00 PM,3/6/2024 1:00:00 AM,")));
    EXPECT_TRUE(lines[3].contains(QStringLiteral(",\"Lee, Ann\",,,,say \"hi\",first  second,,")))
        << lines[3].toStdString();
    EXPECT_TRUE(lines[4].isEmpty());
}

TEST_F(ExportData, DurationTakesTheBookingsThatStartInTheRange) {
    const QString longNote(3000, u'x');
    data::ExecuteWith(data.ADOConnection, QStringLiteral("update Bookings set Notes = :n where BookingId = 3"),
                      {{QStringLiteral("n"), longNote}});
    Run([&](TExportForm& form) {
        form.DurationRadioButton->SetChecked(true);
        form.StartButton->Click();
    });
    const QString text = Exported();
    EXPECT_TRUE(text.contains(QStringLiteral(",Jones,,,,,") + longNote + QStringLiteral(",,,\r\n"))) << "written whole";
    EXPECT_TRUE(text.contains(QStringLiteral("Room B,1,")));
    EXPECT_FALSE(text.contains(QStringLiteral("Room A,2,"))) << "starts on 4 March";
}

TEST_F(ExportData, AnEmptyResultWritesTheHeaderOnly) {
    QString status;
    Run([&](TExportForm& form) {
        form.DurationRadioButton->SetChecked(true);
        form.StartDatePicker->SetDate(EncodeDate(2025, 1, 1));
        form.StartButton->Click();
        status = form.StatusBar->PanelText(1);
    });
    EXPECT_EQ(status, QStringLiteral("Records exported 0"));
    EXPECT_EQ(Exported(), kHeader + QStringLiteral("\r\n"));
}

TEST_F(ExportData, OptionsQuoteEverythingOrDropTheHeaderAndAreReadBackAtTheNextShow) {
    Run([&](TExportForm& form) {
        EXPECT_FALSE(form.AlwaysDelimitWithDoubleQuoteCheckBox->Checked());
        EXPECT_TRUE(form.ShowFieldNamesCheckBox->Checked());
        form.AlwaysDelimitWithDoubleQuoteCheckBox->SetChecked(true);
        form.StartButton->Click();
    });
    const QStringList lines = Exported().split(QStringLiteral("\r\n"));
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("\"ResourceName\",\"BookingId\",")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("\"Room A\",\"2\",\"\",")));
    testing_env::Messages().QueueAnswer(mrOk);  // overwrite
    Run([&](TExportForm& form) {
        EXPECT_TRUE(form.AlwaysDelimitWithDoubleQuoteCheckBox->Checked());
        form.AlwaysDelimitWithDoubleQuoteCheckBox->SetChecked(false);
        form.ShowFieldNamesCheckBox->SetChecked(false);
        form.StartButton->Click();
    });
    EXPECT_EQ(Shown(), std::vector<QString>{QStringLiteral("Overwrite ") + exportFile});
    EXPECT_TRUE(Exported().startsWith(QStringLiteral("Room A,2,")));
    Run([&](TExportForm& form) {
        EXPECT_FALSE(form.AlwaysDelimitWithDoubleQuoteCheckBox->Checked());
        EXPECT_FALSE(form.ShowFieldNamesCheckBox->Checked());
    });
}

TEST_F(ExportData, StopEndsAfterTheRowInHandAndKeepsWhatWasWritten) {
    QString status;
    Run([&](TExportForm& form) {
        // The click waits in the queue until the export lets window messages through after its first row.
        const QPoint centre = form.StopButton->rect().center();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QCoreApplication::postEvent(
                form.StopButton, new QMouseEvent(type, centre, form.StopButton->mapToGlobal(centre), Qt::LeftButton,
                                                 Qt::LeftButton, Qt::NoModifier));
        form.StartButton->Click();
        status = form.StatusBar->PanelText(1);
        EXPECT_EQ(form.Count(), 1);
        EXPECT_FALSE(form.Running);
    });
    EXPECT_EQ(status, QStringLiteral(" Processing cancelled by user."));
    EXPECT_EQ(Exported().count(QStringLiteral("\r\n")), 2);
}

TEST_F(ExportData, DecliningToOverwriteOrAFailedWriteKeepsTheOldFile) {
    {
        QFile old(exportFile);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    testing_env::Messages().QueueAnswer(mrCancel);
    Run([&](TExportForm& form) { form.StartButton->Click(); });
    EXPECT_EQ(Exported(), QStringLiteral("old"));

    // The disk refuses a line part-way: an error, never a count of exported records.
    int failures = 0;
    for (int failAt = 1; failAt <= 12; ++failAt) {
        testing_env::Messages().Clear();
        testing_env::Messages().QueueAnswer(mrOk);
        QString status, error;
        bool hit = false;
        Run([&](TExportForm& form) {
            rtl::ScopedFault fault(failAt);
            // The button's click raises to the event loop's dispatch, which shows the error.
            try {
                form.StartButton->Click();
            } catch (const Exception& e) {
                error = e.Message();
            }
            hit = fault.Hit();
            status = form.StatusBar->PanelText(1);
            EXPECT_TRUE(form.StartButton->Enabled());
        });
        if (!hit) break;
        ++failures;
        EXPECT_FALSE(error.isEmpty()) << failAt;
        EXPECT_FALSE(status.startsWith(QStringLiteral("Records exported"))) << failAt;
        EXPECT_EQ(Exported(), QStringLiteral("old")) << failAt;
    }
    EXPECT_GT(failures, 2);
}

TEST_F(ExportData, DatePickersKeepTheirOrderAndViewFileOpensTheFile) {
    rtl::ScopedService viewer(util::FileViewerSlot(), std::make_shared<RecordingViewer>());
    Run([&](TExportForm& form) {
        form.StartDatePicker->SetDate(EncodeDate(2024, 3, 9));
        EXPECT_EQ(form.EndDatePicker->Date(), EncodeDate(2024, 3, 9));
        form.EndDatePicker->SetDate(EncodeDate(2024, 3, 1));
        EXPECT_EQ(form.StartDatePicker->Date(), EncodeDate(2024, 3, 1));
        form.FilenameEdit->SetText(QString());
        EXPECT_FALSE(form.StartButton->Enabled());
        EXPECT_FALSE(form.ViewButton->Enabled());
        form.FilenameEdit->SetText(QStringLiteral("/tmp/x.csv"));
        form.ViewButton->Click();
    });
    EXPECT_EQ(viewer->opened, QStringList{QStringLiteral("/tmp/x.csv")});
}

TEST_F(ExportData, TextsAreWhole) {
    testing_env::AtEachTestFont([&] {
        Run([&](TExportForm& form) {
            form.DurationRadioButton->SetChecked(true);
            form.StartButton->Click();
            testing_env::ExpectTextsWhole(form);
        });
    });
}

}  // namespace
