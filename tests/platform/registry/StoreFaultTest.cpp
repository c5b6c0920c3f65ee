// A settings write failed at each of its file operations in turn leaves the store file old or new, never torn.
#include "platform/registry/Registry.h"
#include "support/FaultLoop.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

namespace {

QByteArray StoreText() {
    QFile file(QDir(testing_env::TempDir()).filePath(QStringLiteral("config/HKEY_CURRENT_USER.conf")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& name, const QString& text) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\Software\\Test"), true));
    reg.WriteString(name, text);
}

}  // namespace

TEST(StoreFaults, AWriteReplacesTheWholeFileOrNothing) {
    Write(QStringLiteral("Kept"), QStringLiteral("old"));
    const QByteArray before = StoreText();
    // Each run writes the value anew, so each fault hits the same write.
    const auto write = [] { Write(QStringLiteral("Changed"), QStringLiteral("new")); };
    const auto undo = [] {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\Software\\Test"), false));
        reg.DeleteValue(QStringLiteral("Changed"));
    };
    write();
    const QByteArray after = StoreText();
    undo();
    ASSERT_EQ(StoreText(), before);
    const int n = testing_env::LoopOverFaults(undo, write, [&](int failedAt) {
        const QByteArray text = StoreText();
        EXPECT_TRUE(text == before || text == after) << "a fault at point " << failedAt << " tore the file";
    });
    EXPECT_EQ(StoreText(), after);
    RecordProperty("points", n);
}
