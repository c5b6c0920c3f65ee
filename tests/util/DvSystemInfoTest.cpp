// Operating-system codes and descriptions, processor texts, engine versions.
#include "util/DvSystemInfo.h"

#include <gtest/gtest.h>

namespace {
TOSVersionFacts Windows(TOSVersionFacts::Platform p, int major, int minor, quint32 build = 0, QString sp = {}) {
    TOSVersionFacts f;
    f.PlatformId = p;
    f.Major = major;
    f.Minor = minor;
    f.BuildNumber = build;
    f.ServicePack = std::move(sp);
    return f;
}
}  // namespace

TEST(DvSystemInfo, VersionCodesFollowTheWindowsTable) {
    using P = TOSVersionFacts;
    struct Case {
        TOSVersionFacts facts;
        int code;
    };
    const Case cases[] = {
        {Windows(P::WindowsNT, 6, 1), 10},       {Windows(P::WindowsNT, 5, 2), 9},
        {Windows(P::WindowsNT, 5, 1), 8},        {Windows(P::WindowsNT, 5, 0), 7},
        {Windows(P::WindowsNT, 4, 0), 6},        {Windows(P::Windows9x, 4, 90), 5},
        {Windows(P::Windows9x, 4, 0, 950), 1},   {Windows(P::Windows9x, 4, 0, 1111), 2},
        {Windows(P::Windows9x, 4, 10, 1998), 3}, {Windows(P::Windows9x, 4, 10, 2222), 4},
        {Windows(P::WindowsNT, 3, 51), 0},
    };
    for (const Case& c : cases) EXPECT_EQ(GetOSVersionCode(c.facts), c.code) << c.facts.Major << "." << c.facts.Minor;
    EXPECT_EQ(OSVersionCodeName(10), QStringLiteral("Windows Vista"));
    EXPECT_EQ(OSVersionCodeName(0), QStringLiteral("Windows"));
}

TEST(DvSystemInfo, DescriptionsInThePlatformsFormat) {
    using P = TOSVersionFacts;
    EXPECT_EQ(GetOSDescription(Windows(P::WindowsNT, 5, 1, 2600, QStringLiteral("Service Pack 2 "))),
              QStringLiteral("Windows XP (Build 2600: Service Pack 2 )"));
    EXPECT_EQ(GetOSDescription(Windows(P::WindowsNT, 5, 0, 2195, QStringLiteral("  "))),
              QStringLiteral("Windows 2000 (Build 2195)"));
    // The 9x platform keeps only the low word of the build number.
    EXPECT_EQ(GetOSDescription(Windows(P::Windows9x, 4, 90, 0x04000BB8)), QStringLiteral("Windows ME (Build 3000)"));
    TOSVersionFacts linux = Windows(P::Other, 6, 1);
    linux.Name = QStringLiteral("Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(GetOSDescription(linux), QStringLiteral("Debian GNU/Linux 12 (bookworm) 6.1"));
}

TEST(DvSystemInfo, ThisMachinePassesTheStartUpGate) {
    TDvSystemInfo info;
    EXPECT_TRUE(info.IsOSAtLeast(7));
    EXPECT_FALSE(info.GetOSDescription().isEmpty());
    TDvComputerInfo& computer = info.GetComputerInfo();
    EXPECT_EQ(&computer, &info.GetComputerInfo());
    EXPECT_GE(computer.ProcessorCount, 1);
    EXPECT_GT(computer.PhysicalMemory, 0u);
}

TEST(DvSystemInfo, ProcessorTexts) {
    struct Case {
        int arch, type, level, revision;
        quint8 os;
        const char* architecture;
        const char* processor;
    };
    const Case cases[] = {
        {0, 0, 6, 0x5507, 10, "Intel Processor Architecture", "Family 6 Model 85 Stepping 7"},
        {0, 0, 5, 0x0203, 10, "Intel Processor Architecture", "Pentium Model 2 Stepping 3"},
        {0, 0, 4, 0, 10, "Intel Processor Architecture", "80486"},
        {0, 586, 0, 0, 1, "Intel Processor Architecture", "Pentium"},
        {1, 0, 0, 0, 10, "MIPS Processor Architecture", "Unknown"},
        {0xFFFF, 0, 0, 0, 10, "Unknown Processor Architecture", "Unknown"},
        {12, 0, 0, 0, 10, "", "Unknown"},
    };
    for (const Case& c : cases) {
        TProcessorFacts facts;
        facts.Architecture = c.arch;
        facts.ProcessorType = c.type;
        facts.Level = c.level;
        facts.Revision = c.revision;
        const TDvComputerInfo info(c.os, facts);
        EXPECT_EQ(info.ArchitectureText, QString::fromLatin1(c.architecture));
        EXPECT_EQ(info.ProcessorTypeText, QString::fromLatin1(c.processor));
    }
}

TEST(DvSystemInfo, TheBuiltInEnginePassesJetVersionGates) {
    const TDvJetInfo jet;
    EXPECT_TRUE(jet.Installed);
    EXPECT_TRUE(jet.IsVersionAtLeast({4, 0, 2927, 5}));
    EXPECT_EQ(jet.GetVersionText(), QStringLiteral("4.0.9999.0"));
    EXPECT_FALSE(TDvMDACInfo().GetVersionText().isEmpty());
}
