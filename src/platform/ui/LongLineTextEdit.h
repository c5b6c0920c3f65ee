// LongLineTextEdit: a plain-text box that stays quick on lines of any length.
#pragma once

#include <QPlainTextEdit>

namespace ui {

// Qt lays out a paragraph as a whole at every change of it, in time that grows faster than its length (a line of a
// megabyte takes seconds). This box holds a line longer than kLinePieceLength as pieces in paragraphs of their own,
// joined again wherever the text leaves the box: Text(), copying and dragging. Typing, deleting and pasting treat
// the joins as no character. Use Text() and SetText() instead of toPlainText() and setPlainText().
class LongLineTextEdit : public QPlainTextEdit {
public:
    static constexpr int kLinePieceLength = 1024;

    explicit LongLineTextEdit(QWidget* parent);

    // The text, lines ended by line feeds.
    QString Text() const;
    // Replaces the text as setPlainText does: the caret at the start, nothing to undo.
    void SetText(const QString& text);
    // Positions in Text() and in the document differ by the joins before them.
    int TextPosition(int documentPosition) const;
    int DocumentPosition(int textPosition) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void PressKey(QKeyEvent* event);
    QString TextBetween(int from, int to) const;
    // Inserts text at the cursor, its long lines in pieces.
    static void InsertText(QTextCursor& cursor, const QString& text);
    // After a removal the paragraph left at the position may carry the joins of a paragraph that went; its
    // neighbours, untouched, still know them.
    void MendJoins(int position, int removed);

    bool mending_ = false;
};

}  // namespace ui
