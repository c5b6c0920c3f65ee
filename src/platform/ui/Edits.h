// Single-line and multi-line text boxes with the framework's members.
#pragma once

#include "platform/ui/Control.h"
#include "platform/ui/ControlStrings.h"
#include "platform/ui/LongLineTextEdit.h"

#include <QLineEdit>
#include <QStringList>

class TEdit : public ui::ControlOf<QLineEdit> {
public:
    explicit TEdit(QWidget* parent);

    // Virtual: a masked edit reads and writes its value without the mask's formatting.
    virtual QString Text() const { return text(); }
    virtual void SetText(const QString& text) { setText(text); }
    // A non-null character masks the text (the platform draws its own mask character).
    QChar PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(QChar ch);
    // 0: no limit.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);
    bool ReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool readOnly) { setReadOnly(readOnly); }
    int SelStart() const;
    void SetSelStart(int start) { setCursorPosition(start); }
    int SelLength() const { return selectionLength(); }
    void SetSelLength(int length) { setSelection(SelStart(), length); }
    QString SelText() const { return selectedText(); }
    void SelectAll() { selectAll(); }
    void Clear() { clear(); }

    bool WantsKey(Word key, TShiftState shift) const override;

    // Runs when the text changes, by the user or by code.
    TNotifyEvent OnChange;

protected:
    // The colour fills the box where the text is, as it does in a memo.
    QPalette::ColorRole BackgroundRole() const override { return QPalette::Base; }

private:
    QChar passwordChar_;
    int maxLength_ = 0;
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public ui::ControlOf<ui::LongLineTextEdit> {
public:
    explicit TMemo(QWidget* parent);

    TStrings& Lines() { return lines_; }
    const TStrings& Lines() const { return lines_; }
    QString Text() const { return LongLineTextEdit::Text(); }
    void SetText(const QString& text) { LongLineTextEdit::SetText(text); }
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle style);
    bool WordWrap() const { return lineWrapMode() != QPlainTextEdit::NoWrap; }
    void SetWordWrap(bool wrap) { setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap); }
    bool ReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool readOnly) { setReadOnly(readOnly); }
    // Enter types a line break (else it goes to the form's default button); Tab types a tab.
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool want) { wantReturns_ = want; }
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool want) { wantTabs_ = want; }
    void Clear() { clear(); }

    bool WantsKey(Word key, TShiftState shift) const override;

    TNotifyEvent OnChange;

protected:
    QPalette::ColorRole BackgroundRole() const override { return QPalette::Base; }

private:
    ui::MemoStrings lines_{*this};
    TScrollStyle scrollBars_ = ssNone;
    bool wantReturns_ = true;
    bool wantTabs_ = false;
};
