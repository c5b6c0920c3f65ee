// The engine's printers: "Default", "Screen" and the system's printers, each with its papers and bins tidied
// into parallel text lists that every paper lookup of the engine relies on.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <mutex>
#include <vector>

class TppPrinterCapabilities {
public:
    explicit TppPrinterCapabilities(const QString& printerName) : PrinterName(printerName) {}

    // Makes the paper lists parallel, names the custom paper "Custom" and puts it last, fills missing sizes
    // from the paper table and drops papers without a size.
    void NormalisePapers();
    // Makes the bin lists parallel and gives the printer a "Default" bin.
    void NormaliseBins();

    QStringList BinCodes;
    QStringList BinNames;
    QStringList PaperHeights;  // tenths of a millimetre
    QStringList PaperNames;
    QStringList PaperCodes;
    QStringList PaperWidths;  // tenths of a millimetre
    QString PrinterName;
    bool MultipleCopies = false;
};

class TppPrinterInfo {
public:
    // A null text stands for a name the printer does not have.
    TppPrinterInfo(const QString& name, const QString& driver, const QString& device, const QString& port, bool local);
    virtual ~TppPrinterInfo();
    TppPrinterInfo(const TppPrinterInfo&) = delete;
    TppPrinterInfo& operator=(const TppPrinterInfo&) = delete;

    // Read on the first call and kept.
    TppPrinterCapabilities& GetCapabilities();

    const QString& Name() const { return name_; }
    const QString& Driver() const { return driver_; }
    const QString& Device() const { return device_; }
    const QString& Port() const { return port_; }
    bool Local() const { return local_; }
    bool Usable = true;

protected:
    virtual std::unique_ptr<TppPrinterCapabilities> ReadCapabilities() const;

private:
    QString name_;
    QString driver_;
    QString device_;
    QString port_;
    bool local_;
    std::mutex lock_;
    std::unique_ptr<TppPrinterCapabilities> capabilities_;
};

// The display as a printer: a fixed paper list for measuring when no printer can be reached.
class TppScreenPrinterInfo : public TppPrinterInfo {
public:
    TppScreenPrinterInfo();

protected:
    std::unique_ptr<TppPrinterCapabilities> ReadCapabilities() const override;
};

class TppPrinterList {
public:
    // Reads the printers and the default from the printer catalogue in use.
    TppPrinterList();
    TppPrinterList(const TppPrinterList&) = delete;
    TppPrinterList& operator=(const TppPrinterList&) = delete;

    int GetCount() const;
    // The entry of a name; "Default", and a name the list lacks, resolve to the system's default printer.
    // None when there is no default printer either.
    TppPrinterInfo* GetPrinterInfo(const QString& name) const;
    // Reads the system's default printer again and returns its list name; empty when it matches no entry.
    QString GetDefaultPrinterName();
    // The list name of the first entry with this device; empty when none has it.
    QString DeviceToName(const QString& device) const;
    QStringList Names() const;

private:
    void Refresh();
    int IndexOf(const QString& name) const;

    std::vector<std::unique_ptr<TppPrinterInfo>> infos_;
    QString defaultPrinterName_;
    mutable std::recursive_mutex lock_;
};

// The process-wide list, made on first use from the catalogue in use at that time and never refreshed.
TppPrinterList& GlobalPrinterList();
// Stands in for the printer of a setup that has none.
TppPrinterInfo& NoPrinterInfo();
