// The printer list over the fake catalogue: its fixed entries, name resolution, and the tidying of a driver's
// paper and bin lists.
#include "platform/printcatalog/FakePrinterCatalog.h"
#include "reportengine/core/ppPrintr.h"
#include "reportengine/core/ppPrintrPapers.h"

#include <gtest/gtest.h>

using prn::FakePrinterCatalog;

namespace {

class PrinterListTest : public ::testing::Test {
protected:
    rtl::ScopedService<prn::PrinterCatalog, FakePrinterCatalog> catalog{prn::PrinterCatalogSlot(),
                                                                        std::make_shared<FakePrinterCatalog>()};

    // The tidied capabilities of one printer "P" with the given raw lists.
    TppPrinterCapabilities CapabilitiesOf(const prn::FakePrinter& printer) {
        catalog->SetPrinters({printer});
        TppPrinterList list;
        return list.GetPrinterInfo(printer.entry.name)->GetCapabilities();
    }
};

QStringList SizeTexts(const TppPrinterCapabilities& capabilities) {
    QStringList texts;
    for (int i = 0; i < capabilities.PaperWidths.size(); ++i)
        texts.append(capabilities.PaperWidths[i] + "x" + capabilities.PaperHeights[i]);
    return texts;
}

}  // namespace

TEST_F(PrinterListTest, DefaultAndScreenComeFirstAndDefaultResolvesToTheSystemsDefault) {
    catalog->SetPrinters({FakePrinterCatalog::MakePrinter("P", {"A4"}, {9}, {QSize(2100, 2970)})});
    catalog->SetDefaultPrinter("P");
    TppPrinterList list;
    EXPECT_EQ(list.Names(), QStringList({"Default", "Screen", "P"}));
    EXPECT_EQ(list.GetCount(), 3);
    TppPrinterInfo* p = list.GetPrinterInfo("P");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Device(), "P");
    EXPECT_TRUE(p->Driver().isEmpty());
    EXPECT_TRUE(p->Port().isEmpty());
    EXPECT_EQ(list.GetPrinterInfo("Default"), p);
    // Unknown names, also ones holding "on" without naming a device, fall back to the default printer.
    for (const char* unknown : {"Nowhere", "Monitor", "Ghost on LPT1:"}) EXPECT_EQ(list.GetPrinterInfo(unknown), p);
    EXPECT_EQ(list.GetPrinterInfo("P on LPT1:"), p);
    EXPECT_EQ(list.GetPrinterInfo("Screen")->Device(), "Screen");
}

TEST_F(PrinterListTest, WithoutPrintersOnlyDefaultAndScreenAndTheScreenIsTheDefault) {
    catalog->SetPrinters({});
    catalog->SetDefaultPrinter("");
    TppPrinterList list;
    EXPECT_EQ(list.Names(), QStringList({"Default", "Screen"}));
    EXPECT_EQ(list.GetPrinterInfo("Default")->Name(), "Screen");
    const TppPrinterCapabilities& screen = list.GetPrinterInfo("Screen")->GetCapabilities();
    EXPECT_EQ(screen.PaperNames.size(), 14);
    EXPECT_EQ(screen.PaperNames.first(), "Custom");
    EXPECT_EQ(screen.BinNames, QStringList({"Default"}));
}

TEST_F(PrinterListTest, ADefaultMatchingNoPrinterLeavesUnknownNamesUnresolved) {
    catalog->SetDefaultPrinter("Gone");
    TppPrinterList list;
    EXPECT_TRUE(list.GetDefaultPrinterName().isEmpty());
    EXPECT_EQ(list.GetPrinterInfo("Default"), nullptr);
    EXPECT_EQ(list.GetPrinterInfo("Nowhere"), nullptr);
    EXPECT_NE(list.GetPrinterInfo("Office Laser"), nullptr);
}

TEST_F(PrinterListTest, PaperNamesAreCutToTheCodesOrRebuiltFromTheTable) {
    const TppPrinterCapabilities cut = CapabilitiesOf(
        FakePrinterCatalog::MakePrinter("P", {"a", "b", "c", "d", "e"}, {1, 5, 9, 27},
                                        {QSize(2159, 2794), QSize(2159, 3556), QSize(2100, 2970), QSize(1100, 2200)}));
    EXPECT_EQ(cut.PaperNames, QStringList({"a", "b", "c", "d", "Custom"}));
    EXPECT_EQ(cut.PaperCodes, QStringList({"1", "5", "9", "27", "256"}));
    EXPECT_EQ(SizeTexts(cut), QStringList({"2159x2794", "2159x3556", "2100x2970", "1100x2200", "0x0"}));

    // Names from the table; a code the table lacks is named by its reported size, or by its code, and then,
    // having no size, it goes with the sizeless papers.
    const TppPrinterCapabilities rebuilt = CapabilitiesOf(FakePrinterCatalog::MakePrinter(
        "P", {"x", "y", "z"}, {9, 27, 1, 300, 301}, {QSize(1, 1), QSize(2, 2), QSize(3, 3), QSize(1500, 2000)}));
    EXPECT_EQ(rebuilt.PaperNames, QStringList({"A4 210 x 297 mm", "Envelope DL 110 x 220mm", "Letter 8 1/2 x 11 in",
                                               "150 x 200 mm", "Custom"}));
    EXPECT_EQ(rebuilt.PaperCodes, QStringList({"9", "27", "1", "300", "256"}));
    EXPECT_EQ(SizeTexts(rebuilt), QStringList({"1x1", "2x2", "3x3", "1500x2000", "0x0"}));
    const TppPrinterCapabilities named =
        CapabilitiesOf(FakePrinterCatalog::MakePrinter("P", {"x", "y", "z"}, {9, 27, 1, 5, 11}, {}));
    EXPECT_EQ(named.PaperNames.size(), 6);
    EXPECT_EQ(named.PaperNames[4], "A5 148 x 210 mm");
    EXPECT_EQ(SizeTexts(named)[4], "1480x2100");
}

TEST_F(PrinterListTest, TheCustomPaperIsNamedCustomAndGoesLastAndSizelessPapersGo) {
    const TppPrinterCapabilities byCode = CapabilitiesOf(
        FakePrinterCatalog::MakePrinter("P", {"Own size", "A4", "Strip", "A5"}, {256, 9, 300, 11},
                                        {QSize(0, 0), QSize(2100, 2970), QSize(800, 0), QSize(1480, 2100)}));
    EXPECT_EQ(byCode.PaperNames, QStringList({"A4", "A5", "Custom"}));
    EXPECT_EQ(byCode.PaperCodes, QStringList({"9", "11", "256"}));
    EXPECT_EQ(SizeTexts(byCode), QStringList({"2100x2970", "1480x2100", "0x0"}));

    const TppPrinterCapabilities byName = CapabilitiesOf(FakePrinterCatalog::MakePrinter(
        "P", {"A4", "User defined", "A5"}, {9, 400, 11}, {QSize(2100, 2970), QSize(0, 0), QSize(1480, 2100)}));
    EXPECT_EQ(byName.PaperNames, QStringList({"A4", "A5", "Custom"}));
    EXPECT_EQ(byName.PaperCodes, QStringList({"9", "11", "400"}));
}

TEST_F(PrinterListTest, BinsAreMadeParallelAndGetADefaultFirst) {
    const TppPrinterCapabilities bins =
        CapabilitiesOf(FakePrinterCatalog::MakePrinter("P", {}, {}, {}, {"Tray 1", "Tray 2", "Manual"}, {1, 2}));
    EXPECT_EQ(bins.BinNames, QStringList({"Default", "Tray 1", "Tray 2"}));
    EXPECT_EQ(bins.BinCodes, QStringList({"7", "1", "2"}));
    // A driver reporting nothing still has the custom paper and the default bin.
    EXPECT_EQ(bins.PaperNames, QStringList({"Custom"}));

    const TppPrinterCapabilities own =
        CapabilitiesOf(FakePrinterCatalog::MakePrinter("P", {}, {}, {}, {"Tray 1", "Default"}, {1, 15}));
    EXPECT_EQ(own.BinNames, QStringList({"Tray 1", "Default"}));
}

TEST_F(PrinterListTest, AnUnreachablePrinterHasOnlyTheCustomPaperAndTheDefaultBin) {
    catalog->SetFailing("Office Laser", true);
    TppPrinterList list;
    TppPrinterCapabilities& failing = list.GetPrinterInfo("Office Laser")->GetCapabilities();
    EXPECT_EQ(failing.PaperNames, QStringList({"Custom"}));
    EXPECT_EQ(failing.BinNames, QStringList({"Default"}));
    EXPECT_FALSE(failing.MultipleCopies);
    EXPECT_EQ(&list.GetPrinterInfo("Office Laser")->GetCapabilities(), &failing);
    EXPECT_TRUE(list.GetPrinterInfo("Front Desk Colour")->GetCapabilities().PaperNames.contains("A5"));
}

TEST(PrinterListShared, TheSharedObjectsAreMadeOnce) {
    EXPECT_EQ(&GlobalPrinterList(), &GlobalPrinterList());
    TppPrinterInfo& none = NoPrinterInfo();
    EXPECT_EQ(&none, &NoPrinterInfo());
    EXPECT_EQ(none.Name(), "No Printer Installed");
    EXPECT_EQ(none.Device(), "None");
    EXPECT_EQ(none.Driver(), "None");
}
