// Writing and reading the scrambled password file.
#include "data/module/PasswordFile.h"

#include "data/module/PasswordScramble.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/PrivateFile.h"
#include "platform/rtl/Random.h"

#include <QFile>
#include <QStringDecoder>

namespace data {
namespace {

constexpr int kSaltLength = 5;
constexpr int kLengthDigits = 2;
constexpr int kPasswordStart = kSaltLength + kLengthDigits;
constexpr int kShortFileLength = 33;

// Passwords of Latin-1 characters take one byte each, as files of older versions hold them; others UTF-8.
QByteArray PasswordBytes(const QString& password) {
    for (QChar ch : password)
        if (ch.unicode() > 0xFF) return password.toUtf8();
    return password.toLatin1();
}

QString PasswordText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(bytes);
    const bool multiByte = decoded.size() != bytes.size();
    return !utf8.hasError() && multiByte ? decoded : QString::fromLatin1(bytes);
}

// A byte from 1 to 254, never 0 or 255.
char RandomByte() { return static_cast<char>(Random(254) + 1); }

}  // namespace

QString PasswordFileName(const QString& databaseFileName) {
    return ChangeFileExt(databaseFileName, QStringLiteral(".pwd"));
}

void WritePasswordFile(const QString& fileName, const QString& password) {
    const QByteArray bytes = PasswordBytes(password);
    if (bytes.size() > kMaxPasswordFileLength)
        throw EWriteError(
            QStringLiteral("A password file holds passwords of at most %1 characters").arg(kMaxPasswordFileLength));
    QByteArray plain;
    for (int i = 0; i < kSaltLength; ++i) plain.append(RandomByte());
    plain.append(QByteArray::number(bytes.size()).rightJustified(kLengthDigits, '0'));
    plain.append(bytes);
    while (plain.size() < kShortFileLength) plain.append(RandomByte());

    // The file opens the database: only its owner may read it.
    QString error;
    switch (WritePrivateFile(fileName, ScrambleText(plain, kPasswordFileKeyWord, 0), error)) {
        case PrivateFileOutcome::Written: return;
        case PrivateFileOutcome::CannotCreate:
            throw EFCreateError(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, error));
        case PrivateFileOutcome::CannotWrite:
            throw EWriteError(QStringLiteral("Cannot write file \"%1\". %2").arg(fileName, error));
    }
}

std::optional<QString> ReadPasswordFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray plain = UnscrambleText(file.read(kMaxScrambleLength), kPasswordFileKeyWord);
    bool isNumber = false;
    const int length = plain.mid(kSaltLength, kLengthDigits).toInt(&isNumber);
    if (!isNumber || length <= 0) return QString();
    return PasswordText(plain.mid(kPasswordStart, length));
}

}  // namespace data
