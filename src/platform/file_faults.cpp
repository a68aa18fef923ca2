#include "platform/file_faults.h"

#include <csignal>
#include <cstdlib>

#include "errors/app_error.h"
#include "platform/binary_file.h"

namespace {

struct FaultPlan {
  int count = 0;
  int fail_at = 0;
  int fail_code = 0;
  bool system_error = false;
  int short_at = 0;
  std::size_t short_bytes = 0;
  int kill_at = 0;
  bool recording = false;  // only tests ask for the list; benchmarks never do
  std::vector<FileOperation> operations;
  std::vector<std::filesystem::path> files;
  std::function<void()> watcher;
};

FaultPlan& Plan() {
  // One plan per thread: faults are planned and counted on the thread that
  // runs the editor; a reader thread of the level set counts apart.
  static thread_local FaultPlan plan;
  return plan;
}

}  // namespace

void CountFileOperation(FileOperation kind, const std::filesystem::path& file) {
  FaultPlan& plan = Plan();
  ++plan.count;
  if (plan.recording) {
    plan.operations.push_back(kind);
    plan.files.push_back(file);
  }
  if (plan.watcher) plan.watcher();
  if (plan.kill_at != 0 && plan.count == plan.kill_at) {
#ifdef SIGKILL
    std::raise(SIGKILL);
#else
    std::_Exit(137);  // Windows has no SIGKILL; ending without any clean-up is the same
#endif
  }
  if (plan.fail_at != 0 && plan.count == plan.fail_at) {
    plan.fail_at = 0;
    if (plan.system_error) throw FileError(plan.fail_code, {});
    throw InOutError(plan.fail_code);
  }
}

std::optional<std::size_t> PlannedShortWrite() {
  FaultPlan& plan = Plan();
  if (plan.short_at != 0 && plan.count == plan.short_at) {
    plan.short_at = 0;
    return plan.short_bytes;
  }
  return std::nullopt;
}

namespace file_faults {
void Reset() {
  Plan() = FaultPlan{};
  Plan().recording = true;
}
void FailOperation(int nth, int code) {
  Plan().fail_at = Plan().count + nth;
  Plan().fail_code = code;
  Plan().system_error = false;
}
void FailWithSystemError(int nth, int error_number) {
  FailOperation(nth, error_number);
  Plan().system_error = true;
}
void ShortWrite(int nth, std::size_t bytes) {
  Plan().short_at = Plan().count + nth;
  Plan().short_bytes = bytes;
}
void KillAt(int nth) { Plan().kill_at = Plan().count + nth; }
int OperationCount() { return Plan().count; }
const std::vector<FileOperation>& Operations() { return Plan().operations; }
const std::vector<std::filesystem::path>& OperationFiles() { return Plan().files; }
void WatchOperations(std::function<void()> watcher) { Plan().watcher = std::move(watcher); }
}  // namespace file_faults
