// The paper-code table: literal names, sizes in tenths of a millimetre at 96 pixels per inch, and size texts.
#include "reportengine/core/ppPrintrPapers.h"

#include <gtest/gtest.h>

namespace {

struct PaperCase {
    int code;
    const char* name;
    QSize size;
};

}  // namespace

TEST(PaperTable, NamesAndSizesOfCodes) {
    const PaperCase cases[] = {
        {1, "Letter 8 1/2 x 11 in", QSize(2159, 2794)},
        {5, "Legal 8 12 x 14 in", QSize(2159, 3556)},
        {9, "A4 210 x 297 mm", QSize(2100, 2970)},
        {12, "B4 (JIS) 250 x 354", QSize(2500, 3540)},
        {20, "Envelope #10 4 18 x 9 1/2", QSize(1047, 2413)},
        {27, "Envelope DL 110 x 220mm", QSize(1100, 2200)},
        {29, " Envelope C3  324 x 458 mm", QSize(3240, 4580)},
        {35, "Envelope B6  176 x 125 mm", QSize(1760, 1250)},
        {50, "Letter Extra 9 \\275 x 12 in", QSize(2413, 3048)},
        {68, "A3 Extra Transverse 322 x 445 mm", QSize(3220, 4450)},
        {118, "DMPAPER_A3_EXTRA_TRANSVERSE", QSize(0, 0)},
        {256, "Custom", QSize(0, 0)},
        {48, "Unknown", QSize(0, 0)},
        {0, "Unknown", QSize(0, 0)},
        {300, "Unknown", QSize(0, 0)},
    };
    for (const PaperCase& paper : cases) {
        SCOPED_TRACE(paper.code);
        EXPECT_EQ(PaperNameOfCode(paper.code), QString::fromLatin1(paper.name));
        EXPECT_EQ(PaperSizeOfCode(paper.code), paper.size);
    }
}

TEST(PaperTable, SizeTextTakesWholeMillimetresDownward) {
    EXPECT_EQ(PaperSizeText(2159, 2794), "215 x 279 mm");
    EXPECT_EQ(PaperSizeText(2100, 2970), "210 x 297 mm");
    EXPECT_EQ(PaperSizeText(9, 0), "0 x 0 mm");
}
