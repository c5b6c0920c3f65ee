// The recent-file list: order, letter case, the maximum, and its "History" values.
#include "util/DvMru.h"

#include "platform/ui/Menus.h"
#include "util/core/DvRegistry.h"
#include "util/core/VersionHistory.h"

#include <gtest/gtest.h>

namespace {

const QString kHistory = QStringLiteral("\\Software\\Dulvex\\Tavorin\\7.0\\History");

// The values of a key, as "name=text" lines in their stored order.
QStringList ValuesOf(const QString& key) {
    TDvRegistry reg;
    if (!reg.OpenKeyReadOnly(key)) return {QStringLiteral("<no key>")};
    QStringList names, lines;
    reg.GetValueNames(names);
    for (const QString& name : names) lines << name + u'=' + reg.ReadString(name);
    return lines;
}

// A "Reopen..." item with the list attached.
struct ReopenMenu {
    ReopenMenu() { mru.SetMenuItem(&reopen); }
    // The sub-items' captions, a disabled one marked with "-".
    QStringList Shown() const {
        QStringList captions;
        for (int i = 0; i < reopen.Count(); ++i)
            captions << reopen.Items(i)->Caption() + (reopen.Items(i)->Enabled() ? "" : "-");
        return captions;
    }
    TMenuItem reopen{nullptr};
    TDvMru mru{nullptr};
};

}  // namespace

TEST(DvMru, NewestFirstAndARepeatedNameInAnotherCaseMovesUp) {
    ReopenMenu menu;
    TDvMru& mru = menu.mru;
    EXPECT_EQ(menu.Shown(), QStringList{QStringLiteral("(Empty)-")});
    mru.AddFile(QStringLiteral("a"));
    mru.AddFile(QStringLiteral("b"));
    mru.AddFile(QStringLiteral(" A "));
    EXPECT_EQ(menu.Shown(), (QStringList{QStringLiteral("&1 A"), QStringLiteral("&2 b")}));
    EXPECT_EQ(mru.GetFileName(1), QStringLiteral("b"));

    CreateVersionHistory();
    mru.SaveToRegistry(QStringLiteral("History"), QStringLiteral("DB_"));
    EXPECT_EQ(ValuesOf(kHistory), (QStringList{QStringLiteral("DB_0=A"), QStringLiteral("DB_1=b")}));

    ReopenMenu loadedMenu;
    TDvMru& loaded = loadedMenu.mru;
    loaded.LoadFromRegistry(QStringLiteral("History"), QStringLiteral("DB_"));
    EXPECT_EQ(loadedMenu.Shown(), menu.Shown());
}

TEST(DvMru, TheMaximumDropsTheOldestEntries) {
    ReopenMenu menu;
    TDvMru& mru = menu.mru;
    for (const char* name : {"1", "2", "3", "4", "5", "6"}) mru.AddFile(QString::fromLatin1(name));
    EXPECT_EQ(mru.Count(), 5);
    EXPECT_EQ(mru.GetFileName(0), QStringLiteral("6"));
    EXPECT_EQ(mru.GetFileName(4), QStringLiteral("2"));
    mru.SetMaxItems(-1);
    EXPECT_EQ(mru.MaxItems(), 5);
    mru.SetMaxItems(2);
    EXPECT_EQ(mru.Captions(), (QStringList{QStringLiteral("&1 6"), QStringLiteral("&2 5")}));
    mru.SetMaxItems(0);
    mru.AddFile(QStringLiteral("7"));
    EXPECT_TRUE(mru.IsEmpty());
}

TEST(DvMru, RemovingTheLastEntryShowsEmpty) {
    ReopenMenu menu;
    TDvMru& mru = menu.mru;
    mru.AddFile(QStringLiteral("/data/Rooms.tvd"));
    mru.AddFile(QStringLiteral("/data/Cars.tvd"));
    mru.RemoveFile(QStringLiteral(" /DATA/rooms.TVD"));
    EXPECT_EQ(mru.Captions(), QStringList{QStringLiteral("&1 /data/Cars.tvd")});
    mru.RemoveFile(QStringLiteral("/data/Other.tvd"));
    mru.RemoveFile(QStringLiteral("/data/Cars.tvd"));
    EXPECT_EQ(mru.Captions(), QStringList{QStringLiteral("(Empty)")});
}

TEST(DvMru, LoadingTakesPrefixedNonEmptyValuesInTheirOrderUpToTheMaximum) {
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\Software\\Dulvex\\Ranvel\\6.0\\History"), true));
        for (int i = 0; i < 7; ++i) reg.WriteString(QStringLiteral("DB_%1").arg(i), QStringLiteral("f%1").arg(i));
        reg.WriteString(QStringLiteral("db_empty"), QString());
        reg.WriteString(QStringLiteral("Other"), QStringLiteral("not a file"));
    }
    CreateVersionHistory();
    ReopenMenu menu;
    TDvMru& mru = menu.mru;
    mru.AddFile(QStringLiteral("replaced"));
    mru.LoadFromRegistry(QStringLiteral("History"), QStringLiteral("DB_"));
    EXPECT_EQ(mru.Captions(), (QStringList{"&1 f0", "&2 f1", "&3 f2", "&4 f3", "&5 f4"}));
}

TEST(DvMru, SavingReplacesThePrefixedValuesAndAnEmptyListWritesNone) {
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(kHistory, true));
        for (int i = 0; i < 4; ++i) reg.WriteString(QStringLiteral("DB_%1").arg(i), QStringLiteral("old"));
        reg.WriteString(QStringLiteral("Keep"), QStringLiteral("k"));
    }
    CreateVersionHistory();
    ReopenMenu menu;
    TDvMru& mru = menu.mru;
    mru.AddFile(QStringLiteral("new"));
    mru.SaveToRegistry(QStringLiteral("History"), QStringLiteral("db_"));
    EXPECT_EQ(ValuesOf(kHistory), (QStringList{QStringLiteral("Keep=k"), QStringLiteral("db_0=new")}));
    mru.Clear();
    mru.SaveToRegistry(QStringLiteral("History"), QStringLiteral("DB_"));
    EXPECT_EQ(ValuesOf(kHistory), QStringList{QStringLiteral("Keep=k")});
}

TEST(DvMru, ClickingAnEntryReportsItsItemAndNothingHappensWithoutAMenu) {
    ReopenMenu menu;
    QObject* clicked = nullptr;
    menu.mru.OnClick = [&](QObject* sender) { clicked = sender; };
    menu.reopen.Items(0)->Click();  // the disabled placeholder
    EXPECT_EQ(clicked, nullptr);
    menu.mru.AddFile(QStringLiteral("/data/Rooms.tvd"));
    menu.mru.AddFile(QStringLiteral("/data/Cars.tvd"));
    menu.reopen.Items(1)->Click();
    EXPECT_EQ(clicked, menu.reopen.Items(1));

    TDvMru detached(nullptr);
    detached.AddFile(QStringLiteral("/data/Rooms.tvd"));
    EXPECT_EQ(detached.Count(), 0);
    CreateVersionHistory();
    detached.SaveToRegistry(QStringLiteral("History"), QStringLiteral("DB_"));
    EXPECT_EQ(ValuesOf(kHistory), QStringList{QStringLiteral("<no key>")});
}
