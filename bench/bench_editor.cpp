// Editor logic over real files: opening a full Lo file with a full catalogue,
// committing one record, rebuilding the contents rows, and the find of the
// object data list per keystroke against a full refresh of that list.

#include <benchmark/benchmark.h>

#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "bench_support.h"
#include "editor/editing_session.h"
#include "editor/list_rows.h"

namespace {

void BM_OpenLoFile(benchmark::State& state) {
  BenchEditor open;
  for (auto _ : state) open.Reopen();
  benchmark::DoNotOptimize(open.session.View().ContentsRows().size());
}

void BM_CommitRecord(benchmark::State& state) {
  BenchEditor open;
  open.Click(128);
  for (auto _ : state) open.session.Records().CommitRecord(TCommitTarget::SelectedRow);
}

void BM_RefreshContentsRows(benchmark::State& state) {
  BenchEditor open;
  TEditorView view;
  for (auto _ : state) {
    RefreshContentsRows(open.session.Document(), open.session.Catalogue(), view);
  }
  benchmark::DoNotOptimize(view.ContentsRows().data());
}

// The object data list made again from the catalogue, as a load shows it.
void RefreshCatalogueRows(const TObjCatalogue& catalogue, TEditorView& view) {
  std::vector<std::string> rows;
  for (int i = 0; i <= catalogue.ObjLastIndex; ++i) rows.push_back(CatalogueRow(catalogue, i));
  view.ReplaceCatalogueRows(std::move(rows));
}

// Processor time of this thread: on a busy machine wall time mostly measures the others.
double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

double Seconds(const std::function<void()>& action, int repeats) {
  const double start = ThreadSeconds();
  for (int i = 0; i < repeats; ++i) action();
  return (ThreadSeconds() - start) / repeats;
}

// Typing "Object 51" into the find of a 512-entry list, one keystroke per
// iteration; the counters compare one keystroke with a full refresh of the
// list measured in the same run.
void BM_FindCataloguePerKeystroke(benchmark::State& state) {
  BenchEditor open;
  const TObjCatalogue& catalogue = open.session.Catalogue();
  TEditorView view;
  RefreshCatalogueRows(catalogue, view);
  const double refresh = Seconds(
      [&] {
        TEditorView fresh;
        RefreshCatalogueRows(catalogue, fresh);
      },
      200);
  const std::string typed = "Object 51";
  std::size_t keys = 0;
  double spent = 0;
  for (auto _ : state) {
    const std::string text = typed.substr(0, keys % typed.size() + 1);
    ++keys;
    const double start = ThreadSeconds();
    view.SetFindText(TList::Catalogue, text);
    spent += ThreadSeconds() - start;
    benchmark::DoNotOptimize(view.ShownRows(TList::Catalogue).data());
  }
  const double per_key = spent / static_cast<double>(keys);
  state.counters["find_us"] = per_key * 1e6;
  state.counters["refresh_us"] = refresh * 1e6;
  state.counters["find_vs_refresh"] = per_key / refresh;
}

BENCHMARK(BM_OpenLoFile)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly();
BENCHMARK(BM_CommitRecord)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly();
BENCHMARK(BM_FindCataloguePerKeystroke)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();
BENCHMARK(BM_RefreshContentsRows)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();

}  // namespace
