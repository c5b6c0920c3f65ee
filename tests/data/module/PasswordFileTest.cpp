// The scrambling routine and the password file: known bytes, older files, long passwords, damaged digits.
#include "data/module/PasswordFile.h"
#include "data/module/PasswordScramble.h"
#include "platform/rtl/Exceptions.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

using data::kPasswordFileKeyWord;

namespace {

QString PwdPath() { return QDir(testing_env::TempDir()).filePath(QStringLiteral("club.pwd")); }

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(PasswordScramble, KnownBytesAndRoundTrip) {
    EXPECT_EQ(ScrambleText("AB", kPasswordFileKeyWord, 0), QByteArray::fromHex("8DE2"));
    EXPECT_EQ(ScrambleText("", kPasswordFileKeyWord, 10), QByteArray());
    const QByteArray every = [] {
        QByteArray bytes;
        for (int i = 0; i < 255; ++i) bytes.append(static_cast<char>(i));
        return bytes;
    }();
    EXPECT_EQ(UnscrambleText(ScrambleText(every, 1234, 0), 1234), every);
    EXPECT_EQ(ScrambleText(every + "more", 1234, 0).size(), 255);
}

TEST(PasswordScramble, PadsOnlyTextsAtLeastTwoShort) {
    // Padding byte b: ((text[b mod length]) + 3b) mod 255 + 1.
    EXPECT_EQ(UnscrambleText(ScrambleText("AB", 7, 5), 7), QByteArray("ABBFH"));
    EXPECT_EQ(UnscrambleText(ScrambleText("AB", 7, 3), 7), QByteArray("AB"));
    EXPECT_EQ(UnscrambleText(ScrambleText("AB", 7, 4), 7), QByteArray("ABBF"));
}

TEST(PasswordFile, NamedLikeTheDatabase) {
    EXPECT_EQ(data::PasswordFileName(QStringLiteral("/srv/club.tvd")), QStringLiteral("/srv/club.pwd"));
    EXPECT_EQ(data::PasswordFileName(QStringLiteral("/srv/v1.0/club")), QStringLiteral("/srv/v1.0/club.pwd"));
}

TEST(PasswordFile, ShortPasswordsMakeThirtyThreeBytesWithTheirLengthAndFiller) {
    data::WritePasswordFile(PwdPath(), QStringLiteral("AB"));
    const QByteArray plain = UnscrambleText(ReadBytes(PwdPath()), kPasswordFileKeyWord);
    ASSERT_EQ(plain.size(), 33);
    EXPECT_EQ(plain.mid(5, 4), QByteArray("02AB"));
    for (int i : {0, 1, 2, 3, 4, 9, 20, 32}) {
        SCOPED_TRACE(i);
        EXPECT_NE(plain.at(i), '\0');
        EXPECT_NE(static_cast<quint8>(plain.at(i)), 255);
    }
    EXPECT_EQ(data::ReadPasswordFile(PwdPath()), QStringLiteral("AB"));
}

TEST(PasswordFile, PasswordsOfEveryLengthUpToNinetyNineComeBackWhole) {
    for (int length : {1, 25, 26, 27, 60, 99}) {
        SCOPED_TRACE(length);
        QString password;
        for (int i = 0; i < length; ++i) password.append(QChar(u'a' + i % 26));
        data::WritePasswordFile(PwdPath(), password);
        EXPECT_EQ(ReadBytes(PwdPath()).size(), std::max(33, 7 + length));
        EXPECT_EQ(data::ReadPasswordFile(PwdPath()), password);
    }
    EXPECT_THROW(data::WritePasswordFile(PwdPath(), QString(100, u'x')), EWriteError);
}

TEST(PasswordFile, ReadsFilesOfOlderVersions) {
    // As the older writer made them: salt, "%0.2d" length, password, filler to 33 bytes.
    const QByteArray plain = QByteArray("\x11\x22\x33\x44\x55") + "07Se\xe9ret1" + QByteArray(19, '\x7f');
    WriteBytes(PwdPath(), ScrambleText(plain, kPasswordFileKeyWord, 0));
    EXPECT_EQ(data::ReadPasswordFile(PwdPath()), QString::fromLatin1("Se\xe9ret1"));
}

TEST(PasswordFile, KeepsCharactersBeyondLatin1) {
    data::WritePasswordFile(PwdPath(), QStringLiteral("ключ-é"));
    EXPECT_EQ(data::ReadPasswordFile(PwdPath()), QStringLiteral("ключ-é"));
    data::WritePasswordFile(PwdPath(), QStringLiteral("café"));
    EXPECT_EQ(ReadBytes(PwdPath()).size(), 33);
    EXPECT_EQ(data::ReadPasswordFile(PwdPath()), QStringLiteral("café"));
}

TEST(PasswordFile, MissingFileAndDamagedLengthDigits) {
    EXPECT_EQ(data::ReadPasswordFile(PwdPath()), std::nullopt);
    for (const QByteArray& digits : {QByteArray("x4"), QByteArray("  "), QByteArray("00"), QByteArray("-3")}) {
        SCOPED_TRACE(digits.toStdString());
        const QByteArray plain = "abcde" + digits + "secret" + QByteArray(20, 'z');
        WriteBytes(PwdPath(), ScrambleText(plain, kPasswordFileKeyWord, 0));
        EXPECT_EQ(data::ReadPasswordFile(PwdPath()), QString());
    }
}

TEST(PasswordFile, ReplacesAnExistingFileAndRaisesWhenItCannotBeWritten) {
    WriteBytes(PwdPath(), QByteArray(200, 'q'));
    data::WritePasswordFile(PwdPath(), QStringLiteral("pw"));
    EXPECT_EQ(ReadBytes(PwdPath()).size(), 33);
    // The password opens the database: the file is its owner's alone.
    EXPECT_FALSE(QFile::permissions(PwdPath()) &
                 (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther));
    EXPECT_THROW(data::WritePasswordFile(QDir(testing_env::TempDir()).filePath("no/such/dir/x.pwd"), "pw"),
                 EFCreateError);
}
