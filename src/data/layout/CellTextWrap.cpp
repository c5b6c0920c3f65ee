// Cell-text wrapping: one line of a description per continuation slot, words kept whole where they fit.
#include "data/layout/CellTextWrap.h"

namespace data {

namespace {

const QString kEllipsis = QStringLiteral("... ");

class LineCutter {
public:
    LineCutter(TextMeasurer& canvas, int width) : canvas_(canvas), width_(width) {}

    bool Fits(const QString& text) { return canvas_.TextWidth(text) < width_; }

    // The next line from the front of carry, which loses it.
    QString CutLine(QString& carry) {
        const qsizetype lineFeed = carry.indexOf(u'\n');
        if (lineFeed >= 0) {
            QString firstLine = carry.left(lineFeed);
            if (firstLine.endsWith(u'\r')) firstLine.chop(1);
            if (Fits(firstLine)) {
                carry.remove(0, lineFeed + 1);
                return firstLine;
            }
        }
        QString line;
        while (!carry.isEmpty()) {
            const qsizetype blank = carry.indexOf(u' ');
            const QString word = blank < 0 ? carry : carry.left(blank + 1);
            if (Fits(line + word)) {
                line += word;
                carry.remove(0, word.size());
                continue;
            }
            if (line.isEmpty()) {
                // A word wider than the cell is cut at the last character that fits, keeping at least one.
                qsizetype k = 1;
                while (k < word.size() && Fits(word.left(k + 1))) ++k;
                line = word.left(k);
                carry.remove(0, k);
            }
            break;
        }
        return line;
    }

    // The line shortened until "... " fits after it.
    QString WithEllipsis(QString line) {
        while (!line.isEmpty()) {
            const QString candidate = (line.endsWith(u' ') ? line : line + u' ') + kEllipsis;
            if (Fits(candidate)) return candidate;
            line.chop(1);
        }
        return kEllipsis;
    }

private:
    TextMeasurer& canvas_;
    int width_;
};

bool ContinuesBooking(const TBookingCell* cell) { return cell && (cell->State == kContinues || cell->State == kEnds); }

}  // namespace

void WrapCellTexts(CellSlots& cells, TextMeasurer& canvas, int width) {
    LineCutter cutter(canvas, width);
    QString carry;
    for (int slot = 0; slot < cells.Count(); ++slot) {
        TBookingCell* cell = cells.Get(slot);
        if (!cell) continue;
        switch (cell->State) {
            case kStartsAndEnds:
            case kEndsWithOneStartingAndEnding:
            case kStartsAndEndsWithOneGoingOn: carry.clear(); break;
            case kResumes:
            case kStartsAndGoesOn: carry = cell->Descriptions[0]; break;
            case kEndsWithOneGoingOn: carry = cell->Descriptions[1]; break;
            case kContinues:
            case kEnds: {
                QString line = cutter.CutLine(carry);
                if (!carry.isEmpty() && !ContinuesBooking(cells.Get(slot + 1))) line = cutter.WithEllipsis(line);
                cell->Descriptions.Put(0, line);
                break;
            }
            default: break;
        }
    }
}

}  // namespace data
