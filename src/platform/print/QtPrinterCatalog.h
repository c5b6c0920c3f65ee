// The system's printers as the print system reports them through Qt.
#pragma once

#include "platform/printcatalog/PrinterCatalog.h"

namespace prn {

class QtPrinterCatalog : public PrinterCatalog {
public:
    QList<PrinterEntry> Printers() const override;
    QString DefaultPrinterName() const override;
    std::optional<DriverCapabilities> Capabilities(const QString& printerName) const override;
};

// Makes the system's printers the ones the program sees; run once at start-up.
void InstallSystemPrinterCatalog();

}  // namespace prn
