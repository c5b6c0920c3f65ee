// The code-name tables and the client filter's text round trip.
#include "util/CodeNames.h"

#include <gtest/gtest.h>

TEST(CodeNames, HistoryCodes) {
    const std::pair<int, const char*> cases[] = {{0, ""},
                                                 {1, "Created"},
                                                 {2, "Modified"},
                                                 {3, "Deleted"},
                                                 {4, "Imported"},
                                                 {5, "Deleted"},
                                                 {6, "Email"},
                                                 {7, "Created"},
                                                 {8, "Modified"},
                                                 {9, "Deleted"},
                                                 {10, "Database Purged"},
                                                 {11, "Database Checked"},
                                                 {12, "Database Compacted"},
                                                 {13, "Unknown"},
                                                 {20, "Error"},
                                                 {30, "Task Attach"},
                                                 {41, "Tavorin email"},
                                                 {42, "Mapi email"},
                                                 {255, "Unknown"}};
    for (const auto& [code, name] : cases)
        EXPECT_EQ(HistoryCodeName(static_cast<quint8>(code)), QString::fromLatin1(name)) << code;
}

TEST(CodeNames, ShareAndLockingModes) {
    const std::pair<quint32, const char*> modes[] = {
        {0, "ShareModeExclusive"}, {1, "ShareModeReadOnly"},  {2, "ShareModeWrite"}, {3, "ShareModeReadWrite"},
        {4, "ShareModeDenyRead"},  {8, "ShareModeDenyWrite"}, {12, "Unknown"},       {16, "ShareModeDenyNone"}};
    for (const auto& [mode, name] : modes) EXPECT_EQ(OpenModeName(mode), QString::fromLatin1(name)) << mode;
    EXPECT_EQ(LockingModeName(0), QStringLiteral("Page"));
    EXPECT_EQ(LockingModeName(1), QStringLiteral("Row"));
    EXPECT_EQ(LockingModeName(-1), QStringLiteral("Unknown"));
}

TEST(CodeNames, ClientFilterMatchIgnoresCaseAndDefaultsToBeginning) {
    const std::pair<const char*, int> cases[] = {
        {"MATCH ANYWHERE", 3}, {"Exact Match", 1}, {"Match at beginning", 2}, {"", 2}, {"exact", 2}};
    for (const auto& [text, mode] : cases) {
        EXPECT_EQ(ParseClientFilterMatch(QString::fromLatin1(text)), mode) << text;
    }
    for (int mode : {1, 2, 3}) EXPECT_EQ(ParseClientFilterMatch(ClientFilterMatchName(mode)), mode);
    EXPECT_EQ(ClientFilterMatchName(0), QStringLiteral("Match at beginning"));
}
