// Objects travelling: deleting record 0 of a full file (255 records move up)
// and pasting 255 records, each against 255 Add Object, the commands the
// user would otherwise run, measured in the same run. Counters report the
// time of each and their ratio, and the positioned writes of each.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "bench_support.h"
#include "editor/editing_session.h"
#include "measured_command.h"
#include "platform/file_faults.h"

namespace {

constexpr int kMoved = 255;

// 255 Add Object on a file of one record: the reference.
Measure AddObjects(benchmark::State& state) {
  state.PauseTiming();
  BenchEditor adds;
  WriteBenchLoFile(adds.lo, 1);
  adds.Reopen();
  adds.session.Records().AddObject();  // the backup and first-write work out of the way
  adds.Click(1);
  adds.session.Records().RemoveLastObject();
  state.ResumeTiming();
  return Measured([&] {
    for (int i = 0; i < kMoved; ++i) adds.session.Records().AddObject();
  });
}

void BM_DeleteRecord0Of256AgainstAddObjects(benchmark::State& state) {
  Measure remove, adds;
  for (auto _ : state) {
    state.PauseTiming();
    BenchEditor open;
    open.SaveChanged(200, 1);  // the backup and first-write work out of the way
    open.Click(0);
    state.ResumeTiming();
    remove = Measured([&] { open.session.Objects().DeleteObjects(); });
    adds = AddObjects(state);
  }
  Report(state, "delete", remove, "adds", adds);
}

void BM_Paste255AgainstAddObjects(benchmark::State& state) {
  Measure paste, adds;
  for (auto _ : state) {
    state.PauseTiming();
    BenchEditor source;
    std::vector<TRecordBytes> records;
    for (int row = 1; row <= kMoved; ++row) {
      records.push_back(PackRecord(source.session.Document().LoRecordTable[row]));
    }
    BenchEditor open;
    WriteBenchLoFile(open.lo, 1);
    open.Reopen();
    open.SaveChanged(0, 1);
    state.ResumeTiming();
    paste = Measured([&] { open.session.Objects().PasteObjects(records); });
    adds = AddObjects(state);
  }
  Report(state, "paste", paste, "adds", adds);
}

BENCHMARK(BM_DeleteRecord0Of256AgainstAddObjects)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Paste255AgainstAddObjects)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
