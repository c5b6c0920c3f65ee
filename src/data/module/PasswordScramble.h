// The program's scrambling of short texts: a 16-bit key stream fed back by the scrambled bytes.
#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace data {

// The key word the password file is scrambled with.
inline constexpr quint16 kPasswordFileKeyWord = 52318;
// Texts longer than this are cut to it.
inline constexpr int kMaxScrambleLength = 255;

}  // namespace data

// Scrambles a text with the key word. A text at least two bytes shorter than targetLength is first padded
// to that length with bytes derived from its own; a target of 0 never pads.
QByteArray ScrambleText(const QByteArray& text, quint16 keyWord, int targetLength);
QByteArray UnscrambleText(const QByteArray& text, quint16 keyWord);
