// The undo history's cost: the memory of 1,000 steps (the goal is under
// 1 MiB), and the positioned calls of an Undo of a Save against the Save
// itself, both measured in the same run. The time of each is reported too.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <vector>

#include "bench_support.h"
#include "editor/record_editor.h"
#include "platform/file_faults.h"
#include "settings/profile_store.h"

namespace {

constexpr int kHistorySteps = 1000;

struct OpenEditor {
  BenchWorkspace workspace;
  ruriVizid settings{workspace.folder / "zodaZa.INI"};
  BenchHost host;
  RecordEditor editor{settings, host};
  std::vector<TWriteStep> history;
  OpenEditor() {
    host.file = workspace.LoFile();
    host.lo_prompt.SelectedFolder = workspace.folder.string();
    host.objdat_prompt.SelectedFolder = workspace.folder.string();
    editor.OpenLoFile();
    editor.SetStepListener([this](TWriteStep step) { history.push_back(std::move(step)); });
  }
  // A Save of `row` with X and the name changed.
  void Save(int row, int value) {
    editor.View().SetSelectedRowFromUser(row);
    editor.ShowRecord();
    editor.View().SetTextFromUser(TField::X, std::to_string(value % 1000) + ".5");
    editor.MarkFieldModified(TField::X);
    editor.View().SetTextFromUser(TField::Name, "Step " + std::to_string(value));
    editor.MarkFieldModified(TField::Name);
    editor.CommitRecord(TCommitTarget::SelectedRow);
  }
};

std::size_t HeapInUse() { return mallinfo2().uordblks; }

// 1,000 steps: Saves (the usual and largest write step), an Add and a Remove
// every 50, a dropped edit every 10.
void BM_HistoryOf1000Steps(benchmark::State& state) {
  std::size_t step_bytes = 0, heap_bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    OpenEditor open;
    open.history.reserve(kHistorySteps);
    open.Save(0, 0);  // the backup and first-write work out of the way
    open.history.clear();
    const std::size_t heap_before = HeapInUse();
    state.ResumeTiming();
    for (int i = 0; open.history.size() < kHistorySteps; ++i) {
      if (i % 50 == 25) {
        open.editor.View().SetSelectedRowFromUser(open.editor.Document().LastIndex);
        open.editor.ShowRecord();
        open.editor.RemoveLastObject();
      } else if (i % 50 == 49) {
        open.editor.AddObject();
      } else if (i % 10 == 5) {
        open.editor.View().SetSelectedRowFromUser(i % 200);
        open.editor.ShowRecord();
        open.editor.View().SetTextFromUser(TField::Y, "1.25");
        open.editor.MarkFieldModified(TField::Y);
        open.editor.View().SetSelectedRowFromUser(i % 200 + 1);
        open.editor.ShowRecord();
      } else {
        open.Save(i % 200, i);
      }
    }
    state.PauseTiming();
    open.history.resize(kHistorySteps);
    heap_bytes = HeapInUse() - heap_before;
    step_bytes = 0;
    for (const TWriteStep& step : open.history) step_bytes += step.MemoryBytes();
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
  OpenEditor open;
  open.Save(128, 1);
  Calls save, undo;
  int value = 2;
  for (auto _ : state) {
    file_faults::Reset();
    open.Save(128, value++);
    save = CountCalls(file_faults::Operations());
    file_faults::Reset();
    open.editor.UndoStep(open.history.back());
    undo = CountCalls(file_faults::Operations());
    open.history.clear();
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
  OpenEditor open;
  int value = 0;
  for (auto _ : state) {
    open.Save(128, value++);
    open.history.clear();
  }
}

void BM_UndoRedoOfASave(benchmark::State& state) {
  OpenEditor open;
  open.Save(128, 7);
  const TWriteStep step = open.history.back();
  for (auto _ : state) {
    open.editor.UndoStep(step);
    open.editor.RedoStep(step);
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
