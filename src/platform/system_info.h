#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What the about box shows of the machine: memory and processors.

struct SystemFacts {
  std::uint64_t total_memory_bytes = 0;
  int processor_count = 0;
  // The processor type as the old desktop numbered it (386, 486, 586, 8664, ...).
  int processor_type = 0;
};

// Where the facts come from; tests hand the dialog a fake.
class SystemInfoSource {
 public:
  virtual ~SystemInfoSource() = default;
  virtual SystemFacts Read() const = 0;
};

// The running machine: sysinfo() (else /proc/meminfo), the online processor
// count and uname's machine name. A value the system will not give is 0.
class HostSystemInfo : public SystemInfoSource {
 public:
  SystemFacts Read() const override;
};

// i386 -> 386, i486 -> 486, i586/i686 -> 586, x86_64 -> 8664; a name that
// is a plain number is that number; anything else 0.
int ProcessorTypeFromMachine(std::string_view machine);

// The "MemTotal:" line of /proc/meminfo text, in bytes; 0 when absent or bad.
std::uint64_t MemTotalFromMeminfo(std::string_view meminfo);

// Bytes to kilobytes, to the nearest whole kilobyte (512 bytes round up).
std::uint64_t BytesToNearestKilobytes(std::uint64_t bytes);

// "Intel 386", "Intel Pentium", "Mips R4000", "Alpha 21064", else the number.
std::string ProcessorName(int processor_type);

// The two caption lines, joined by one carriage return.
std::string SystemInfoCaptions();
// "<memory> KB\r<count>x <processor name> or compatible".
std::string SystemInfoValues(const SystemFacts& facts);
