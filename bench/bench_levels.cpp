// The level set of a big game: 500 Lo files of 256 records each. Listing it
// (every file read with its header, count and Check File's findings against
// a 512-entry catalogue) and finding a kind and a name part across it, each
// against a bare read of the same files' bytes in the same run. Counters
// report the wall-clock time of each and its ratio to the bare read, and
// the same in processor time (steadier on a busy machine).

#include <benchmark/benchmark.h>

#include <ctime>
#include <string>
#include <vector>

#include "bench_support.h"
#include "datafiles/obj_catalogue.h"
#include "editor/level_find.h"
#include "editor/level_set.h"
#include "measured_command.h"
#include "platform/whole_file.h"

namespace {

constexpr int kLevels = 500;

// Processor time of this process, in seconds.
double CpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Measured, with the processor time it took beside the wall clock's.
struct Timed {
  Measure wall;
  double cpu = 0.0;
};
template <typename Action>
Timed TimedRun(Action&& action) {
  const double start = CpuSeconds();
  Timed timed;
  timed.wall = Measured(action);
  timed.cpu = CpuSeconds() - start;
  return timed;
}

void ReportBoth(benchmark::State& state, const std::string& name, const Timed& command,
                const Timed& reference) {
  Report(state, name, command.wall, "bare_read", reference.wall);
  state.counters[name + "_cpu_ms"] = command.cpu * 1e3;
  state.counters["bare_read_cpu_ms"] = reference.cpu * 1e3;
  state.counters[name + "_cpu_per_bare_read"] = command.cpu / reference.cpu;
}

struct BenchLevels {
  BenchLevels() {
    for (int i = 0; i < kLevels; ++i) {
      WriteBenchLoFile(dir / ("Lo" + std::to_string(1000 + i) + ".dat"));
    }
    WriteBenchCatalogue(dir.path());
    catalogue.Load(dir.path().string(), {}, TObjCatalogue::Access::ReadOnly);
  }
  TempDir dir;
  TObjCatalogue catalogue;
};

// The reference: every file's bytes, read whole, nothing made of them.
Timed BareRead(const BenchLevels& levels, std::size_t& bytes) {
  return TimedRun([&] {
    for (const TLevelFile& file : ListLevelFiles(levels.dir.path())) {
      bytes += ReadWholeFile(file.path).size();
    }
  });
}

void BM_ListLevelSetAgainstBareRead(benchmark::State& state) {
  BenchLevels levels;
  Timed listing, bare;
  std::size_t bytes = 0;
  int findings = 0;
  for (auto _ : state) {
    bare = BareRead(levels, bytes);
    listing = TimedRun([&] {
      TLevelSet set;
      set.SetFolder(levels.dir.path());
      for (const TLevelFile& file : set.Rescan()) set.Take(ReadLevelRow(file, &levels.catalogue));
      findings = set.Rows().front().findings;
      if (set.Rows().size() != kLevels) state.SkipWithError("a level did not list");
    });
  }
  benchmark::DoNotOptimize(bytes);
  state.counters["findings_per_file"] = findings;
  ReportBoth(state, "listing", listing, bare);
}

void BM_FindAcrossLevelSetAgainstBareRead(benchmark::State& state) {
  BenchLevels levels;
  const std::vector<TLevelQuery> queries = {
      {TLevelQuery::Kind::ObjectKind, 210, 1, ""},         // 5 records a file
      {TLevelQuery::Kind::NameOrNumber, 0, 0, "ject 45"},  // by name, through the catalogue
  };
  Timed find, bare;
  std::size_t bytes = 0;
  std::size_t found = 0;
  const TLevelQuery& query = queries[static_cast<std::size_t>(state.range(0))];
  for (auto _ : state) {
    bare = BareRead(levels, bytes);
    find = TimedRun([&] {
      found = 0;
      for (const TLevelFile& file : ListLevelFiles(levels.dir.path())) {
        found += FindInLevel(file, query, &levels.catalogue).records.size();
      }
    });
  }
  benchmark::DoNotOptimize(bytes);
  state.counters["found"] = static_cast<double>(found);
  ReportBoth(state, state.range(0) == 0 ? "find_kind" : "find_name", find, bare);
}

BENCHMARK(BM_ListLevelSetAgainstBareRead)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_FindAcrossLevelSetAgainstBareRead)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

}  // namespace
