// The text box that holds long lines in pieces: what it reads back, and editing, copying and pasting at the joins.
#include "platform/ui/LongLineTextEdit.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QTextBlock>

namespace {

constexpr int kPiece = ui::LongLineTextEdit::kLinePieceLength;

// A line of three pieces and more, without spaces: its first join falls at kPiece.
QString LongWord() {
    QString line;
    for (int i = 0; i < 3 * kPiece + 100; ++i) line += QChar(u'a' + i % 26);
    return line;
}

// The caret at a document position, with the selection up to another.
void Select(ui::LongLineTextEdit& edit, int from, int to) {
    QTextCursor cursor = edit.textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    edit.setTextCursor(cursor);
}

int SecondPieceStart(const ui::LongLineTextEdit& edit) { return edit.document()->findBlockByNumber(1).position(); }

}  // namespace

TEST(LongLineTextEdit, ReadsBackEveryTextAsSet) {
    ui::LongLineTextEdit edit(nullptr);
    const QString word = LongWord();
    QString spaced;
    while (spaced.size() < 5 * kPiece) spaced += QStringLiteral("lorem ipsum ");
    const QString emojiAtJoin = QString(kPiece - 1, u'x') + QStringLiteral("\U0001F600") + QString(kPiece, u'y');
    const QString accentAtJoin = QString(kPiece, u'e') + QStringLiteral("\u0301\u0301") + QString(kPiece, u'y');
    const QString cases[] = {
        QString(),   QStringLiteral("one\n\ntwo\n"),
        word,        spaced,
        emojiAtJoin, QStringLiteral("short\n") + word + QStringLiteral("\n\n") + spaced + QStringLiteral("\nend")};
    for (const QString& text : cases) {
        edit.SetText(text);
        EXPECT_EQ(edit.Text(), text) << text.left(40).toStdString();
        EXPECT_FALSE(edit.document()->isUndoAvailable());
    }
    edit.SetText(word);
    EXPECT_GE(edit.document()->blockCount(), 4);
    // No piece starts inside a character.
    for (const QString& text : {emojiAtJoin, accentAtJoin}) {
        edit.SetText(text);
        const QString second = edit.document()->findBlockByNumber(1).text();
        EXPECT_FALSE(second.front().isLowSurrogate() || second.front().isMark()) << second.left(3).toStdString();
    }
    // Lines end as the box reads plain text.
    edit.SetText(QStringLiteral("a\r\nb\rc"));
    EXPECT_EQ(edit.Text(), QStringLiteral("a\nb\nc"));
}

TEST(LongLineTextEdit, KeysAtAJoinActOnTheCharactersAroundIt) {
    ui::LongLineTextEdit edit(nullptr);
    const QString word = LongWord();
    struct Case {
        const char* name;
        Qt::Key key;
        // Document positions relative to the second piece's start: that start and the end of the first piece before
        // it stand for the same place in the text.
        int selectFrom, selectTo;
        QString expected;
    };
    const Case cases[] = {
        {"backspace at a piece's start", Qt::Key_Backspace, 0, 0, word.left(kPiece - 1) + word.mid(kPiece)},
        {"delete at a piece's end", Qt::Key_Delete, -1, -1, word.left(kPiece) + word.mid(kPiece + 1)},
        {"enter at a join", Qt::Key_Return, 0, 0, word.left(kPiece) + u'\n' + word.mid(kPiece)},
        {"enter inside a piece", Qt::Key_Return, 2, 2, word.left(kPiece + 2) + u'\n' + word.mid(kPiece + 2)},
        // A selection from a piece's start into the next piece: Qt gives the paragraph left the later one's marks.
        {"delete from a piece's start on", Qt::Key_Delete, 0, kPiece + 5, word.left(kPiece) + word.mid(2 * kPiece + 4)},
        {"delete up to a piece's middle", Qt::Key_Delete, -10, 10, word.left(kPiece - 9) + word.mid(kPiece + 10)},
        {"typing over a piece's start", Qt::Key_Z, 0, kPiece + 5, word.left(kPiece) + u'z' + word.mid(2 * kPiece + 4)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        edit.SetText(word);
        const int join = SecondPieceStart(edit);
        Select(edit, join + c.selectFrom, join + c.selectTo);
        QTest::keyClick(&edit, c.key);
        EXPECT_EQ(edit.Text(), c.expected);
        // Typing goes on from the caret in the text.
        QTest::keyClick(&edit, Qt::Key_Y);
        const QString typed = edit.Text();
        EXPECT_EQ(typed.size(), c.expected.size() + 1);
        edit.undo();
        edit.undo();
        EXPECT_EQ(edit.Text(), word);
    }
}

TEST(LongLineTextEdit, CopiesAndPastesLinesWhole) {
    ui::LongLineTextEdit edit(nullptr);
    const QString word = LongWord();
    edit.SetText(word + QStringLiteral("\nnext"));
    edit.selectAll();
    edit.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), word + QStringLiteral("\nnext"));
    const int join = SecondPieceStart(edit);
    Select(edit, join - 3, join + 3);
    edit.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), word.mid(kPiece - 2, 5));

    // A long line pasted into the middle of a piece, over a selection that spans a join.
    QApplication::clipboard()->setText(QStringLiteral("[") + word + QStringLiteral("]\r\n"));
    Select(edit, join - 3, join + 3);
    edit.paste();
    const QString pasted =
        word.left(kPiece - 2) + u'[' + word + QStringLiteral("]\n") + word.mid(kPiece + 3) + QStringLiteral("\nnext");
    EXPECT_EQ(edit.Text(), pasted);
    // The caret stands after what was pasted.
    EXPECT_EQ(edit.TextPosition(edit.textCursor().position()), kPiece - 2 + word.size() + 3);
    edit.undo();
    EXPECT_EQ(edit.Text(), word + QStringLiteral("\nnext"));
    edit.redo();
    EXPECT_EQ(edit.Text(), pasted);
    EXPECT_EQ(edit.TextPosition(edit.DocumentPosition(2 * kPiece + 7)), 2 * kPiece + 7);
}
