// The scroll bar and the up-down as described windows place them: the steps they report, the position the
// scroll bar's handler sets, and the up-down's range.
#include "platform/ui/Form.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/ScrollBar.h"
#include "platform/ui/UpDown.h"

#include <gtest/gtest.h>
#include <QTest>
#include <QToolButton>

namespace {

struct StepControlsTest : ::testing::Test {
    TForm form;
    TScrollBar* bar = nullptr;
    TUpDown* upDown = nullptr;

    void SetUp() override {
        ui::DescribeForm(form, {"StepForm", "Steps", bsDialog, poScreenCenter, 300, 100},
                         {{"Bar", "TScrollBar", "", 0, 83, 300, 17, "", "Align=alBottom; Position=50"},
                          {"UpDown", "TUpDown", "", 8, 8, 34, 21, "", "Orientation=udHorizontal"}});
        bar = form.Find<TScrollBar>("Bar");
        upDown = form.Find<TUpDown>("UpDown");
        form.Show();
    }
};

TEST_F(StepControlsTest, TheScrollBarReportsEachStepAndTakesTheHandlersPosition) {
    EXPECT_EQ(bar->Kind(), sbHorizontal);
    std::vector<TScrollCode> codes;
    bar->OnScroll = [&](QObject*, TScrollCode code, int& position) {
        codes.push_back(code);
        if (code == scPageUp) position = 50;
    };
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(bar->Position(), 51);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(bar->Position(), 50);
    bar->Scroll(scBottom);
    EXPECT_EQ(bar->Position(), 100);
    EXPECT_EQ(codes, (std::vector<TScrollCode>{scLineDown, scPageUp, scBottom}));
}

TEST_F(StepControlsTest, TheUpDownsButtonsStepWithinItsRange) {
    upDown->SetMax(2);
    std::vector<int> positions;
    upDown->OnClick = [&](QObject*, TUDBtnType) { positions.push_back(upDown->Position()); };
    const QList<QToolButton*> buttons = upDown->findChildren<QToolButton*>();
    ASSERT_EQ(buttons.size(), 2);
    // Horizontal: the previous button on the left.
    QToolButton* next = buttons[0]->x() > buttons[1]->x() ? buttons[0] : buttons[1];
    QToolButton* prev = next == buttons[0] ? buttons[1] : buttons[0];
    for (int i = 0; i < 3; ++i) QTest::mouseClick(next, Qt::LeftButton);
    QTest::mouseClick(prev, Qt::LeftButton);
    EXPECT_EQ(positions, (std::vector<int>{1, 2, 2, 1}));
    // A smaller range takes the position in.
    upDown->SetMax(0);
    EXPECT_EQ(upDown->Position(), 0);
}

}  // namespace
