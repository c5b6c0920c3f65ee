// The mail-client facts: the default mailto handler from the desktop's configuration, and xdg-email; whether the
// desktop has a program for an address.
#include "util/DvMapi.h"

#include "util/DesktopOpen.h"

#include "ScopedEnvironment.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

namespace {

void WriteFile(const QString& fileName, const QByteArray& text, bool executable = false) {
    QDir().mkpath(QFileInfo(fileName).path());
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    if (executable) file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

// A desktop of its own below the test folder: config, data and a bin folder on PATH.
class MailDesktop : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = QDir(testing_env::TempDir());
        env_.Set("XDG_CONFIG_HOME", QFile::encodeName(root_.filePath(QStringLiteral("cfg"))));
        env_.Set("XDG_CONFIG_DIRS", QFile::encodeName(root_.filePath(QStringLiteral("syscfg"))));
        env_.Set("XDG_DATA_HOME", QFile::encodeName(root_.filePath(QStringLiteral("data"))));
        env_.Set("XDG_DATA_DIRS", QFile::encodeName(root_.filePath(QStringLiteral("sysdata"))));
        env_.Set("PATH", QFile::encodeName(root_.filePath(QStringLiteral("bin"))));
    }

    void AddApplication(const QString& id, const QString& name, const QString& mimeTypes, bool system = false) {
        const QString dir = system ? QStringLiteral("sysdata/applications/") : QStringLiteral("data/applications/");
        WriteFile(root_.filePath(dir + id), "[Desktop Entry]\nType=Application\nName[de]=Post\nName=" + name.toUtf8() +
                                                "\nMimeType=" + mimeTypes.toUtf8() + "\n");
    }
    void SetDefaultMail(const QString& ids) {
        WriteFile(root_.filePath(QStringLiteral("cfg/mimeapps.list")),
                  "[Added Associations]\nx-scheme-handler/mailto=other.desktop\n"
                  "[Default Applications]\nx-scheme-handler/mailto=" +
                      ids.toUtf8() + "\n");
    }

    QDir root_;
    testing_env::ScopedEnvironment env_;
};

}  // namespace

TEST_F(MailDesktop, NothingConfiguredGivesNoClientAndNoMailProgram) {
    TDvMapiConnection mapi;
    EXPECT_FALSE(mapi.SimpleMapiInstalled);
    EXPECT_FALSE(mapi.ExtendedMapiInstalled);
    EXPECT_FALSE(mapi.DefaultClientFound);
    EXPECT_EQ(mapi.DefaultClient, QString());
    EXPECT_TRUE(mapi.MailClients.isEmpty());
    EXPECT_FALSE(mapi.IsOutlookExpress());
}

TEST_F(MailDesktop, TheDefaultMailtoHandlerIsTheDefaultClient) {
    WriteFile(root_.filePath(QStringLiteral("bin/xdg-email")), "#!/bin/sh\n", true);
    AddApplication(QStringLiteral("viewer.desktop"), QStringLiteral("Viewer"), QStringLiteral("image/png;"));
    AddApplication(QStringLiteral("mailer.desktop"), QStringLiteral("Outlook Express"),
                   QStringLiteral("text/plain;x-scheme-handler/mailto;"), true);
    AddApplication(QStringLiteral("post.desktop"), QStringLiteral("Post Office"),
                   QStringLiteral("x-scheme-handler/mailto"));
    // The first listed handler is not installed; the next one is taken.
    SetDefaultMail(QStringLiteral("missing.desktop;mailer.desktop;"));

    TDvMapiConnection mapi;
    EXPECT_TRUE(mapi.SimpleMapiInstalled);
    EXPECT_EQ(mapi.MailClients, (QStringList{QStringLiteral("Outlook Express"), QStringLiteral("Post Office")}));
    EXPECT_TRUE(mapi.DefaultClientFound);
    EXPECT_EQ(mapi.DefaultClient, QStringLiteral("Outlook Express"));
    EXPECT_TRUE(mapi.IsOutlookExpress());
}

TEST_F(MailDesktop, ADefaultThatDoesNotHandleMailIsNoClient) {
    AddApplication(QStringLiteral("viewer.desktop"), QStringLiteral("Viewer"), QStringLiteral("image/png;"));
    SetDefaultMail(QStringLiteral("viewer.desktop"));
    TDvMapiConnection mapi;
    EXPECT_FALSE(mapi.DefaultClientFound);
    EXPECT_EQ(mapi.DefaultClient, QString());
}

TEST_F(MailDesktop, AnAddressOpensOnlyWhenTheDesktopHasAProgramForIt) {
    env_.Set("BROWSER", "");
    const QUrl mail(QStringLiteral("mailto:support@dulvex.example"));
    const QUrl page(QStringLiteral("https://www.dulvex.example/"));
    EXPECT_FALSE(util::DesktopCanOpen(mail));
    EXPECT_FALSE(util::DesktopCanOpen(page));
    // Nothing is handed to the desktop's opener then.
    EXPECT_FALSE(util::OpenWithDesktop(page));

    AddApplication(QStringLiteral("mail.desktop"), QStringLiteral("Mail"), QStringLiteral("x-scheme-handler/mailto;"));
    EXPECT_TRUE(util::DesktopCanOpen(mail));
    EXPECT_FALSE(util::DesktopCanOpen(page));
    AddApplication(QStringLiteral("web.desktop"), QStringLiteral("Web"), QStringLiteral("text/html;"), true);
    EXPECT_TRUE(util::DesktopCanOpen(page));
}

TEST_F(MailDesktop, TheSystemsBrowserCommandOrBrowserVariableOpensWebPages) {
    env_.Set("BROWSER", "");
    const QUrl page(QStringLiteral("https://www.dulvex.example/"));
    WriteFile(root_.filePath(QStringLiteral("bin/x-www-browser")), "#!/bin/sh\n", true);
    EXPECT_TRUE(util::DesktopCanOpen(page));
    QFile::remove(root_.filePath(QStringLiteral("bin/x-www-browser")));
    env_.Set("BROWSER", "lynx");
    EXPECT_TRUE(util::DesktopCanOpen(page));
}
