#include "platform/system_info.h"

#include <gtest/gtest.h>
#include <sys/utsname.h>

#include <cstdint>
#include <fstream>
#include <sstream>

namespace {

TEST(SystemInfoTest, MachineNamesMapToTheDesktopsProcessorTypes) {
  const std::pair<const char*, int> cases[] = {
      {"i386", 386},  {"i486", 486},  {"i586", 586}, {"i686", 586}, {"x86_64", 8664},
      {"4000", 4000}, {"aarch64", 0}, {"X86_64", 0}, {"-5", 0},     {"99999999999", 0}};
  for (const auto& [machine, type] : cases) {
    EXPECT_EQ(ProcessorTypeFromMachine(machine), type) << machine;
  }
}

class FakeSystem : public SystemInfoSource {
 public:
  explicit FakeSystem(SystemFacts facts) : facts_(facts) {}
  SystemFacts Read() const override { return facts_; }

 private:
  SystemFacts facts_;
};

TEST(SystemInfoTest, ValuesRoundTheMemoryAndNameTheProcessorByType) {
  EXPECT_EQ(SystemInfoCaptions(), "Available Memory:\rPlatform, CPU:");
  const std::pair<SystemFacts, const char*> cases[] = {
      {{511, 1, 386}, "0 KB\r1x Intel 386 or compatible"},
      {{512, 1, 486}, "1 KB\r1x Intel 486 or compatible"},
      {{1536, 1, 586}, "2 KB\r1x Intel Pentium or compatible"},
      {{(4ull << 30) + 511, 4, 2000}, "4194304 KB\r4x Mips R2000 or compatible"},
      {{(4ull << 30) + 512, 2, 4000}, "4194305 KB\r2x Mips R4000 or compatible"},
      {{1024, 1, 21064}, "1 KB\r1x Alpha 21064 or compatible"},
      {{3ull << 40, 64, 8664}, "3221225472 KB\r64x 8664 or compatible"},  // beyond 32 bits
      {{1024, 1, 686}, "1 KB\r1x 686 or compatible"},
  };
  for (const auto& [facts, values] : cases) {
    EXPECT_EQ(SystemInfoValues(FakeSystem(facts).Read()), values);
  }
  EXPECT_EQ(BytesToNearestKilobytes(UINT64_MAX), UINT64_MAX / 1024 + 1);  // no wrap-around
}

TEST(SystemInfoTest, MemTotalIsReadFromItsOwnLine) {
  EXPECT_EQ(MemTotalFromMeminfo("MemTotal:       16318496 kB\nMemFree: 1 kB\n"),
            16318496ull * 1024);
  EXPECT_EQ(MemTotalFromMeminfo("SwapTotal: 5 kB\nMemTotal: 7 kB"), 7ull * 1024);
  for (const char* bad : {"HugeMemTotal: 9 kB\n", "MemTotal: kB\n", "MemTotal:\nMemFree: 3 kB\n"}) {
    EXPECT_EQ(MemTotalFromMeminfo(bad), 0u) << bad;
  }
}

TEST(SystemInfoTest, HostFactsAgreeWithTheKernelsOwnReports) {
  const SystemFacts facts = HostSystemInfo().Read();
  std::ifstream meminfo("/proc/meminfo");
  std::stringstream text;
  text << meminfo.rdbuf();
  EXPECT_EQ(facts.total_memory_bytes, MemTotalFromMeminfo(text.str()));
  EXPECT_GT(facts.total_memory_bytes, 0u);
  EXPECT_GE(facts.processor_count, 1);
  utsname name{};
  ASSERT_EQ(uname(&name), 0);
  EXPECT_EQ(facts.processor_type, ProcessorTypeFromMachine(name.machine));
}

}  // namespace
