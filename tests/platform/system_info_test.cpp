#include "platform/system_info.h"

#include <gtest/gtest.h>
#include <sys/utsname.h>

#include <cstdint>
#include <fstream>
#include <sstream>

namespace {

TEST(SystemInfoTest, MachineNamesMapToTheDesktopsProcessorTypes) {
  EXPECT_EQ(ProcessorTypeFromMachine("i386"), 386);
  EXPECT_EQ(ProcessorTypeFromMachine("i486"), 486);
  EXPECT_EQ(ProcessorTypeFromMachine("i586"), 586);
  EXPECT_EQ(ProcessorTypeFromMachine("i686"), 586);
  EXPECT_EQ(ProcessorTypeFromMachine("x86_64"), 8664);
  EXPECT_EQ(ProcessorTypeFromMachine("4000"), 4000);  // a name that is a number
  EXPECT_EQ(ProcessorTypeFromMachine("aarch64"), 0);
  EXPECT_EQ(ProcessorTypeFromMachine("X86_64"), 0);
  EXPECT_EQ(ProcessorTypeFromMachine(""), 0);
  EXPECT_EQ(ProcessorTypeFromMachine("-5"), 0);
  EXPECT_EQ(ProcessorTypeFromMachine("99999999999"), 0);  // beyond a type number
}

TEST(SystemInfoTest, ProcessorNamesFollowTheTypeTable) {
  EXPECT_EQ(ProcessorName(386), "Intel 386");
  EXPECT_EQ(ProcessorName(486), "Intel 486");
  EXPECT_EQ(ProcessorName(586), "Intel Pentium");
  EXPECT_EQ(ProcessorName(2000), "Mips R2000");
  EXPECT_EQ(ProcessorName(3000), "Mips R3000");
  EXPECT_EQ(ProcessorName(4000), "Mips R4000");
  EXPECT_EQ(ProcessorName(21064), "Alpha 21064");
  EXPECT_EQ(ProcessorName(8664), "8664");
  EXPECT_EQ(ProcessorName(4400), "4400");
  EXPECT_EQ(ProcessorName(686), "686");
  EXPECT_EQ(ProcessorName(0), "0");
}

TEST(SystemInfoTest, MemoryIsRoundedToTheNearestKilobyte) {
  EXPECT_EQ(BytesToNearestKilobytes(0), 0u);
  EXPECT_EQ(BytesToNearestKilobytes(511), 0u);
  EXPECT_EQ(BytesToNearestKilobytes(512), 1u);
  EXPECT_EQ(BytesToNearestKilobytes(1024), 1u);
  EXPECT_EQ(BytesToNearestKilobytes(1535), 1u);
  EXPECT_EQ(BytesToNearestKilobytes(1536), 2u);
  EXPECT_EQ(BytesToNearestKilobytes(8ull << 30), 8ull << 20);
  EXPECT_EQ(BytesToNearestKilobytes(UINT64_MAX), UINT64_MAX / 1024 + 1);  // no wrap-around
}

class FakeSystem : public SystemInfoSource {
 public:
  explicit FakeSystem(SystemFacts facts) : facts_(facts) {}
  SystemFacts Read() const override { return facts_; }

 private:
  SystemFacts facts_;
};

TEST(SystemInfoTest, CaptionsAndValuesAreTwoLinesJoinedByACarriageReturn) {
  EXPECT_EQ(SystemInfoCaptions(), "Available Memory:\rPlatform, CPU:");

  EXPECT_EQ(SystemInfoValues(FakeSystem({1536, 1, 586}).Read()),
            "2 KB\r1x Intel Pentium or compatible");
  EXPECT_EQ(SystemInfoValues(FakeSystem({(4ull << 30) + 511, 4, 4000}).Read()),
            "4194304 KB\r4x Mips R4000 or compatible");
  EXPECT_EQ(SystemInfoValues(FakeSystem({(4ull << 30) + 512, 2, 21064}).Read()),
            "4194305 KB\r2x Alpha 21064 or compatible");
  EXPECT_EQ(SystemInfoValues(FakeSystem({3ull << 40, 64, 8664}).Read()),
            "3221225472 KB\r64x 8664 or compatible");  // beyond 32-bit kilobytes
}

TEST(SystemInfoTest, MemTotalIsReadFromItsOwnLine) {
  EXPECT_EQ(MemTotalFromMeminfo("MemTotal:       16318496 kB\nMemFree: 1 kB\n"),
            16318496ull * 1024);
  EXPECT_EQ(MemTotalFromMeminfo("SwapTotal: 5 kB\nMemTotal: 7 kB"), 7ull * 1024);
  EXPECT_EQ(MemTotalFromMeminfo("HugeMemTotal: 9 kB\n"), 0u);
  EXPECT_EQ(MemTotalFromMeminfo("MemFree: 9 kB\n"), 0u);
  EXPECT_EQ(MemTotalFromMeminfo("MemTotal: kB\n"), 0u);
  EXPECT_EQ(MemTotalFromMeminfo("MemTotal:\nMemFree: 3 kB\n"), 0u);
  EXPECT_EQ(MemTotalFromMeminfo(""), 0u);
}

TEST(SystemInfoTest, HostFactsAgreeWithTheKernelsOwnReports) {
  const SystemFacts facts = HostSystemInfo().Read();
  std::ifstream meminfo("/proc/meminfo");
  std::stringstream text;
  text << meminfo.rdbuf();
  // sysinfo() and /proc/meminfo count the same pages.
  EXPECT_EQ(facts.total_memory_bytes, MemTotalFromMeminfo(text.str()));
  EXPECT_GT(facts.total_memory_bytes, 0u);
  EXPECT_GE(facts.processor_count, 1);
  utsname name{};
  ASSERT_EQ(uname(&name), 0);
  EXPECT_EQ(facts.processor_type, ProcessorTypeFromMachine(name.machine));
}

}  // namespace
