#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "platform/file_faults.h"

// One editor command timed once by the wall clock, with the positioned
// writes it made, to set beside a reference measured in the same run.
struct Measure {
  double seconds = 0.0;
  long writes = 0;
};

template <typename Action>
Measure Measured(Action&& action) {
  using Clock = std::chrono::steady_clock;
  file_faults::Reset();
  const Clock::time_point start = Clock::now();
  action();
  const std::chrono::duration<double> took = Clock::now() - start;
  const std::vector<FileOperation> operations = file_faults::Operations();
  file_faults::Reset();
  return {took.count(), std::count(operations.begin(), operations.end(), FileOperation::Write)};
}

// "<name>_ms", "<name>_writes", "<name>_per_<reference>" and the reference's own.
inline void Report(benchmark::State& state, const std::string& name, const Measure& command,
                   const std::string& reference_name, const Measure& reference) {
  state.counters[name + "_ms"] = command.seconds * 1e3;
  state.counters[reference_name + "_ms"] = reference.seconds * 1e3;
  state.counters[name + "_per_" + reference_name] = command.seconds / reference.seconds;
  state.counters[name + "_writes"] = static_cast<double>(command.writes);
  state.counters[reference_name + "_writes"] = static_cast<double>(reference.writes);
}
