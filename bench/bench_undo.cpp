// The undo history's cost: the memory of 1,000 steps (the goal is under
// 1 MiB), and the positioned calls of an Undo of a Save against the Save
// itself, both measured in the same run. The time of each is reported too.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <vector>

#include "bench_support.h"
#include "editor/editing_session.h"
#include "platform/file_faults.h"

namespace {

constexpr int kHistorySteps = 1000;

std::size_t HeapInUse() { return mallinfo2().uordblks; }

// 1,000 steps: Saves (the usual and largest write step), an Add and a Remove
// every 50, a dropped edit every 10.
void BM_HistoryOf1000Steps(benchmark::State& state) {
  std::size_t step_bytes = 0, heap_bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    BenchEditor open;
    open.SaveChanged(0, 0);  // the backup and first-write work out of the way
    open.Reopen();           // and the history empty
    const std::size_t heap_before = HeapInUse();
    state.ResumeTiming();
    for (int i = 0; open.history.Steps().size() < kHistorySteps; ++i) {
      if (i % 50 == 25) {
        open.Click(open.session.Document().LastIndex);
        open.session.Records().RemoveLastObject();
      } else if (i % 50 == 49) {
        open.session.Records().AddObject();
      } else if (i % 10 == 5) {
        open.Click(i % 200);
        open.Type(TField::Y, "1.25");
        open.Click(i % 200 + 1);
      } else {
        open.SaveChanged(i % 200, i);
      }
    }
    state.PauseTiming();
    heap_bytes = HeapInUse() - heap_before;
    step_bytes = 0;
    for (const TWriteStep& step : open.history.Steps()) step_bytes += step.MemoryBytes();
    state.ResumeTiming();
  }
  state.counters["steps_KiB"] = static_cast<double>(step_bytes) / 1024.0;
  state.counters["heap_KiB"] = static_cast<double>(heap_bytes) / 1024.0;
  state.counters["goal_KiB"] = 1024;
}

struct Calls {
  long reads = 0, writes = 0, other = 0;
};

Calls CountCalls(const std::vector<FileOperation>& operations) {
  Calls calls;
  for (FileOperation kind : operations) {
    (kind == FileOperation::Read    ? calls.reads
     : kind == FileOperation::Write ? calls.writes
                                    : calls.other)++;
  }
  return calls;
}

// A Save, then its Undo; the calls of each through the file seam.
void BM_SaveThenUndo(benchmark::State& state) {
  BenchEditor open;
  open.SaveChanged(128, 1);
  Calls save, undo;
  int value = 2;
  for (auto _ : state) {
    file_faults::Reset();
    open.SaveChanged(128, value++);
    save = CountCalls(file_faults::Operations());
    file_faults::Reset();
    open.Undo();
    undo = CountCalls(file_faults::Operations());
  }
  file_faults::Reset();
  state.counters["save_writes"] = static_cast<double>(save.writes);
  state.counters["undo_writes"] = static_cast<double>(undo.writes);
  state.counters["save_reads"] = static_cast<double>(save.reads);
  state.counters["undo_reads"] = static_cast<double>(undo.reads);
  state.counters["save_other"] = static_cast<double>(save.other);
  state.counters["undo_other"] = static_cast<double>(undo.other);
}

void BM_Save(benchmark::State& state) {
  BenchEditor open;
  int value = 0;
  for (auto _ : state) open.SaveChanged(128, value++);
}

void BM_UndoRedoOfASave(benchmark::State& state) {
  BenchEditor open;
  open.SaveChanged(128, 7);
  for (auto _ : state) {
    open.Undo();
    open.Redo();
  }
}

BENCHMARK(BM_HistoryOf1000Steps)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SaveThenUndo)->Unit(benchmark::kMicrosecond)->Iterations(20);
BENCHMARK(BM_Save)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly();
BENCHMARK(BM_UndoRedoOfASave)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();

}  // namespace
