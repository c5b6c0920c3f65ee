// Format with %-specifiers over a list of arguments, and integers as text.
#pragma once

#include "platform/rtl/FormatSettings.h"

#include <QString>
#include <QStringBuilder>
#include <concepts>
#include <initializer_list>

// One argument of Format: an integer, a floating-point number, a text or a character.
class TVarRec {
public:
    enum class Kind { Integer, Float, String, Char };

    template <std::integral T>
    requires(!std::same_as<T, bool> && !std::same_as<T, char>) TVarRec(T value)
        : kind_(Kind::Integer), integer_(static_cast<qint64>(value)), wide_(sizeof(T) > 4) {}
    template <std::floating_point T>
    TVarRec(T value) : kind_(Kind::Float), float_(static_cast<double>(value)) {}
    TVarRec(const QString& value) : kind_(Kind::String), text_(value) {}
    template <typename A, typename B>
    TVarRec(const QStringBuilder<A, B>& value) : kind_(Kind::String), text_(value) {}
    TVarRec(const char* value) : kind_(Kind::String), text_(QString::fromUtf8(value)) {}
    TVarRec(QChar value) : kind_(Kind::Char), text_(value) {}
    TVarRec(bool) = delete;

    Kind kind() const { return kind_; }
    qint64 integer() const { return integer_; }
    // Integers of more than 32 bits show their own width in %x and %u.
    bool wide() const { return wide_; }
    double floating() const { return float_; }
    const QString& text() const { return text_; }

private:
    Kind kind_;
    qint64 integer_ = 0;
    bool wide_ = false;
    double float_ = 0;
    QString text_;
};

// %[index:][-][width][.precision]type with types d u x e f g n m s (and "%%"); width and precision may be
// "*", taken from the arguments. A specifier that does not fit its argument, or has none, raises
// EConvertError "Format '%s' invalid or incompatible with argument" / "No argument for format '%s'".
QString Format(const QString& format, std::initializer_list<TVarRec> args,
               const TFormatSettings& settings = FormatSettings);

QString IntToStr(qint64 value);
// Upper-case hexadecimal, at least digits long; negative values in two's complement of their width.
QString IntToHex(int value, int digits);
QString IntToHex(qint64 value, int digits);
