// TCustomMaskEdit and TMaskEdit: the framework's text box that types through an edit mask.
#pragma once

#include "platform/rtl/EditMask.h"
#include "platform/rtl/Exceptions.h"
#include "platform/ui/Edits.h"

// Raised when a masked text leaves a required position blank.
TAVORIN_DECLARE_EXCEPTION(EDBEditError, Exception)

// Without an edit mask it is a plain TEdit. With one, the box always shows the whole mask (EditText):
// typed characters overwrite the positions that take them, literals are stepped over and deleting leaves
// blanks; Text is the value, with or without the literals as the mask says.
class TCustomMaskEdit : public TEdit {
public:
    explicit TCustomMaskEdit(QWidget* parent);

    const QString& EditMask() const { return maskText_; }
    // Keeps the value (Text) and shows it through the new mask.
    void SetEditMask(const QString& mask);
    bool IsMasked() const { return mask_.IsMasked(); }
    const rtl::EditMask& Mask() const { return mask_; }

    // The text as shown, literals and blanks included.
    QString EditText() const { return text(); }
    void SetEditText(const QString& editText);
    QString Text() const override;
    void SetText(const QString& text) override;
    bool Modified() const { return isModified(); }
    void SetModified(bool modified) { setModified(modified); }

    // Raises EDBEditError with the caret on the first required position left blank.
    virtual void ValidateEdit();

    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(QChar& key) override;
    // Leaving a modified masked text checks it; a failed check takes the focus back.
    void DoExit() override;

private:
    void ShowEditText(const QString& editText);
    rtl::MaskedEditState State() const;
    void Apply(const rtl::MaskedEditState& state);
    void Paste();
    void Cut();

    QString maskText_;
    rtl::EditMask mask_;
};

class TMaskEdit : public TCustomMaskEdit {
public:
    using TCustomMaskEdit::TCustomMaskEdit;
};
