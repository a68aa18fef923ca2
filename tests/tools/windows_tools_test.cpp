#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/program_folder.h"
#include "support/lo_files.h"

// The tools as a Windows user runs them: from cmd.exe, with drive letters
// and backslashes, the game's files in a drive's root, files other programs
// hold, git's %O %A %B.

namespace {

struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
};

// A path for cmd.exe's command line. A backslash before the closing quote
// would escape it, so a trailing one is doubled.
std::string Quoted(const std::filesystem::path& path) {
  std::string text = path.string();
  if (!text.empty() && text.back() == '\\') text += '\\';
  return "\"" + text + "\"";
}

std::string Tool(const char* name) { return Quoted(ProgramFolder() / name); }

// Runs `command` through cmd.exe, its output into files of `dir`.
RunResult RunInCmd(const TempDir& dir, const std::string& command) {
  // cmd.exe /c takes a line that starts with a quote apart: the outer quotes keep it whole.
  const std::string line =
      "\"" + command + " >" + Quoted(dir / "out.txt") + " 2>" + Quoted(dir / "err.txt") + "\"";
  // Wine's cmd.exe now and then cannot start a program it started a moment
  // ago (9009, "Can't recognize"); that is the host, not the tool: once more.
  int status = std::system(line.c_str());
  if (status == 9009) status = std::system(line.c_str());
  return {status, ReadText(dir / "out.txt"), ReadText(dir / "err.txt")};
}

TLoRecord Crate(float x, float y) { return {3, 1, 0, x, y, 0.0f, 0.0f, 2}; }

// Files in a drive's root live only as long as the test.
class RootFiles {
 public:
  explicit RootFiles(std::vector<std::filesystem::path> files) : files_(std::move(files)) {}
  ~RootFiles() {
    for (const auto& file : files_) std::filesystem::remove(file);
  }

 private:
  std::vector<std::filesystem::path> files_;
};

TEST(WindowsTools, LodumpFindsTheCatalogueInADrivesRootAndInAFolderWithATrailingBackslash) {
  TempDir dir;
  const std::string expected_row = "0;3;1;Crate\tClass=3";
  const Bytes lo = LoFileBytes("Camp", "", {Crate(1, 2)});
  const std::filesystem::path root = "C:\\";
  RootFiles in_root({root / "LoWinRoot.dat", root / "objdat.dat", root / "objdat.nam"});
  WriteBytes(root / "LoWinRoot.dat", lo);
  WriteCatalogue(root, {{3, 1, "Crate"}});
  RunResult result = RunInCmd(dir, Tool("lodump.exe") + " C:\\LoWinRoot.dat C:\\");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find(expected_row), std::string::npos) << result.out;

  // "D:\Game\Data\" loses its separator; the names are found in any letter case.
  WriteBytes(dir / "LoCamp.dat", lo);
  WriteCatalogue(dir / "Game Data", {{3, 1, "Crate"}});
  std::filesystem::rename(dir / "Game Data" / "objdat.dat", dir / "Game Data" / "OBJDAT.DAT");
  result = RunInCmd(dir, Tool("lodump.exe") + " " + Quoted(dir / "LoCamp.dat") + " " +
                             Quoted(dir.path() / "Game Data\\"));
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find(expected_row), std::string::npos) << result.out;
  EXPECT_EQ(result.out.find('\r'), std::string::npos);  // the same bytes as on any system
}

TEST(WindowsTools, FilesThatCannotBeReadOrWrittenAreNamedAndLeftAsTheyWere) {
  TempDir dir;
  const Bytes lo = LoFileBytes("Camp", "", {Crate(1, 2)});
  WriteBytes(dir / "LoHeld.dat", lo);
  WriteBytes(dir / "LoRO.dat", lo);
  WriteText(dir / "Lo.txt", "Name: \"New\"\r\nCount: 0\r\nDescription: \"\"\r\n");
  std::filesystem::create_directory(dir / "LoFolder.dat");
  ASSERT_TRUE(::SetFileAttributesA((dir / "LoRO.dat").string().c_str(), FILE_ATTRIBUTE_READONLY));

  const struct {
    std::string command, err;
  } cases[] = {
      {Tool("lodump.exe") + " " + Quoted(dir / "LoMissing.dat"), "lodump: File not found.\n"},
      {Tool("lodump.exe") + " " + Quoted(dir / "LoFolder.dat"), "lodump: File access denied.\n"},
      {Tool("loload.exe") + " " + Quoted(dir / "Lo.txt") + " " + Quoted(dir / "LoRO.dat"),
       "loload: " + (dir / "LoRO.dat").string() + ": File access denied.\n"},
      {Tool("lodump.exe") + " " + Quoted(dir / "LoHeld.dat"), "lodump: I/O error 32.\n"},
  };
  // Another program holds LoHeld.dat and shares it with nobody.
  const HANDLE held = ::CreateFileA((dir / "LoHeld.dat").string().c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  for (const auto& c : cases) {
    const RunResult result = RunInCmd(dir, c.command);
    EXPECT_EQ(result.status, 1) << c.command;
    EXPECT_EQ(result.err, c.err) << c.command;
  }
  ::CloseHandle(held);
  // Read only is enough to show a file.
  EXPECT_EQ(RunInCmd(dir, Tool("lodump.exe") + " " + Quoted(dir / "LoRO.dat")).status, 0);
  ::SetFileAttributesA((dir / "LoRO.dat").string().c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadBytes(dir / "LoRO.dat"), lo);
  EXPECT_EQ(ReadBytes(dir / "LoHeld.dat"), lo);
}

TEST(WindowsTools, ExactTextThroughAPipeOrEditedWithWindowsLineEndsGivesTheSameBytes) {
  TempDir dir;
  const Bytes odd = OddLoFile(7);
  WriteBytes(dir / "LoA.dat", odd);
  WriteBytes(dir / "LoB.dat", LoFileBytes("Old", "", {}));
  // The copy of LoB.dat as it was goes to %LOCALAPPDATA%\rererarovi\backups.
  const std::string local = "set \"LOCALAPPDATA=" + (dir / "local").string() + "\"&& ";
  RunResult result =
      RunInCmd(dir, local + Tool("lodump.exe") + " --exact " + Quoted(dir / "LoA.dat") + " | " +
                        Tool("loload.exe") + " - " + Quoted(dir / "LoB.dat"));
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadBytes(dir / "LoB.dat"), odd);
  const std::vector<std::string> backups = NamesIn(dir / "local" / "rererarovi" / "backups");
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_EQ(backups[0].rfind("LoB.dat.", 0), 0u);

  // A text saved by a Windows editor: every line ends in CR LF.
  result = RunInCmd(dir, Tool("lodump.exe") + " --exact " + Quoted(dir / "LoA.dat"));
  std::string crlf;
  for (char c : result.out) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  WriteText(dir / "LoA.txt", crlf);
  result = RunInCmd(dir, local + Tool("loload.exe") + " " + Quoted(dir / "LoA.txt") + " " +
                             Quoted(dir / "LoC.dat"));
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadBytes(dir / "LoC.dat"), odd);
}

TEST(WindowsTools, LodiffAndLomergeAnswerWithTheirStatusesOnWindowsPaths) {
  TempDir dir;
  const std::vector<TLoRecord> base = {Crate(1, 1), Crate(50, 50)};
  std::vector<TLoRecord> ours = base, theirs = base, other = base;
  ours[0].x = 5;
  theirs[1].density = 9;
  other[0].x = 6;
  WriteBytes(dir / "LoBase.dat", LoFileBytes("Camp", "", base));
  WriteBytes(dir / "LoOurs.dat", LoFileBytes("Camp", "", ours));
  WriteBytes(dir / "LoTheirs.dat", LoFileBytes("Camp", "", theirs));
  WriteBytes(dir / "LoOther.dat", LoFileBytes("Camp", "", other));
  const auto lodiff = [&](const char* a, const char* b) {
    return RunInCmd(dir, Tool("lodiff.exe") + " " + Quoted(dir / a) + " " + Quoted(dir / b));
  };
  EXPECT_EQ(lodiff("LoBase.dat", "LoBase.dat").status, 0);
  const RunResult changed = lodiff("LoBase.dat", "LoOurs.dat");
  EXPECT_EQ(changed.status, 1);
  EXPECT_EQ(changed.out, "~ 0 3;1: X 1 -> 5\n");
  const RunResult missing = lodiff("LoBase.dat", "LoGone.dat");
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "lodiff: " + (dir / "LoGone.dat").string() + ": File not found.\n");

  // As git's merge driver: "lomerge.exe %O %A %B" writes the result into %A.
  const auto lomerge = [&](const char* o, const char* a, const char* b) {
    return RunInCmd(dir, Tool("lomerge.exe") + " " + Quoted(dir / o) + " " + Quoted(dir / a) + " " +
                             Quoted(dir / b));
  };
  EXPECT_EQ(lomerge("LoBase.dat", "LoOurs.dat", "LoTheirs.dat").status, 0);
  std::vector<TLoRecord> merged = ours;
  merged[1].density = 9;
  EXPECT_EQ(ReadBytes(dir / "LoOurs.dat"), LoFileBytes("Camp", "", merged));
  const RunResult conflict = lomerge("LoBase.dat", "LoOurs.dat", "LoOther.dat");
  EXPECT_EQ(conflict.status, 1);
  EXPECT_NE(conflict.err.find("lomerge: conflict: record 0"), std::string::npos) << conflict.err;
  EXPECT_EQ(lomerge("LoGone.dat", "LoOurs.dat", "LoTheirs.dat").status, 2);
  EXPECT_EQ(ReadBytes(dir / "LoOurs.dat"), LoFileBytes("Camp", "", merged));
}

}  // namespace
