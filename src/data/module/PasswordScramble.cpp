// Scrambling and unscrambling with the feedback key stream.
#include "data/module/PasswordScramble.h"

namespace {

constexpr quint16 kMultiplier = 27604;
constexpr quint16 kIncrement = 46283;

// The next key from the scrambled byte just handled (16-bit arithmetic).
quint16 NextKey(quint16 key, quint8 scrambled) {
    return static_cast<quint16>((static_cast<quint32>(key) + scrambled) * kMultiplier + kIncrement);
}

QByteArray Padded(const QByteArray& text, int targetLength) {
    const int missing = targetLength - static_cast<int>(text.size());
    if (text.isEmpty() || missing < 2) return text;
    QByteArray padded = text;
    for (int b = 0; b < missing; ++b) {
        const int code = static_cast<quint8>(text.at(b % text.size()));
        padded.append(static_cast<char>((code + 3 * b) % 255 + 1));
    }
    return padded;
}

}  // namespace

QByteArray ScrambleText(const QByteArray& text, quint16 keyWord, int targetLength) {
    QByteArray result = Padded(text.left(data::kMaxScrambleLength), targetLength).left(data::kMaxScrambleLength);
    quint16 key = keyWord;
    for (char& byte : result) {
        byte = static_cast<char>(static_cast<quint8>(byte) ^ (key >> 8));
        key = NextKey(key, static_cast<quint8>(byte));
    }
    return result;
}

QByteArray UnscrambleText(const QByteArray& text, quint16 keyWord) {
    QByteArray result = text.left(data::kMaxScrambleLength);
    quint16 key = keyWord;
    for (char& byte : result) {
        const quint8 scrambled = static_cast<quint8>(byte);
        byte = static_cast<char>(scrambled ^ (key >> 8));
        key = NextKey(key, scrambled);
    }
    return result;
}
