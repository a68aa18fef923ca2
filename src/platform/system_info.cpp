#include "platform/system_info.h"

#include <charconv>

namespace {

// Whole text as a non-negative decimal number, or -1.
long long PlainNumber(std::string_view text) {
  long long value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || value < 0) return -1;
  return value;
}

}  // namespace

int ProcessorTypeFromMachine(std::string_view machine) {
  if (machine == "i386") return 386;
  if (machine == "i486") return 486;
  if (machine == "i586" || machine == "i686") return 586;
  if (machine == "x86_64") return 8664;
  const long long number = PlainNumber(machine);
  return number >= 0 && number <= 0x7fffffff ? static_cast<int>(number) : 0;
}

std::uint64_t MemTotalFromMeminfo(std::string_view meminfo) {
  constexpr std::string_view kKey = "MemTotal:";
  std::size_t at = meminfo.find(kKey);
  // Only a key at the start of a line counts.
  while (at != std::string_view::npos && at != 0 && meminfo[at - 1] != '\n') {
    at = meminfo.find(kKey, at + 1);
  }
  if (at == std::string_view::npos) return 0;
  std::string_view rest = meminfo.substr(at + kKey.size());
  rest = rest.substr(0, rest.find('\n'));
  const std::size_t digits = rest.find_first_not_of(' ');
  if (digits == std::string_view::npos) return 0;
  rest.remove_prefix(digits);
  std::uint64_t kilobytes = 0;
  auto [ptr, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), kilobytes);
  if (ec != std::errc() || ptr == rest.data()) return 0;
  if (kilobytes > UINT64_MAX / 1024) return 0;
  return kilobytes * 1024;  // the kernel's "kB" are 1024 bytes
}

std::uint64_t BytesToNearestKilobytes(std::uint64_t bytes) {
  // Written so that the largest byte counts do not overflow.
  return bytes / 1024 + (bytes % 1024 >= 512 ? 1 : 0);
}

std::string ProcessorName(int processor_type) {
  switch (processor_type) {
    case 386:
      return "Intel 386";
    case 486:
      return "Intel 486";
    case 586:
      return "Intel Pentium";
    case 2000:
    case 3000:
    case 4000:
      return "Mips R" + std::to_string(processor_type);
    case 21064:
      return "Alpha 21064";
    default:
      return std::to_string(processor_type);
  }
}

std::string SystemInfoCaptions() {
  return std::string("Available Memory:") + '\r' + "Platform, CPU:";
}

std::string SystemInfoValues(const SystemFacts& facts) {
  return std::to_string(BytesToNearestKilobytes(facts.total_memory_bytes)) + " KB\r" +
         std::to_string(facts.processor_count) + "x " + ProcessorName(facts.processor_type) +
         " or compatible";
}
