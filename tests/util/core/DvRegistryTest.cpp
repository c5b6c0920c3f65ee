// The read-with-default helpers: the value when it is there and of the right kind, the default otherwise.
#include "util/core/DvRegistry.h"

#include <gtest/gtest.h>

TEST(DvRegistry, ReadDefaultsReturnValuesOfTheRightKindAndDefaultsOtherwise) {
    TDvRegistry reg;
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\Software\\Test"), true));
    reg.WriteString(QStringLiteral("Text"), QStringLiteral("7"));
    reg.WriteInteger(QStringLiteral("Number"), 7);
    reg.WriteFloat(QStringLiteral("Float"), 2.5);
    const char four[] = {1, 0, 0, 0};
    reg.WriteBinaryData(QStringLiteral("Four"), four, 4);

    EXPECT_EQ(reg.ReadStringDefault(QStringLiteral("Text"), QStringLiteral("d")), QStringLiteral("7"));
    EXPECT_EQ(reg.ReadIntegerDefault(QStringLiteral("Number"), -1), 7);
    EXPECT_TRUE(reg.ReadBoolDefault(QStringLiteral("Number"), false));
    EXPECT_EQ(reg.ReadFloatDefault(QStringLiteral("Float"), -1), 2.5);
    EXPECT_EQ(reg.ReadDateTimeDefault(QStringLiteral("Float"), -1), 2.5);

    // Wrong kind, wrong size or missing: the default.
    for (const char* name : {"Text", "Float", "Four", "Missing"}) {
        const QString n = QString::fromLatin1(name);
        EXPECT_EQ(reg.ReadIntegerDefault(n, -1), -1) << name;
        EXPECT_TRUE(reg.ReadBoolDefault(n, true)) << name;
    }
    for (const char* name : {"Text", "Number", "Four", "Missing"}) {
        const QString n = QString::fromLatin1(name);
        EXPECT_EQ(reg.ReadFloatDefault(n, -1), -1) << name;
        EXPECT_EQ(reg.ReadDateTimeDefault(n, -1), -1) << name;
    }
    for (const char* name : {"Number", "Four", "Missing"})
        EXPECT_EQ(reg.ReadStringDefault(QString::fromLatin1(name), QStringLiteral("d")), QStringLiteral("d")) << name;

    reg.CloseKey();
    EXPECT_EQ(reg.ReadIntegerDefault(QStringLiteral("Number"), -1), -1);
}
