// One "Open a Lo File" and one "Save" of the editing session over the bench
// files, each announced by a line on standard error, so that a system call
// trace (strace -y) can count the positioned reads and writes of each.
//
//   io_probe FOLDER    (FOLDER as written by make_bench_files)
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>

#include "bench_support.h"
#include "editor/editing_session.h"
#include "settings/profile_store.h"

namespace {

// Unbuffered, so that it lands between the traced calls where it belongs.
void Announce(const char* step) {
  const ssize_t written = ::write(STDERR_FILENO, step, std::strlen(step));
  (void)written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: io_probe FOLDER\n");
    return 2;
  }
  try {
    const std::filesystem::path folder = argv[1];
    ruriVizid settings(folder / "zodaZa.INI");
    BenchHost host;
    host.file = folder / "LoBench.dat";
    host.lo_prompt.SelectedFolder = folder.string();
    host.objdat_prompt.SelectedFolder = folder.string();
    TEditingSession session(settings, host);

    Announce("io_probe: open\n");
    session.Files().OpenLoFile();
    session.ClickRow(128);
    Announce("io_probe: commit\n");
    session.Records().CommitRecord(TCommitTarget::SelectedRow);
    Announce("io_probe: end\n");
  } catch (const std::exception& error) {
    std::fprintf(stderr, "io_probe: %s\n", error.what());
    return 1;
  }
  return 0;
}
