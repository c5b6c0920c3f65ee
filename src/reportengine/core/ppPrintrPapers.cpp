// The paper table as the engine has always held it; the names are kept letter for letter, odd blanks and
// digit groups included, because stored layouts and printer setups match papers by them.
#include "reportengine/core/ppPrintrPapers.h"

#include "reportengine/core/ppUtilsUnits.h"

namespace {

enum class PaperUnit { kNone, kInches, kMillimetres };

struct ppPaperDefinition {
    int code;
    const char* name;
    PaperUnit unit;
    float width;
    float height;
};

constexpr PaperUnit kIn = PaperUnit::kInches;
constexpr PaperUnit kMm = PaperUnit::kMillimetres;

constexpr ppPaperDefinition kPaperDefinitions[] = {
    {1, "Letter 8 1/2 x 11 in", kIn, 8.5f, 11},
    {2, "Letter 8 1/2 x 11 in", kIn, 8.5f, 11},
    {3, "Tabloid 11 x 17 in", kIn, 11, 17},
    {4, "Ledger 17 x 11 in", kIn, 17, 11},
    {5, "Legal 8 12 x 14 in", kIn, 8.5f, 14},
    {6, "Statement 5 1/2 x 8 12 in", kIn, 5.5f, 8.5f},
    {7, "Executive 7 14 x 10 1/2 in", kIn, 7.25f, 10.5f},
    {8, "A3 297 x 420 mm", kMm, 297, 420},
    {9, "A4 210 x 297 mm", kMm, 210, 297},
    {10, "A4 Small 210 x 297 mm", kMm, 210, 297},
    {11, "A5 148 x 210 mm", kMm, 148, 210},
    {12, "B4 (JIS) 250 x 354", kMm, 250, 354},
    {13, "B5 (JIS) 182 x 257 mm", kMm, 182, 257},
    {14, "Folio 8 1/2 x 13 in", kIn, 8.5f, 13},
    {15, "Quarto 215 x 275 mm", kMm, 215, 275},
    {16, "10 x 14 in", kIn, 10, 14},
    {17, "11 x 17 in", kIn, 11, 17},
    {18, "Note 8 1/2 x 11 in", kIn, 8.5f, 11},
    {19, "Envelope #9 3 7/8 x 8 7/8", kIn, 3.875f, 8.875f},
    {20, "Envelope #10 4 18 x 9 1/2", kIn, 4.125f, 9.5f},
    {21, "Envelope #11 4 12 x 10 3/8", kIn, 4.5f, 10.375f},
    {22, "Envelope #12 4 276 x 11", kIn, 4.75f, 11},
    {23, "Envelope #14 5 x 11 1/2", kIn, 5, 11.5f},
    {24, "C size sheet", kIn, 17, 22},
    {25, "D size sheet", kIn, 22, 34},
    {26, "E size sheet", kIn, 34, 44},
    {27, "Envelope DL 110 x 220mm", kMm, 110, 220},
    {28, "Envelope C5 162 x 229 mm", kMm, 162, 229},
    {29, " Envelope C3  324 x 458 mm", kMm, 324, 458},
    {30, "Envelope C4  229 x 324 mm", kMm, 229, 324},
    {31, "Envelope C6  114 x 162 mm", kMm, 114, 162},
    {32, "Envelope C65 114 x 229 mm", kMm, 114, 229},
    {33, "Envelope B4  250 x 353 mm", kMm, 250, 353},
    {34, "Envelope B5  176 x 250 mm", kMm, 176, 250},
    {35, "Envelope B6  176 x 125 mm", kMm, 176, 125},
    {36, "Envelope 110 x 230 mm", kMm, 110, 230},
    {37, "Envelope Monarch 3.875 x 7.5 in", kIn, 3.875f, 7.5f},
    {38, "6 34 Envelope 3 5/8 x 6 1/2 in", kIn, 3.625f, 6.5f},
    {39, "US Std Fanfold 14 7/8 x 11 in", kIn, 14.875f, 11},
    {40, "German Std Fanfold 8 1/2 x 12 in", kIn, 8.5f, 12},
    {41, "German Legal Fanfold 8 1/2 x 13 in", kIn, 8.5f, 13},
    {42, "B4 (ISO) 250 x 353 mm", kMm, 250, 353},
    {43, "Japanese Postcard 100 x 148 mm", kMm, 100, 148},
    {44, "9 x 11 in", kIn, 9, 11},
    {45, "10 x 11 in", kIn, 10, 11},
    {46, "15 x 11 in", kIn, 15, 11},
    {47, "Envelope Invite 220 x 220 mm", kMm, 220, 220},
    {50, "Letter Extra 9 \\275 x 12 in", kIn, 9.5f, 12},
    {51, "Legal Extra 9 \\275 x 15 in", kIn, 9.5f, 15},
    {52, "Tabloid Extra 11.69 x 18 in", kIn, 11.69f, 18},
    {53, "A4 Extra 9.27 x 12.69 in", kIn, 9.27f, 12.69f},
    {54, "Letter Transverse 8 \\275 x 11 in", kIn, 8.5f, 11},
    {55, "A4 Transverse 210 x 297 mm", kMm, 210, 297},
    {56, "Letter Extra Transverse 9\\275 x 12 in", kIn, 9.5f, 12},
    {57, "SuperASuperAA4 227 x 356 mm", kMm, 227, 356},
    {58, "SuperBSuperBA3 305 x 487 mm", kMm, 305, 487},
    {59, "Letter Plus 8.5 x 12.69 in", kIn, 8.5f, 12.69f},
    {60, "A4 Plus 210 x 330 mm", kMm, 210, 330},
    {61, "A5 Transverse 148 x 210 mm", kMm, 148, 210},
    {62, "B5 (JIS) Transverse 182 x 257 mm", kMm, 182, 257},
    {63, "A3 Extra 322 x 445 mm", kMm, 322, 445},
    {64, "A5 Extra 174 x 235 mm", kMm, 174, 235},
    {65, "B5 (ISO) Extra 201 x 276 mm", kMm, 201, 276},
    {66, "A2 420 x 594 mm", kMm, 420, 594},
    {67, "A3 Transverse 297 x 420 mm", kMm, 297, 420},
    {68, "A3 Extra Transverse 322 x 445 mm", kMm, 322, 445},
    {118, "DMPAPER_A3_EXTRA_TRANSVERSE", PaperUnit::kNone, 0, 0},
    {kCustomPaperCode, "Custom", PaperUnit::kNone, 0, 0},
};

const ppPaperDefinition* FindPaperDefinition(int paperCode) {
    for (const ppPaperDefinition& paper : kPaperDefinitions)
        if (paper.code == paperCode) return &paper;
    return nullptr;
}

qint32 PaperLengthInTenths(PaperUnit unit, int axis, float length) {
    switch (unit) {
        case PaperUnit::kInches: return UnitsToTenthsMM(utInches, axis, nullptr, length);
        case PaperUnit::kMillimetres: return qint32(length) * 10;
        case PaperUnit::kNone: return 0;
    }
    return 0;
}

}  // namespace

QString PaperNameOfCode(int paperCode) {
    const ppPaperDefinition* paper = FindPaperDefinition(paperCode);
    return paper ? QString::fromLatin1(paper->name) : QStringLiteral("Unknown");
}

QSize PaperSizeOfCode(int paperCode) {
    const ppPaperDefinition* paper = FindPaperDefinition(paperCode);
    if (!paper) return QSize(0, 0);
    return QSize(PaperLengthInTenths(paper->unit, reportengine::kHorizontal, paper->width),
                 PaperLengthInTenths(paper->unit, reportengine::kVertical, paper->height));
}

QString PaperSizeText(int width, int height) { return QStringLiteral("%1 x %2 mm").arg(width / 10).arg(height / 10); }
