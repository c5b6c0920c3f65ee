// The customisation and the e-mail and print options: defaults, their registry values, their dialogs and how a
// customisation shows and hides the booking window's fields.
#include "booking/BookingCustomization.h"
#include "booking/BookingCustomizationForm.h"
#include "booking/BookingOptions.h"
#include "booking/BookingOptionsForms.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Label.h"
#include "platform/ui/Lists.h"
#include "platform/ui/ModalRunner.h"
#include "support/TestEnvironment.h"
#include "support/TextFit.h"
#include "util/core/DvRegistry.h"
#include "util/core/VersionHistory.h"

#include <gtest/gtest.h>
#include <QWidget>

namespace {

const QString kCurrentKey = QStringLiteral("\\Software\\Dulvex\\Tavorin\\7.0");

class BookingOptionsTest : public ::testing::Test {
protected:
    ui::ScopedScriptedRunner runner;

    void SetUp() override { CreateVersionHistory(); }

    // The stored Boolean values of a key, as "name=0/1" in creation order.
    static QStringList Values(const QString& key) {
        TRegistry reg(KEY_READ);
        QStringList names, values;
        if (!reg.OpenKeyReadOnly(key)) return values;
        reg.GetValueNames(names);
        for (const QString& name : names) values << name + u'=' + QString::number(reg.ReadBool(name));
        return values;
    }
};

TEST_F(BookingOptionsTest, WithoutStoredValuesEveryOptionHasItsDefault) {
    TBookingCustomization customization;
    customization.LoadFromRegistry(kCurrentKey + QStringLiteral("\\BookingLayout1"));
    for (int field = 0; field < TBookingCustomization::FieldCount; ++field) {
        EXPECT_TRUE(customization.Item(TBookingCustomization::Field(field)).Visible);
        EXPECT_TRUE(customization.Item(TBookingCustomization::Field(field)).TabStop);
    }
    TEmailBookingOptions email;
    EXPECT_FALSE(email.ShowBeforeSending);
    email.Load();
    EXPECT_TRUE(email.ShowBeforeSending && email.InclEmail && email.InclPhone && email.InclAddress &&
                email.InclDescription);
    EXPECT_FALSE(email.InclNotes || email.InclReminder || email.InclResourceNotes || email.InclResourceFeatures ||
                 email.InclUDF1 || email.InclUDF2);
    const TPrintBookingOptions print;
    EXPECT_TRUE(print.NewPage && print.KeepTogether && print.InclEmail && print.InclPhone && print.InclAddress &&
                print.InclDescription && print.InclUDF1 && print.InclUDF2);
    EXPECT_FALSE(print.InclNotes || print.InclReminder || print.InclResourceNotes || print.InclResourceFeatures);
}

TEST_F(BookingOptionsTest, OptionsAreWrittenToTheCurrentKeyAndReadBack) {
    TBookingCustomization customization;
    customization.RestoreDefaults();
    customization.Item(TBookingCustomization::Phone).Visible = false;
    customization.Item(TBookingCustomization::Udf2).TabStop = false;
    const QString layoutKey = kCurrentKey + QStringLiteral("\\BookingLayout1");
    customization.SaveToRegistry(layoutKey);
    EXPECT_EQ(Values(layoutKey).mid(0, 4),
              QStringList({"Emailtabstop=1", "Emailvisible=1", "Phonetabstop=1", "Phonevisible=0"}));
    EXPECT_EQ(Values(layoutKey).size(), 16);
    TBookingCustomization read;
    read.LoadFromRegistry(layoutKey);
    EXPECT_FALSE(read.Item(TBookingCustomization::Phone).Visible);
    EXPECT_FALSE(read.Item(TBookingCustomization::Udf2).TabStop);
    EXPECT_TRUE(read.Item(TBookingCustomization::Udf2).Visible);

    TEmailBookingOptions email;
    email.InclNotes = true;
    email.Save();
    EXPECT_EQ(Values(kCurrentKey + QStringLiteral("\\Mail")).size(), 11);
    TEmailBookingOptions emailRead;
    emailRead.Load();
    EXPECT_TRUE(emailRead.InclNotes);
    EXPECT_FALSE(emailRead.ShowBeforeSending);

    TPrintBookingOptions print;
    print.NewPage = false;
    print.InclEmail = false;
    print.Save();
    EXPECT_EQ(Values(kCurrentKey + QStringLiteral("\\Reports\\BR")).first(), QStringLiteral("NewPage=0"));
    const TPrintBookingOptions printRead;
    EXPECT_FALSE(printRead.NewPage);
    EXPECT_FALSE(printRead.InclEmail);
    EXPECT_TRUE(printRead.KeepTogether);
}

TEST_F(BookingOptionsTest, OptionsOfAnEarlierVersionAreRead) {
    {
        TDvRegistry reg;
        ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\Software\\Dulvex\\Ranvel\\6.0\\Mail"), true));
        reg.WriteBool(QStringLiteral("InclReminder"), true);
    }
    CreateVersionHistory();
    TEmailBookingOptions email;
    email.Load();
    EXPECT_TRUE(email.InclReminder);
    EXPECT_TRUE(email.InclEmail);
}

// A window with the customisable fields of the booking window, in the customisation's order.
struct FieldWindow {
    QWidget window;
    std::vector<std::unique_ptr<TEdit>> edits;
    std::vector<std::unique_ptr<TLabel>> labels;
    booking::BookingFieldControls controls;

    FieldWindow() {
        for (int field = 0; field < TBookingCustomization::FieldCount; ++field) {
            edits.push_back(std::make_unique<TEdit>(&window));
            labels.push_back(std::make_unique<TLabel>(&window));
            controls.Fields[field] = {edits.back().get(), labels.back().get()};
        }
        window.show();
    }
    bool Shown(TBookingCustomization::Field field) const { return edits[field]->Visible() && labels[field]->Visible(); }
};

TEST_F(BookingOptionsTest, ApplyingACustomisationShowsFieldsAndSetsTabStops) {
    FieldWindow window;
    TBookingCustomization customization;
    customization.RestoreDefaults();
    customization.Item(TBookingCustomization::Description).Visible = false;
    customization.Item(TBookingCustomization::Notes).TabStop = false;
    window.controls.Udf1Exists = true;
    booking::ApplyFieldCustomization(customization, window.controls);
    EXPECT_FALSE(window.edits[TBookingCustomization::Description]->Visible());
    EXPECT_FALSE(window.labels[TBookingCustomization::Description]->Visible());
    EXPECT_TRUE(window.Shown(TBookingCustomization::Notes));
    EXPECT_FALSE(window.edits[TBookingCustomization::Notes]->TabStop());
    EXPECT_TRUE(window.edits[TBookingCustomization::Email]->TabStop());
    EXPECT_TRUE(window.Shown(TBookingCustomization::Udf1));
    // A database without the second custom field keeps it hidden whatever its Visible says.
    EXPECT_FALSE(window.edits[TBookingCustomization::Udf2]->Visible());
    EXPECT_FALSE(window.labels[TBookingCustomization::Udf2]->Visible());
}

TEST_F(BookingOptionsTest, TheCustomizeDialogEditsOnOkOnly) {
    TBookingCustomization customization;
    customization.RestoreDefaults();
    TBookingInfoViewCustomizeForm form(nullptr);
    form.Customization = &customization;
    runner->OnShown<TBookingInfoViewCustomizeForm>(
        QStringLiteral("BookingInfoViewCustomizeForm"), [](TBookingInfoViewCustomizeForm& f) {
            EXPECT_TRUE(f.VisibleCheckBoxes[TBookingCustomization::Notes]->Checked());
            f.VisibleCheckBoxes[TBookingCustomization::Notes]->SetChecked(false);
            f.CancelButton->click();
        });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_TRUE(customization.Item(TBookingCustomization::Notes).Visible);
    runner->OnShown<TBookingInfoViewCustomizeForm>(
        QStringLiteral("BookingInfoViewCustomizeForm"), [](TBookingInfoViewCustomizeForm& f) {
            f.VisibleCheckBoxes[TBookingCustomization::Notes]->SetChecked(false);
            f.TabStopCheckBoxes[TBookingCustomization::Udf1]->SetChecked(false);
            f.OkButton->click();
        });
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_FALSE(customization.Item(TBookingCustomization::Notes).Visible);
    EXPECT_FALSE(customization.Item(TBookingCustomization::Udf1).TabStop);
    EXPECT_TRUE(customization.Item(TBookingCustomization::Udf1).Visible);
}

TEST_F(BookingOptionsTest, ThePageOptionsExcludeEachOtherAndOkCopiesTheBoxes) {
    TPrintBookingOptions options;
    TBookingInfoPrintOptionsForm form(nullptr);
    form.PrintOptions = &options;
    form.SetUdf1Caption(QStringLiteral("Room"));
    form.SetUdf2Caption(QString());
    runner->OnShown<TBookingInfoPrintOptionsForm>(QStringLiteral("BookingInfoPrintOptionsForm"),
                                                  [](TBookingInfoPrintOptionsForm& f) {
                                                      // Stored options show as they are.
                                                      EXPECT_TRUE(f.NewPageCheckBox->Checked());
                                                      EXPECT_TRUE(f.KeepTogetherCheckBox->Checked());
                                                      EXPECT_EQ(f.Udf1CheckBox->Caption(), QStringLiteral("Room"));
                                                      EXPECT_TRUE(f.Udf1CheckBox->isVisibleTo(&f));
                                                      EXPECT_FALSE(f.Udf2CheckBox->isVisibleTo(&f));
                                                      f.KeepTogetherCheckBox->SetChecked(false);
                                                      f.KeepTogetherCheckBox->SetChecked(true);
                                                      EXPECT_FALSE(f.NewPageCheckBox->Checked());
                                                      f.NewPageCheckBox->SetChecked(true);
                                                      EXPECT_FALSE(f.KeepTogetherCheckBox->Checked());
                                                      f.NotesCheckBox->SetChecked(true);
                                                      f.EmailCheckBox->SetChecked(false);
                                                      f.OkButton->click();
                                                  });
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_TRUE(options.NewPage);
    EXPECT_FALSE(options.KeepTogether);
    EXPECT_TRUE(options.InclNotes);
    // The Email box is bound to nothing.
    EXPECT_TRUE(options.InclEmail);
}

TEST_F(BookingOptionsTest, ThePrinterChoiceGoesThroughTheReportPrinter) {
    TBookingInfoPrintOptionsForm withoutEngine(nullptr);
    EXPECT_FALSE(withoutEngine.PrinterComboBox->Enabled());
    EXPECT_FALSE(withoutEngine.SetupButton->Enabled());
    EXPECT_EQ(withoutEngine.Printer(), nullptr);

    // The report engine's printer is opaque here: the fake hooks only pass it on, never look inside.
    const auto holder = std::make_shared<int>(0);
    const std::shared_ptr<TppPrinter> printer(holder, reinterpret_cast<TppPrinter*>(holder.get()));
    std::vector<QString> calls;
    booking::ReportPrinterHooks printers;
    printers.CreatePrinter = [&] { return printer; };
    printers.SetPrinterName = [&](TppPrinter& p, const QString& name) {
        EXPECT_EQ(&p, printer.get());
        calls.push_back(QStringLiteral("SetPrinterName ") + name);
    };
    printers.GetPrinterName = [](TppPrinter&) { return QStringLiteral("Laser"); };
    printers.PrintSetupDialog = [&](TppPrinter&) {
        calls.push_back(QStringLiteral("PrintSetupDialog"));
        return true;
    };
    TBookingInfoPrintOptionsForm form(nullptr, printers);
    EXPECT_EQ(form.Printer(), printer.get());
    form.SetPrinterNames({QStringLiteral("Default"), QStringLiteral("Screen"), QStringLiteral("Laser")});
    calls.clear();
    form.PrinterComboBox->SetItemIndex(1);
    Q_EMIT form.PrinterComboBox->activated(1);
    EXPECT_EQ(form.GetPrinterName(), QStringLiteral("Screen"));
    form.SetupButton->click();
    EXPECT_EQ(form.GetPrinterName(), QStringLiteral("Laser"));
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls.front(), QStringLiteral("SetPrinterName Screen"));
    EXPECT_EQ(calls.at(1), QStringLiteral("PrintSetupDialog"));
}

TEST_F(BookingOptionsTest, TheDialogsShowEveryTextWhole) {
    testing_env::AtEachTestFont([] {
        TBookingInfoViewCustomizeForm customize(nullptr);
        customize.show();
        testing_env::ExpectTextsWhole(customize);
        TBookingInfoEmailOptionsForm email(nullptr);
        email.SetUdf1Caption(QStringLiteral("Department code"));
        email.SetUdf2Caption(QStringLiteral("Cost centre"));
        email.show();
        testing_env::ExpectTextsWhole(email);
        TBookingInfoPrintOptionsForm print(nullptr);
        print.SetUdf1Caption(QStringLiteral("Department code"));
        print.SetUdf2Caption(QStringLiteral("Cost centre"));
        print.show();
        testing_env::ExpectTextsWhole(print);
    });
}

}  // namespace
