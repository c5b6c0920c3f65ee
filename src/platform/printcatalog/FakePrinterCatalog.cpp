// The test catalogue's fixed printers and its switches.
#include "platform/printcatalog/FakePrinterCatalog.h"

namespace prn {

FakePrinterCatalog::FakePrinterCatalog() {
    FakePrinter laser =
        MakePrinter(QStringLiteral("Office Laser"), {"Letter", "Legal", "A4", "Envelope DL"}, {1, 5, 9, 27},
                    {QSize(2159, 2794), QSize(2159, 3556), QSize(2100, 2970), QSize(1100, 2200)},
                    {"Automatically Select", "Tray 1", "Manual Feed"}, {7, 1, 4});
    laser.entry.location = QStringLiteral("Office");
    laser.capabilities.maxCopies = 999;
    FakePrinter colour = MakePrinter(QStringLiteral("Front Desk Colour"), {"Letter", "A4", "A5"}, {1, 9, 11},
                                     {QSize(2159, 2794), QSize(2100, 2970), QSize(1480, 2100)}, {"Tray 2"}, {2});
    colour.entry.local = false;
    colour.entry.location = QStringLiteral("Front desk");
    colour.capabilities.colour = true;
    printers_ = {laser, colour};
    defaultPrinter_ = laser.entry.name;
}

FakePrinter FakePrinterCatalog::MakePrinter(const QString& name, QStringList paperNames, QList<int> paperCodes,
                                            QList<QSize> paperSizes, QStringList binNames, QList<int> binCodes) {
    FakePrinter printer;
    printer.entry.name = name;
    printer.capabilities.paperNames = std::move(paperNames);
    printer.capabilities.paperCodes = std::move(paperCodes);
    printer.capabilities.paperSizes = std::move(paperSizes);
    printer.capabilities.binNames = std::move(binNames);
    printer.capabilities.binCodes = std::move(binCodes);
    printer.capabilities.resolution = kResolution;
    return printer;
}

QList<PrinterEntry> FakePrinterCatalog::Printers() const {
    QList<PrinterEntry> entries;
    for (const FakePrinter& printer : printers_) entries.append(printer.entry);
    return entries;
}

QString FakePrinterCatalog::DefaultPrinterName() const { return defaultPrinter_; }

std::optional<DriverCapabilities> FakePrinterCatalog::Capabilities(const QString& printerName) const {
    if (failing_.contains(printerName)) return std::nullopt;
    for (const FakePrinter& printer : printers_)
        if (printer.entry.name == printerName) return printer.capabilities;
    return std::nullopt;
}

void FakePrinterCatalog::SetFailing(const QString& name, bool failing) {
    if (failing) failing_.insert(name);
    else failing_.remove(name);
}

}  // namespace prn
