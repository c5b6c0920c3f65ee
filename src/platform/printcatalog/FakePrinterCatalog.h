// A printer catalogue for tests: fixed printers with known papers and bins, a chosen default, failing on demand.
#pragma once

#include "platform/printcatalog/PrinterCatalog.h"

#include <QSet>

namespace prn {

struct FakePrinter {
    PrinterEntry entry;
    DriverCapabilities capabilities;
};

class FakePrinterCatalog : public PrinterCatalog {
public:
    static constexpr int kResolution = 600;

    // Starts with two printers: "Office Laser" (local, the default) and "Front Desk Colour" (network, colour).
    FakePrinterCatalog();

    QList<PrinterEntry> Printers() const override;
    QString DefaultPrinterName() const override;
    std::optional<DriverCapabilities> Capabilities(const QString& printerName) const override;

    // Replaces the printers; the default stays as set.
    void SetPrinters(QList<FakePrinter> printers) { printers_ = std::move(printers); }
    void SetDefaultPrinter(const QString& name) { defaultPrinter_ = name; }
    // A failing printer stays listed but cannot be reached.
    void SetFailing(const QString& name, bool failing);

    // A printer with the given raw lists, local, at the fake's resolution.
    static FakePrinter MakePrinter(const QString& name, QStringList paperNames, QList<int> paperCodes,
                                   QList<QSize> paperSizes, QStringList binNames = {}, QList<int> binCodes = {});

private:
    QList<FakePrinter> printers_;
    QString defaultPrinter_;
    QSet<QString> failing_;
};

}  // namespace prn
