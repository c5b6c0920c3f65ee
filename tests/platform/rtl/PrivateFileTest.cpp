// Owner-only files: never readable by others whatever the umask, replaced whole, nothing left on failure.
#include "platform/rtl/PrivateFile.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <QDir>
#include <QFile>

namespace {

mode_t ModeOf(const QString& fileName) {
    struct stat st {};
    return ::stat(QFile::encodeName(fileName).constData(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

// The umask a test runs under, restored afterwards.
class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : old_(::umask(mask)) {}
    ~ScopedUmask() { ::umask(old_); }

private:
    mode_t old_;
};

}  // namespace

TEST(PrivateFile, IsOwnerOnlyEvenUnderAnOpenUmaskAndReplacesAnOpenFile) {
    const ScopedUmask open(0);
    const QString name = QDir(testing_env::TempDir()).filePath(QStringLiteral("secret"));
    {
        QFile old(name);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old and readable by everyone");
    }
    ASSERT_EQ(ModeOf(name), mode_t(0666));
    QString error;
    ASSERT_EQ(WritePrivateFile(name, "new", error), PrivateFileOutcome::Written);
    EXPECT_EQ(ModeOf(name), mode_t(0600));
    QFile written(name);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("new"));
    EXPECT_EQ(QDir(testing_env::TempDir()).entryList(QDir::Files), QStringList{QStringLiteral("secret")});
}

TEST(PrivateFile, AFolderThatIsNotThereFailsWithTheSystemsReason) {
    QString error;
    EXPECT_EQ(WritePrivateFile(QDir(testing_env::TempDir()).filePath(QStringLiteral("no/such/x")), "x", error),
              PrivateFileOutcome::CannotCreate);
    EXPECT_EQ(error, QStringLiteral("No such file or directory"));
}
