// Operating-system codes and descriptions, processor facts and the engine versions.
#include "util/DvSystemInfo.h"

#include "platform/rtl/SystemFacts.h"

#include <QStringList>

namespace {

const TDvVersionInfo kJetEngineVersion{4, 0, 9999, 0};
const TDvVersionInfo kDataAccessVersion{2, 8, 9999, 0};

// "Not installed" reads the same in the About window and the diagnostic log.
QString VersionTextOrNone(const std::optional<TDvVersionInfo>& version) {
    return version ? VersionInfoToText(*version) : QStringLiteral("Not installed");
}

QString IntelProcessorType(quint8 osVersionCode, const TProcessorFacts& facts) {
    const QString model = QString::number((facts.Revision >> 8) & 0xFF);
    const QString stepping = QString::number(facts.Revision & 0xFF);
    if (osVersionCode == 1 || osVersionCode == 2) {
        switch (facts.ProcessorType) {
            case 386: return QStringLiteral("80386");
            case 486: return QStringLiteral("80486");
            case 586: return QStringLiteral("Pentium");
            default: return QStringLiteral("Unknown");
        }
    }
    switch (facts.Level) {
        case 3: return QStringLiteral("80386");
        case 4: return QStringLiteral("80486");
        case 5: return QStringLiteral("Pentium Model ") + model + QStringLiteral(" Stepping ") + stepping;
        default:
            return QStringLiteral("Family ") + QString::number(facts.Level) + QStringLiteral(" Model ") + model +
                   QStringLiteral(" Stepping ") + stepping;
    }
}

}  // namespace

TOSVersionFacts CurrentOSVersionFacts() {
    TOSVersionFacts facts;
    facts.PlatformId = TOSVersionFacts::Other;
    facts.Name = rtl::OsName();
    const QStringList release = rtl::KernelRelease().split(QLatin1Char('.'));
    facts.Major = release.value(0).toInt();
    facts.Minor = release.value(1).toInt();
    return facts;
}

TProcessorFacts CurrentProcessorFacts() {
    static const QStringList x86 = {QStringLiteral("x86_64"), QStringLiteral("i386"), QStringLiteral("i686")};
    const rtl::ProcessorFacts cpu = rtl::Processor();
    TProcessorFacts facts;
    // A 32-bit program on a 64-bit x86 system was told "Intel" as well.
    facts.Architecture = x86.contains(rtl::MachineArchitecture()) ? 0 : -1;
    facts.Level = cpu.family;
    facts.Revision = ((cpu.model & 0xFF) << 8) | (cpu.stepping & 0xFF);
    facts.Count = rtl::ProcessorCount();
    facts.PhysicalMemory = rtl::Memory().totalPhysical;
    return facts;
}

quint8 GetOSVersionCode(const TOSVersionFacts& f) {
    if (f.PlatformId == TOSVersionFacts::Other) return 10;
    if (f.Major > 5) return 10;
    if (f.Major == 5) return f.Minor == 0 ? 7 : f.Minor == 1 ? 8 : 9;
    if (f.Major < 4) return 0;
    if (f.PlatformId == TOSVersionFacts::WindowsNT) return 6;
    if (f.Minor > 89) return 5;
    if (f.Minor < 10) return f.BuildNumber < 1000 ? 1 : 2;
    return f.BuildNumber < 2222 ? 3 : 4;
}

QString OSVersionCodeName(quint8 code) {
    static const char* const names[] = {"Windows",       "Windows 95",          "Windows 95 OSR2", "Windows 98",
                                        "Windows 98 SE", "Windows ME",          "Windows NT 4.0",  "Windows 2000",
                                        "Windows XP",    "Windows Server 2003", "Windows Vista"};
    return QString::fromLatin1(code <= 10 ? names[code] : names[0]);
}

QString GetOSDescription(const TOSVersionFacts& f) {
    if (f.PlatformId == TOSVersionFacts::Other) return QStringLiteral("%1 %2.%3").arg(f.Name).arg(f.Major).arg(f.Minor);
    const QString name = OSVersionCodeName(GetOSVersionCode(f));
    const quint32 build = f.PlatformId == TOSVersionFacts::Windows9x ? (f.BuildNumber & 0xFFFF) : f.BuildNumber;
    if (!f.ServicePack.trimmed().isEmpty())
        return QStringLiteral("%1 (Build %2: %3)").arg(name).arg(build).arg(f.ServicePack);
    return QStringLiteral("%1 (Build %2)").arg(name).arg(build);
}

TDvComputerInfo::TDvComputerInfo(quint8 osVersionCode, const TProcessorFacts& facts)
    : ProcessorCount(facts.Count), PhysicalMemory(facts.PhysicalMemory) {
    switch (facts.Architecture) {
        case 0:
            ArchitectureText = QStringLiteral("Intel Processor Architecture");
            ProcessorTypeText = IntelProcessorType(osVersionCode, facts);
            break;
        case 1: ArchitectureText = QStringLiteral("MIPS Processor Architecture"); break;
        case 2: ArchitectureText = QStringLiteral("DEC ALPHA Processor Architecture"); break;
        case 3: ArchitectureText = QStringLiteral("PPC Processor Architecture"); break;
        case 0xFFFF: ArchitectureText = QStringLiteral("Unknown Processor Architecture"); break;
        default: break;
    }
}

TDvSystemInfo::TDvSystemInfo() : facts_(CurrentOSVersionFacts()) { OSVersionCode = GetOSVersionCode(facts_); }

QString TDvSystemInfo::GetOSDescription() const { return ::GetOSDescription(facts_); }

TDvComputerInfo& TDvSystemInfo::GetComputerInfo() {
    if (!computerInfo_) computerInfo_ = std::make_unique<TDvComputerInfo>(OSVersionCode, CurrentProcessorFacts());
    return *computerInfo_;
}

TDvJetInfo::TDvJetInfo() : Installed(true), Version(kJetEngineVersion) {}

bool TDvJetInfo::IsVersionAtLeast(const TDvVersionInfo& v) const {
    return Installed && Version && CompareVersionInfo(*Version, v) >= 0;
}

QString TDvJetInfo::GetVersionText() const { return VersionTextOrNone(Version); }

TDvMDACInfo::TDvMDACInfo() : Installed(true), Version(kDataAccessVersion) {}

QString TDvMDACInfo::GetVersionText() const { return VersionTextOrNone(Version); }
