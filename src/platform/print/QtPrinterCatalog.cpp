// Reads printers, papers and limits from Qt's print support. Qt gives no bins on this system, so none are
// listed (the engine then gives every printer its automatic bin).
#include "platform/print/QtPrinterCatalog.h"

#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>

namespace prn {

namespace {

constexpr int kManyCopies = 9999;

int TenthsOfMillimetre(qreal millimetres) { return int(std::lround(millimetres * 10.0)); }

}  // namespace

QList<PrinterEntry> QtPrinterCatalog::Printers() const {
    QList<PrinterEntry> printers;
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters())
        printers.append({info.printerName(), !info.isRemote(), info.location()});
    return printers;
}

QString QtPrinterCatalog::DefaultPrinterName() const { return QPrinterInfo::defaultPrinterName(); }

std::optional<DriverCapabilities> QtPrinterCatalog::Capabilities(const QString& printerName) const {
    const QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
    if (info.isNull()) return std::nullopt;
    DriverCapabilities capabilities;
    for (const QPageSize& page : info.supportedPageSizes()) {
        const QSizeF millimetres = page.size(QPageSize::Millimeter);
        capabilities.paperNames.append(page.name());
        capabilities.paperCodes.append(page.windowsId());
        capabilities.paperSizes.append(
            QSize(TenthsOfMillimetre(millimetres.width()), TenthsOfMillimetre(millimetres.height())));
    }
    const QPrinter printer(info, QPrinter::HighResolution);
    // Qt tells only whether the printer makes the copies itself, not up to how many.
    capabilities.maxCopies = printer.supportsMultipleCopies() ? kManyCopies : 1;
    capabilities.colour = info.supportedColorModes().contains(QPrinter::Color);
    capabilities.resolution = printer.resolution();
    return capabilities;
}

}  // namespace prn
