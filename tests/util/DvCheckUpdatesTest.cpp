// The update check: the version list's reading, the check against a loopback server with each outcome's
// message, and when a check is due.
#include "util/DvCheckUpdates.h"

#include "LoopbackHttpServer.h"
#include "platform/rtl/Clock.h"
#include "support/TestEnvironment.h"
#include "util/UpdateList.h"
#include "util/core/DvRegistry.h"
#include "util/core/VersionHistory.h"

#include <gtest/gtest.h>

namespace {

const TDvVersionInfo kProgram{7, 0, 0, 700};

QString MessageFor(const char* list, bool silent = false) {
    return util::UpdateFoundMessage(
        util::EvaluateVersionList(QString::fromLatin1(list), QStringLiteral("tavorin7verinfo"), kProgram, silent));
}

class RecordingProgress : public util::UpdateProgress {
public:
    void Show() override { events << QStringLiteral("show"); }
    void Hide() override { events << QStringLiteral("hide"); }
    QStringList events;
};

class UpdateCheck : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server_.IsListening());
        rtl::SetClock(clock_);
        CreateVersionHistory();
        checker_.Caption = QStringLiteral("Tavorin Check for Updates");
        checker_.Key = QStringLiteral("Updates");
        checker_.CheckPrefix = QStringLiteral("tavorin7verinfo");
        checker_.URL = server_.Url();
        checker_.ConnectionTest = [](bool) { return true; };
    }

    // The messages shown, each checked to carry the checker's caption.
    std::vector<QString> Shown() const {
        for (const rtl::MessageRequest& r : testing_env::Messages().Requests())
            EXPECT_EQ(r.caption, QStringLiteral("Tavorin Check for Updates"));
        return testing_env::Messages().Texts();
    }

    TDateTime StoredLastDate() {
        TDvRegistry reg;
        if (!reg.OpenKeyReadOnly(QStringLiteral("\\Software\\Dulvex\\Tavorin\\7.0\\Updates"))) return -1;
        return reg.ReadDateTimeDefault(QStringLiteral("CheckUpdatesLastDate"), -1);
    }

    const TDateTime today_ = EncodeDate(2026, 3, 14);
    std::shared_ptr<rtl::FakeClock> clock_ = std::make_shared<rtl::FakeClock>(EncodeDate(2026, 3, 14) + 0.75);
    testing_env::LoopbackHttpServer server_;
    TDvCheckUpdates checker_;
};

using Texts = std::vector<QString>;

}  // namespace

TEST(UpdateList, NewerVersionsOfOurPrefixAreWordedByTheirKind) {
    const struct {
        const char* list;
        const char* message;
    } cases[] = {
        {"tavorin7verinfo:7.0.2.0:critical\ntavorin7verinfo:7.1.0.0:available\n",
         "Version 7.1.0.0 is available as a critical update"},
        {"TAVORIN7VERINFO:7.0.1.720:Recommended\r\n", "Version 7.0.1.720 is available as a recomended update"},
        {"tavorin7verinfo:7.0.0.701:available", "Version 7.0.0.701 is available"},
        {"tavorin7verinfo:8.0.0.0:upgrade", "Version 8.0.0.0 is available as an upgrade"},
        {"tavorin7verinfo:8.0.0.0:upgrade\ntavorin7verinfo:9.0.0.0:upgrade\ntavorin7verinfo:7.2.0.0:recommended",
         "Version 7.2.0.0 is available as a recomended update\r\n\r\nVersion 9.0.0.0 is available as an upgrade"},
        // Other prefixes, older or equal versions, unknown kinds and lines without colons change nothing.
        {"ranvel6verinfo:9.0.0.0:critical\ntavorin7verinfo:7.0.0.700:critical\n"
         "tavorin7verinfo:6.9.9.9:upgrade\ntavorin7verinfo:9.0.0.0:beta\nno colon here\n\n",
         ""},
    };
    for (const auto& c : cases) EXPECT_EQ(MessageFor(c.list), QString::fromLatin1(c.message)) << c.list;
}

TEST(UpdateList, AVersionThatIsNotFourNumbersStopsTheReadingUnlessSkipped) {
    const QString list = QStringLiteral("tavorin7verinfo:7.1:critical\ntavorin7verinfo:7.0.1.0:available");
    const auto stopped = util::EvaluateVersionList(list, QStringLiteral("tavorin7verinfo"), kProgram, false);
    EXPECT_TRUE(stopped.unrecognized);
    const auto skipped = util::EvaluateVersionList(list, QStringLiteral("tavorin7verinfo"), kProgram, true);
    EXPECT_FALSE(skipped.unrecognized);
    EXPECT_EQ(util::UpdateFoundMessage(skipped), QStringLiteral("Version 7.0.1.0 is available"));
}

TEST_F(UpdateCheck, AnUpdateFoundIsShownAndTheDayRecorded) {
    server_.Respond(200, "tavorin7verinfo:7.0.2.0:critical\ntavorin7verinfo:7.1.0.0:available\n");
    RecordingProgress progress;
    EXPECT_TRUE(checker_.DoCheck(&progress, true, false));
    EXPECT_EQ(Shown(), Texts{"Version 7.1.0.0 is available as a critical update"});
    EXPECT_EQ(progress.events, (QStringList{"show", "hide"}));
    EXPECT_EQ(server_.Requests(), 1);
    // The check had no settings to reload yet, so nothing is recorded: the next start checks again.
    EXPECT_EQ(StoredLastDate(), -1);

    checker_.SaveSettings();
    testing_env::Messages().Clear();
    EXPECT_TRUE(checker_.DoCheck(nullptr, false, true));
    EXPECT_EQ(Shown(), Texts{"Version 7.1.0.0 is available as a critical update"});
    EXPECT_EQ(StoredLastDate(), today_);
    EXPECT_EQ(checker_.CheckLastDate, today_);
}

TEST_F(UpdateCheck, NoUpdateIsShownOnlyWhenNotSilent) {
    checker_.SaveSettings();
    server_.Respond(200, "tavorin7verinfo:7.0.0.700:critical\n");
    EXPECT_TRUE(checker_.DoCheck(nullptr, false, true));
    EXPECT_EQ(Shown(), Texts{});
    EXPECT_EQ(StoredLastDate(), today_);
    EXPECT_TRUE(checker_.DoCheck(nullptr, true, false));
    EXPECT_EQ(Shown(), Texts{"No updates were found."});
}

TEST_F(UpdateCheck, FailuresEndTheCheckWithoutRecordingTheDay) {
    checker_.SaveSettings();
    const struct {
        int status;
        const char* body;
        const char* loud;
        const char* silent;  // what a silent check shows
    } cases[] = {
        {404, "", "Could not get the most recent version info from the server.", nullptr},
        {500, "", "EidHTTPProtocolException 500 when checking for updates",
         "EidHTTPProtocolException 500 when checking for updates"},
        {200, "tavorin7verinfo:seven:critical", "Most recent version from server not recognized.", nullptr},
    };
    for (const auto& c : cases) {
        server_.Respond(c.status, c.body);
        for (const bool silent : {false, true}) {
            testing_env::Messages().Clear();
            RecordingProgress progress;
            const bool completed = checker_.DoCheck(&progress, true, silent);
            const char* expected = silent ? c.silent : c.loud;
            if (c.status == 200 && silent) {
                EXPECT_TRUE(completed) << "a silent check passes over the line";
                continue;
            }
            EXPECT_FALSE(completed) << c.status;
            EXPECT_EQ(Shown(), expected ? Texts{QString::fromLatin1(expected)} : Texts{}) << c.status << silent;
            EXPECT_EQ(progress.events, (QStringList{"show", "hide"}));
        }
    }
    // Only the silent pass over the unreadable line completed the check.
    EXPECT_EQ(StoredLastDate(), today_);
}

TEST_F(UpdateCheck, ConnectionFailuresAreNamedByTheirSocketErrors) {
    checker_.URL = QStringLiteral("http://127.0.0.1:1/versions.txt");  // nothing listens there
    EXPECT_FALSE(checker_.DoCheck(nullptr, true, true));
    EXPECT_EQ(Shown(), Texts{"EIdSocketError 10061 when checking for updates"});
}

TEST_F(UpdateCheck, AddressAndConnectionProblems) {
    checker_.URL = QStringLiteral("http://");
    EXPECT_FALSE(checker_.DoCheck(nullptr, true, true));
    checker_.URL = QStringLiteral("gopher://127.0.0.1/versions.txt");
    EXPECT_FALSE(checker_.DoCheck(nullptr, true, true));
    EXPECT_FALSE(checker_.DoCheck(nullptr, true, false));
    checker_.URL = server_.Url();
    checker_.ConnectionTest = [](bool) { return false; };
    RecordingProgress progress;
    EXPECT_FALSE(checker_.DoCheck(&progress, true, true));
    EXPECT_FALSE(checker_.DoCheck(&progress, true, false));
    EXPECT_EQ(Shown(), (Texts{"Invalid URL specified when checking for updates.",
                              "Invalid URL specified when checking for updates.",
                              "Could not check for updates. No Internet connection."}));
    EXPECT_EQ(progress.events, QStringList{});
    EXPECT_EQ(server_.Requests(), 0);
}

TEST_F(UpdateCheck, CheckingWithoutTheVersionListsAddressSaysSo) {
    // "Check Now" before any address of the version list was set.
    checker_.URL = QString();
    EXPECT_FALSE(checker_.DoCheck(nullptr, true, false));
    checker_.URL = QStringLiteral("  ");
    EXPECT_FALSE(checker_.DoCheck(nullptr, true, false));
    EXPECT_EQ(Shown(), (Texts{"Invalid URL specified when checking for updates.",
                              "Invalid URL specified when checking for updates."}));
    EXPECT_EQ(StoredLastDate(), -1);
}

TEST_F(UpdateCheck, TheFirstStartWritesTheDefaultsAndTheNextOneChecks) {
    EXPECT_FALSE(checker_.GetIsTimeToCheck());
    TDvCheckUpdates next;
    next.Key = QStringLiteral("Updates");
    next.CheckInterval = 99;
    EXPECT_TRUE(next.GetIsTimeToCheck());
    EXPECT_EQ(next.CheckInterval, 30);

    // Due on the day the interval ends; an interval of 0 at every start.
    next.CheckLastDate = today_ - 29 + 0.9;
    next.SaveSettings();
    EXPECT_FALSE(next.GetIsTimeToCheck());
    clock_->SetNow(today_ + 1);
    EXPECT_TRUE(next.GetIsTimeToCheck());
    next.CheckInterval = 0;
    next.CheckLastDate = today_ + 1;
    next.SaveSettings();
    EXPECT_TRUE(next.GetIsTimeToCheck());
    next.CheckEnabled = false;
    next.SaveSettings();
    EXPECT_FALSE(next.GetIsTimeToCheck());
}

TEST_F(UpdateCheck, SettingsNeedAKeyAndReadableValues) {
    checker_.Key = QStringLiteral("  ");
    EXPECT_FALSE(checker_.SaveSettings());
    EXPECT_FALSE(checker_.LoadSettings());
    checker_.Key = QStringLiteral("Updates");
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\Software\\Dulvex\\Tavorin\\7.0\\Updates"), true));
        reg.WriteString(QStringLiteral("CheckUpdatesInterval"), QStringLiteral("weekly"));
    }
    EXPECT_FALSE(checker_.LoadSettings());
    EXPECT_TRUE(checker_.SaveSettings());
    EXPECT_TRUE(checker_.LoadSettings());
    checker_.RootKey = HKLM;
    EXPECT_FALSE(checker_.SaveSettings());
}
