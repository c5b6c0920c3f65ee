// Unit conversions at 96 pixels per inch, the page definition and version numbers.
#include "reportengine/core/ppUtilsUnits.h"

#include "platform/rtl/ScreenService.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

class FixedPrinter : public reportengine::PrinterResolution {
public:
    FixedPrinter(int horizontal, int vertical) : horizontal_(horizontal), vertical_(vertical) {}
    int PixelsPerInch(int axis) const override { return axis == reportengine::kVertical ? vertical_ : horizontal_; }

private:
    int horizontal_;
    int vertical_;
};

// A screen of another resolution, to show that the conversions ask it at every call.
class ScreenAt : public rtl::ScreenService {
public:
    explicit ScreenAt(int ppi) : ppi_(ppi) {}
    TCursor Cursor() const override { return crDefault; }
    void SetCursor(TCursor) override {}
    void RepaintMainForm() override {}
    int PixelsPerInch() const override { return ppi_; }

private:
    int ppi_;
};

using reportengine::kHorizontal;
using reportengine::kVertical;

TEST(Units, FromMMThousandths) {
    const FixedPrinter printer(600, 1200);
    struct Case {
        qint32 value;
        TppUnitType unit;
        int axis;
        float expected;
    };
    const Case cases[] = {
        {25400, utScreenPixels, kHorizontal, 96},
        {25400, utInches, kHorizontal, 1.0f},
        {6350, utInches, kHorizontal, 0.25f},
        {25400, utMillimeters, kHorizontal, 25.4f},
        {25400, utPrinterPixels, kHorizontal, 600},
        {25400, utPrinterPixels, kVertical, 1200},  // the vertical resolution
        {25400, utPrinterPixels, 7, 600},           // any axis but 1 is horizontal
        {12345, utMMThousandths, kHorizontal, 12345},
        {-25400, utScreenPixels, kHorizontal, -96},
        {0, utInches, kHorizontal, 0},
        {25400, TppUnitType(9), kHorizontal, 0},  // no such unit
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ConvertFromMMThousandths(c.value, c.unit, c.axis, &printer), c.expected) << c.value << " " << c.unit;
    }
    // Without a printer, printer pixels are screen pixels.
    EXPECT_EQ(ConvertFromMMThousandths(25400, utPrinterPixels, kHorizontal, nullptr), 96);
}

TEST(Units, ToMMThousandths) {
    const FixedPrinter printer(600, 600);
    struct Case {
        TppUnitType unit;
        float value;
        qint32 expected;
    };
    const Case cases[] = {
        {utInches, 1.0f, 25400},      {utScreenPixels, 96.0f, 25400}, {utMillimeters, 210.0f, 210000},
        {utMMThousandths, 12.9f, 12}, {utMMThousandths, -12.9f, -12}, {utPrinterPixels, 600.0f, 25400},
        {TppUnitType(-1), 5.0f, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(ConvertToMMThousandths(c.unit, kHorizontal, &printer, c.value), c.expected);
}

TEST(Units, RoundsHalfToEven) {
    // 0.0625 mm and 0.0635 mm: the thousandths 62.5 and 63.5 go to the even neighbour.
    EXPECT_EQ(ConvertToMMThousandths(utMillimeters, kHorizontal, nullptr, 0.0625f), 62);
    EXPECT_EQ(ConvertToMMThousandths(utMillimeters, kHorizontal, nullptr, 0.0635f), 64);
    EXPECT_EQ(TenthsMMToUnits(25, utMillimeters), 2);
    EXPECT_EQ(TenthsMMToUnits(35, utMillimeters), 4);
}

TEST(Units, PaperSizesInTenths) {
    EXPECT_EQ(TenthsMMToUnits(2159, utMillimeters), 216.0f);
    EXPECT_EQ(TenthsMMToUnits(2794, utInches), 11.0f);
    // Through whole screen pixels: 8.2708 at 96 pixels per inch, not 8.2677.
    EXPECT_EQ(TenthsMMToUnits(2100, utInches), 8.2708f);
    EXPECT_EQ(TenthsMMToUnits(2100, utMMThousandths), 210000.0f);
    EXPECT_EQ(TenthsMMToUnits(254, utScreenPixels), 96.0f);
    EXPECT_EQ(UnitsToTenthsMM(utInches, kHorizontal, nullptr, 8.5f), 2159);
    EXPECT_EQ(UnitsToTenthsMM(utMMThousandths, kHorizontal, nullptr, 215900.0f), 2159);
    EXPECT_EQ(UnitsToTenthsMM(utMillimeters, kHorizontal, nullptr, 215.9f), 2159);
    EXPECT_EQ(UnitsToTenthsMM(utScreenPixels, kHorizontal, nullptr, 96.0f), 254);
}

TEST(Units, ScreenPixelsBothWays) {
    EXPECT_EQ(UnitsToScreenPixels(utInches, kHorizontal, nullptr, 1.0f), 96);
    EXPECT_EQ(UnitsToScreenPixels(utMillimeters, kHorizontal, nullptr, 210.0f), 794);
    EXPECT_EQ(ScreenPixelsToUnits(96, utInches), 1.0f);
    EXPECT_EQ(ScreenPixelsToUnits(96, utMMThousandths), 25400.0f);
}

TEST(Units, ScreenResolutionIsReadAtEveryCall) {
    EXPECT_EQ(ConvertFromMMThousandths(25400, utScreenPixels), 96);
    {
        rtl::SetScreenService(std::make_shared<ScreenAt>(120));
        EXPECT_EQ(ConvertFromMMThousandths(25400, utScreenPixels), 120);
        EXPECT_EQ(ConvertToMMThousandths(utScreenPixels, kHorizontal, nullptr, 120.0f), 25400);
        rtl::SetScreenService(nullptr);
    }
    EXPECT_EQ(ConvertFromMMThousandths(25400, utScreenPixels), 96);
}

TEST(Units, PageDefinition) {
    TppPageDef letter;
    letter.mmWidth = 215900;
    letter.mmHeight = 279400;
    letter.mmMarginLeft = letter.mmMarginRight = letter.mmMarginTop = letter.mmMarginBottom = 6350;
    EXPECT_EQ(letter.GetPrintableWidth(), 203200);
    EXPECT_EQ(letter.GetPrintableHeight(), 266700);
    EXPECT_EQ(letter.GetPrintableRect(), (reportengine::Rect{6350, 6350, 209550, 273050}));
    EXPECT_EQ(letter.GetSpWidth(), 816);
    EXPECT_EQ(letter.GetSpHeight(), 1056);
    EXPECT_EQ(letter.GetSpPrintableWidth(), 768);

    TppPageDef copy;
    EXPECT_FALSE(copy.IsEqual(letter));
    copy.Assign(letter);
    EXPECT_TRUE(copy.IsEqual(letter));
    copy.mmMarginBottom = 0;
    EXPECT_FALSE(copy.IsEqual(letter));

    TppPageDef narrow;
    narrow.mmWidth = 10000;
    narrow.mmMarginLeft = narrow.mmMarginRight = 6000;
    EXPECT_EQ(narrow.GetPrintableWidth(), -2000);
}

TEST(Units, VersionNumbers) {
    struct Case {
        const char* text;
        qint32 number;
    };
    const Case cases[] = {{"7.04", 7040}, {"7", 7000},         {"10.1", 1010},  {"4.0b", 4000},
                          {"", 0},        {"6.03 beta", 6030}, {"12345", 12345}};
    for (const Case& c : cases) EXPECT_EQ(VersionToNumber(QString::fromUtf8(c.text)), c.number) << c.text;
    EXPECT_THROW(VersionToNumber(QStringLiteral("7.04.1")), EConvertError);
}

}  // namespace
