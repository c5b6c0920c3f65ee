// The report engine's printer object that the data module keeps for every printout.
#pragma once

#include <functional>
#include <memory>

// Defined by the report engine, which installs the factory at start-up.
class TppPrinter;

namespace data {

// Makes the printer on the first request and keeps it until the holder goes.
class ReportPrinterHolder {
public:
    using Factory = std::function<std::shared_ptr<TppPrinter>()>;
    // The report engine's way of making a printer with its plain constructor.
    static void SetFactory(Factory factory);

    // Raises EInvalidOperation when no factory was installed.
    TppPrinter* Get();
    bool Made() const { return printer_ != nullptr; }

private:
    std::shared_ptr<TppPrinter> printer_;
};

}  // namespace data
