// "Open a Lo File" of 256 records and 512 catalogue entries, once by the
// editor logic alone and once with the editor window presenting every change
// (and painting it), in the same run so that the two compare.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QByteArray>

#include "bench_support.h"
#include "editor/editing_session.h"
#include "settings/profile_store.h"
#include "windows/desktop_host.h"
#include "windows/rererarovi1.h"
#include "windows/rererarovi6.h"

namespace {

// The desktop with the file-open dialog answered at once.
class AnsweringDesktop : public DesktopHost {
 public:
  using DesktopHost::DesktopHost;
  std::filesystem::path file;
  std::optional<std::filesystem::path> RunOpenDialog(const TOpenDialogRequest&) override {
    return file;
  }
};

void BM_CoreOpenLoFile(benchmark::State& state) {
  BenchWorkspace workspace;
  ruriVizid settings(workspace.folder / "zodaZa.INI");
  BenchHost host;
  host.file = workspace.LoFile();
  host.lo_prompt.SelectedFolder = workspace.folder.string();
  host.objdat_prompt.SelectedFolder = workspace.folder.string();
  TEditingSession session(settings, host);
  session.Files().OpenLoFile();
  for (auto _ : state) session.Files().OpenLoFile();
}

void BM_WindowOpenLoFile(benchmark::State& state) {
  BenchWorkspace workspace;
  ruriVizid settings(workspace.folder / "zodaZa.INI");
  settings.WriteSetting("settings", "startdir", workspace.folder.string());
  settings.WriteSetting("settings", "objdir", workspace.folder.string());
  TForm1 startup;
  AnsweringDesktop desktop(startup);
  desktop.file = workspace.LoFile();
  TEditingSession session(settings, desktop);
  TForm6 editor_window(session, settings, desktop, nullptr);
  editor_window.show();
  QCoreApplication::processEvents();
  session.Files().OpenLoFile();
  QCoreApplication::processEvents();
  for (auto _ : state) {
    session.Files().OpenLoFile();
    QCoreApplication::processEvents();  // the lists' and fields' repaint
  }
}

BENCHMARK(BM_CoreOpenLoFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowOpenLoFile)->Unit(benchmark::kMillisecond);

}  // namespace
