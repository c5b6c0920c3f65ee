// TLabel: static text with an accelerator character that focuses its FocusControl.
#pragma once

#include "platform/ui/Control.h"

#include <QLabel>

class TLabel : public ui::ControlOf<QLabel> {
public:
    explicit TLabel(QWidget* parent);

    // "&Name" underlines N when a FocusControl is set; "&&" shows one "&".
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    TControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TControl* control);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    bool WordWrap() const { return wordWrap(); }
    void SetWordWrap(bool wrap) { setWordWrap(wrap); }
    // The label takes the size of its text whenever the caption or font changes.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    bool Transparent() const { return !autoFillBackground(); }
    void SetTransparent(bool transparent) { setAutoFillBackground(!transparent); }

private:
    void Refresh();

    QString caption_;
    TControl* focusControl_ = nullptr;
    TAlignment alignment_ = taLeftJustify;
    bool autoSize_ = true;
};

namespace ui {

// A caption without its accelerator marks: "&Save" -> "Save", "A && B" -> "A & B".
QString StripAccelChars(const QString& caption);

}  // namespace ui
