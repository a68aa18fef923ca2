#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "support/lo_files.h"

namespace {

struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
};

RunResult RunLonames(const TempDir& dir, const std::string& arguments) {
  const std::string command = std::string("XDG_DATA_HOME='") + (dir / "share").string() + "' " +
                              LONAMES_PATH + " " + arguments + " >" + (dir / "out.txt").string() +
                              " 2>" + (dir / "err.txt").string();
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadText(dir / "out.txt"),
          ReadText(dir / "err.txt")};
}

TEST(Lonames, PrintsImportsAndAnswersWithItsStatuses) {
  TempDir dir;
  const std::filesystem::path objdat = dir / "objdat";
  WriteCatalogue(objdat, {{4, 0, "Tower"}, {1, 1, "Pine"}, {4, 0, "Tower"}});
  const Bytes names = ReadBytes(objdat / "objdat.nam");
  const std::string folder = "'" + objdat.string() + "'";

  RunResult run = RunLonames(dir, folder);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "4 0 Tower\n1 1 Pine\n4 0 Tower\n");
  EXPECT_EQ(RunLonames(dir, folder + " -o '" + (dir / "names.txt").string() + "'").status, 0);
  run = RunLonames(dir, "--import '" + (dir / "names.txt").string() + "' " + folder);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadBytes(objdat / "objdat.nam"), names);

  // Lines not placed are named, the others written after a backup copy.
  WriteText(dir / "edit.txt", "4 0 Watch Tower\n4 0 Second\n4 0 Third\n1 x\n");
  run = RunLonames(dir, "--import '" + (dir / "edit.txt").string() + "' " + folder);
  EXPECT_EQ(run.status, 1);
  const std::string edit = (dir / "edit.txt").string();
  EXPECT_EQ(run.err, "lonames: " + edit +
                         ", line 3: one line more for class 4 type 0 than the catalogue has "
                         "entries of it (2)\nlonames: " +
                         edit + ", line 4: \"1 x\" does not read as class, type and name\n");
  EXPECT_EQ(RunLonames(dir, folder).out, "4 0 Watch Tower\n1 1 Pine\n4 0 Second\n");
  EXPECT_EQ(NamesIn(dir / "share" / "rererarovi" / "backups").size(), 1u);

  // A folder without a catalogue, and wrong command lines.
  run = RunLonames(dir, "'" + (dir / "none").string() + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "lonames: " + (dir / "none" / "objdat.dat").string() + ": Invalid filename.\n");
  for (const char* wrong : {"", "a b", "--import a", "--import a b -o c", "--frob a"}) {
    EXPECT_EQ(RunLonames(dir, wrong).status, 2) << wrong;
  }
  EXPECT_EQ(RunLonames(dir, "--help").status, 0);
}

}  // namespace
