// TDvFormPosition on a window: saved on close, restored when shown again, kept inside the work area.
#include "util/DvFormUtils.h"

#include "platform/ui/Application.h"
#include "util/core/VersionHistory.h"

#include <gtest/gtest.h>

namespace {

const QString kKey = QStringLiteral("\\Forms\\GB\\Window");

// A window that saves its position when it closes and restores it when made.
struct KeptWindow {
    KeptWindow() {
        position->LoadPosition(kKey);
        form.OnClose = [this](QObject*, TCloseAction&) { position->SavePosition(kKey); };
    }
    TForm form;
    TDvFormPosition* position = new TDvFormPosition(&form);
};

}  // namespace

TEST(DvFormPosition, APositionSavedOnCloseIsRestoredInsideTheWorkArea) {
    CreateVersionHistory();
    const TRect area = Screen->WorkAreaRect();
    {
        KeptWindow first;
        // Nothing stored: the defaults for this screen height.
        const bool high = Screen->Height() > 600;
        EXPECT_EQ(first.form.WindowState(), high ? wsNormal : wsMaximized);
        first.form.SetWindowState(wsNormal);
        first.form.SetBounds(area.Left + 20, area.Top + 30, 200, 150);
        first.form.Close();
    }
    {
        KeptWindow second;
        EXPECT_EQ(second.form.WindowState(), wsNormal);
        EXPECT_EQ(second.form.BoundsRect(), Bounds(area.Left + 20, area.Top + 30, 200, 150));
        // Moved partly off the screen before closing: it comes back inside.
        second.form.SetBounds(area.Right - 50, area.Top - 40, 200, 150);
        second.form.Close();
    }
    KeptWindow third;
    EXPECT_EQ(third.form.BoundsRect(), Bounds(area.Right - 200, area.Top, 200, 150));
}

TEST(DvFormPosition, AMaximizedWindowReopensMaximized) {
    CreateVersionHistory();
    {
        KeptWindow first;
        first.form.SetWindowState(wsNormal);
        first.form.SetBounds(10, 10, 300, 200);
        first.position->SavePosition(kKey);
        first.form.SetWindowState(wsMaximized);
        first.position->SavePosition(kKey);
    }
    KeptWindow second;
    EXPECT_EQ(second.form.WindowState(), wsMaximized);
}
