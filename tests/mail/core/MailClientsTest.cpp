// The mail-client facts: the default mailto handler from the desktop's configuration, and xdg-email.
#include "mail/core/DvMapi.h"

#include "support/TempDesktop.h"

#include <gtest/gtest.h>

TEST(MailClients, NothingConfiguredGivesNoClientAndNoMailProgram) {
    testing_env::TempDesktop desktop;
    TDvMapiConnection mapi;
    EXPECT_FALSE(mapi.SimpleMapiInstalled);
    EXPECT_FALSE(mapi.ExtendedMapiInstalled);
    EXPECT_FALSE(mapi.DefaultClientFound);
    EXPECT_EQ(mapi.DefaultClient, QString());
    EXPECT_TRUE(mapi.MailClients.isEmpty());
    EXPECT_FALSE(mapi.IsOutlookExpress());
}

TEST(MailClients, TheDefaultMailtoHandlerIsTheDefaultClient) {
    testing_env::TempDesktop desktop;
    desktop.InstallXdgEmail(0);
    desktop.AddApplication(QStringLiteral("viewer.desktop"), QStringLiteral("Viewer"), QStringLiteral("image/png;"));
    desktop.AddApplication(QStringLiteral("mailer.desktop"), QStringLiteral("Outlook Express"),
                           QStringLiteral("text/plain;x-scheme-handler/mailto;"), true);
    desktop.AddApplication(QStringLiteral("post.desktop"), QStringLiteral("Post Office"),
                           QStringLiteral("x-scheme-handler/mailto"));
    // The first listed handler is not installed; the next one is taken.
    desktop.SetDefaultMail(QStringLiteral("missing.desktop;mailer.desktop;"));

    TDvMapiConnection mapi;
    EXPECT_TRUE(mapi.SimpleMapiInstalled);
    EXPECT_EQ(mapi.MailClients, (QStringList{QStringLiteral("Outlook Express"), QStringLiteral("Post Office")}));
    EXPECT_TRUE(mapi.DefaultClientFound);
    EXPECT_EQ(mapi.DefaultClient, QStringLiteral("Outlook Express"));
    EXPECT_TRUE(mapi.IsOutlookExpress());
}

TEST(MailClients, ADefaultThatDoesNotHandleMailIsNoClient) {
    testing_env::TempDesktop desktop;
    desktop.AddApplication(QStringLiteral("viewer.desktop"), QStringLiteral("Viewer"), QStringLiteral("image/png;"));
    desktop.SetDefaultMail(QStringLiteral("viewer.desktop"));
    TDvMapiConnection mapi;
    EXPECT_FALSE(mapi.DefaultClientFound);
    EXPECT_EQ(mapi.DefaultClient, QString());
}
