// Saved window placements: the stored values, their defaults, and the work-area fit.
#include "util/DvFormPlacement.h"

#include "util/core/DvRegistry.h"
#include "util/core/VersionHistory.h"

#include <gtest/gtest.h>

using util::StoredWindowState;
using util::WindowPlacement;

namespace {

const QString kWindowKey = QStringLiteral("\\Forms\\GB\\Window");

QStringList StoredNames() {
    TDvRegistry reg;
    if (!reg.OpenKeyReadOnly(QStringLiteral("\\Software\\Dulvex\\Tavorin\\7.0\\Forms\\GB\\Window"))) return {};
    QStringList names;
    reg.GetValueNames(names);
    return names;
}

}  // namespace

TEST(DvFormPlacement, ANormalWindowStoresItsBoundsAndAMaximizedOneOnlyItsState) {
    CreateVersionHistory();
    EXPECT_FALSE(util::ReadWindowPlacement(kWindowKey, 768));

    util::WriteWindowPlacement(kWindowKey, {StoredWindowState::Normal, QRect(10, 20, 300, 200)});
    EXPECT_EQ(StoredNames(), (QStringList{"WindowState", "Top", "Left", "Height", "Width"}));
    util::WriteWindowPlacement(kWindowKey, {StoredWindowState::Maximized, QRect(0, 0, 1024, 740)});

    // It reopens maximized over the bounds it had when last normal.
    const auto read = util::ReadWindowPlacement(kWindowKey, 768);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->state, StoredWindowState::Maximized);
    EXPECT_EQ(read->bounds, QRect(10, 20, 300, 200));
}

TEST(DvFormPlacement, MissingBoundsTakeTheScreenHeightDefaultsAndAnUnknownStateNothing) {
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\Software\\Dulvex\\Tavorin\\7.0\\Forms\\GB\\Window"), true));
        reg.WriteInteger(QStringLiteral("WindowState"), 3);
    }
    CreateVersionHistory();
    EXPECT_EQ(util::ReadWindowPlacement(kWindowKey, 600)->bounds, QRect(100, 60, 600, 480));
    EXPECT_EQ(util::ReadWindowPlacement(kWindowKey, 601)->bounds, QRect(150, 100, 724, 568));
    EXPECT_EQ(util::ReadWindowPlacement(kWindowKey, 601)->state, StoredWindowState::Minimized);
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\Software\\Dulvex\\Tavorin\\7.0\\Forms\\GB\\Window"), true));
        reg.WriteInteger(QStringLiteral("WindowState"), 4);
    }
    EXPECT_FALSE(util::ReadWindowPlacement(kWindowKey, 768));
}

TEST(DvFormPlacement, WindowsAreMovedIntoTheWorkArea) {
    const QRect area(0, 30, 1000, 700);  // bottom edge 730, right edge 1000
    struct Case {
        QRect window, expected;
    } cases[] = {
        {QRect(100, 100, 400, 300), QRect(100, 100, 400, 300)},  // inside: unchanged
        {QRect(-50, 0, 400, 300), QRect(0, 30, 400, 300)},       // above and left of the area
        {QRect(800, 600, 400, 300), QRect(600, 430, 400, 300)},  // past the bottom right: moved back
        {QRect(100, 100, 1200, 900), QRect(0, 30, 1000, 700)},   // larger than the area: takes it
        {QRect(100, 100, 1000, 700), QRect(0, 30, 1000, 700)},   // exactly as large: moved to its corner
    };
    for (const Case& c : cases) EXPECT_EQ(util::FitRectToWorkArea(c.window, area), c.expected) << c.window.x();
}
