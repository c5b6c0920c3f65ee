// The multi-line window of a word-wrapping edit: a text box over the edit that shares its text, keys, focus
// and read-only state; the edit's text stays the one the field and the key stages work on.
#include "controls/edit/WwDBEdit.h"

#include "platform/ui/Dispatch.h"
#include "platform/ui/KeyRouting.h"
#include "platform/ui/LongLineTextEdit.h"

#include <QFocusEvent>
#include <limits>

namespace {

// Enter and exit of the edit happen when its multi-line window takes or loses the focus.
class LinesFocus : public QObject {
public:
    LinesFocus(QPlainTextEdit& lines, TControl& control) : QObject(&lines), control_(control) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut) return false;
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::PopupFocusReason) return false;
        ui::Dispatch(&control_.Widget(), [&] {
            if (event->type() == QEvent::FocusIn) control_.HandleEnter();
            else if (reason != Qt::ActiveWindowFocusReason) control_.HandleExit();
        });
        return false;
    }

private:
    TControl& control_;
};

// The edit keeps line breaks as CR LF, as stored texts have them; the window shows plain line feeds.
QString ToWindowText(const QString& text) {
    QString lines = text;
    return lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString FromWindowText(const QString& lines) {
    QString text = lines;
    return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

}  // namespace

void TwwDBCustomEdit::UpdateLinesEditor() {
    if (!wordWrap_) {
        if (lines_) {
            setFocusProxy(nullptr);
            delete lines_;
            lines_ = nullptr;
            setEchoMode(PasswordChar().isNull() ? QLineEdit::Normal : QLineEdit::Password);
        }
        return;
    }
    if (!lines_) {
        lines_ = new ui::LongLineTextEdit(this);
        lines_->setFrameShape(QFrame::NoFrame);
        lines_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        lines_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        lines_->setTabChangesFocus(true);
        lines_->SetText(ToWindowText(text()));
        // The window shows the text: the edit under it need not lay all of it out again as one line at every change.
        setEchoMode(QLineEdit::NoEcho);
        lines_->setReadOnly(isReadOnly());
        setFocusProxy(lines_);
        ui::ForwardKeys(*lines_, *this);
        lines_->installEventFilter(new LinesFocus(*lines_, *this));
        connect(lines_, &QPlainTextEdit::textChanged, this, [this] {
            ui::Dispatch(this, [this] {
                if (syncingLines_) return;
                syncingLines_ = true;
                setText(FromWindowText(lines_->Text()));
                setModified(true);
                syncingLines_ = false;
            });
        });
        connect(this, &QLineEdit::textChanged, lines_, [this] {
            ui::Dispatch(this, [this] {
                if (syncingLines_ || FromWindowText(lines_->Text()) == text()) return;
                syncingLines_ = true;
                lines_->SetText(ToWindowText(text()));
                syncingLines_ = false;
            });
        });
        // A memo's text is not held to the one-line limit.
        if (MaxLength() == 0) setMaxLength(std::numeric_limits<int>::max());
        lines_->show();
    }
    lines_->setVerticalScrollBarPolicy(showVertScrollBar_ ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    PlaceLinesEditor();
}

void TwwDBCustomEdit::PlaceLinesEditor() {
    if (!lines_) return;
    const int inset = hasFrame() ? 2 : 0;
    lines_->setGeometry(rect().adjusted(inset, inset, -inset, -inset));
}

void TwwDBCustomEdit::SelectAllText() {
    selectAll();
    if (lines_) lines_->selectAll();
}

void TwwDBCustomEdit::changeEvent(QEvent* event) {
    ui::Dispatch(this, [&] {
        TwwCustomMaskEdit::changeEvent(event);
        if (event->type() == QEvent::ReadOnlyChange && lines_) lines_->setReadOnly(isReadOnly());
    });
}
