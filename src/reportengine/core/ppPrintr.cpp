// The printer list and each printer's tidied capabilities, read from the printer catalogue.
#include "reportengine/core/ppPrintr.h"

#include "platform/printcatalog/PrinterCatalog.h"
#include "reportengine/core/ppPrintrPapers.h"

namespace {

const QString kCustomPaperName = QStringLiteral("Custom");
const QString kDefaultName = QStringLiteral("Default");
const QString kScreenName = QStringLiteral("Screen");

void ppSetOrAppend(QStringList& list, int index, const QString& text) {
    if (index < list.size()) list[index] = text;
    else list.append(text);
}

int ppCustomPaperIndex(const QStringList& codes, const QStringList& names) {
    const int byCode = codes.indexOf(QString::number(kCustomPaperCode));
    if (byCode >= 0) return byCode;
    for (int i = 0; i < names.size(); ++i) {
        const QString upper = names[i].toUpper();
        if (upper.contains(QLatin1String("CUSTOM")) || upper.contains(QLatin1String("USER"))) return i;
    }
    return -1;
}

}  // namespace

void TppPrinterCapabilities::NormalisePapers() {
    if (PaperNames.size() > PaperCodes.size()) {
        PaperNames = PaperNames.mid(0, PaperCodes.size());
    } else if (PaperNames.size() < PaperCodes.size()) {
        PaperNames.clear();
        for (int i = 0; i < PaperCodes.size(); ++i) {
            QString name = PaperNameOfCode(PaperCodes[i].toInt());
            if (name == QLatin1String("Unknown")) {
                name = i < PaperWidths.size() && i < PaperHeights.size()
                           ? PaperSizeText(PaperWidths[i].toInt(), PaperHeights[i].toInt())
                           : QStringLiteral("Unknown: ") + PaperCodes[i];
            }
            PaperNames.append(name);
        }
    }
    int custom = ppCustomPaperIndex(PaperCodes, PaperNames);
    if (custom >= 0 && custom < PaperNames.size()) {
        PaperNames[custom] = kCustomPaperName;
    } else {
        custom = PaperNames.size();
        PaperNames.append(kCustomPaperName);
        PaperCodes.append(QString::number(kCustomPaperCode));
    }
    for (int i = 0; i < PaperCodes.size(); ++i) {
        if (i < PaperWidths.size() && i < PaperHeights.size()) continue;
        const QSize size = PaperSizeOfCode(PaperCodes[i].toInt());
        ppSetOrAppend(PaperWidths, i, QString::number(size.width()));
        ppSetOrAppend(PaperHeights, i, QString::number(size.height()));
    }
    // Sizes a driver reports beyond its last paper describe none; left in place they would pair the wrong
    // sizes with the papers once the custom paper moves to the end.
    PaperWidths = PaperWidths.mid(0, PaperCodes.size());
    PaperHeights = PaperHeights.mid(0, PaperCodes.size());
    for (int i = PaperNames.size() - 1; i >= 0; --i) {
        const bool sizeless = PaperWidths[i] == QLatin1String("0") || PaperHeights[i] == QLatin1String("0");
        if (!sizeless || PaperNames[i] == kCustomPaperName) continue;
        for (QStringList* list : {&PaperNames, &PaperCodes, &PaperWidths, &PaperHeights}) list->removeAt(i);
        if (i < custom) --custom;
    }
    for (QStringList* list : {&PaperNames, &PaperCodes, &PaperWidths, &PaperHeights})
        list->move(custom, list->size() - 1);
}

void TppPrinterCapabilities::NormaliseBins() {
    const int count = std::min(BinNames.size(), BinCodes.size());
    BinNames = BinNames.mid(0, count);
    BinCodes = BinCodes.mid(0, count);
    if (!BinNames.contains(kDefaultName)) {
        BinNames.prepend(kDefaultName);
        BinCodes.prepend(QStringLiteral("7"));
    }
}

TppPrinterInfo::TppPrinterInfo(const QString& name, const QString& driver, const QString& device, const QString& port,
                               bool local)
    : name_(name), driver_(driver), device_(device), port_(port), local_(local) {}

TppPrinterInfo::~TppPrinterInfo() = default;

TppPrinterCapabilities& TppPrinterInfo::GetCapabilities() {
    const std::lock_guard<std::mutex> guard(lock_);
    if (!capabilities_) capabilities_ = ReadCapabilities();
    return *capabilities_;
}

std::unique_ptr<TppPrinterCapabilities> TppPrinterInfo::ReadCapabilities() const {
    auto capabilities = std::make_unique<TppPrinterCapabilities>(name_);
    // A printer that cannot be reached reports nothing; normalising still gives it "Custom" and "Default".
    if (const std::optional<prn::DriverCapabilities> driver = prn::CurrentPrinterCatalog().Capabilities(device_)) {
        capabilities->PaperNames = driver->paperNames;
        for (const int code : driver->paperCodes) capabilities->PaperCodes.append(QString::number(code));
        for (const QSize& size : driver->paperSizes) {
            capabilities->PaperWidths.append(QString::number(size.width()));
            capabilities->PaperHeights.append(QString::number(size.height()));
        }
        capabilities->BinNames = driver->binNames;
        for (const int code : driver->binCodes) capabilities->BinCodes.append(QString::number(code));
        capabilities->MultipleCopies = driver->maxCopies > 2;
    }
    capabilities->NormalisePapers();
    capabilities->NormaliseBins();
    return capabilities;
}

TppScreenPrinterInfo::TppScreenPrinterInfo() : TppPrinterInfo(kScreenName, QString(), kScreenName, QString(), true) {}

std::unique_ptr<TppPrinterCapabilities> TppScreenPrinterInfo::ReadCapabilities() const {
    auto capabilities = std::make_unique<TppPrinterCapabilities>(Name());
    capabilities->BinCodes = QStringList{QStringLiteral("7")};
    capabilities->BinNames = QStringList{kDefaultName};
    // Not normalised: "Custom" stays first with no size.
    for (const int code : {kCustomPaperCode, 1, 5, 8, 8, 9, 17, 39, 40, 19, 20, 21, 22, 23}) {
        const QSize size = PaperSizeOfCode(code);
        capabilities->PaperCodes.append(QString::number(code));
        capabilities->PaperNames.append(PaperNameOfCode(code));
        capabilities->PaperWidths.append(QString::number(size.width()));
        capabilities->PaperHeights.append(QString::number(size.height()));
    }
    return capabilities;
}

TppPrinterList::TppPrinterList() {
    Refresh();
    GetDefaultPrinterName();
}

void TppPrinterList::Refresh() {
    const std::lock_guard<std::recursive_mutex> guard(lock_);
    infos_.clear();
    infos_.push_back(std::make_unique<TppPrinterInfo>(kDefaultName, QString(), QString(), QString(), true));
    infos_.push_back(std::make_unique<TppScreenPrinterInfo>());
    // Each queue is its own device; the print system needs no driver or port name to reach it.
    for (const prn::PrinterEntry& printer : prn::CurrentPrinterCatalog().Printers())
        infos_.push_back(
            std::make_unique<TppPrinterInfo>(printer.name, QString(), printer.name, QString(), printer.local));
}

int TppPrinterList::GetCount() const {
    const std::lock_guard<std::recursive_mutex> guard(lock_);
    return static_cast<int>(infos_.size());
}

int TppPrinterList::IndexOf(const QString& name) const {
    for (size_t i = 0; i < infos_.size(); ++i)
        if (infos_[i]->Name() == name) return static_cast<int>(i);
    return -1;
}

QString TppPrinterList::GetDefaultPrinterName() {
    const std::lock_guard<std::recursive_mutex> guard(lock_);
    QString device = prn::CurrentPrinterCatalog().DefaultPrinterName();
    if (device.isEmpty()) device = kScreenName;
    defaultPrinterName_ = DeviceToName(device);
    return defaultPrinterName_;
}

QString TppPrinterList::DeviceToName(const QString& device) const {
    const std::lock_guard<std::recursive_mutex> guard(lock_);
    for (const auto& info : infos_)
        if (info->Device() == device) return info->Name();
    return QString();
}

TppPrinterInfo* TppPrinterList::GetPrinterInfo(const QString& name) const {
    const std::lock_guard<std::recursive_mutex> guard(lock_);
    int index = IndexOf(name == kDefaultName ? defaultPrinterName_ : name);
    // "P on port" names the printer by its device. A name holding "on" without " on" names no device: looked
    // up as one it would resolve to the "Default" entry itself, which has no device to print on.
    const int on = name.indexOf(QLatin1String(" on"));
    if (index < 0 && on > 0) index = IndexOf(DeviceToName(name.left(on)));
    if (index < 0) index = IndexOf(defaultPrinterName_);
    return index < 0 ? nullptr : infos_[index].get();
}

QStringList TppPrinterList::Names() const {
    const std::lock_guard<std::recursive_mutex> guard(lock_);
    QStringList names;
    for (const auto& info : infos_) names.append(info->Name());
    return names;
}

TppPrinterList& GlobalPrinterList() {
    // Made once even when the background printer and the main thread ask together.
    static TppPrinterList list;
    return list;
}

TppPrinterInfo& NoPrinterInfo() {
    static TppPrinterInfo info(QStringLiteral("No Printer Installed"), QStringLiteral("None"), QStringLiteral("None"),
                               QString(), true);
    return info;
}
