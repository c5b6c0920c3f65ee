// Printing and e-mailing a booking: the group question, what the printout and the mail windows are given, and the
// History rows of a sent message.
#include "BookingCommandsFixture.h"

#include "booking/BookingInfoList.h"
#include "booking/BookingOptionsForms.h"
#include "data/module/MailWindows.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Lists.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <array>

using namespace booking_test;

namespace {

class BookingMailPrintTest : public BookingCommandsTest {
protected:
    int groupAnswer = mrNo;
    // What the printout was given.
    QStringList printed;
    // What the compose window was given; it answers sent.
    QString composedTo;
    QStringList composedBody;
    bool composeSends = true;

    void SetUp() override {
        BookingCommandsTest::SetUp();
        commands->Hooks.ShowGroupForm = [this](const QString& caption, const QString&) {
            calls.push_back(QStringLiteral("ShowGroupForm ") + caption);
            return groupAnswer;
        };
        commands->Hooks.PrintBookingDetails = [this](const booking::BookingDetailsPrint& print) {
            printed << QStringLiteral("%1 %2 %3 items %4 %5")
                           .arg(print.DeviceType)
                           .arg(print.GroupBookingId)
                           .arg(print.List->Count())
                           .arg(print.DocumentTitle)
                           .arg(print.Options->NewPage);
        };
        commands->Hooks.BookingPrinted = [this] { calls.push_back(QStringLiteral("BookingPrinted")); };
        commands->Hooks.EmailComposeForm = [this](const QString& to, const QStringList& body) {
            composedTo = to;
            composedBody = body;
            return composeSends;
        };
        data.InternetConnected = [] { return true; };
        data.UseMAPI = false;
        data.EMailSettings.Host = QStringLiteral("mail.example.com");
        data.EMailSettings.SenderAddress = QStringLiteral("desk@example.com");
        for (const int id : {3001, 3002}) Add({id, 1, QStringLiteral("3000")});
        Position(3001);
    }

    void UseMapi() {
        data.UseMAPI = true;
        data.EMailSettings.SenderName = QStringLiteral("Front Desk");
        data.EMailSettings.ReplyTo = QStringLiteral("reply@example.com");
        data.EMailSettings.Subject = QStringLiteral("Your booking");
        data.EMailSettings.BCCSender = true;
    }

    QStringList MailHistory() {
        return Rows(QStringLiteral("SELECT HistoryCode, BookingId, Userid, Description FROM History"));
    }

    // E-mail options that are not shown before sending.
    void SendWithoutOptionsDialog() {
        commands->EmailOptions = std::make_unique<TEmailBookingOptions>();
        commands->EmailOptions->InclEmail = true;
    }
};

TEST_F(BookingMailPrintTest, PrintingAsksAboutTheGroupAndHandsOverTheDetails) {
    commands->PrintItemClick(false);
    groupAnswer = mrYes;
    commands->PrintItemClick(true);
    groupAnswer = mrCancel;
    commands->PrintItemClick(false);
    EXPECT_EQ(printed, QStringList({"Printer -1 1 items Tavorin Booking 1", "Screen 3000 1 items Tavorin Booking 1"}));
    EXPECT_EQ(calls,
              std::vector<QString>({"ShowGroupForm Print booking", "BookingPrinted", "ShowGroupForm Print booking",
                                    "BookingPrinted", "ShowGroupForm Print booking"}));
}

TEST_F(BookingMailPrintTest, ComposeSendsTheTextThroughTheComposeWindowAndRecordsIt) {
    SendWithoutOptionsDialog();
    groupAnswer = mrYes;
    commands->ComposeItemClick();
    EXPECT_EQ(calls, std::vector<QString>{"ShowGroupForm Email booking"});
    EXPECT_EQ(composedTo, QStringLiteral("smith@example.com"));
    EXPECT_EQ(composedBody.mid(2, 1), QStringList{"Details for Group Booking Id: 3000"});
    EXPECT_TRUE(composedBody.contains(QStringLiteral("Email: smith@example.com")));
    EXPECT_EQ(MailHistory(), QStringList{"41|3001|jsmith|Tavorin email sent"});

    composeSends = false;
    commands->ComposeItemClick();
    EXPECT_EQ(MailHistory().size(), 1);
}

TEST_F(BookingMailPrintTest, ThroughTheMailProgramTheMessageCarriesTheSettings) {
    SendWithoutOptionsDialog();
    UseMapi();
    booking::MapiMessage sent;
    commands->Hooks.MapiSendMail = [&sent](const booking::MapiMessage& message) {
        sent = message;
        return true;
    };
    commands->ComposeItemClick();
    ASSERT_EQ(sent.Recipients.size(), 2);
    EXPECT_EQ(sent.Recipients[0].Class, booking::MapiMessage::To);
    EXPECT_EQ(sent.Recipients[0].Address, QStringLiteral("smith@example.com"));
    EXPECT_EQ(sent.Recipients[1].Class, booking::MapiMessage::Bcc);
    EXPECT_EQ(sent.Recipients[1].Address, QStringLiteral("desk@example.com"));
    EXPECT_EQ(sent.OriginatorName, QStringLiteral("Front Desk"));
    EXPECT_EQ(sent.ReplyTo, QStringLiteral("reply@example.com"));
    EXPECT_EQ(sent.Subject, QStringLiteral("Your booking"));
    EXPECT_TRUE(sent.Body.contains(QStringLiteral("Details for Booking Id: 3001")));
    EXPECT_EQ(MailHistory(), QStringList{"42|3001|jsmith|Mapi email compose"});
}

TEST_F(BookingMailPrintTest, ComposeStopsWithItsMessagesAndSendsNothing) {
    SendWithoutOptionsDialog();
    commands->ReadOnly = true;
    commands->ComposeItemClick();
    commands->ReadOnly = false;
    data.InternetConnected = [] { return false; };
    commands->ComposeItemClick();
    data.EMailSettings.Host.clear();
    testing_env::Messages().QueueAnswer(mrCancel);
    commands->ComposeItemClick();
    EXPECT_EQ(Shown(), std::vector<QString>({"Can not send email because you have read only access.",
                                             "Could not connect to the Internet. No email has been sent.",
                                             "You must enter your email settings before you can send email.\rWould "
                                             "you like to enter them now?"}));
    EXPECT_TRUE(composedBody.isEmpty());
    EXPECT_TRUE(MailHistory().isEmpty());
}

TEST_F(BookingMailPrintTest, TheOptionsShownBeforeSendingDecideTheText) {
    commands->EmailOptions = std::make_unique<TEmailBookingOptions>();
    commands->EmailOptions->ShowBeforeSending = true;
    runner->OnShown<TBookingInfoEmailOptionsForm>(QStringLiteral("BookingInfoEmailOptionsForm"),
                                                  [](TBookingInfoEmailOptionsForm& form) {
                                                      EXPECT_FALSE(form.PhoneCheckBox->Checked());
                                                      form.PhoneCheckBox->SetChecked(true);
                                                      form.OkButton->click();
                                                  });
    commands->ComposeItemClick();
    EXPECT_TRUE(composedBody.contains(QStringLiteral("Phone:   555-0100")));
    EXPECT_TRUE(commands->EmailOptions->InclPhone);

    composedBody.clear();
    runner->Answer(QStringLiteral("BookingInfoEmailOptionsForm"), mrCancel);
    commands->ComposeItemClick();
    EXPECT_TRUE(composedBody.isEmpty());
}

}  // namespace

namespace {

TEST_F(BookingMailPrintTest, PrintOptionsEditTheWindowsOptionsAndChooseTheReportPrinter) {
    // The report engine's printers are opaque here: the fake hooks tell them apart by address only.
    const auto holders = std::make_shared<std::array<int, 2>>();
    const std::shared_ptr<TppPrinter> reportPrinter(holders, reinterpret_cast<TppPrinter*>(&(*holders)[0]));
    const std::shared_ptr<TppPrinter> ownPrinter(holders, reinterpret_cast<TppPrinter*>(&(*holders)[1]));
    data::ReportPrinterHolder::SetFactory([&] { return reportPrinter; });
    const auto name = [&](TppPrinter& p) {
        return &p == reportPrinter.get() ? QStringLiteral("report") : QStringLiteral("own");
    };
    booking::ReportPrinterHooks& printers = commands->Printers;
    printers.CreatePrinter = [&] { return ownPrinter; };
    printers.GetPrinterNames = [](TppPrinter&) { return QStringList{"Default", "Screen", "Laser"}; };
    printers.GetPrinterName = [](TppPrinter&) { return QStringLiteral("Default"); };
    printers.SetPrinterName = [&](TppPrinter& p, const QString& printer) {
        calls.push_back(QStringLiteral("SetPrinterName ") + name(p) + u' ' + printer);
    };
    printers.CopyReportPrinter = [&](TppPrinter& source, TppPrinter& target) {
        calls.push_back(QStringLiteral("CopyReportPrinter ") + name(source) + QStringLiteral(" to ") + name(target));
    };
    runner->OnShown<TBookingInfoPrintOptionsForm>(QStringLiteral("BookingInfoPrintOptionsForm"),
                                                  [](TBookingInfoPrintOptionsForm& form) {
                                                      EXPECT_EQ(form.GetPrinterName(), QStringLiteral("Default"));
                                                      EXPECT_FALSE(form.Udf1CheckBox->isVisibleTo(&form));
                                                      form.PrinterComboBox->SetItemIndex(2);
                                                      form.ReminderCheckBox->SetChecked(true);
                                                      form.OkButton->click();
                                                  });
    commands->PrintOptionsItemClick();
    data::ReportPrinterHolder::SetFactory({});
    ASSERT_TRUE(commands->PrintOptions);
    EXPECT_TRUE(commands->PrintOptions->InclReminder);
    EXPECT_EQ(calls, std::vector<QString>({"CopyReportPrinter report to own", "SetPrinterName report Laser",
                                           "CopyReportPrinter own to report"}));
}

}  // namespace
