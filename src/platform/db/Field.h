// TField, a dataset column as the program sees it: value conversions, display texts and layout properties.
#pragma once

#include "platform/db/DbTypes.h"
#include "platform/rtl/DateUtils.h"

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <functional>

class TDataSet;

class TField {
public:
    explicit TField(TFieldType dataType, int size = 0);
    virtual ~TField();
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    TDataSet* DataSet() const { return dataSet_; }
    TFieldType DataType() const { return dataType_; }
    TFieldKind FieldKind() const { return fieldKind_; }
    void SetFieldKind(TFieldKind kind) { fieldKind_ = kind; }
    bool Calculated() const { return fieldKind_ == fkCalculated; }
    bool Lookup() const { return fieldKind_ == fkLookup; }
    // The column this field reads (-1 for calculated and lookup fields).
    int FieldNo() const { return fieldNo_; }

    const QString& FieldName() const { return fieldName_; }
    void SetFieldName(const QString& name) { fieldName_ = name; }
    // The field name when no label was set.
    QString DisplayLabel() const { return displayLabel_.isEmpty() ? fieldName_ : displayLabel_; }
    void SetDisplayLabel(const QString& label);
    int DisplayWidth() const;
    void SetDisplayWidth(int width);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // The position in the dataset's field list; setting it moves the field there.
    int Index() const;
    void SetIndex(int index);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool Required() const { return required_; }
    void SetRequired(bool required) { required_ = required; }
    int Size() const { return size_; }
    void SetSize(int size) { size_ = size; }
    const QString& DisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(const QString& format);
    const QString& EditFormat() const { return editFormat_; }
    void SetEditFormat(const QString& format) { editFormat_ = format; }
    const QString& EditMask() const { return editMask_; }
    void SetEditMask(const QString& mask) { editMask_ = mask; }

    // Lookup fields: the value of LookupResultField in the LookupDataSet row whose LookupKeyFields equal
    // this dataset's KeyFields (names separated by ";").
    QString KeyFields;
    TDataSet* LookupDataSet = nullptr;
    QString LookupKeyFields;
    QString LookupResultField;

    // The value of the record the dataset shows (or of the record a data link made active).
    QVariant Value() const;
    void SetValue(const QVariant& value);
    QVariant AsVariant() const { return Value(); }
    void SetAsVariant(const QVariant& value) { SetValue(value); }
    // The value the record had when it was read (the edit's starting point).
    QVariant OldValue() const;
    bool IsNull() const { return Value().isNull(); }
    void Clear() { SetValue(QVariant()); }

    virtual QString AsString() const;
    virtual void SetAsString(const QString& text);
    virtual qint64 AsInteger() const;
    void SetAsInteger(qint64 value) { SetValue(value); }
    virtual double AsFloat() const;
    void SetAsFloat(double value) { SetValue(value); }
    double AsCurrency() const { return AsFloat(); }
    void SetAsCurrency(double value) { SetAsFloat(value); }
    virtual TDateTime AsDateTime() const;
    void SetAsDateTime(TDateTime value);
    virtual bool AsBoolean() const;
    void SetAsBoolean(bool value) { SetValue(value); }

    // The text shown while browsing (DisplayFormat applies) and the text an editor starts from.
    QString DisplayText() const;
    QString Text() const;
    void SetText(const QString& text);
    QString EditText() const { return Text(); }
    void SetEditText(const QString& text) { SetText(text); }

    // Whether an editor may let the character be typed into this field.
    virtual bool IsValidChar(QChar ch) const;
    bool CanModify() const;
    // Asks the data links to move the focus to the control that edits this field.
    void FocusControl();

    std::function<void(TField&)> OnChange;
    std::function<void(TField&)> OnValidate;
    std::function<void(TField&, QString& text, bool displayText)> OnGetText;
    std::function<void(TField&, const QString& text)> OnSetText;

    // The value in this field's storage form; raises EConvertError or EDatabaseError when it does not fit.
    virtual QVariant Normalize(const QVariant& value) const;

protected:
    // The text of a non-null value; displayText tells browsing from editing.
    virtual QString FormatText(const QVariant& value, bool displayText) const;
    virtual int DefaultDisplayWidth() const { return 10; }
    [[noreturn]] void RaiseConvert(const QString& typeWord, const QString& text) const;
    [[noreturn]] void RaiseRange(const QVariant& value, double min, double max) const;
    void LayoutChanged() const;

private:
    friend class TDataSet;
    TDataSet* dataSet_ = nullptr;
    TFieldType dataType_;
    TFieldKind fieldKind_ = fkData;
    int fieldNo_ = -1;
    QString fieldName_;
    QString displayLabel_;
    int displayWidth_ = 0;
    bool visible_ = true;
    TAlignment alignment_ = taLeftJustify;
    bool readOnly_ = false;
    bool required_ = false;
    int size_;
    QString displayFormat_;
    QString editFormat_;
    QString editMask_;
};

class TStringField : public TField {
public:
    explicit TStringField(int size = 20) : TField(ftString, size) {}
    QVariant Normalize(const QVariant& value) const override;

protected:
    TStringField(TFieldType type, int size) : TField(type, size) {}
    int DefaultDisplayWidth() const override { return Size(); }
};

class TWideStringField : public TStringField {
public:
    explicit TWideStringField(int size = 20) : TStringField(ftWideString, size) {}
};

// Integer and float fields: right-aligned, DisplayFormat and EditFormat through FormatFloat.
class TNumericField : public TField {
public:
    using TField::TField;
    bool IsValidChar(QChar ch) const override;
    // The plain number, without DisplayFormat or EditFormat.
    QString AsString() const override;

protected:
    QString FormatText(const QVariant& value, bool displayText) const override;
    virtual QString PlainText(const QVariant& value) const = 0;
};

class TIntegerField : public TNumericField {
public:
    TIntegerField() : TIntegerField(ftInteger, -2147483647.0 - 1, 2147483647.0) {}
    QVariant Normalize(const QVariant& value) const override;

protected:
    TIntegerField(TFieldType type, double min, double max);
    QString PlainText(const QVariant& value) const override;
    int DefaultDisplayWidth() const override { return 11; }

private:
    double min_;
    double max_;
};

class TSmallintField : public TIntegerField {
public:
    TSmallintField() : TIntegerField(ftSmallint, -32768, 32767) {}

protected:
    int DefaultDisplayWidth() const override { return 6; }
};

class TWordField : public TIntegerField {
public:
    TWordField() : TIntegerField(ftWord, 0, 65535) {}

protected:
    int DefaultDisplayWidth() const override { return 5; }
};

class TAutoIncField : public TIntegerField {
public:
    TAutoIncField() : TIntegerField(ftAutoInc, -2147483647.0 - 1, 2147483647.0) { SetReadOnly(true); }
};

class TFloatField : public TNumericField {
public:
    TFloatField() : TFloatField(ftFloat) {}
    // Money values: default texts in the currency format.
    bool Currency = false;
    int Precision = 15;
    QVariant Normalize(const QVariant& value) const override;

protected:
    explicit TFloatField(TFieldType type);
    QString PlainText(const QVariant& value) const override;
    QString FormatText(const QVariant& value, bool displayText) const override;
};

class TCurrencyField : public TFloatField {
public:
    TCurrencyField() : TFloatField(ftCurrency) { Currency = true; }
};

// Fixed-point numbers with four decimals, as the engine keeps currency.
class TBCDField : public TFloatField {
public:
    TBCDField() : TFloatField(ftBCD) { Currency = true; }
    QVariant Normalize(const QVariant& value) const override;
};

class TBooleanField : public TField {
public:
    TBooleanField() : TField(ftBoolean) {}
    // "TrueText;FalseText"; empty means "True;False".
    QString DisplayValues;
    QVariant Normalize(const QVariant& value) const override;
    void SetAsString(const QString& text) override;

protected:
    QString FormatText(const QVariant& value, bool displayText) const override;
    int DefaultDisplayWidth() const override { return 5; }

private:
    QString TrueText() const;
    QString FalseText() const;
};

class TDateTimeField : public TField {
public:
    TDateTimeField() : TField(ftDateTime) {}
    QVariant Normalize(const QVariant& value) const override;
    void SetAsString(const QString& text) override;

protected:
    QString FormatText(const QVariant& value, bool displayText) const override;
    int DefaultDisplayWidth() const override { return 18; }
};

class TBlobField : public TField {
public:
    TBlobField() : TField(ftBlob) {}
    QByteArray AsBytes() const;
    QVariant Normalize(const QVariant& value) const override;
    bool IsValidChar(QChar ch) const override { return false; }

protected:
    explicit TBlobField(TFieldType type) : TField(type) {}
    QString FormatText(const QVariant& value, bool displayText) const override;
};

class TMemoField : public TBlobField {
public:
    TMemoField() : TBlobField(ftMemo) {}
    QVariant Normalize(const QVariant& value) const override;
    bool IsValidChar(QChar ch) const override { return true; }

protected:
    QString FormatText(const QVariant& value, bool displayText) const override;
};

class TGraphicField : public TBlobField {
public:
    TGraphicField() : TBlobField(ftGraphic) {}
};
