// The help router: the command mapping as a table, topics, popups, the handler chain and one router only.
#include "util/HelpRouter.h"

#include "platform/rtl/Exceptions.h"
#include "platform/ui/Application.h"

#include <gtest/gtest.h>

namespace {

// Records every request as one line and answers with `answer`.
class RecordingViewer : public util::HelpViewer {
public:
    bool HtmlHelpAvailable() override { return available; }
    bool HtmlHelp(int command, const QString& file, const THelpData& data) override {
        QString line = QStringLiteral("HH %1 %2").arg(command).arg(file);
        if (data.Number) line += QStringLiteral(" #%1").arg(data.Number);
        if (!data.Text.isEmpty()) line += u' ' + data.Text;
        if (data.Popup)
            line += QStringLiteral(" popup(%1,%2 id %3 '%4')")
                        .arg(data.Popup->pt.X)
                        .arg(data.Popup->pt.Y)
                        .arg(data.Popup->idString)
                        .arg(data.Popup->pszText);
        calls << line;
        return answer;
    }
    bool WinHelp(const QString& file, int command, const THelpData& data) override {
        calls << QStringLiteral("WH %1 %2 %3").arg(file).arg(command).arg(data.Text);
        return answer;
    }
    bool available = true;
    bool answer = true;
    QStringList calls;
};

class HelpRouting : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = util::SetHelpViewer(viewer_);
        Application->SetHelpFile(QStringLiteral("/opt/tavorin/tavorin.hlp"));
    }
    void TearDown() override {
        util::SetHelpViewer(previous_);
        Application->SetHelpFile(QString());
    }

    std::shared_ptr<RecordingViewer> viewer_ = std::make_shared<RecordingViewer>();
    std::shared_ptr<util::HelpViewer> previous_;
    THelpRouter router_{nullptr};
};

const QString kChm = QStringLiteral("/opt/tavorin/tavorin.chm");

}  // namespace

TEST_F(HelpRouting, HelpCommandsMapToHtmlHelpCommands) {
    const struct {
        int command;
        THelpData data;
        bool answer;
        QString call;
    } cases[] = {
        {HELP_CONTEXT, {42, {}, {}}, true, "HH 15 " + kChm + " #42"},
        {HELP_CONTENTS, {}, true, "HH 1 " + kChm},
        {HELP_FINDER, {}, true, "HH 1 " + kChm},
        {HELP_TAB, {0, {}, {}}, true, "HH 1 " + kChm},
        {HELP_TAB, {-3, {}, {}}, true, "HH 2 " + kChm},
        {HELP_KEY, {0, "booking", {}}, true, "HH 2 " + kChm + " booking"},
        {HELP_PARTIALKEY, {0, "book", {}}, true, "HH 2 " + kChm + " book"},
        {HELP_QUIT, {}, true, "HH 18 "},
        {HELP_COMMAND, {0, "JumpID()", {}}, false, ""},
        // A popup position is stored and answered false; the popup then shows there and forgets it.
        {HELP_SETPOPUP_POS, {(200 << 16) | 120, {}, {}}, false, ""},
        {HELP_CONTEXTPOPUP, {7, {}, {}}, true, "HH 14 " + kChm + "::/CSHelp.txt popup(120,200 id 7 '')"},
    };
    for (const auto& c : cases) {
        viewer_->calls.clear();
        bool callHelp = true;
        EXPECT_EQ(router_.HandleHelp(c.command, c.data, callHelp), c.answer) << c.command;
        EXPECT_FALSE(callHelp) << "handled: " << c.command;
        EXPECT_EQ(viewer_->calls, c.call.isEmpty() ? QStringList{} : QStringList{c.call}) << c.command;
    }
}

TEST_F(HelpRouting, APopupWithoutAStoredPointShowsAtTheMouse) {
    Mouse->SetCursorPos(Point(33, 44));
    const TPoint at = Mouse->CursorPos();
    bool callHelp = true;
    EXPECT_TRUE(router_.HandleHelp(HELP_CONTEXTPOPUP, {9, {}, {}}, callHelp));
    EXPECT_EQ(viewer_->calls,
              QStringList{QStringLiteral("HH 14 %1::/CSHelp.txt popup(%2,%3 id 9 '')").arg(kChm).arg(at.X).arg(at.Y)});
}

TEST_F(HelpRouting, MainShowTypeAndWinHelpRouting) {
    router_.ShowType = stMain;
    bool callHelp = true;
    router_.HandleHelp(HELP_CONTEXTPOPUP, {5, {}, {}}, callHelp);
    EXPECT_EQ(viewer_->calls, QStringList{"HH 15 " + kChm + " #5"});

    // Mixed mode sends popups to WinHelp, with a .hlp popup file from the help file's folder.
    viewer_->calls.clear();
    router_.ShowType = stDefault;
    router_.HelpType = htMixedMode;
    router_.CHMPopupTopics = QStringLiteral("popups.hlp");
    router_.HandleHelp(HELP_CONTEXTPOPUP, {5, {}, {}}, callHelp);
    router_.HandleHelp(HELP_CONTENTS, {}, callHelp);
    router_.HelpType = htWinhelp;
    router_.HandleHelp(HELP_KEY, {0, "x", {}}, callHelp);
    EXPECT_TRUE(router_.HandleHelp(0, {}, callHelp));
    EXPECT_EQ(viewer_->calls,
              (QStringList{"WH /opt/tavorin/popups.hlp 8 ", "HH 1 " + kChm, "WH /opt/tavorin/tavorin.hlp 257 x"}));
}

TEST_F(HelpRouting, WithoutTheViewerRequestsAreLeftToTheApplication) {
    viewer_->available = false;
    bool callHelp = true;
    EXPECT_TRUE(router_.HandleHelp(HELP_QUIT, {}, callHelp));  // nothing was ever loaded: nothing to close
    EXPECT_FALSE(callHelp);
    callHelp = true;
    EXPECT_FALSE(router_.HandleHelp(HELP_CONTENTS, {}, callHelp));
    EXPECT_TRUE(callHelp);
    EXPECT_FALSE(router_.ShowTopic(QString(), QStringLiteral("html\\a.html")));
    EXPECT_FALSE(router_.ShowPopup(1, 2, QStringLiteral("text"), 0));
    EXPECT_EQ(viewer_->calls, QStringList{});
}

TEST_F(HelpRouting, OnHelpAndThePreviousHandlerAreAskedFirst) {
    THelpEvent saved = util::ApplicationHelpHandler();
    QStringList asked;
    router_.OnHelp = [&](int, const THelpData&, bool&) {
        asked << "OnHelp";
        return false;
    };
    router_.ShowContents();  // through the application's handler, which is the router
    EXPECT_EQ(asked, QStringList{"OnHelp"});
    EXPECT_EQ(viewer_->calls, QStringList{"HH 1 " + kChm});

    router_.OnHelp = [&](int, const THelpData&, bool& callHelp) {
        callHelp = false;
        return true;
    };
    router_.ShowContents();
    EXPECT_EQ(viewer_->calls.size(), 1);
    EXPECT_TRUE(saved);
}

TEST_F(HelpRouting, TopicsAreShownAsFileAndPage) {
    router_.Helpfile = QStringLiteral("/opt/tavorin/help");
    EXPECT_TRUE(router_.ShowTopic(QString(), QStringLiteral("html\\databases\\resources.html")));
    EXPECT_TRUE(router_.ShowTopic(QStringLiteral("/x/other.hlp"), QString()));
    router_.ShowTopic(QString(), QStringLiteral("Group & Resource.list"));
    router_.ValidateID = true;
    router_.ShowTopic(QString(), QStringLiteral("Group & Resource.list"));
    EXPECT_EQ(viewer_->calls,
              (QStringList{"HH 0 /opt/tavorin/help.chm::/html\\databases\\resources.html", "HH 0 /x/other.chm",
                           "HH 0 /opt/tavorin/help.chm::/Group & Resource.list.htm",
                           "HH 0 /opt/tavorin/help.chm::/Group_+_Resource_list.htm"}));

    viewer_->calls.clear();
    router_.HelpType = htWinhelp;
    router_.ShowTopic(QString(), QStringLiteral("intro"));
    EXPECT_EQ(viewer_->calls,
              (QStringList{"WH /opt/tavorin/help.hlp 3 ", "WH /opt/tavorin/help.hlp 258 JumpID(\"\",\"intro\")"}));
}

TEST_F(HelpRouting, PopupsCarryTheirTextOrThePopupFile) {
    router_.CHMPopupTopics.clear();
    router_.ShowPopup(5, 6, QStringLiteral("Some help"), 12);
    router_.ShowPopup(5, 6, QString(), 12);
    EXPECT_EQ(router_.CHMPopupTopics, QStringLiteral("CSHelp.txt"));
    EXPECT_EQ(viewer_->calls, (QStringList{"HH 14  popup(5,6 id 0 'Some help')",
                                           "HH 14 " + kChm + "::/CSHelp.txt popup(5,6 id 12 '')"}));
}

TEST(HelpRouter, OnlyOneAtATimeAndItsHandlerLeavesWithIt) {
    int previousCalls = 0;
    util::ApplicationHelpHandler() = [&](int, const THelpData&, bool&) { return ++previousCalls > 0; };
    {
        THelpRouter router(nullptr);
        router.HelpType = htWinhelp;  // the viewer is not asked: WinHelp command 0 succeeds at once
        EXPECT_THROW(THelpRouter second(nullptr), EComponentError);
        EXPECT_TRUE(util::ApplicationHelpCommand(0, {}));
        EXPECT_EQ(previousCalls, 1) << "the previous handler is asked first";
    }
    EXPECT_TRUE(util::ApplicationHelpCommand(0, {}));
    EXPECT_EQ(previousCalls, 2);
    util::ApplicationHelpHandler() = nullptr;
    THelpRouter again(nullptr);
}

TEST(HelpTopicNames, UnsafeCharactersAreReplacedOrDropped) {
    EXPECT_EQ(util::MakeTopicFileName(QStringLiteral("a b%c.d\"e'f,g/h:i?j\\k|l\u00BFm&n*o<p>q[r]s")),
              QStringLiteral("a_b_c_defghijklm+n+o~p~q(r)s"));
    EXPECT_EQ(util::MakeTopicFileName(QStringLiteral("\u00C4\u00E4\u00D6\u00F6\u00DC\u00FC\u00DF\u00E9")),
              QStringLiteral("aaoouus\u00E9"));
}
