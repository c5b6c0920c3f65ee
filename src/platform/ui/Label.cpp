// TLabel over QLabel: accelerator marks, alignment and auto size.
#include "platform/ui/Label.h"

TLabel::TLabel(QWidget* parent) : ControlOf<QLabel>(parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TLabel::SetCaption(const QString& caption) {
    caption_ = caption;
    Refresh();
}

void TLabel::SetFocusControl(TControl* control) {
    focusControl_ = control;
    Refresh();
}

void TLabel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    const Qt::Alignment horizontal = alignment == taCenter         ? Qt::AlignHCenter
                                     : alignment == taRightJustify ? Qt::AlignRight
                                                                   : Qt::AlignLeft;
    setAlignment(horizontal | Qt::AlignTop);
}

void TLabel::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    Refresh();
}

void TLabel::Refresh() {
    // With a buddy Qt draws the accelerator itself; without one the marks are removed.
    setBuddy(focusControl_ ? &focusControl_->Widget() : nullptr);
    setText(focusControl_ ? caption_ : ui::StripAccelChars(caption_));
    if (autoSize_ && !wordWrap()) resize(sizeHint());
}

namespace ui {

QString StripAccelChars(const QString& caption) {
    QString result;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) ++i;
        else if (caption[i] == QLatin1Char('&')) continue;
        result += caption[i];
    }
    return result;
}

}  // namespace ui
