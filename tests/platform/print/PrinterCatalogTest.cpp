// The test catalogue behind the service slot, and a look at the system's own catalogue where one answers.
#include "platform/print/QtPrinterCatalog.h"
#include "platform/printcatalog/FakePrinterCatalog.h"

#include <gtest/gtest.h>

using namespace prn;

TEST(FakePrinterCatalog, ListsItsPrintersInOrderWithDefaultPlaceAndAbilities) {
    rtl::ScopedService<PrinterCatalog, FakePrinterCatalog> catalog(PrinterCatalogSlot(),
                                                                   std::make_shared<FakePrinterCatalog>());
    const PrinterCatalog& current = CurrentPrinterCatalog();
    ASSERT_EQ(&current, catalog.Shared().get());

    const QList<PrinterEntry> printers = current.Printers();
    ASSERT_EQ(printers.size(), 2);
    EXPECT_EQ(printers[0].name, "Office Laser");
    EXPECT_TRUE(printers[0].local);
    EXPECT_EQ(printers[1].name, "Front Desk Colour");
    EXPECT_FALSE(printers[1].local);
    EXPECT_EQ(printers[1].location, "Front desk");
    EXPECT_EQ(current.DefaultPrinterName(), "Office Laser");

    const std::optional<DriverCapabilities> laser = current.Capabilities("Office Laser");
    ASSERT_TRUE(laser);
    EXPECT_EQ(laser->paperCodes, (QList<int>{1, 5, 9, 27}));
    EXPECT_EQ(laser->paperSizes[2], QSize(2100, 2970));
    EXPECT_EQ(laser->binCodes, (QList<int>{7, 1, 4}));
    EXPECT_EQ(laser->resolution, 600);
    EXPECT_FALSE(laser->colour);
    EXPECT_TRUE(current.Capabilities("Front Desk Colour")->colour);
    EXPECT_FALSE(current.Capabilities("Nowhere"));
}

TEST(FakePrinterCatalog, FailingPrinterStaysListedButCannotBeReachedUntilMended) {
    FakePrinterCatalog catalog;
    catalog.SetFailing("Office Laser", true);
    EXPECT_EQ(catalog.Printers().size(), 2);
    EXPECT_FALSE(catalog.Capabilities("Office Laser"));
    EXPECT_TRUE(catalog.Capabilities("Front Desk Colour"));
    catalog.SetFailing("Office Laser", false);
    EXPECT_TRUE(catalog.Capabilities("Office Laser"));
}

TEST(FakePrinterCatalog, TakesRawListsOfUnequalLengthAndAnEmptySystem) {
    FakePrinterCatalog catalog;
    catalog.SetPrinters({FakePrinterCatalog::MakePrinter("P", {"a", "b", "c", "d", "e"}, {1, 5, 9, 27}, {})});
    catalog.SetDefaultPrinter("P");
    const std::optional<DriverCapabilities> p = catalog.Capabilities("P");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->paperNames.size(), 5);
    EXPECT_EQ(p->paperCodes.size(), 4);
    EXPECT_TRUE(p->paperSizes.isEmpty());

    catalog.SetPrinters({});
    catalog.SetDefaultPrinter({});
    EXPECT_TRUE(catalog.Printers().isEmpty());
    EXPECT_TRUE(catalog.DefaultPrinterName().isEmpty());
}

// Reads the machine's printers without printing; only where a print server runs and lists some.
TEST(QtPrinterCatalog, ReadsTheSystemsPrintersWhereAServerAnswers) {
    const QtPrinterCatalog catalog;
    const QList<PrinterEntry> printers = catalog.Printers();
    if (printers.isEmpty()) GTEST_SKIP() << "no print server answers, or it lists no printer";
    for (const PrinterEntry& printer : printers) EXPECT_FALSE(printer.name.isEmpty());
    const std::optional<DriverCapabilities> first = catalog.Capabilities(printers.first().name);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->paperNames.size(), first->paperCodes.size());
    for (const QSize& size : first->paperSizes) EXPECT_GT(size.width(), 0);
    EXPECT_GT(first->resolution, 0);
    EXPECT_FALSE(catalog.Capabilities(QStringLiteral("no such printer %1").arg(printers.size())));
}
