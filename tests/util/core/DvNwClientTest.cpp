// The NetWare user name on a workstation without a NetWare client.
#include "util/core/DvNwClient.h"

#include <gtest/gtest.h>

TEST(DvNwClient, WithoutAClientNothingIsFoundAndEveryCallLooksAgain) {
    TDvNwClient client;
    client.UserName = QStringLiteral("left over");
    client.DetectUser();
    EXPECT_FALSE(client.Present);
    EXPECT_EQ(client.UserName, QString());
    EXPECT_FALSE(client.Detected);
    client.DetectUser();
    EXPECT_FALSE(client.Detected);
}
