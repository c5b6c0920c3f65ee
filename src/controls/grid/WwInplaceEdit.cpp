// TwwInplaceEdit: typing through the current field's picture mask, the value check, word wrap and paste.
#include "controls/grid/WwInplaceEdit.h"

#include "controls/edit/Wwpict.h"
#include "controls/grid/Wwdbgrid.h"
#include "controls/grid/Wwdbigrd.h"
#include "platform/db/DataSource.h"
#include "platform/db/Field.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/KeyRouting.h"
#include "platform/ui/LongLineTextEdit.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QTextBlock>
#include <QTextCursor>

namespace {

// The characters before the selection and the selection's length, in the window that edits the text.
constexpr QChar kCtrlV(0x16);

struct Selection {
    int start = 0;
    int length = 0;
};

}  // namespace

TwwInplaceEdit::TwwInplaceEdit(TwwCustomDBGrid& grid) : TInplaceEdit(grid), grid_(grid) {
    SetWordWrap(grid.Options().Contains(dgWordWrap));
}

TwwInplaceEdit::~TwwInplaceEdit() = default;

bool TwwInplaceEdit::HasPictureMask() const { return usePictureMask_ && !picture_.PictureMask().isEmpty(); }

void TwwInplaceEdit::FireCheckValue(bool passes) {
    if (grid_.OnCheckValue) grid_.OnCheckValue(this, passes);
}

bool TwwInplaceEdit::CheckValue(const QString& text) {
    bool passes = true;
    if (!text.isEmpty() && HasPictureMask()) {
        QString checked = text;
        TwwPictureValidator validator(picture_.PictureMask(), picture_.AutoFill());
        passes = validator.Picture(checked, false) == TwwPictureValidator::Complete;
    }
    FireCheckValue(passes);
    return passes;
}

void TwwInplaceEdit::LoadPictureMask() {
    const TField* field = grid_.GetSelectedField();
    if (!field) return;
    QString mask;
    bool autoFill = true;
    bool use = true;
    grid_.GetFieldPictureMask(field->FieldName(), mask, autoFill, use);
    picture_.SetPictureMask(mask);
    picture_.SetAutoFill(autoFill);
    picture_.SetAllowInvalidExit(false);
    usePictureMask_ = use;
}

void TwwInplaceEdit::focusInEvent(QFocusEvent* event) {
    TInplaceEdit::focusInEvent(event);
    ui::Dispatch(this, [this] { Entered(); });
}

bool TwwInplaceEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lines_ && event->type() == QEvent::FocusIn) ui::Dispatch(this, [this] { Entered(); });
    return TInplaceEdit::eventFilter(watched, event);
}

void TwwInplaceEdit::Entered() {
    if (!grid_.DataSource() || !grid_.DataSource()->DataSet() || !grid_.GetSelectedField()) return;
    LoadPictureMask();
    // The form learns at once whether the stored value passes.
    CheckValue(grid_.GetSelectedField()->EditText());
}

void TwwInplaceEdit::UpdateContents() {
    TInplaceEdit::UpdateContents();
    // A cell of another field brings its own mask, also while the editor keeps the focus.
    LoadPictureMask();
    const int col = grid_.Col();
    const auto& info = grid_.ColumnInfo();
    const bool link = col >= 0 && col < int(info.size()) && info[col].Kind == QLatin1String("URL-Link");
    SetWordWrap(!link && grid_.Options().Contains(dgWordWrap));
    if (lines_) lines_->selectAll();
}

// ---- word wrap

void TwwInplaceEdit::SetWordWrap(bool value) {
    wordWrap_ = value;
    UpdateLines();
}

void TwwInplaceEdit::UpdateLines() {
    // A cell one line high has nowhere to wrap to: the plain one-line edit serves it.
    const bool wanted = wordWrap_ && height() >= 2 * fontMetrics().height();
    if (!wanted) {
        if (lines_) {
            setFocusProxy(nullptr);
            const bool hadFocus = lines_->hasFocus();
            delete lines_;
            lines_ = nullptr;
            setEchoMode(PasswordChar().isNull() ? QLineEdit::Normal : QLineEdit::Password);
            if (hadFocus) setFocus();
        }
        return;
    }
    if (!lines_) {
        const bool hadFocus = hasFocus();
        lines_ = new ui::LongLineTextEdit(this);
        lines_->setFrameShape(QFrame::NoFrame);
        lines_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        lines_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        lines_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        lines_->setTabChangesFocus(true);
        lines_->setContextMenuPolicy(Qt::NoContextMenu);
        lines_->document()->setDocumentMargin(1);
        lines_->SetText(text());
        // The window shows the text: the edit under it need not lay all of it out again as one line at every change.
        setEchoMode(QLineEdit::NoEcho);
        setFocusProxy(lines_);
        ui::ForwardKeys(*lines_, *this);
        lines_->installEventFilter(this);
        // The one-line text stays the one the grid reads; the window shows it wrapped.
        connect(lines_, &QPlainTextEdit::textChanged, this, [this] {
            ui::Dispatch(this, [this] {
                if (syncingLines_) return;
                syncingLines_ = true;
                setText(lines_->Text());
                syncingLines_ = false;
            });
        });
        connect(this, &QLineEdit::textChanged, lines_, [this] {
            ui::Dispatch(this, [this] {
                if (syncingLines_ || lines_->Text() == text()) return;
                syncingLines_ = true;
                lines_->SetText(text());
                lines_->moveCursor(QTextCursor::End);
                syncingLines_ = false;
            });
        });
        lines_->show();
        if (hadFocus) lines_->setFocus();
    }
    lines_->setGeometry(rect());
}

void TwwInplaceEdit::paintEvent(QPaintEvent* event) {
    if (!lines_) TInplaceEdit::paintEvent(event);
}

void TwwInplaceEdit::Place(const TRect& rect) {
    TInplaceEdit::Place(rect);
    UpdateLines();
}

// ---- keys

void TwwInplaceEdit::KeyDown(Word& key, TShiftState shift) {
    const bool paste =
        (key == 'V' && shift == TShiftState{ssCtrl}) || (key == VK_INSERT && shift == TShiftState{ssShift});
    pasteRefused_ = false;
    if (paste) {
        // A paste starts the edit as typing does; a cell that cannot be edited takes none.
        if (!grid_.CanEditModify()) {
            pasteRefused_ = true;
            key = 0;
        }
        return;
    }
    const bool deleting = key == VK_DELETE && shift == TShiftState{ssCtrl};
    if (key == VK_RETURN && grid_.KeyOptions.Contains(dgEnterToTab)) {
        grid_.FocusGrid();
        grid_.KeyDown(key, shift);
        key = 0;
        update();
        return;
    }
    if (deleting) {
        grid_.FocusGrid();
        grid_.KeyDown(key, shift);
        key = 0;
        update();
        return;
    }
    TInplaceEdit::KeyDown(key, shift);
}

void TwwInplaceEdit::KeyUp(Word& key, TShiftState shift) {
    if (key == VK_RETURN && grid_.KeyOptions.Contains(dgEnterToTab)) key = VK_TAB;
    TInplaceEdit::KeyUp(key, shift);
    if (key == VK_DELETE && grid_.OnCheckValue) CheckValue(Text());
}

void TwwInplaceEdit::contextMenuEvent(QContextMenuEvent* event) {
    // The menu's paste would change the text without starting the edit.
    event->accept();
}

void TwwInplaceEdit::KeyPress(QChar& key) {
    if (key == kCtrlV && pasteRefused_) {
        key = QChar();
        return;
    }
    TInplaceEdit::KeyPress(key);
    if (key.isNull()) return;
    if (key == QChar(u'\n') && dynamic_cast<const TFloatField*>(grid_.GetSelectedField())) {
        key = QChar();
        return;
    }
    if (!HasPictureMask()) return;
    if (key == QChar(u'\b')) {
        if (grid_.OnCheckValue) {
            QString remaining = Text();
            const int start = SelStart();
            if (SelLength() > 0) remaining.remove(start, SelLength());
            else if (start > 0) remaining.remove(start - 1, 1);
            CheckValue(remaining);
        }
        return;
    }
    if (key.unicode() > 31) TypeThroughMask(key);
}

bool TwwInplaceEdit::TypeThroughMask(QChar& key) {
    const QString old = Text();
    Selection selection{SelStart(), SelLength()};
    if (lines_) {
        const QTextCursor cursor = lines_->textCursor();
        const int start = lines_->TextPosition(cursor.selectionStart());
        selection = {start, lines_->TextPosition(cursor.selectionEnd()) - start};
    }
    const QString before = old.left(selection.start);
    const QString after = old.mid(selection.start + selection.length);
    QString candidate = before + key + after;
    const int limit = MaxLength();
    if (limit > 0 && limit < 32767 && candidate.size() > limit && old.size() < candidate.size()) return false;

    const bool autoFill = picture_.AutoFill();
    TwwPictureValidator validator(picture_.PictureMask(), autoFill);
    int result = validator.Picture(candidate, autoFill);
    if (autoFill && result == TwwPictureValidator::Error && dynamic_cast<TwwDBGrid*>(&grid_)) {
        // A literal the user typed over: a blank in its place lets the mask fill it in, then the key follows.
        QString blank = before + QLatin1Char(' ') + after;
        if (validator.Picture(blank, autoFill) <= TwwPictureValidator::Incomplete) {
            QString retried = blank + key;
            const int again = validator.Picture(retried, autoFill);
            if (again <= TwwPictureValidator::Incomplete) {
                candidate = retried;
                result = again;
            }
        }
    }
    bool passes = true;
    const bool wholeSelected = selection.start == 0 && selection.length == old.size() && !old.isEmpty();
    const int growth = int(candidate.size() - old.size());
    switch (result) {
        case TwwPictureValidator::Complete:
        case TwwPictureValidator::Incomplete: {
            passes = result == TwwPictureValidator::Complete;
            int caret = selection.start + (growth > 0 ? growth : 1);
            if (result == TwwPictureValidator::Incomplete) caret = selection.start + growth;
            if (wholeSelected) caret = int(candidate.size());
            caret = std::clamp(caret, 0, int(candidate.size()));
            SetText(candidate);
            setCursorPosition(caret);
            if (lines_) {
                QTextCursor cursor = lines_->textCursor();
                cursor.setPosition(lines_->DocumentPosition(caret));
                lines_->setTextCursor(cursor);
            }
            key = QChar();
            break;
        }
        case TwwPictureValidator::Error:
            if (selection.start + selection.length < old.size()) {
                passes = false;
                break;
            }
            key = QChar();
            QApplication::beep();
            return true;
        default: break;
    }
    FireCheckValue(passes);
    return key.isNull();
}
