#include "platform/system_info.h"

#include <gtest/gtest.h>
#include <sys/utsname.h>

#include <cstdint>
#include <fstream>
#include <sstream>

namespace {

TEST(SystemInfoTest, MachineNamesMapToTheDesktopsProcessorTypesAndNames) {
  for (const auto& [machine, type, name] : {std::tuple{"i386", 386, "Intel 386"},
                                            {"i486", 486, "Intel 486"},
                                            {"i686", 586, "Intel Pentium"},
                                            {"x86_64", 8664, "8664"},
                                            {"4000", 4000, "Mips R4000"},
                                            {"21064", 21064, "Alpha 21064"},
                                            {"aarch64", 0, "0"},
                                            {"X86_64", 0, "0"},
                                            {"-5", 0, "0"},
                                            {"99999999999", 0, "0"}}) {
    EXPECT_EQ(ProcessorTypeFromMachine(machine), type) << machine;
    EXPECT_EQ(ProcessorName(type), name) << machine;
  }
}

TEST(SystemInfoTest, ValuesAreMemoryToTheNearestKilobyteAndTheProcessors) {
  EXPECT_EQ(SystemInfoCaptions(), "Available Memory:\rPlatform, CPU:");
  EXPECT_EQ(SystemInfoValues({1535, 1, 586}), "1 KB\r1x Intel Pentium or compatible");
  EXPECT_EQ(SystemInfoValues({1536, 4, 3000}), "2 KB\r4x Mips R3000 or compatible");
  EXPECT_EQ(SystemInfoValues({3ull << 40, 64, 8664}), "3221225472 KB\r64x 8664 or compatible");
  EXPECT_EQ(BytesToNearestKilobytes(UINT64_MAX), UINT64_MAX / 1024 + 1);  // no wrap-around
}

TEST(SystemInfoTest, MemTotalIsReadFromItsOwnLine) {
  EXPECT_EQ(MemTotalFromMeminfo("MemTotal:       16318496 kB\nMemFree: 1 kB\n"),
            16318496ull * 1024);
  EXPECT_EQ(MemTotalFromMeminfo("SwapTotal: 5 kB\nMemTotal: 7 kB"), 7ull * 1024);
  for (const char* bad :
       {"HugeMemTotal: 9 kB\n", "MemTotal: kB\n", "MemTotal:\nMemFree: 3 kB\n", ""}) {
    EXPECT_EQ(MemTotalFromMeminfo(bad), 0u) << bad;
  }
}

TEST(SystemInfoTest, HostFactsAgreeWithTheKernelsOwnReports) {
  const SystemFacts facts = HostSystemInfo().Read();
  std::ifstream meminfo("/proc/meminfo");
  std::stringstream text;
  text << meminfo.rdbuf();
  // sysinfo() and /proc/meminfo count the same pages.
  EXPECT_EQ(facts.total_memory_bytes, MemTotalFromMeminfo(text.str()));
  EXPECT_GE(facts.processor_count, 1);
  utsname name{};
  ASSERT_EQ(uname(&name), 0);
  EXPECT_EQ(facts.processor_type, ProcessorTypeFromMachine(name.machine));
}

}  // namespace
