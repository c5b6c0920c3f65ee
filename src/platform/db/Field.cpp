// TField and its typed classes: conversions between the stored value and texts, numbers and dates.
#include "platform/db/Field.h"

#include "platform/db/DataSet.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/NumberParse.h"

#include <cmath>

TField::TField(TFieldType dataType, int size) : dataType_(dataType), size_(size) {}

TField::~TField() = default;

void TField::LayoutChanged() const {
    if (dataSet_) dataSet_->FieldLayoutChanged();
}

void TField::SetDisplayLabel(const QString& label) {
    displayLabel_ = label;
    LayoutChanged();
}

int TField::DisplayWidth() const { return displayWidth_ > 0 ? displayWidth_ : DefaultDisplayWidth(); }

void TField::SetDisplayWidth(int width) {
    displayWidth_ = width;
    LayoutChanged();
}

void TField::SetVisible(bool visible) {
    visible_ = visible;
    LayoutChanged();
}

void TField::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    LayoutChanged();
}

void TField::SetDisplayFormat(const QString& format) {
    displayFormat_ = format;
    LayoutChanged();
}

int TField::Index() const { return dataSet_ ? dataSet_->FieldIndex(this) : -1; }

void TField::SetIndex(int index) {
    if (dataSet_) dataSet_->MoveField(this, index);
}

QVariant TField::Value() const {
    if (!dataSet_) return {};
    return dataSet_->GetFieldValue(*this);
}

void TField::SetValue(const QVariant& value) {
    if (!dataSet_) DatabaseError(QStringLiteral("Field '%1' has no dataset").arg(fieldName_));
    dataSet_->SetFieldValue(*this, value.isNull() ? QVariant() : Normalize(value));
}

QVariant TField::OldValue() const { return dataSet_ ? dataSet_->GetOldFieldValue(*this) : QVariant(); }

QVariant TField::Normalize(const QVariant& value) const { return value; }

void TField::RaiseConvert(const QString& typeWord, const QString& text) const {
    throw EConvertError(QStringLiteral("'%1' is not a valid %2").arg(text, typeWord));
}

void TField::RaiseRange(const QVariant& value, double min, double max) const {
    throw EDatabaseError(QStringLiteral("%1 is not a valid value for field '%2'. The allowed range is %3 to %4")
                             .arg(value.toString(), fieldName_, FloatToStr(min), FloatToStr(max)));
}

QString TField::AsString() const {
    const QVariant value = Value();
    return value.isNull() ? QString() : FormatText(value, false);
}

void TField::SetAsString(const QString& text) { SetValue(text); }

qint64 TField::AsInteger() const {
    const QVariant value = Value();
    if (value.isNull()) return 0;
    if (value.typeId() == QMetaType::QString) return StrToInt64(value.toString());
    if (value.typeId() == QMetaType::Double) return static_cast<qint64>(std::llround(value.toDouble()));
    return value.toLongLong();
}

double TField::AsFloat() const {
    const QVariant value = Value();
    if (value.isNull()) return 0;
    if (value.typeId() == QMetaType::QString) return StrToFloat(value.toString());
    return value.toDouble();
}

TDateTime TField::AsDateTime() const {
    const QVariant value = Value();
    if (value.isNull()) return 0;
    if (value.typeId() == QMetaType::QString) return StrToDateTime(value.toString());
    return value.toDouble();
}

void TField::SetAsDateTime(TDateTime value) { SetValue(value); }

bool TField::AsBoolean() const {
    const QVariant value = Value();
    if (value.isNull()) return false;
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
        if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
        RaiseConvert(QStringLiteral("boolean value"), text);
    }
    return value.toDouble() != 0;
}

QString TField::FormatText(const QVariant& value, bool) const { return value.toString(); }

QString TField::DisplayText() const {
    const QVariant value = Value();
    QString text = value.isNull() ? QString() : FormatText(value, true);
    if (OnGetText) OnGetText(const_cast<TField&>(*this), text, true);
    return text;
}

QString TField::Text() const {
    const QVariant value = Value();
    QString text = value.isNull() ? QString() : FormatText(value, false);
    if (OnGetText) OnGetText(const_cast<TField&>(*this), text, false);
    return text;
}

void TField::SetText(const QString& text) {
    if (OnSetText) {
        OnSetText(*this, text);
        return;
    }
    if (text.isEmpty() && dataType_ != ftString && dataType_ != ftWideString && dataType_ != ftMemo) {
        Clear();
        return;
    }
    SetAsString(text);
}

bool TField::IsValidChar(QChar ch) const { return ch.unicode() >= 32 || ch == u'\t'; }

bool TField::CanModify() const {
    if (readOnly_ || !dataSet_) return false;
    if (fieldKind_ == fkCalculated || fieldKind_ == fkLookup) return dataSet_->State() == dsCalcFields;
    return dataSet_->CanModify();
}

void TField::FocusControl() {
    if (dataSet_) dataSet_->FocusField(*this);
}

// Text fields keep their text as given; the engine refuses a text longer than the column.
QVariant TStringField::Normalize(const QVariant& value) const {
    if (value.typeId() == QMetaType::Bool) return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (value.typeId() == QMetaType::Double) return FloatToStr(value.toDouble());
    return value.toString();
}

bool TNumericField::IsValidChar(QChar ch) const {
    return ch.isDigit() || ch == u'+' || ch == u'-' || ch == FormatSettings.DecimalSeparator || ch == u'E' ||
           ch == u'e';
}

QString TNumericField::AsString() const {
    const QVariant value = Value();
    return value.isNull() ? QString() : PlainText(value);
}

QString TNumericField::FormatText(const QVariant& value, bool displayText) const {
    const QString format = displayText || EditFormat().isEmpty() ? DisplayFormat() : EditFormat();
    if (format.isEmpty()) return PlainText(value);
    return FormatFloat(format, value.toDouble());
}

TIntegerField::TIntegerField(TFieldType type, double min, double max) : TNumericField(type), min_(min), max_(max) {
    SetAlignment(taRightJustify);
}

QVariant TIntegerField::Normalize(const QVariant& value) const {
    qint64 number = 0;
    if (value.typeId() == QMetaType::QString) {
        if (!TryStrToInt64(value.toString().trimmed(), number))
            RaiseConvert(QStringLiteral("integer value"), value.toString());
    } else if (value.typeId() == QMetaType::Bool) {
        number = value.toBool() ? -1 : 0;
    } else if (value.typeId() == QMetaType::Double) {
        number = static_cast<qint64>(std::llround(value.toDouble()));
    } else {
        bool ok = false;
        number = value.toLongLong(&ok);
        if (!ok) RaiseConvert(QStringLiteral("integer value"), value.toString());
    }
    if (number < min_ || number > max_) RaiseRange(number, min_, max_);
    return number;
}

QString TIntegerField::PlainText(const QVariant& value) const { return QString::number(value.toLongLong()); }

TFloatField::TFloatField(TFieldType type) : TNumericField(type) { SetAlignment(taRightJustify); }

QVariant TFloatField::Normalize(const QVariant& value) const {
    if (value.typeId() == QMetaType::QString) {
        double number = 0;
        if (!TryStrToFloat(value.toString().trimmed(), number))
            RaiseConvert(QStringLiteral("floating point value"), value.toString());
        return number;
    }
    if (value.typeId() == QMetaType::Bool) return value.toBool() ? -1.0 : 0.0;
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok) RaiseConvert(QStringLiteral("floating point value"), value.toString());
    return number;
}

QString TFloatField::PlainText(const QVariant& value) const {
    return FloatToStrF(value.toDouble(), ffGeneral, Precision, 0);
}

QString TFloatField::FormatText(const QVariant& value, bool displayText) const {
    const QString format = displayText || EditFormat().isEmpty() ? DisplayFormat() : EditFormat();
    if (!format.isEmpty()) return FormatFloat(format, value.toDouble());
    if (Currency)
        return FloatToStrF(value.toDouble(), displayText ? ffCurrency : ffFixed, Precision,
                           FormatSettings.CurrencyDecimals);
    return PlainText(value);
}

QVariant TBCDField::Normalize(const QVariant& value) const {
    return std::round(TFloatField::Normalize(value).toDouble() * 10000.0) / 10000.0;
}

QString TBooleanField::TrueText() const {
    return DisplayValues.isEmpty() ? QStringLiteral("True") : DisplayValues.section(u';', 0, 0);
}

QString TBooleanField::FalseText() const {
    return DisplayValues.isEmpty() ? QStringLiteral("False") : DisplayValues.section(u';', 1, 1);
}

QVariant TBooleanField::Normalize(const QVariant& value) const {
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        if (text.compare(TrueText(), Qt::CaseInsensitive) == 0) return true;
        if (text.compare(FalseText(), Qt::CaseInsensitive) == 0) return false;
        RaiseConvert(QStringLiteral("boolean value"), text);
    }
    return value.toDouble() != 0;
}

void TBooleanField::SetAsString(const QString& text) {
    if (text.isEmpty()) {
        Clear();
        return;
    }
    SetValue(text);
}

QString TBooleanField::FormatText(const QVariant& value, bool) const {
    return value.toDouble() != 0 ? TrueText() : FalseText();
}

QVariant TDateTimeField::Normalize(const QVariant& value) const {
    if (value.typeId() == QMetaType::QString) {
        TDateTime result = 0;
        if (!TryStrToDateTime(value.toString().trimmed(), result))
            RaiseConvert(QStringLiteral("date and time"), value.toString());
        return result;
    }
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok) RaiseConvert(QStringLiteral("date and time"), value.toString());
    return number;
}

void TDateTimeField::SetAsString(const QString& text) {
    if (text.trimmed().isEmpty()) {
        Clear();
        return;
    }
    SetValue(text);
}

QString TDateTimeField::FormatText(const QVariant& value, bool displayText) const {
    if (displayText && !DisplayFormat().isEmpty()) return FormatDateTime(DisplayFormat(), value.toDouble());
    return DateTimeToStr(value.toDouble());
}

QByteArray TBlobField::AsBytes() const {
    const QVariant value = Value();
    return value.typeId() == QMetaType::QString ? value.toString().toUtf8() : value.toByteArray();
}

QVariant TBlobField::Normalize(const QVariant& value) const {
    return value.typeId() == QMetaType::QString ? value.toString().toUtf8() : value.toByteArray();
}

// Browsing shows the kind of data, in capitals when there is some.
QString TBlobField::FormatText(const QVariant& value, bool displayText) const {
    if (!displayText) return QString::fromUtf8(value.toByteArray());
    const bool empty = value.toByteArray().isEmpty();
    if (DataType() == ftGraphic) return empty ? QStringLiteral("(Graphic)") : QStringLiteral("(GRAPHIC)");
    return empty ? QStringLiteral("(Blob)") : QStringLiteral("(BLOB)");
}

QVariant TMemoField::Normalize(const QVariant& value) const {
    return value.typeId() == QMetaType::QByteArray ? QString::fromUtf8(value.toByteArray()) : value.toString();
}

QString TMemoField::FormatText(const QVariant& value, bool displayText) const {
    if (!displayText) return value.toString();
    return value.toString().isEmpty() ? QStringLiteral("(Memo)") : QStringLiteral("(MEMO)");
}
