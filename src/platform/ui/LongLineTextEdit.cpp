// LongLineTextEdit: long lines held as pieces in paragraphs of their own, joined again when read.
#include "platform/ui/LongLineTextEdit.h"

#include "platform/ui/Dispatch.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace ui {

namespace {

// A paragraph's marks: it goes on the line of the paragraph before, or its line goes on in the next one. Both sides
// of a join carry it, so that an edit that confuses one side is mended from the other.
constexpr int kJoinsPrevious = QTextFormat::UserProperty + 1;
constexpr int kJoinsNext = QTextFormat::UserProperty + 2;
// How far back from a piece's end a space is looked for, so that pieces end where a wrapped line would.
constexpr int kSpaceSearch = 64;

bool HasJoin(const QTextBlock& block, int mark) { return block.isValid() && block.blockFormat().boolProperty(mark); }

void MarkJoin(QTextBlockFormat& format, int mark, bool on) {
    if (on) format.setProperty(mark, true);
    else format.clearProperty(mark);
}

// Splits the paragraph at the cursor, joined or by a line break.
void SplitParagraph(QTextCursor& cursor, bool joined) {
    QTextBlockFormat before = cursor.blockFormat();
    QTextBlockFormat after = before;
    MarkJoin(before, kJoinsNext, joined);
    MarkJoin(after, kJoinsPrevious, joined);
    cursor.setBlockFormat(before);
    cursor.insertBlock(after);
}

// The paragraph's joins are the ones its neighbours know.
bool JoinsAgree(const QTextBlock& block) {
    return HasJoin(block, kJoinsPrevious) == HasJoin(block.previous(), kJoinsNext) &&
           HasJoin(block, kJoinsNext) == HasJoin(block.next(), kJoinsPrevious);
}

// The paragraph takes its joins from its neighbours.
void MendBlock(const QTextBlock& block) {
    QTextBlockFormat format = block.blockFormat();
    MarkJoin(format, kJoinsPrevious, HasJoin(block.previous(), kJoinsNext));
    MarkJoin(format, kJoinsNext, HasJoin(block.next(), kJoinsPrevious));
    QTextCursor(block).setBlockFormat(format);
}

// Removes the selection; the paragraph left at the cursor keeps the joins of its neighbours.
void RemoveSelection(QTextCursor& cursor) {
    if (!cursor.hasSelection()) return;
    cursor.removeSelectedText();
    if (!JoinsAgree(cursor.block())) MendBlock(cursor.block());
}

// The end of the piece of a line that starts at from.
qsizetype PieceEnd(const QString& text, qsizetype from, qsizetype lineEnd) {
    if (lineEnd - from <= LongLineTextEdit::kLinePieceLength) return lineEnd;
    qsizetype end = from + LongLineTextEdit::kLinePieceLength;
    for (qsizetype i = end; i > end - kSpaceSearch; --i)
        if (text[i - 1].isSpace()) return i;
    // A character stays whole: a surrogate pair, and a letter with its combining marks.
    while (end > from + 1 && (text[end].isLowSurrogate() || text[end].isMark())) --end;
    return end;
}

// Line breaks as the text box reads them from plain text.
QString WithLineFeeds(const QString& text) {
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    lines.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return lines;
}

}  // namespace

LongLineTextEdit::LongLineTextEdit(QWidget* parent) : QPlainTextEdit(parent) {
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int position, int removed, int) { ui::Dispatch(this, [&] { MendJoins(position, removed); }); });
}

QString LongLineTextEdit::Text() const { return TextBetween(0, document()->characterCount() - 1); }

QString LongLineTextEdit::TextBetween(int from, int to) const {
    QString text;
    text.reserve(to - from);
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        const int separator = block.position() + block.length() - 1;
        const int start = qMax(from, block.position()) - block.position();
        const int end = qMin(to, separator) - block.position();
        text += QStringView(block.text()).mid(start, end - start);
        if (separator < to && !HasJoin(block, kJoinsNext)) text += QLatin1Char('\n');
    }
    return text;
}

int LongLineTextEdit::TextPosition(int documentPosition) const {
    int joins = 0;
    for (QTextBlock block = document()->begin(); block.isValid() && block.position() <= documentPosition;
         block = block.next())
        if (HasJoin(block, kJoinsPrevious)) ++joins;
    return documentPosition - joins;
}

int LongLineTextEdit::DocumentPosition(int textPosition) const {
    int joins = 0;
    for (QTextBlock block = document()->begin(); block.isValid() && block.position() - joins <= textPosition;
         block = block.next())
        if (HasJoin(block, kJoinsPrevious)) ++joins;
    return textPosition + joins;
}

void LongLineTextEdit::SetText(const QString& text) {
    QTextDocument& doc = *document();
    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    cursor.setBlockFormat(QTextBlockFormat());
    InsertText(cursor, text);
    cursor.endEditBlock();
    doc.setUndoRedoEnabled(undo);
    doc.setModified(false);
    moveCursor(QTextCursor::Start);
}

void LongLineTextEdit::InsertText(QTextCursor& cursor, const QString& text) {
    const QString lines = WithLineFeeds(text);
    qsizetype lineStart = 0;
    for (;;) {
        qsizetype lineEnd = lines.indexOf(QLatin1Char('\n'), lineStart);
        if (lineEnd < 0) lineEnd = lines.size();
        for (qsizetype from = lineStart; from < lineEnd;) {
            const qsizetype to = PieceEnd(lines, from, lineEnd);
            if (from > lineStart) SplitParagraph(cursor, true);
            cursor.insertText(lines.mid(from, to - from));
            from = to;
        }
        if (lineEnd == lines.size()) return;
        SplitParagraph(cursor, false);
        lineStart = lineEnd + 1;
    }
}

void LongLineTextEdit::MendJoins(int position, int removed) {
    if (mending_ || removed == 0) return;
    const QTextBlock block = document()->findBlock(position);
    if (!block.isValid() || JoinsAgree(block)) return;
    mending_ = true;
    QTextCursor cursor(block);
    cursor.joinPreviousEditBlock();
    MendBlock(block);
    cursor.endEditBlock();
    mending_ = false;
}

void LongLineTextEdit::keyPressEvent(QKeyEvent* event) {
    ui::Dispatch(this, [&] { PressKey(event); });
}

void LongLineTextEdit::PressKey(QKeyEvent* event) {
    if (isReadOnly()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    QTextCursor cursor = textCursor();
    if (event->matches(QKeySequence::InsertParagraphSeparator) || event->matches(QKeySequence::InsertLineSeparator)) {
        cursor.beginEditBlock();
        RemoveSelection(cursor);
        // A break at a join makes the join a line break.
        if (cursor.atBlockStart() && HasJoin(cursor.block(), kJoinsPrevious)) {
            cursor.movePosition(QTextCursor::PreviousBlock);
            cursor.movePosition(QTextCursor::EndOfBlock);
        }
        if (cursor.atBlockEnd() && HasJoin(cursor.block(), kJoinsNext)) {
            QTextBlockFormat before = cursor.blockFormat();
            MarkJoin(before, kJoinsNext, false);
            cursor.setBlockFormat(before);
            cursor.movePosition(QTextCursor::NextBlock);
            QTextBlockFormat after = cursor.blockFormat();
            MarkJoin(after, kJoinsPrevious, false);
            cursor.setBlockFormat(after);
        } else {
            SplitParagraph(cursor, false);
        }
        cursor.endEditBlock();
        setTextCursor(cursor);
        ensureCursorVisible();
        event->accept();
        return;
    }
    // Deleting across a join deletes the character beyond it.
    if (!cursor.hasSelection() && event->key() == Qt::Key_Backspace) {
        while (cursor.atBlockStart() && HasJoin(cursor.block(), kJoinsPrevious))
            cursor.movePosition(QTextCursor::PreviousCharacter);
        setTextCursor(cursor);
    } else if (!cursor.hasSelection() && event->key() == Qt::Key_Delete) {
        while (cursor.atBlockEnd() && HasJoin(cursor.block(), kJoinsNext))
            cursor.movePosition(QTextCursor::NextCharacter);
        setTextCursor(cursor);
    }
    QPlainTextEdit::keyPressEvent(event);
}

QMimeData* LongLineTextEdit::createMimeDataFromSelection() const {
    auto* data = new QMimeData;
    ui::Dispatch(const_cast<LongLineTextEdit*>(this), [&] {
        const QTextCursor cursor = textCursor();
        data->setText(TextBetween(cursor.selectionStart(), cursor.selectionEnd()));
    });
    return data;
}

void LongLineTextEdit::insertFromMimeData(const QMimeData* source) {
    if (isReadOnly() || !source || !source->hasText()) return;
    ui::Dispatch(this, [&] {
        QTextCursor cursor = textCursor();
        cursor.beginEditBlock();
        RemoveSelection(cursor);
        InsertText(cursor, source->text());
        cursor.endEditBlock();
        setTextCursor(cursor);
        ensureCursorVisible();
    });
}

}  // namespace ui
