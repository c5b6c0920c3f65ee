// Random numbers and the facts the diagnostic reports show.
#include "platform/rtl/Random.h"
#include "platform/rtl/SystemFacts.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <QDir>

TEST(Random, RepeatsFromASeedAndStaysInRange) {
    RandSeed = 42;
    std::vector<int> first;
    for (int i = 0; i < 100; ++i) first.push_back(Random(10));
    RandSeed = 42;
    for (int i = 0; i < 100; ++i) EXPECT_EQ(Random(10), first[i]);
    EXPECT_EQ(*std::min_element(first.begin(), first.end()), 0);
    EXPECT_EQ(*std::max_element(first.begin(), first.end()), 9);
    EXPECT_EQ(Random(0), 0);
    const double r = Random();
    EXPECT_TRUE(r >= 0 && r < 1);
}

TEST(SystemFacts, DescribeThisMachine) {
    EXPECT_FALSE(rtl::OsName().isEmpty());
    EXPECT_FALSE(rtl::KernelRelease().isEmpty());
    EXPECT_FALSE(rtl::MachineArchitecture().isEmpty());
    EXPECT_EQ(rtl::ProcessorCount(), sysconf(_SC_NPROCESSORS_ONLN));
    const rtl::MemoryFacts memory = rtl::Memory();
    ASSERT_TRUE(memory.valid);
    EXPECT_EQ(memory.totalPhysical, quint64(sysconf(_SC_PHYS_PAGES)) * quint64(sysconf(_SC_PAGE_SIZE)));
    EXPECT_LE(memory.availablePhysical, memory.totalPhysical);
    EXPECT_GE(memory.totalVirtual, memory.totalPhysical);
    EXPECT_TRUE(memory.memoryLoad >= 0 && memory.memoryLoad <= 100);
    EXPECT_FALSE(rtl::UserName().isEmpty());
    EXPECT_FALSE(rtl::ComputerName().isEmpty());
    EXPECT_TRUE(QDir(rtl::DocumentsFolder()).exists());
    if (rtl::MachineArchitecture() == "x86_64") {
        const rtl::ProcessorFacts cpu = rtl::Processor();
        EXPECT_FALSE(cpu.modelName.isEmpty());
        EXPECT_GT(cpu.family, 0);
        EXPECT_GE(cpu.stepping, 0);
    }
}
