// The booking window's two arrangements of its fields over a panel of controls at their designed places.
#include "booking/BookingCustomizationLayout.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Label.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QWidget>

namespace {

using C = TBookingCustomization;

// The fields' panel as the booking window designs it: the resource row at 8, a row every 28 pixels, Client on the
// fourth row.
class BookingLayoutTest : public ::testing::Test {
protected:
    QWidget panel;
    TEdit resource{&panel}, startDate{&panel}, endDate{&panel}, client{&panel};
    TCheckBox allDay{&panel};
    TButton search{&panel};
    std::vector<std::unique_ptr<TEdit>> edits;
    std::vector<std::unique_ptr<TLabel>> labels;
    TBookingCustomization customization;
    booking::BookingLayoutControls controls;

    void SetUp() override {
        resource.SetBounds(80, 8, 150, 21);
        startDate.SetBounds(80, 36, 100, 21);
        endDate.SetBounds(80, 64, 100, 21);
        client.SetBounds(80, 92, 150, 21);
        allDay.SetBounds(240, 8, 60, 21);
        search.SetBounds(240, 92, 25, 21);
        // The labels' widths as their captions give them, in the customisation's order.
        const int labelWidths[] = {30, 34, 44, 40, 40, 62, 32, 52};
        for (int field = 0; field < C::FieldCount; ++field) {
            edits.push_back(std::make_unique<TEdit>(&panel));
            edits.back()->SetBounds(0, 0, 100, 21);
            labels.push_back(std::make_unique<TLabel>(&panel));
            labels.back()->SetBounds(0, 0, labelWidths[field], 15);
            controls.Fields.Fields[field] = {edits.back().get(), labels.back().get()};
        }
        controls.Fields.Udf1Exists = controls.Fields.Udf2Exists = true;
        controls.ClientWidth = 640;
        controls.ClientHeight = 300;
        controls.ResourceCombo = &resource;
        controls.AllDayCheckBox = &allDay;
        controls.StartDatePicker = &startDate;
        controls.EndPickers = {&endDate};
        controls.ClientEdit = &client;
        controls.ClientSearchButton = &search;
        customization.RestoreDefaults();
    }

    TEdit& Edit(C::Field field) { return *edits[field]; }
    TLabel& Label(C::Field field) { return *labels[field]; }

    // The fields the Tab key walks through after the client search button, in order.
    std::vector<C::Field> TabOrder() {
        std::vector<C::Field> order;
        for (QWidget* widget = search.Widget().nextInFocusChain(); widget != &search.Widget();
             widget = widget->nextInFocusChain())
            for (int field = 0; field < C::FieldCount; ++field)
                if (widget == &edits[field]->Widget()) order.push_back(C::Field(field));
        return order;
    }
};

TEST_F(BookingLayoutTest, LayoutOneSharesTheLeftColumnBelowClientAndFillsTheRightColumn) {
    booking::ArrangeBookingFields(1, customization, controls);
    // The left column ends 6 pixels before the middle; the resource combo leaves 12 pixels and the All Day box.
    EXPECT_EQ(allDay.Left() + allDay.Width(), 314);
    EXPECT_EQ(resource.Left() + resource.Width() + 12, allDay.Left());
    EXPECT_EQ(endDate.Left() + endDate.Width(), 314);
    EXPECT_EQ(search.Left() + search.Width(), 314);
    EXPECT_EQ(client.Left() + client.Width() + 2, search.Left());

    // Description and Notes share the height below Client equally, 3 pixels apart.
    EXPECT_EQ(Edit(C::Description).Top(), 120);
    EXPECT_EQ(Edit(C::Description).Width(), 314 - 80);
    EXPECT_EQ(Edit(C::Notes).Top(), Edit(C::Description).Top() + Edit(C::Description).Height() + 3);
    EXPECT_EQ(Edit(C::Notes).Top() + Edit(C::Notes).Height(), 300 - booking::kFieldsBottomMargin);
    EXPECT_LE(std::abs(Edit(C::Notes).Height() - Edit(C::Description).Height()), 1);

    // The right column starts after the widest of the custom, Description, Reminder and Notes labels.
    const int rightLeft = 320 + 22 + 62;
    EXPECT_EQ(Edit(C::Udf1).Left(), rightLeft);
    EXPECT_EQ(Edit(C::Udf1).Top(), 8);
    EXPECT_EQ(Edit(C::Udf1).Left() + Edit(C::Udf1).Width(), 640 - 16);
    EXPECT_EQ(Edit(C::Udf2).Top(), 36);
    EXPECT_EQ(Edit(C::Email).Top(), 64);
    EXPECT_EQ(Edit(C::Phone).Top(), 92);
    EXPECT_EQ(Edit(C::Address).Top(), 120);
    EXPECT_EQ(Edit(C::Reminder).Top() + Edit(C::Reminder).Height(), 292);
    // A label stands 10 pixels left of its edit, on its row.
    EXPECT_EQ(Label(C::Email).Left() + Label(C::Email).Width() + 10, rightLeft);
    EXPECT_EQ(Label(C::Email).Top(), 64 + 3);
    EXPECT_EQ(TabOrder(), std::vector<C::Field>({C::Description, C::Notes, C::Udf1, C::Udf2, C::Email, C::Phone,
                                                 C::Address, C::Reminder}));
}

TEST_F(BookingLayoutTest, LayoutTwoPutsTheContactFieldsLeftAndHiddenFieldsTakeNoRoom) {
    customization.Item(C::Phone).Visible = false;
    controls.Fields.Udf2Exists = false;
    booking::ArrangeBookingFields(2, customization, controls);
    EXPECT_FALSE(Edit(C::Phone).Visible());
    EXPECT_FALSE(Label(C::Udf2).Visible());
    EXPECT_EQ(Edit(C::Email).Top(), 120);
    // Address takes the rest of the left column, Phone being hidden.
    EXPECT_EQ(Edit(C::Address).Top(), 148);
    EXPECT_EQ(Edit(C::Address).Top() + Edit(C::Address).Height(), 292);
    EXPECT_EQ(Edit(C::Udf1).Top(), 8);
    EXPECT_EQ(Edit(C::Description).Top(), 36);
    EXPECT_EQ(Edit(C::Notes).Top() + Edit(C::Notes).Height(), 292);
    EXPECT_EQ(TabOrder(), std::vector<C::Field>({C::Email, C::Phone, C::Address, C::Udf1, C::Udf2, C::Description,
                                                 C::Reminder, C::Notes}));
}

TEST_F(BookingLayoutTest, HidingDescriptionAndNotesInLayoutOneEndsTheLeftColumnWithClient) {
    customization.Item(C::Description).Visible = false;
    customization.Item(C::Notes).Visible = false;
    customization.Item(C::Udf1).Visible = false;
    booking::ArrangeBookingFields(1, customization, controls);
    for (const C::Field field : {C::Description, C::Notes, C::Udf1}) {
        EXPECT_FALSE(Edit(field).Visible());
        EXPECT_FALSE(Label(field).Visible());
    }
    // No visible edit below the Client row on the left.
    for (int field = 0; field < C::FieldCount; ++field)
        if (edits[field]->Visible()) {
            EXPECT_GT(edits[field]->Left(), 320) << field;
        }
    // The right column closes up: the second custom field takes the resource row, and the widest label left is
    // Reminder's.
    EXPECT_EQ(Edit(C::Udf2).Top(), 8);
    EXPECT_EQ(Edit(C::Udf2).Left(), 320 + 22 + 52);
}

}  // namespace
