// What the diagnostic reports and the About window tell of the machine and the database engine.
#pragma once

#include "util/core/DvVersionInfo.h"

#include <QString>
#include <memory>
#include <optional>

// The operating system as the version questions see it.
struct TOSVersionFacts {
    enum Platform { Windows9x, WindowsNT, Other };
    Platform PlatformId = Other;
    int Major = 0;
    int Minor = 0;
    quint32 BuildNumber = 0;
    QString ServicePack;
    QString Name;  // the system's own name on a platform other than Windows
};

// The processor as the system reports it.
struct TProcessorFacts {
    int Architecture = 0;   // 0 Intel, 1 MIPS, 2 Alpha, 3 PPC, 0xFFFF unknown, others unnamed
    int ProcessorType = 0;  // 386, 486, 586 (older systems)
    int Level = 0;          // the processor family
    int Revision = 0;       // model in the high byte, stepping in the low byte
    int Count = 0;
    quint64 PhysicalMemory = 0;
};

// This machine's facts (Linux: os-release, uname, /proc).
TOSVersionFacts CurrentOSVersionFacts();
TProcessorFacts CurrentProcessorFacts();

// Codes: 0 older or unknown Windows, 1 95, 2 95 OSR2, 3 98, 4 98 SE, 5 ME, 6 NT 4.0, 7 2000, 8 XP,
// 9 Server 2003, 10 Vista and later. A system that is not Windows counts as current (10).
quint8 GetOSVersionCode(const TOSVersionFacts& facts);
QString OSVersionCodeName(quint8 code);
QString GetOSDescription(const TOSVersionFacts& facts);

class TDvComputerInfo {
public:
    TDvComputerInfo(quint8 osVersionCode, const TProcessorFacts& facts);
    QString ArchitectureText;
    int ProcessorCount = 0;
    // Bytes; 64 bits wide, so that machines with more than 4 GB report their memory.
    quint64 PhysicalMemory = 0;
    QString ProcessorTypeText = QStringLiteral("Unknown");
};

class TDvSystemInfo {
public:
    TDvSystemInfo();
    quint8 OSVersionCode = 0;
    bool IsOSAtLeast(quint8 code) const { return OSVersionCode >= code; }
    QString GetOSDescription() const;
    // Created on the first call and kept.
    TDvComputerInfo& GetComputerInfo();

private:
    TOSVersionFacts facts_;
    std::unique_ptr<TDvComputerInfo> computerInfo_;
};

// The database engine is built in: it stands in for the Jet 4.0 engine and reports a version that
// passes every version gate set for that engine.
class TDvJetInfo {
public:
    TDvJetInfo();
    bool Installed = false;
    std::optional<TDvVersionInfo> Version;
    bool IsVersionAtLeast(const TDvVersionInfo& v) const;
    QString GetVersionText() const;
};

// The data-access layer is built in as well and reports its own version.
class TDvMDACInfo {
public:
    TDvMDACInfo();
    bool Installed = false;
    std::optional<TDvVersionInfo> Version;
    QString GetVersionText() const;
};
