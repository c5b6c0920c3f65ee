// Wrapping a booking's description over its continuation slots, measured ten pixels a character.
#include "data/layout/DayBookings.h"

#include <gtest/gtest.h>

namespace {

class FixedWidthText : public data::TextMeasurer {
public:
    int TextWidth(const QString& text) override { return 10 * static_cast<int>(text.size()); }
};

// A day whose slots have the given states, each written as its number in hex ("." empty); a
// kEndsWithOneGoingOn cell gets "ending" and then the description, every other cell the description.
std::unique_ptr<TDayBookings> DayCells(const QString& states, const QString& description) {
    auto day = std::make_unique<TDayBookings>(static_cast<int>(states.size()));
    for (int i = 0; i < states.size(); ++i) {
        if (states[i] == u'.') continue;
        auto cell = std::make_unique<TBookingCell>();
        cell->State = static_cast<data::CellState>(QString(states[i]).toInt(nullptr, 16));
        const bool twoBookings = cell->State == data::kEndsWithOneGoingOn;
        cell->Descriptions.Add(twoBookings ? QStringLiteral("ending") : description);
        if (twoBookings) cell->Descriptions.Add(description);
        day->SetCell(i, std::move(cell));
    }
    return day;
}

QStringList Lines(const QString& states, const QString& description, int width) {
    auto day = DayCells(states, description);
    FixedWidthText measure;
    day->WrapCellTexts(measure, width);
    QStringList lines;
    for (int i = 0; i < day->GetCount(); ++i)
        if (day->GetCell(i)) lines << day->GetCell(i)->Descriptions[0];
    return lines;
}

}  // namespace

TEST(CellTextWrap, WordsFlowOverTheContinuationSlots) {
    EXPECT_EQ(Lines("5226", "alpha beta gamma", 75), QStringList({"alpha beta gamma", "alpha ", "beta ", "gamma"}));
    // Text left at the booking's last slot ends in an ellipsis that fits.
    EXPECT_EQ(Lines("526", "alpha beta gamma", 75), QStringList({"alpha beta gamma", "alpha ", "be ... "}));
    EXPECT_EQ(Lines("52.", "alpha beta gamma", 75), QStringList({"alpha beta gamma", "al ... "}));
}

TEST(CellTextWrap, LineBreaksAndLongWords) {
    EXPECT_EQ(Lines("326", "one\r\ntwo", 100), QStringList({"one\r\ntwo", "one", "two"}));
    // A word wider than the cell is cut where it stops fitting.
    EXPECT_EQ(Lines("3226", "abcdefghijkl", 45), QStringList({"abcdefghijkl", "abcd", "efgh", "ijkl"}));
    // The ellipsis alone when nothing else fits.
    EXPECT_EQ(Lines("56", "abcdefghijkl", 45), QStringList({"abcdefghijkl", "... "}));
}

TEST(CellTextWrap, WhichCellsStartAndStopTheCarry) {
    // kEndsWithOneGoingOn carries its second booking's description.
    EXPECT_EQ(Lines("a6", "second", 100), QStringList({"ending", "second"}));
    // kStartsAndEnds ends the carry; kSeveralStartAndEnd leaves it alone.
    EXPECT_EQ(Lines("512", "carried", 100), QStringList({"carried", "carried", ""}));
    EXPECT_EQ(Lines("542", "carried", 100), QStringList({"carried", "carried", "carried"}));
}
