// The booking window with a note as long as the file holds: a megabyte on one line.
#include "BookingFormFixture.h"

#include "controls/edit/WwDBEdit.h"
#include "platform/sql/Database.h"
#include "platform/sql/Statement.h"
#include "platform/ui/LongLineTextEdit.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>

using namespace booking_form_test;

namespace {

// A megabyte without a line break: words, a long run without spaces, and characters beyond the basic plane.
QString MegabyteLine() {
    QString line;
    line.reserve(1 << 20);
    while (line.size() < (1 << 19)) line += QStringLiteral("Projector and screen, über café \U0001F600 ");
    line += QString(100000, u'x');
    while (line.size() < (1 << 20)) line += QStringLiteral("wörds ");
    return line;
}

}  // namespace

TEST_F(BookingFormTest, AMegabyteNoteOnOneLineOpensTakesTypingAndIsSavedExactly) {
    other->Book(1001, 1, Jan(5, 9), Jan(5, 10));
    const QString note = MegabyteLine();
    Open();
    const sql::Database& file = data->ADOConnection.Engine().Native();
    const auto store = file.Prepare(QStringLiteral("UPDATE Bookings SET Notes = ?1 WHERE BookingId = 1001"));
    store->Bind(0, note);
    store->Step();
    OpenBooking(1001);
    QApplication::processEvents();
    ui::LongLineTextEdit& lines = *form->NotesDBEdit->LinesEditor();
    EXPECT_EQ(lines.Text(), note);

    form->NotesDBEdit->SetFocus();
    lines.moveCursor(QTextCursor::End);
    QTest::keyClicks(&lines, QStringLiteral("!"));
    lines.moveCursor(QTextCursor::Start);
    QTest::keyClicks(&lines, QStringLiteral("A"));
    QApplication::processEvents();
    EXPECT_TRUE(form->Edited);
    form->UpdateItemClick();
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(file.QueryValue(QStringLiteral("SELECT Notes FROM Bookings WHERE BookingId = 1001")).toString(),
              QStringLiteral("A") + note + QStringLiteral("!"));
}
