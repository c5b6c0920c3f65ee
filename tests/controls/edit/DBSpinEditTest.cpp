// The spin edit on a real database: steps within the limits, empty texts, integer fields, date parts,
// typed characters and the auto-repeat of a held button on the fake clock.
#include "BoundEditFixture.h"
#include "controls/edit/WwDBSpinEdit.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/DateUtils.h"
#include "platform/ui/TimerService.h"

#include <gtest/gtest.h>

namespace {

using controls_test::BoundEditTest;

class DBSpinEdit : public BoundEditTest {
protected:
    TwwDBSpinEdit* spin = new TwwDBSpinEdit(&form);

    DBSpinEdit() { spin->SetBounds(10, 10, 80, 21); }

    void BindPercent() {
        spin->Increment = 25;
        spin->MaxValue = 100;
        spin->SetDataSource(&source);
        spin->SetDataField(QStringLiteral("PercentCompleted"));
        spin->Loaded();
        ShowForm();
    }
};

TEST_F(DBSpinEdit, StepsByTheIncrementAndStopsAtTheMaximum) {
    BindPercent();
    EXPECT_EQ(spin->Text(), QStringLiteral("90"));
    spin->UpClick();
    EXPECT_EQ(spin->Text(), QStringLiteral("100"));
    spin->UpClick();
    EXPECT_EQ(spin->Text(), QStringLiteral("100"));
    Key(spin, Qt::Key_Down);
    EXPECT_EQ(spin->Value(), 75);
    other->SetFocus();
    QApplication::processEvents();
    query.Post();
    EXPECT_EQ(Stored(QStringLiteral("PercentCompleted")).toInt(), 75);
}

TEST_F(DBSpinEdit, APressOnTheSpinButtonLeavesTheFocusInTheEdit) {
    BindPercent();
    spin->SetFocus();
    QApplication::processEvents();
    ASSERT_TRUE(spin->hasFocus());
    QWidget* pair = spin->SpinButton();
    QTest::mousePress(pair, Qt::LeftButton, {}, QPoint(1, 1));
    QTest::mouseRelease(pair, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_TRUE(spin->hasFocus());
    EXPECT_EQ(pair->focusPolicy(), Qt::NoFocus);
}

TEST_F(DBSpinEdit, AnEmptyTextReadsAsTheMinimumAndAFractionOnAnIntegerFieldIsCut) {
    BindPercent();
    spin->SetFocus();
    spin->SelectAll();
    Key(spin, Qt::Key_Delete);
    EXPECT_EQ(spin->Text(), QString());
    EXPECT_EQ(spin->Value(), 0);
    Key(spin, Qt::Key_Up);
    EXPECT_EQ(spin->Text(), QStringLiteral("25"));
    spin->SetValue(24.9);
    EXPECT_EQ(spin->Text(), QStringLiteral("24"));
    // Without limits nothing is held back.
    spin->MaxValue = 0;
    spin->SetValue(1000);
    EXPECT_EQ(spin->Text(), QStringLiteral("1000"));
}

TEST_F(DBSpinEdit, LeavingPutsAValueBackInsideTheLimits) {
    BindPercent();
    spin->SetFocus();
    spin->SelectAll();
    Type(spin, QStringLiteral("140"));
    other->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(query.FieldByName(QStringLiteral("PercentCompleted")).AsInteger(), 100);
}

TEST_F(DBSpinEdit, NumbersTakeOnlyNumberCharactersAndDatesAnything) {
    BindPercent();
    spin->SetFocus();
    Key(spin, Qt::Key_End);
    Type(spin, QStringLiteral("a"));
    EXPECT_EQ(spin->Text(), QStringLiteral("90"));

    TwwDBSpinEdit date(&form);
    date.UnboundDataType = wwEdtDate;
    date.Loaded();
    EXPECT_EQ(date.Text(), QString());  // the starting "0" is no date
    date.show();
    date.SetFocus();
    Type(&date, QStringLiteral("x"));
    EXPECT_EQ(date.Text(), QStringLiteral("x"));
}

TEST_F(DBSpinEdit, DatePartsStepUnderTheCaretWithinTheirMonth) {
    TwwDBSpinEdit date(&form);
    date.UnboundDataType = wwEdtDate;
    date.Loaded();
    ShowForm();
    date.show();
    date.SetFocus();
    struct Case {
        TDateTime start;
        int caret;  // in "M/d/yyyy"
        bool up;
        TDateTime expected;
    };
    const Case cases[] = {
        {EncodeDate(2026, 1, 31), 0, true, EncodeDate(2026, 2, 28)},     // month: the day comes down
        {EncodeDate(2028, 1, 31), 0, true, EncodeDate(2028, 2, 29)},     // leap year
        {EncodeDate(2026, 3, 1), 2, false, EncodeDate(2026, 3, 31)},     // day 1 down: the last day
        {EncodeDate(2026, 12, 31), 3, true, EncodeDate(2026, 12, 1)},    // day wraps inside the month
        {EncodeDate(2026, 12, 15), 0, true, EncodeDate(2026, 1, 15)},    // month wraps, year stays
        {EncodeDate(2026, 12, 15), 7, false, EncodeDate(2025, 12, 15)},  // year
    };
    for (const Case& c : cases) {
        date.SetValue(c.start);
        date.setCursorPosition(c.caret);
        if (c.up) date.UpClick();
        else date.DownClick();
        EXPECT_EQ(date.Value(), c.expected) << DateToStr(c.start).toStdString() << " caret " << c.caret;
    }
}

TEST_F(DBSpinEdit, HourAndAmPmStepTheTimeOnly) {
    TwwDBSpinEdit time(&form);
    time.UnboundDataType = wwEdtTime;
    time.Loaded();
    ShowForm();
    time.show();
    time.SetFocus();
    time.SetValue(EncodeTime(23, 15, 0, 0));
    time.setCursorPosition(0);
    time.UpClick();
    EXPECT_NEAR(time.Value(), EncodeTime(0, 15, 0, 0), 1e-9);
    time.SetValue(EncodeTime(9, 30, 0, 0));
    time.setCursorPosition(time.Text().length());
    time.UpClick();
    EXPECT_NEAR(time.Value(), EncodeTime(21, 30, 0, 0), 1e-9);
}

TEST_F(DBSpinEdit, AHeldButtonStepsAfterFourHundredThenEveryHundredAndOnRelease) {
    ui::ScopedFakeTimers timers;
    spin->Increment = 1;
    spin->Loaded();
    ShowForm();
    TwwTimerSpeedButton* up = spin->SpinButton()->UpButton();
    const QPoint inside = up->rect().center();
    QTest::mousePress(up, Qt::LeftButton, {}, inside);
    EXPECT_EQ(spin->Value(), 0);
    timers.Advance(399);
    EXPECT_EQ(spin->Value(), 0);
    timers.Advance(1);
    EXPECT_EQ(spin->Value(), 1);
    timers.Advance(100);
    EXPECT_EQ(spin->Value(), 2);
    timers.Advance(250);
    EXPECT_EQ(spin->Value(), 4);
    QTest::mouseRelease(up, Qt::LeftButton, {}, inside);
    EXPECT_EQ(spin->Value(), 5);
    timers.Advance(1000);
    EXPECT_EQ(spin->Value(), 5);

    // A short click steps once, on release.
    QTest::mouseClick(spin->SpinButton()->DownButton(), Qt::LeftButton);
    EXPECT_EQ(spin->Value(), 4);
}

}  // namespace
