#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "program_version.h"
#include "support/lo_files.h"

namespace {

struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the program with no display at all: if it tried to open a window it
// would fail instead of printing.
RunResult RunProgram(const TempDir& dir, const std::string& arguments) {
  // Appended piece by piece: GCC 12 at -O2 warns (wrongly) of a bounds
  // overrun in `std::string(literal) + ...` when the literal is long.
  std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb ";
  command += RERERAROVI_PATH;
  command += " " + arguments + " >" + (dir / "out.txt").string();
  command += " 2>" + (dir / "err.txt").string();
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadText(dir / "out.txt"),
          ReadText(dir / "err.txt")};
}

TEST(ProgramCommandLine, HelpAndVersionPrintWithoutAWindowAndWrongLinesExitWith2) {
  TempDir dir;
  RunResult result = RunProgram(dir, "--version");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "rererarovi " LO_PROGRAM_VERSION " (pre-release)\n");

  result = RunProgram(dir, "--help");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("[FILE]"), std::string::npos);
  EXPECT_NE(result.out.find("--version"), std::string::npos);

  EXPECT_EQ(result.out.find("--help-all"), std::string::npos);  // Qt options are not taken

  result = RunProgram(dir, "--frobnicate");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "rererarovi: Unknown option 'frobnicate'.\n");
  EXPECT_EQ(result.out, "");

  result = RunProgram(dir, "LoA.dat LoB.dat");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
}

}  // namespace
