// The database the program opens at start, and the message for a missing one.
#include "app/main/Startup.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QFile>

TEST(Startup, TheFirstArgumentOrTheMostRecentDatabaseIsChosen) {
    struct Case {
        const char* what;
        QStringList arguments;
        bool openMostRecent;
        QString mru;
        QString file, message;
        bool skip;
    };
    const QString recent = QStringLiteral("Opening most recent database...");
    const QString specified = QStringLiteral("Opening specified database...");
    const Case cases[] = {
        {"/s", {"/s"}, true, "/m.tvd", "", "", true},
        {"/S", {"/S", "/a.tvd"}, true, "/m.tvd", "", "", true},
        {"argument", {"/a.tvd"}, true, "/m.tvd", "/a.tvd", specified, false},
        {"second argument ignored", {"/a.tvd", "/s"}, false, "", "/a.tvd", specified, false},
        {"most recent", {}, true, "/m.tvd", "/m.tvd", recent, false},
        {"most recent off", {}, false, "/m.tvd", "", "", false},
        {"no most recent", {}, true, "", "", recent, false},
    };
    for (const Case& c : cases) {
        const TStartupChoice choice = ChooseStartupDatabase(c.arguments, c.openMostRecent, c.mru);
        EXPECT_EQ(choice.StartupFileName, c.file) << c.what;
        EXPECT_EQ(choice.StartupMessage, c.message) << c.what;
        EXPECT_EQ(choice.SkipSettingsSave, c.skip) << c.what;
    }
}

TEST(Startup, AnExistingFileIsOpenedAndAMissingOneNamed) {
    QStringList opened;
    const auto open = [&](const QString& file, const QString& password, const QString& message) {
        opened << file << password << message;
    };
    const QString existing = testing_env::TempDir() + QStringLiteral("/here.tvd");
    QFile f(existing);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();

    OpenStartupDatabase(ChooseStartupDatabase({existing}, true, QString()), open);
    EXPECT_EQ(opened, (QStringList{existing, QString(), QStringLiteral("Opening specified database...")}));
    EXPECT_TRUE(testing_env::Messages().Texts().empty());

    opened.clear();
    OpenStartupDatabase(ChooseStartupDatabase({}, true, QStringLiteral("/no/such/file.tvd")), open);
    OpenStartupDatabase(ChooseStartupDatabase({QStringLiteral("/missing.tvd")}, true, QString()), open);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(testing_env::Messages().Texts(),
              (std::vector<QString>{QStringLiteral("Could not find most recent database /no/such/file.tvd."),
                                    QStringLiteral("Could not find most recent database /missing.tvd.")}));

    // Nothing to open: no message either.
    OpenStartupDatabase(ChooseStartupDatabase({}, true, QString()), open);
    OpenStartupDatabase(ChooseStartupDatabase({QStringLiteral("/s")}, true, existing), open);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(testing_env::Messages().Texts().size(), 2u);
}
