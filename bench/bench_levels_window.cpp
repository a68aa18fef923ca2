// The "Levels" window listing 500 Lo files of 256 records: how long the
// window's thread goes without looking at its events while the files are
// read (the goal: never more than a tenth of a second), and how long until
// every row stands.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <string>

#include "bench_support.h"
#include "settings/profile_store.h"
#include "windows/desktop_host.h"
#include "windows/levels_window.h"
#include "windows/rererarovi1.h"
#include "windows/rererarovi6.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void BM_LevelsWindowListing500Files(benchmark::State& state) {
  TempDir dir;
  ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);  // the window's place goes there
  for (int i = 0; i < 500; ++i) WriteBenchLoFile(dir / ("Lo" + std::to_string(1000 + i) + ".dat"));
  WriteBenchCatalogue(dir / "objdat");
  ruriVizid settings(dir / "zodaZa.INI");
  settings.WriteSetting("settings", "startdir", dir.path().string());
  settings.WriteSetting("settings", "objdir", (dir / "objdat").string());
  TForm1 startup;
  DesktopHost desktop(startup);
  TEditingSession session(settings, desktop);
  TForm6 editor(session, settings, desktop, nullptr);
  editor.show();
  QCoreApplication::processEvents();

  double longest = 0.0, show = 0.0, total = 0.0;
  for (auto _ : state) {
    auto* levels = new LevelsWindow(
        session, settings, [](const std::filesystem::path&) {}, &editor);
    const Clock::time_point start = Clock::now();
    levels->ShowLevels();  // lists the folder here, reads the files on the reader
    Clock::time_point last = Clock::now();
    show = Ms(last - start);
    longest = show;
    while (levels->Reading() || levels->Levels().Rows().size() < 500) {
      QCoreApplication::processEvents(QEventLoop::AllEvents);
      const Clock::time_point now = Clock::now();
      longest = std::max(longest, Ms(now - last));
      last = now;
    }
    total = Ms(Clock::now() - start);
    delete levels;
  }
  state.counters["show_ms"] = show;
  state.counters["longest_stall_ms"] = longest;
  state.counters["all_rows_ms"] = total;
}

BENCHMARK(BM_LevelsWindowListing500Files)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
