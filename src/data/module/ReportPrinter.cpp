// Making and keeping the report printer.
#include "data/module/ReportPrinter.h"

#include "platform/rtl/Exceptions.h"

namespace data {
namespace {

ReportPrinterHolder::Factory& InstalledFactory() {
    static ReportPrinterHolder::Factory factory;
    return factory;
}

}  // namespace

void ReportPrinterHolder::SetFactory(Factory factory) { InstalledFactory() = std::move(factory); }

TppPrinter* ReportPrinterHolder::Get() {
    if (!printer_) {
        if (!InstalledFactory()) throw EInvalidOperation(QStringLiteral("No report printer is available"));
        printer_ = InstalledFactory()();
    }
    return printer_.get();
}

}  // namespace data
