// Two processes writing the store at the same time both keep their values.
#include "platform/registry/Registry.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kValuesPerWriter = 40;

// Runs in a forked child: writes its own values one by one, each a separate read-modify-write.
[[noreturn]] void WriteValues(const QString& prefix) {
    int status = 0;
    try {
        for (int i = 0; i < kValuesPerWriter; ++i) {
            TRegistry reg;
            if (!reg.OpenKey(QStringLiteral("\\Software\\Shared"), true)) status = 2;
            reg.WriteInteger(prefix + QString::number(i), i);
        }
    } catch (...) {
        status = 3;
    }
    _exit(status);
}

}  // namespace

TEST(ConcurrentWrite, TwoProcessesWritingAtOnceBothKeepTheirValues) {
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\Software\\Shared"), true));
        reg.WriteString(QStringLiteral("Before"), QStringLiteral("kept"));
    }
    std::vector<pid_t> children;
    for (const char* prefix : {"First", "Second"}) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) WriteValues(QString::fromLatin1(prefix));
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = -1;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }

    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(QStringLiteral("\\Software\\Shared")));
    QStringList names;
    reg.GetValueNames(names);
    EXPECT_EQ(names.size(), 1 + 2 * kValuesPerWriter);
    EXPECT_EQ(reg.ReadString(QStringLiteral("Before")), QStringLiteral("kept"));
    for (int i = 0; i < kValuesPerWriter; ++i) {
        EXPECT_EQ(reg.ReadInteger(QStringLiteral("First%1").arg(i)), i);
        EXPECT_EQ(reg.ReadInteger(QStringLiteral("Second%1").arg(i)), i);
    }
}
