// The booking window's two layouts and its field customisation, over a real database.
#include "BookingFormFixture.h"

#include "booking/BookingCustomizationForm.h"
#include "booking/BookingCustomizationLayout.h"
#include "controls/edit/DateTimePicker.h"
#include "controls/edit/WwDBEdit.h"
#include "controls/grid/Wwdblook.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Label.h"
#include "platform/ui/Menus.h"
#include "platform/ui/ModalRunner.h"
#include "util/core/VersionHistory.h"

#include <gtest/gtest.h>
#include <QApplication>

using namespace booking_form_test;
using C = TBookingCustomization;

namespace {

class BookingFormLayoutTest : public BookingFormTest {
protected:
    ui::ScopedScriptedRunner runner;

    void SetUp() override {
        BookingFormTest::SetUp();
        CreateVersionHistory();
        other->Book(1001, 1, Jan(5, 9), Jan(5, 10));
    }

    void Click(const char* item) { form->Item(QLatin1String(item))->Click(); }

    // Hides the field through the "Customize..." dialog.
    void HideThroughDialog(C::Field field) {
        runner->OnShown<TBookingInfoViewCustomizeForm>(QStringLiteral("BookingInfoViewCustomizeForm"),
                                                       [field](TBookingInfoViewCustomizeForm& f) {
                                                           f.VisibleCheckBoxes[field]->SetChecked(false);
                                                           f.OkButton->click();
                                                       });
        Click("CustomizeItem");
    }

    int RowStep() { return form->StartDatePicker->Top() - form->ResourceNameLookupCombo->Top(); }
    int BelowClient() { return form->ClientDBEdit->Top() + RowStep(); }
    int ResourceRow() { return form->ResourceNameLookupCombo->Top(); }
    bool Shown(const TControl* control) { return control->Widget().isVisibleTo(form.get()); }
};

TEST_F(BookingFormLayoutTest, AHiddenFieldLeavesTheWindowAndTakesNoRoom) {
    OpenBooking(1001);
    // Layout 1 without custom fields: the right column starts with Email, then Phone.
    EXPECT_EQ(form->EmailDBEdit->Top(), ResourceRow());
    EXPECT_EQ(form->PhoneDBEdit->Top(), ResourceRow() + RowStep());
    EXPECT_EQ(form->DescriptionDBEdit->Top(), BelowClient());
    const int notesBottom = form->NotesDBEdit->Top() + form->NotesDBEdit->Height();

    HideThroughDialog(C::Email);
    EXPECT_FALSE(Shown(form->EmailDBEdit));
    EXPECT_FALSE(Shown(form->EmailLabel));
    EXPECT_EQ(form->PhoneDBEdit->Top(), ResourceRow());
    EXPECT_FALSE(form->Customization.Item(C::Email).Visible);

    // Description hidden: Notes takes the whole of the left column below Client.
    HideThroughDialog(C::Description);
    EXPECT_FALSE(Shown(form->DescriptionDBEdit));
    EXPECT_EQ(form->NotesDBEdit->Top(), BelowClient());
    EXPECT_EQ(form->NotesDBEdit->Top() + form->NotesDBEdit->Height(), notesBottom);

    // Cancel changes nothing.
    runner->OnShown<TBookingInfoViewCustomizeForm>(QStringLiteral("BookingInfoViewCustomizeForm"),
                                                   [](TBookingInfoViewCustomizeForm& f) {
                                                       f.VisibleCheckBoxes[C::Phone]->SetChecked(false);
                                                       f.CancelButton->click();
                                                   });
    Click("CustomizeItem");
    EXPECT_TRUE(Shown(form->PhoneDBEdit));

    // A custom field the database does not have stays hidden even when its Visible is set.
    EXPECT_TRUE(form->Customization.Item(C::Udf1).Visible);
    EXPECT_FALSE(Shown(form->udf1DBEdit));
}

TEST_F(BookingFormLayoutTest, LayoutTwoPlacesTheContactFieldsLeftAndRestoreDefaultViewUndoesEverything) {
    OpenBooking(1001);
    EXPECT_TRUE(form->Item(QStringLiteral("Layout1Item"))->Checked());
    Click("Layout2Item");
    EXPECT_EQ(form->Layout, 2);
    EXPECT_TRUE(form->Item(QStringLiteral("Layout2Item"))->Checked());
    EXPECT_FALSE(form->Item(QStringLiteral("Layout1Item"))->Checked());
    // Left column below Client: Email, Phone, then Address to the bottom; right column: Description, Reminder, Notes.
    EXPECT_EQ(form->EmailDBEdit->Left(), form->ResourceNameLookupCombo->Left());
    EXPECT_EQ(form->EmailDBEdit->Top(), BelowClient());
    EXPECT_EQ(form->PhoneDBEdit->Top(), BelowClient() + RowStep());
    EXPECT_EQ(form->AddressDBEdit->Top(), BelowClient() + 2 * RowStep());
    EXPECT_EQ(form->AddressDBEdit->Top() + form->AddressDBEdit->Height(),
              form->MidPanel->ClientHeight() - booking::kFieldsBottomMargin);
    EXPECT_EQ(form->DescriptionDBEdit->Top(), ResourceRow());
    EXPECT_GT(form->DescriptionDBEdit->Left(), form->MidPanel->ClientWidth() / 2);
    EXPECT_LT(form->DescriptionDBEdit->Top(), form->ReminderDBEdit->Top());
    EXPECT_LT(form->ReminderDBEdit->Top(), form->NotesDBEdit->Top());
    // Each label stands left of its edit.
    EXPECT_EQ(form->DescriptionLabel->Left() + form->DescriptionLabel->Width() + 10, form->DescriptionDBEdit->Left());

    // A larger window keeps the arrangement: the fields follow its size.
    form->resize(form->width() + 100, form->height() + 60);
    QApplication::processEvents();
    EXPECT_EQ(form->AddressDBEdit->Top() + form->AddressDBEdit->Height(),
              form->MidPanel->ClientHeight() - booking::kFieldsBottomMargin);
    EXPECT_EQ(form->DescriptionDBEdit->Left() + form->DescriptionDBEdit->Width(), form->MidPanel->ClientWidth() - 16);

    form->Customization.Item(C::Notes).Visible = false;
    form->Customization.Item(C::Phone).TabStop = false;
    Click("RestoreDefaultView1");
    EXPECT_EQ(form->Layout, 1);
    EXPECT_TRUE(form->Item(QStringLiteral("Layout1Item"))->Checked());
    EXPECT_TRUE(Shown(form->NotesDBEdit));
    EXPECT_TRUE(form->PhoneDBEdit->TabStop());
    EXPECT_EQ(form->DescriptionDBEdit->Top(), BelowClient());
}

TEST_F(BookingFormLayoutTest, TheLayoutAndTheCustomisationLastToTheNextWindow) {
    OpenBooking(1001);
    Click("Layout2Item");
    HideThroughDialog(C::Notes);
    form->CancelButtonClick();
    form.reset();

    OpenBooking(1001);
    EXPECT_EQ(form->Layout, 2);
    EXPECT_TRUE(form->Item(QStringLiteral("Layout2Item"))->Checked());
    EXPECT_FALSE(form->Customization.Item(C::Notes).Visible);
    EXPECT_FALSE(Shown(form->NotesDBEdit));
    EXPECT_EQ(form->EmailDBEdit->Top(), BelowClient());
}

TEST_F(BookingFormLayoutTest, WithoutStoredSettingsEveryFieldShowsInLayoutOne) {
    OpenBooking(1001);
    EXPECT_EQ(form->Layout, 1);
    for (TControl* edit : {static_cast<TControl*>(form->EmailDBEdit), static_cast<TControl*>(form->PhoneDBEdit),
                           static_cast<TControl*>(form->AddressDBEdit), static_cast<TControl*>(form->DescriptionDBEdit),
                           static_cast<TControl*>(form->NotesDBEdit), static_cast<TControl*>(form->ReminderDBEdit)}) {
        EXPECT_TRUE(Shown(edit)) << edit->Widget().objectName().toStdString();
        EXPECT_TRUE(edit->TabStop()) << edit->Widget().objectName().toStdString();
    }
    // The commands are the window's own, whatever the hooks hold.
    for (const char* item : {"Layout1Item", "Layout2Item", "CustomizeItem", "RestoreDefaultView1"})
        EXPECT_TRUE(form->Item(QLatin1String(item))->Enabled()) << item;
}

}  // namespace

namespace {

TEST_F(BookingFormLayoutTest, FiveWindowsInARowKeepTheSizeTheUserGaveTheFirst) {
    OpenBooking(1001);
    form->resize(form->width() + 40, form->height() + 30);
    const QSize given = form->size();
    form->CancelButtonClick();
    form.reset();
    for (int start = 1; start <= 5; ++start) {
        SCOPED_TRACE(start);
        OpenBooking(1001);
        // The menu bar settles its height while the window runs.
        QApplication::processEvents();
        EXPECT_EQ(form->size(), given);
        form->CancelButtonClick();
        form.reset();
    }
}

}  // namespace
