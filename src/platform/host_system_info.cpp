#include <sys/sysinfo.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "platform/system_info.h"

namespace {

std::uint64_t HostMemoryBytes() {
  struct sysinfo info {};
  if (sysinfo(&info) == 0 && info.totalram > 0) {
    return static_cast<std::uint64_t>(info.totalram) * info.mem_unit;
  }
  std::ifstream file("/proc/meminfo");
  std::stringstream text;
  text << file.rdbuf();
  return MemTotalFromMeminfo(text.str());
}

}  // namespace

SystemFacts HostSystemInfo::Read() const {
  SystemFacts facts;
  facts.total_memory_bytes = HostMemoryBytes();
  const long count = sysconf(_SC_NPROCESSORS_ONLN);
  facts.processor_count = count > 0 ? static_cast<int>(count) : 0;
  struct utsname name {};
  if (uname(&name) == 0) facts.processor_type = ProcessorTypeFromMachine(name.machine);
  return facts;
}
