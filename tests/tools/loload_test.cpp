#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "program_version.h"
#include "support/lo_files.h"

namespace {

struct ToolsResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs a shell command line in which LODUMP and LOLOAD name the tools.
ToolsResult RunTools(const TempDir& dir, std::string line) {
  for (const auto& [name, path] : {std::pair{"LODUMP", LODUMP_PATH}, {"LOLOAD", LOLOAD_PATH}}) {
    for (std::size_t at; (at = line.find(name)) != std::string::npos;) line.replace(at, 6, path);
  }
  const std::string command =
      "(" + line + ") >" + (dir / "out.txt").string() + " 2>" + (dir / "err.txt").string();
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadText(dir / "out.txt"),
          ReadText(dir / "err.txt")};
}

std::string Quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

ino_t Inode(const std::filesystem::path& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

TEST(Loload, WritesBackEveryByteLodumpPrints) {
  TempDir dir;
  const std::vector<std::pair<std::string, Bytes>> files = {
      {"LoEXAMPL.dat", ReadBytes(std::filesystem::path(LO_EXAMPLES_DIR) / "LoEXAMPL.dat")},
      {"LoODD.dat", OddLoFile(0)},
      {"LoAFTER.dat", OddLoFile(45)},
      {"LoEMPTY.dat", Bytes(100, 0)},
      {"LoFULL.dat", LoFileBytes("Full", "All of them", NumberedRecords(256))},
  };
  for (const auto& [name, bytes] : files) {
    WriteBytes(dir / name, bytes);
    // Through a pipe, and through a text file.
    ToolsResult result = RunTools(dir, "LODUMP --exact " + Quoted(dir / name) + " | LOLOAD - " +
                                         Quoted(dir / ("piped" + name)));
    EXPECT_EQ(result.status, 0) << name << result.err;
    EXPECT_EQ(ReadBytes(dir / ("piped" + name)), bytes) << name;
    result = RunTools(dir, "LODUMP --exact " + Quoted(dir / name) + " >" +
                               Quoted(dir / "text.txt") + " && LOLOAD " + Quoted(dir / "text.txt") +
                               " " + Quoted(dir / ("read" + name)));
    EXPECT_EQ(result.status, 0) << name << result.err;
    EXPECT_EQ(result.out + result.err, "");
    EXPECT_EQ(ReadBytes(dir / ("read" + name)), bytes) << name;
  }
  // Written by hand: the Reserved line may be left out (zeros), as After may.
  const ToolsResult result =
      RunTools(dir, "printf 'Name: \"Camp\"\\nCount: 0\\nDescription: \"\"\\n' | LOLOAD - " +
                        Quoted(dir / "LoHAND.dat"));
  EXPECT_EQ(result.status, 0) << result.err;
  Bytes hand(100, 0);
  std::copy_n("Camp", 4, hand.begin());
  EXPECT_EQ(ReadBytes(dir / "LoHAND.dat"), hand);
}

// The walkthrough's round trip through a text editor: one value changed by
// hand, the file replaced in one step after a backup copy of the old one.
TEST(Loload, ReplacesAnExistingFileAtomicallyAfterABackupCopy) {
  TempDir dir;
  const std::filesystem::path lo = dir / "game" / "LoCamp.dat";
  std::filesystem::create_directories(lo.parent_path());
  const Bytes old_bytes = OddLoFile(3);
  WriteBytes(lo, old_bytes);
  ASSERT_EQ(RunTools(dir, "LODUMP --exact " + Quoted(lo) + " >" + Quoted(dir / "camp.txt")).status,
            0);
  std::string text = ReadText(dir / "camp.txt");
  const std::size_t x = text.find("X=", text.find("Record:"));
  text.replace(x, text.find('\t', x) - x, "X=99.5");
  WriteText(dir / "camp.txt", text);
  const ino_t old_inode = Inode(lo);

  const std::string data_home = "XDG_DATA_HOME=" + Quoted(dir / "data") + " ";
  const ToolsResult result =
      RunTools(dir, data_home + "LOLOAD " + Quoted(dir / "camp.txt") + " " + Quoted(lo));
  EXPECT_EQ(result.status, 0) << result.err;
  Bytes expected = old_bytes;
  PutF32(expected, 103, 99.5f);
  EXPECT_EQ(ReadBytes(lo), expected);
  EXPECT_NE(Inode(lo), old_inode);  // renamed into place, not rewritten
  EXPECT_EQ(NamesIn(lo.parent_path()), std::vector<std::string>{"LoCamp.dat"});
  const std::filesystem::path backups = dir / "data" / "rererarovi" / "backups";
  const std::vector<std::string> copies = NamesIn(backups);
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_TRUE(copies[0].starts_with("LoCamp.dat.")) << copies[0];
  EXPECT_EQ(ReadBytes(backups / copies[0]), old_bytes);
}

TEST(Loload, WritesNothingWhenALineDoesNotRead) {
  TempDir dir;
  const Bytes old_bytes = LoFileBytes("Camp", "", NumberedRecords(2));
  WriteBytes(dir / "LoCamp.dat", old_bytes);
  std::string text = "Name: \"Camp\"\nCount: 2\nReserved: 00 00 00 00\nDescription: \"\"\n";
  text += "Record: Class=1 Type=1 X=1 Y=1 Z=1 R=1 Density=1 State=0\n";
  text += "Record: Class=1 Type=1 X=l2.5 Y=1 Z=1 R=1 Density=1 State=0\n";
  WriteText(dir / "bad.txt", text);
  const std::string data_home = "XDG_DATA_HOME=" + Quoted(dir / "data") + " ";

  const std::vector<std::pair<std::string, std::string>> cases = {
      {"LOLOAD " + Quoted(dir / "bad.txt") + " " + Quoted(dir / "LoCamp.dat"),
       "loload: " + (dir / "bad.txt").string() + ", line 6: X: 'l2.5' is not a number.\n"},
      {"LOLOAD - " + Quoted(dir / "LoNew.dat") + " <" + Quoted(dir / "bad.txt"),
       "loload: standard input, line 6: X: 'l2.5' is not a number.\n"},
      {"printf 'Count: 1\\n' | LOLOAD - " + Quoted(dir / "LoCamp.dat"),
       "loload: standard input, line 1: the text ends without a Name line.\n"},
      {"LOLOAD " + Quoted(dir / "missing.txt") + " " + Quoted(dir / "LoCamp.dat"),
       "loload: " + (dir / "missing.txt").string() + ": File not found.\n"},
  };
  for (const auto& [line, message] : cases) {
    const ToolsResult result = RunTools(dir, data_home + line);
    EXPECT_EQ(result.status, 1) << line;
    EXPECT_EQ(result.err, message);
    EXPECT_EQ(result.out, "");
  }
  EXPECT_EQ(ReadBytes(dir / "LoCamp.dat"), old_bytes);
  EXPECT_EQ(NamesIn(dir.path()),
            (std::vector<std::string>{"LoCamp.dat", "bad.txt", "err.txt", "out.txt"}));
}

TEST(Loload, AnswersHelpAndVersionAndRejectsWrongCommandLines) {
  TempDir dir;
  ToolsResult result = RunTools(dir, "LOLOAD --help");
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(result.out.starts_with("usage: loload [OPTION] TEXTFILE LOFILE\n"));
  EXPECT_NE(result.out.find("--version"), std::string::npos);
  result = RunTools(dir, "LOLOAD --version");
  EXPECT_EQ(result.out, "loload " LO_PROGRAM_VERSION " (pre-release)\n");

  const std::vector<std::pair<std::string, std::string>> wrong = {
      {"LOLOAD", "usage: loload [OPTION] TEXTFILE LOFILE\n"},
      {"LOLOAD a.txt", "usage: loload [OPTION] TEXTFILE LOFILE\n"},
      {"LOLOAD --force a.txt LoA.dat", "loload: unknown option '--force' (see loload --help)\n"},
      {"LODUMP --exact " + Quoted(dir / "LoA.dat") + " objdat",
       "usage: lodump [OPTION] LOFILE [OBJDAT_FOLDER]\n"},
  };
  for (const auto& [line, message] : wrong) {
    result = RunTools(dir, line);
    EXPECT_EQ(result.status, 2) << line;
    EXPECT_EQ(result.err, message);
  }

  // A file the editor refuses is refused by lodump --exact with its message.
  Bytes short_file = LoFileBytes("", "", NumberedRecords(2));
  short_file.pop_back();
  WriteBytes(dir / "LoShort.dat", short_file);
  result = RunTools(dir, "LODUMP --exact " + Quoted(dir / "LoShort.dat"));
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "lodump: Read beyond end of file.\n");
}

}  // namespace
