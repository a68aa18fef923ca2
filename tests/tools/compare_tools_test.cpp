#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "program_version.h"
#include "support/lo_files.h"

// lodiff and lomerge as a user runs them, and lomerge as git's merge driver.

namespace {

struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs `command` in `dir` with git's user configuration out of the way.
RunResult RunIn(const TempDir& dir, const std::string& command) {
  std::string line = "cd '" + dir.path().string() + "' && GIT_CONFIG_GLOBAL=/dev/null ";
  line += "GIT_CONFIG_NOSYSTEM=1 " + command + " >.out 2>.err";
  const int raw = std::system(line.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadText(dir / ".out"), ReadText(dir / ".err")};
}

TLoRecord Crate(float x, float y) { return {3, 1, 0, x, y, 0.0f, 0.0f, 2}; }

TEST(Lodiff, PrintsOneDifferenceALineWithExitStatusAsDiff) {
  TempDir dir;
  const std::vector<TLoRecord> a = {Crate(1, 1), Crate(50, 50), Crate(9, 9)};
  std::vector<TLoRecord> b = {Crate(1, 1), Crate(50, 52.5f), {7, 2, 1, 3, 4, 0, 0, 0}};
  WriteBytes(dir / "LoA.dat", LoFileBytes("Camp", "", a));
  WriteBytes(dir / "LoB.dat", LoFileBytes("Camp", "", b));
  WriteCatalogue(dir / "data", {{3, 1, "Crate"}, {7, 2, "Tent"}});

  RunResult result = RunIn(dir, LODIFF_PATH " LoA.dat LoB.dat data");
  EXPECT_EQ(result.status, 1) << result.err;
  EXPECT_EQ(result.out,
            "~ 1 Crate: Y 50 -> 52.5\n"
            "- 2 Crate: Class=3 Type=1 X=9 Y=9 Z=0 R=0 Density=2 State=0\n"
            "+ 2 Tent: Class=7 Type=2 X=3 Y=4 Z=0 R=0 Density=0 State=1\n");
  result = RunIn(dir, LODIFF_PATH " LoA.dat LoA.dat");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(RunIn(dir, LODIFF_PATH " LoA.dat").status, 2);
}

// One row per case a user would be misled by: the exit status, what the
// tool prints, and the files afterwards (OURS, and OUT when it is written).
TEST(CompareTools, AnswerEachCaseWithItsStatusLinesAndFiles) {
  using Records = std::vector<TLoRecord>;
  const Records base = {Crate(1, 1), Crate(20, 20)};
  Records moved = base, dense = base, retyped = base;
  moved[1].x = 25.0f;
  dense[1].density = 7;
  retyped[1].object_type = 2;  // class and place kept
  Records both = moved;
  both[1].density = 7;
  const struct {
    const char* command;  // on LoBase.dat (base, "Camp"), LoOurs.dat and LoTheirs.dat
    Records ours;
    Records theirs;
    const char* ours_name;
    const char* theirs_name;
    int status;
    std::string out;                 // exactly
    std::string err;                 // a line standard error holds; "" for none at all
    Records ours_after;              // LoOurs.dat, named ours_name
    std::optional<Records> written;  // LoOut.dat, named ours_name
  } cases[] = {
      {LODIFF_PATH " LoBase.dat LoOurs.dat data", moved, base, "Camp", "Camp", 1,
       "~ 1 Crate: X 20 -> 25\n", "", moved, std::nullopt},
      {LODIFF_PATH " LoBase.dat LoOurs.dat data", retyped, base, "Camp", "Camp", 1,
       "- 1 Crate: Class=3 Type=1 X=20 Y=20 Z=0 R=0 Density=2 State=0\n"
       "+ 1 Barrel: Class=3 Type=2 X=20 Y=20 Z=0 R=0 Density=2 State=0\n",
       "", retyped, std::nullopt},
      {LOMERGE_PATH " LoBase.dat LoOurs.dat LoTheirs.dat",
       moved,
       {base[0]},
       "Camp",
       "Camp",
       1,
       "",
       "lomerge: conflict: record 1 (Class=3 Type=1): changed by ours, removed by theirs; ours "
       "kept",
       moved,
       std::nullopt},
      {LOMERGE_PATH " LoBase.dat LoOurs.dat LoTheirs.dat", base, base, "Ours", "Theirs", 1, "",
       "lomerge: conflict: Name: base \"Camp", base, std::nullopt},
      {LOMERGE_PATH " LoBase.dat LoOurs.dat LoTheirs.dat -o LoOut.dat", moved, dense, "Camp",
       "Camp", 0, "", "", moved, both},
  };
  for (const auto& c : cases) {
    TempDir dir;
    WriteCatalogue(dir / "data", {{3, 1, "Crate"}, {3, 2, "Barrel"}});
    WriteBytes(dir / "LoBase.dat", LoFileBytes("Camp", "", base));
    WriteBytes(dir / "LoOurs.dat", LoFileBytes(c.ours_name, "", c.ours));
    WriteBytes(dir / "LoTheirs.dat", LoFileBytes(c.theirs_name, "", c.theirs));
    const RunResult result = RunIn(dir, c.command);
    EXPECT_EQ(result.status, c.status) << c.command << "\n" << result.err;
    EXPECT_EQ(result.out, c.out) << c.command;
    if (c.err.empty()) {
      EXPECT_EQ(result.err, "") << c.command;
    } else {
      EXPECT_NE(result.err.find(c.err), std::string::npos) << c.command << "\n" << result.err;
    }
    EXPECT_EQ(ReadBytes(dir / "LoOurs.dat"), LoFileBytes(c.ours_name, "", c.ours_after))
        << c.command;
    EXPECT_EQ(std::filesystem::exists(dir / "LoOut.dat"), c.written.has_value()) << c.command;
    if (c.written) {
      EXPECT_EQ(ReadBytes(dir / "LoOut.dat"), LoFileBytes(c.ours_name, "", *c.written));
    }
  }
}

TEST(CompareTools, RefuseFilesThatDoNotReadWithTheEditorsMessagesAndChangeNothing) {
  TempDir dir;
  const Bytes good = LoFileBytes("Camp", "", {Crate(1, 1)});
  WriteBytes(dir / "LoGood.dat", good);
  WriteBytes(dir / "LoShort.dat", Slice(good, 0, 60));
  std::filesystem::create_directory(dir / "LoFolder.dat");
  const struct {
    const char* file;
    const char* message;
  } cases[] = {
      {"LoMissing.dat", "File not found."},
      {"LoShort.dat", "Read beyond end of file."},
      {"LoFolder.dat", "File access denied."},
  };
  for (const auto& c : cases) {
    const std::string file = c.file;
    RunResult result = RunIn(dir, LODIFF_PATH " LoGood.dat " + file);
    EXPECT_EQ(result.status, 2) << file;
    EXPECT_EQ(result.err, "lodiff: " + file + ": " + c.message + "\n");
    result = RunIn(dir, LOMERGE_PATH " LoGood.dat LoGood.dat " + file);
    EXPECT_EQ(result.status, 2) << file;
    EXPECT_EQ(result.err, "lomerge: " + file + ": " + c.message + "\n");
    result = RunIn(dir, LOMERGE_PATH " " + file + " LoGood.dat LoGood.dat -o LoOut.dat");
    EXPECT_EQ(result.status, 2) << file;
    EXPECT_EQ(ReadBytes(dir / "LoGood.dat"), good);
    EXPECT_FALSE(std::filesystem::exists(dir / "LoOut.dat"));
  }
}

TEST(CompareTools, AnswerHelpAndVersionAndRefuseAWrongCommandLine) {
  TempDir dir;
  for (const std::string tool : {LODIFF_PATH, LOMERGE_PATH}) {
    const std::string name = std::filesystem::path(tool).filename().string();
    RunResult result = RunIn(dir, tool + " --help");
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(result.out.starts_with("usage: " + name + " [OPTION] ")) << result.out;
    result = RunIn(dir, tool + " --version");
    EXPECT_EQ(result.out, name + " " LO_PROGRAM_VERSION " (pre-release)\n");
    result = RunIn(dir, tool + " --colour a b c");
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, name + ": unknown option '--colour' (see " + name + " --help)\n");
    EXPECT_EQ(RunIn(dir, tool + " a").status, 2);
  }
}

// Two branches that edit the same file, merged by git with lomerge.
class GitMerge : public ::testing::Test {
 protected:
  void SetUp() override {
    Git("init -q -b main");
    Git("config user.name Tester");
    Git("config user.email tester@example.org");
    Git("config merge.lofile.driver '" LOMERGE_PATH " %O %A %B'");
    WriteText(dir_ / ".gitattributes", "*.dat merge=lofile\n");
    Commit(base_, "base");
  }
  void Git(const std::string& arguments) {
    const RunResult result = RunIn(dir_, "git " + arguments);
    ASSERT_EQ(result.status, 0) << arguments << ": " << result.err;
  }
  void Commit(const std::vector<TLoRecord>& records, const std::string& message) {
    WriteBytes(dir_ / "LoCamp.dat", LoFileBytes("Camp", "", records));
    Git("add -A");
    Git("commit -q -m " + message);
  }
  // Ours on main, theirs on a branch from the base; then git merge.
  RunResult Merge(const std::vector<TLoRecord>& ours, const std::vector<TLoRecord>& theirs) {
    Git("checkout -q -b theirs");
    Commit(theirs, "theirs");
    Git("checkout -q main");
    Commit(ours, "ours");
    return RunIn(dir_, "git merge -q --no-edit theirs");
  }

  TempDir dir_;
  std::vector<TLoRecord> base_ = {Crate(1, 1), Crate(20, 20)};
};

TEST_F(GitMerge, MergesRecordsAndFieldsOfBothBranchesCleanly) {
  std::vector<TLoRecord> ours = base_;
  ours[1].x = 25.0f;  // moved
  ours.push_back(Crate(30, 30));
  std::vector<TLoRecord> theirs = base_;
  theirs[1].density = 7;  // the same record's density
  theirs.push_back({7, 2, 0, 40, 40, 0, 0, 0});
  const RunResult result = Merge(ours, theirs);
  EXPECT_EQ(result.status, 0) << result.out << result.err;

  std::vector<TLoRecord> expected = {base_[0], base_[1], ours[2], theirs[2]};
  expected[1].x = 25.0f;
  expected[1].density = 7;
  EXPECT_EQ(ReadBytes(dir_ / "LoCamp.dat"), LoFileBytes("Camp", "", expected));
  EXPECT_EQ(RunIn(dir_, "git status --porcelain").out, "");
}

TEST_F(GitMerge, ReportsAFieldBothBranchesChangedAndKeepsOurs) {
  std::vector<TLoRecord> ours = base_;
  ours[1].x = 25.0f;
  std::vector<TLoRecord> theirs = base_;
  theirs[1].x = 26.5f;
  const RunResult result = Merge(ours, theirs);
  EXPECT_NE(result.status, 0);
  EXPECT_NE(result.out.find("CONFLICT"), std::string::npos) << result.out;
  EXPECT_NE(result.err.find("lomerge: conflict: record 1 (Class=3 Type=1): X: base X=20, ours "
                            "X=25, theirs X=26.5; ours kept\n"),
            std::string::npos)
      << result.err;
  EXPECT_EQ(ReadBytes(dir_ / "LoCamp.dat"), LoFileBytes("Camp", "", ours));
  EXPECT_EQ(RunIn(dir_, "git status --porcelain").out, "UU LoCamp.dat\n");
}

}  // namespace
