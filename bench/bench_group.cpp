// Many objects at once: an array of 200 copies and a set-for-group over 256
// records, each against the same count of Duplicate Object, the command the
// user would otherwise run, measured in the same run. Counters report the
// time of each, their ratio, and the positioned writes of each.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "bench_support.h"
#include "editor/editing_session.h"
#include "measured_command.h"
#include "platform/file_faults.h"

namespace {

// A file of `records` records, its backup and first write out of the way.
void Prepare(BenchEditor& editor, int records) {
  WriteBenchLoFile(editor.lo, records);
  editor.Reopen();
  editor.SaveChanged(0, 1);
  editor.Click(0);
}

// `count` Duplicate Object on a file of one record: the reference.
Measure Duplicates(benchmark::State& state, int count) {
  state.PauseTiming();
  BenchEditor editor;
  Prepare(editor, 1);
  state.ResumeTiming();
  return Measured([&] {
    for (int i = 0; i < count; ++i) {
      editor.Click(0);
      editor.session.Placing().DuplicateRecord();
    }
  });
}

void BM_ArrayOf200AgainstDuplicates(benchmark::State& state) {
  Measure array, duplicates;
  for (auto _ : state) {
    state.PauseTiming();
    BenchEditor editor;
    Prepare(editor, 1);
    state.ResumeTiming();
    array = Measured([&] { editor.session.Group().Array({200, 1.5, 0.5, 3.0}); });
    duplicates = Duplicates(state, 200);
  }
  Report(state, "array", array, "duplicates", duplicates);
}

void BM_SetForGroupOf256AgainstDuplicates(benchmark::State& state) {
  Measure set, duplicates;
  for (auto _ : state) {
    state.PauseTiming();
    BenchEditor editor;
    Prepare(editor, 256);
    editor.session.Group().SelectAll();
    state.ResumeTiming();
    set = Measured([&] {
      editor.session.Group().SetForGroup({{TField::Density, "4"}, {TField::Z, "2.5"}});
    });
    duplicates = Duplicates(state, 255);
  }
  Report(state, "set", set, "duplicates", duplicates);
}

BENCHMARK(BM_ArrayOf200AgainstDuplicates)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SetForGroupOf256AgainstDuplicates)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
