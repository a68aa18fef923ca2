#include <windows.h>

#include "platform/system_info.h"

// GetSystemInfo numbers the processor as the about box shows it (8664 for
// x86-64, 586 for a Pentium).
SystemFacts HostSystemInfo::Read() const {
  SystemFacts facts;
  MEMORYSTATUSEX memory{};
  memory.dwLength = sizeof memory;
  if (::GlobalMemoryStatusEx(&memory)) facts.total_memory_bytes = memory.ullTotalPhys;
  SYSTEM_INFO system{};
  ::GetNativeSystemInfo(&system);
  facts.processor_count = static_cast<int>(system.dwNumberOfProcessors);
  facts.processor_type = static_cast<int>(system.dwProcessorType);
  return facts;
}
