// Sending from the settings: the password is not sent over a plain connection unless the settings allow it.
#include "MailFixture.h"

#include "platform/net/SmtpClient.h"
#include "platform/rtl/Messages.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using testing_smtp::SmtpTestServer;

TEST_F(MailFixture, APlainConnectionGetsNoPasswordUnlessTheSettingsAllowIt) {
    SmtpTestServer server({.user = QStringLiteral("desk"), .password = QStringLiteral("s3cret")});
    TEMailSettings s = SettingsFor(server);
    s.AuthType = true;
    s.Username = QStringLiteral("desk");
    s.AllowPlainTextPassword = false;
    passwords = {QStringLiteral("s3cret")};
    RunNextStatusDialog();
    EXPECT_FALSE(SendTo(s, QStringLiteral("ann@example.org")));
    EXPECT_TRUE(server.Messages().empty());
    const auto& requests = testing_env::Messages().Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].text, QStringLiteral("Could not send message. ") + net::kPlainTextPasswordRefused);
    EXPECT_EQ(requests[0].type, mtError);

    s.AllowPlainTextPassword = true;
    RunNextStatusDialog();
    EXPECT_TRUE(SendTo(s, QStringLiteral("ann@example.org")));
    ASSERT_EQ(server.Messages().size(), 1u);
    EXPECT_EQ(server.Messages()[0].login, QStringLiteral("desk"));
}
