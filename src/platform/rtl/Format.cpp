// Format and integers as text.
#include "platform/rtl/Format.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FloatFormat.h"

#include <vector>

namespace {

class Formatter {
public:
    Formatter(const QString& format, std::initializer_list<TVarRec> args, const TFormatSettings& settings)
        : f_(format), args_(args), s_(settings) {}

    QString Run() {
        QString out;
        while (pos_ < f_.size()) {
            const QChar c = f_[pos_++];
            if (c != u'%') {
                out += c;
            } else if (pos_ < f_.size() && f_[pos_] == u'%') {
                out += u'%';
                ++pos_;
            } else {
                out += Specifier();
            }
        }
        return out;
    }

private:
    QString Specifier() {
        int number = ReadNumber();
        if (pos_ < f_.size() && f_[pos_] == u':') {  // an argument index
            if (number < 0) Invalid();
            next_ = number;
            ++pos_;
            number = ReadNumber();
        }
        bool left = false;
        if (number < 0 && pos_ < f_.size() && f_[pos_] == u'-') {
            left = true;
            ++pos_;
            number = ReadNumber();
        }
        const int width = number;
        int precision = -1;
        if (pos_ < f_.size() && f_[pos_] == u'.') {
            ++pos_;
            precision = ReadNumber();
            if (precision < 0) precision = 0;
        }
        if (pos_ >= f_.size()) Invalid();
        const QString text = Convert(f_[pos_++].toLower(), precision);
        if (width <= text.size()) return text;
        return left ? text.leftJustified(width) : text.rightJustified(width);
    }

    QString Convert(QChar type, int precision) {
        const TVarRec& arg = NextArg();
        switch (type.unicode()) {
            case u'd':
            case u'u': {
                if (arg.kind() != TVarRec::Kind::Integer) Invalid();
                qint64 v = arg.integer();
                if (type == u'u' && v < 0) {
                    if (!arg.wide()) v = static_cast<quint32>(v);
                    else return QString::number(static_cast<quint64>(v)).rightJustified(precision, u'0');
                }
                const QString digits = QString::number(v < 0 ? -v : v).rightJustified(precision, u'0');
                return v < 0 ? u'-' + digits : digits;
            }
            case u'x':
                if (arg.kind() != TVarRec::Kind::Integer) Invalid();
                return arg.wide() ? IntToHex(arg.integer(), precision)
                                  : IntToHex(static_cast<int>(arg.integer()), precision);
            case u'e': return FloatToStrF(Float(arg), ffExponent, precision < 0 ? 15 : precision, 3, s_);
            case u'f': return FloatToStrF(Float(arg), ffFixed, 18, precision < 0 ? 2 : precision, s_);
            case u'g': return FloatToStrF(Float(arg), ffGeneral, precision < 0 ? 15 : precision, 3, s_);
            case u'n': return FloatToStrF(Float(arg), ffNumber, 18, precision < 0 ? 2 : precision, s_);
            case u'm':
                return FloatToStrF(Float(arg), ffCurrency, 18, precision < 0 ? s_.CurrencyDecimals : precision, s_);
            case u's':
                if (arg.kind() != TVarRec::Kind::String && arg.kind() != TVarRec::Kind::Char) Invalid();
                return precision < 0 ? arg.text() : arg.text().left(precision);
        }
        Invalid();
    }

    double Float(const TVarRec& arg) {
        if (arg.kind() != TVarRec::Kind::Float) Invalid();
        return arg.floating();
    }

    // A run of digits, "*" (the next argument, an integer), or -1 when neither stands here.
    int ReadNumber() {
        if (pos_ < f_.size() && f_[pos_] == u'*') {
            ++pos_;
            const TVarRec& arg = NextArg();
            if (arg.kind() != TVarRec::Kind::Integer) Invalid();
            return static_cast<int>(arg.integer());
        }
        int number = -1;
        while (pos_ < f_.size() && f_[pos_] >= u'0' && f_[pos_] <= u'9')
            number = qMax(number, 0) * 10 + (f_[pos_++].unicode() - u'0');
        return number;
    }

    const TVarRec& NextArg() {
        if (next_ >= args_.size()) throw EConvertError(QStringLiteral("No argument for format '%1'").arg(f_));
        return args_[next_++];
    }

    [[noreturn]] void Invalid() {
        throw EConvertError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(f_));
    }

    const QString& f_;
    std::vector<TVarRec> args_;
    const TFormatSettings& s_;
    qsizetype pos_ = 0;
    size_t next_ = 0;
};

}  // namespace

QString Format(const QString& format, std::initializer_list<TVarRec> args, const TFormatSettings& settings) {
    return Formatter(format, args, settings).Run();
}

QString IntToStr(qint64 value) { return QString::number(value); }

QString IntToHex(int value, int digits) {
    return QString::number(static_cast<quint32>(value), 16).toUpper().rightJustified(digits, u'0');
}

QString IntToHex(qint64 value, int digits) {
    return QString::number(static_cast<quint64>(value), 16).toUpper().rightJustified(digits, u'0');
}
