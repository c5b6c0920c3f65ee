// What the system tells about its printers: the list, the default, and each printer's papers, bins and limits.
#pragma once

#include "platform/rtl/ServiceSlot.h"

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace prn {

// One printer as the system lists it.
struct PrinterEntry {
    QString name;
    bool local = true;  // false for a printer reached over the network
    QString location;
};

// A printer's capabilities as its driver reports them, before the engine tidies them: entry i of the parallel
// lists describes one paper or one bin, and the lists may disagree in length as a driver's do. Codes are the
// paper-size and paper-source numbers of a device mode; sizes are in tenths of a millimetre.
struct DriverCapabilities {
    QStringList paperNames;
    QList<int> paperCodes;
    QList<QSize> paperSizes;
    QStringList binNames;
    QList<int> binCodes;
    int maxCopies = 1;  // how many copies the printer makes of one page by itself
    bool colour = false;
    int resolution = 0;  // dots per inch
};

class PrinterCatalog {
public:
    virtual ~PrinterCatalog() = default;
    // The printers in the order the system lists them.
    virtual QList<PrinterEntry> Printers() const = 0;
    // The name of the system's default printer; empty when it names none.
    virtual QString DefaultPrinterName() const = 0;
    // None when the printer cannot be reached or is unknown.
    virtual std::optional<DriverCapabilities> Capabilities(const QString& printerName) const = 0;
};

// The catalogue in use. It lists no printers until the program's start-up installs the system's (kept apart so
// that code reading printers needs no widget toolkit); tests install FakePrinterCatalog.
rtl::ServiceSlot<PrinterCatalog>& PrinterCatalogSlot();
inline PrinterCatalog& CurrentPrinterCatalog() { return PrinterCatalogSlot().Current(); }
inline std::shared_ptr<PrinterCatalog> SetPrinterCatalog(std::shared_ptr<PrinterCatalog> catalog) {
    return PrinterCatalogSlot().Install(std::move(catalog));
}

}  // namespace prn
