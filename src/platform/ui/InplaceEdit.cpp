// TInplaceEdit and the grid's side of it: when the editor shows, what it loads and where its text goes.
#include "platform/ui/InplaceEdit.h"

#include "platform/ui/CustomGrid.h"
#include "platform/ui/Dispatch.h"

TInplaceEdit::TInplaceEdit(TCustomGrid& grid) : TEdit(grid.viewport()), grid_(grid) {
    setFrame(false);
    hide();
    QObject::connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!loading_) ui::Dispatch(this, [&] { grid_.SetEditText(grid_.Col(), grid_.Row(), text); });
    });
}

void TInplaceEdit::UpdateContents() {
    loading_ = true;
    original_ = grid_.GetEditText(grid_.Col(), grid_.Row());
    SetMaxLength(grid_.GetEditLimit());
    SetEditMask(grid_.GetEditMask(grid_.Col(), grid_.Row()));
    SetText(original_);
    loading_ = false;
    SelectAll();
}

void TInplaceEdit::RestoreContents() {
    SetText(original_);
    SelectAll();
}

// A cell that runs on past the grid's visible area (a wide last column, under the scroll bar) gets an editor
// cut to what shows, so that its text scrolls inside what the user sees.
void TInplaceEdit::Place(const TRect& rect) {
    const QRect visible = ui::ToQRect(rect).intersected(grid_.viewport()->rect());
    setGeometry(visible.isEmpty() ? ui::ToQRect(rect) : visible);
}

bool TInplaceEdit::Accepts(QChar key) {
    if (key.unicode() >= 32 && !grid_.CanEditAcceptKey(key)) return false;
    return grid_.CanEditModify();
}

void TInplaceEdit::TypeCharacter(QChar key) {
    // Through the editor's own key press, as if typed in it.
    KeyPress(key);
    if (key.isNull()) return;
    if (key == QChar('\b')) backspace();
    else insert(QString(key));
}

bool TInplaceEdit::WantsKey(Word key, TShiftState shift) const {
    switch (key) {
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT: return true;
        case VK_TAB: return grid_.Options().Contains(goTabs);
        // Enter and Esc end the edit, unless the editor always shows.
        case VK_RETURN:
        case VK_ESCAPE: return !grid_.Options().Contains(goAlwaysShowEditor);
        default: return TEdit::WantsKey(key, shift);
    }
}

void TInplaceEdit::SendToGrid(Word& key, TShiftState shift) {
    grid_.KeyDown(key, shift);
    key = 0;
}

void TInplaceEdit::KeyDown(Word& key, TShiftState shift) {
    TEdit::KeyDown(key, shift);
    // With the editor always showing, the caret walks out of the text into the next cell.
    const bool forward = grid_.Options().Contains(goAlwaysShowEditor) && selectionLength() == 0;
    const bool atStart = cursorPosition() == 0;
    const bool atEnd = cursorPosition() == text().size();
    switch (key) {
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_ESCAPE: SendToGrid(key, shift); break;
        case VK_TAB:
            if (!shift.Contains(ssAlt)) SendToGrid(key, shift);
            break;
        case VK_LEFT:
        case VK_HOME:
            if (forward && atStart) SendToGrid(key, shift);
            break;
        case VK_RIGHT:
        case VK_END:
            if (forward && atEnd) SendToGrid(key, shift);
            break;
        case VK_DELETE:
            if (!grid_.CanEditModify()) key = 0;
            break;
        default: break;
    }
}

void TInplaceEdit::KeyPress(QChar& key) {
    TEdit::KeyPress(key);
    if (key.isNull()) return;
    if (key == QChar('\r')) {
        grid_.KeyPress(key);
        key = QChar();
        return;
    }
    // Tab and Esc were handled as keys.
    if (key == QChar('\t') || key.unicode() == 27) {
        key = QChar();
        return;
    }
    if ((key == QChar('\b') || key.unicode() >= 32) && !Accepts(key)) key = QChar();
}

void TCustomGrid::SetEditorMode(bool on) {
    if (on) ShowEditor();
    else HideEditor();
}

void TCustomGrid::ShowEditor() {
    editorMode_ = true;
    UpdateEditor();
}

void TCustomGrid::HideEditor() {
    if (options_.Contains(goAlwaysShowEditor)) return;
    editorMode_ = false;
    UpdateEditor();
}

void TCustomGrid::InvalidateEditor() {
    if (editor_ && editor_->isVisible()) editor_->UpdateContents();
}

void TCustomGrid::UpdateEditor() {
    const TRect rect = CellRect(Col(), Row());
    const bool show = CanEditShow() && rect.Width() > 0 && rect.Height() > 0;
    if (!show) {
        if (editor_ && editor_->isVisible()) {
            const bool hadFocus = editor_->hasFocus();
            editor_->hide();
            if (hadFocus) setFocus();
        }
        return;
    }
    if (!editor_) editor_ = CreateEditor();
    const bool shownBefore = editor_->isVisible();
    // A new cell loads its text; a scroll only moves the editor.
    if (!shownBefore || editorCell_ != current_) editor_->UpdateContents();
    editorCell_ = current_;
    editor_->Place(rect);
    editor_->show();
    if (window()->focusWidget() == this) editor_->setFocus();
}

TInplaceEdit* TCustomGrid::CreateEditor() { return new TInplaceEdit(*this); }

bool TCustomGrid::CanEditShow() {
    return options_.Contains(goEditing) && !options_.Contains(goRowSelect) &&
           (editorMode_ || options_.Contains(goAlwaysShowEditor));
}

bool TCustomGrid::CanEditAcceptKey(QChar) { return true; }
bool TCustomGrid::CanEditModify() { return true; }
QString TCustomGrid::GetEditText(int, int) { return {}; }
void TCustomGrid::SetEditText(int, int, const QString&) {}
int TCustomGrid::GetEditLimit() { return 0; }
QString TCustomGrid::GetEditMask(int, int) { return {}; }
