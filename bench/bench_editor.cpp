// Editor logic over real files: opening a full Lo file with a full catalogue,
// committing one record, and rebuilding the contents rows.

#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "editor/list_rows.h"
#include "editor/record_editor.h"
#include "settings/profile_store.h"

namespace {

// One editor with the file open, as after "Open a Lo File".
struct OpenEditor {
  BenchWorkspace workspace;
  ruriVizid settings{workspace.folder / "zodaZa.INI"};
  BenchHost host;
  RecordEditor editor{settings, host};
  OpenEditor() {
    host.file = workspace.LoFile();
    host.lo_prompt.SelectedFolder = workspace.folder.string();
    host.objdat_prompt.SelectedFolder = workspace.folder.string();
    editor.OpenLoFile();
  }
};

void BM_OpenLoFile(benchmark::State& state) {
  OpenEditor open;
  for (auto _ : state) open.editor.OpenLoFile();
  benchmark::DoNotOptimize(open.editor.View().ContentsRows().size());
}

void BM_CommitRecord(benchmark::State& state) {
  OpenEditor open;
  open.editor.View().SetSelectedRowFromUser(128);
  open.editor.ShowRecord();
  for (auto _ : state) open.editor.CommitRecord(TCommitTarget::SelectedRow);
}

void BM_RefreshContentsRows(benchmark::State& state) {
  OpenEditor open;
  TEditorView view;
  for (auto _ : state) {
    RefreshContentsRows(open.editor.Document(), open.editor.Catalogue(), view);
  }
  benchmark::DoNotOptimize(view.ContentsRows().data());
}

BENCHMARK(BM_OpenLoFile)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly();
BENCHMARK(BM_CommitRecord)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly();
BENCHMARK(BM_RefreshContentsRows)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();

}  // namespace
