#include <gtest/gtest.h>
#include <sys/wait.h>

#include <bit>
#include <cstdlib>
#include <string>

#include "program_version.h"
#include "support/lo_files.h"

namespace {

struct DumpResult {
  int status = -1;
  std::string out;
  std::string err;
};

DumpResult RunLodump(const TempDir& dir, const std::string& arguments) {
  // Appended piece by piece: GCC 12 at -O2 warns (wrongly) of a bounds
  // overrun in `std::string(literal) + ...` when the literal is long.
  std::string command = LODUMP_PATH;
  command += " " + arguments + " >" + (dir / "out.txt").string();
  command += " 2>" + (dir / "err.txt").string();
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadText(dir / "out.txt"),
          ReadText(dir / "err.txt")};
}

std::vector<TLoRecord> SampleRecords() {
  return {{12, 3, 0, 1.5f, -2.25f, 0.125f, 90.0f, 4},
          {1, 1, 2, -123456789.0f, 1e9f, 0.0f, -0.001f, 255},
          {9, 9, 1, 0.0f, 0.0f, 0.0f, 0.0f, 0}};
}

TEST(Lodump, PrintsHeaderAndRecordsAsTheEditorShowsThemAndChangesNothing) {
  TempDir dir;
  const Bytes lo = LoFileBytes("Forest", "North woods", SampleRecords());
  WriteBytes(dir / "LoForest.dat", lo);
  WriteCatalogue(dir / "data", {{0, 0, "Marker"}, {12, 3, "Pine"}, {1, 1, "Rock"}});
  const Bytes catalogue = ReadBytes(dir / "data" / "objdat.dat");
  const Bytes names = ReadBytes(dir / "data" / "objdat.nam");
  const std::string arguments = (dir / "LoForest.dat").string() + " " + (dir / "data").string();

  DumpResult result = RunLodump(dir, arguments);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "Name: Forest\n"
            "Count: 3\n"
            "Description: North woods\n"
            "0;12;3;Pine\tClass=12\tType=3\tX=1.50\tY=-2.25\tZ=0.13\tR=90.00\tDensity=4\tState=0\n"
            "1;1;1;Rock\tClass=1\tType=1\tX=-1.2345679E8\tY=1E9\tZ=0.00\tR=0.00\tDensity=255\t"
            "State=1\n"
            "2;9;9;Requires Object Data File\tClass=9\tType=9\tX=0.00\tY=0.00\tZ=0.00\tR=0.00\t"
            "Density=0\tState=1\n");
  EXPECT_EQ(ReadBytes(dir / "LoForest.dat"), lo);
  EXPECT_EQ(ReadBytes(dir / "data" / "objdat.dat"), catalogue);
  EXPECT_EQ(ReadBytes(dir / "data" / "objdat.nam"), names);

  // Without a names file no names are shown, and none is created.
  std::filesystem::remove(dir / "data" / "objdat.nam");
  result = RunLodump(dir, arguments);
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.out.find("0;12;3;Requires Object Data File\t"), std::string::npos);
  EXPECT_NE(result.err.find("objdat.nam"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir / "data" / "objdat.nam"));
}

TEST(Lodump, ReportsErrorsWithTheEditorMessages) {
  TempDir dir;
  DumpResult result = RunLodump(dir, (dir / "LoMissing.dat").string());
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "lodump: File not found.\n");
  EXPECT_EQ(result.out, "");

  auto records = SampleRecords();
  records[1].z = std::bit_cast<float>(0x7F800001u);
  WriteBytes(dir / "LoNaN.dat", LoFileBytes("N", "", records));
  result = RunLodump(dir, (dir / "LoNaN.dat").string());
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "lodump: Invalid floating point operation.\n");
  EXPECT_NE(result.out.find("0;12;3;"), std::string::npos);  // the records before it

  EXPECT_EQ(RunLodump(dir, "").status, 2);
}

TEST(Lodump, AnswersHelpAndVersionAndRejectsUnknownOptionsInOneLine) {
  TempDir dir;
  for (const char* help : {"--help", "-h", "--help " /* other words are ignored */ "LoX.dat"}) {
    const DumpResult result = RunLodump(dir, help);
    EXPECT_EQ(result.status, 0) << help;
    EXPECT_TRUE(result.out.starts_with("usage: lodump [OPTION] LOFILE [OBJDAT_FOLDER]\n")) << help;
    EXPECT_NE(result.out.find("--version"), std::string::npos);
    EXPECT_EQ(result.err, "");
  }
  DumpResult result = RunLodump(dir, "--version");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "lodump " LO_PROGRAM_VERSION " (pre-release)\n");

  result = RunLodump(dir, "--colour LoX.dat");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "lodump: unknown option '--colour' (see lodump --help)\n");
  EXPECT_EQ(result.out, "");
  result = RunLodump(dir, "a b c");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "usage: lodump [OPTION] LOFILE [OBJDAT_FOLDER]\n");

  // After "--" a name that starts with '-' is a file, not an option.
  WriteBytes(dir / "-LoDash.dat", LoFileBytes("Dash", "", SampleRecords()));
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  const DumpResult as_option = RunLodump(dir, "-LoDash.dat");
  const DumpResult as_file = RunLodump(dir, "-- -LoDash.dat");
  std::filesystem::current_path(before);
  EXPECT_EQ(as_option.status, 2);
  EXPECT_EQ(as_file.status, 0) << as_file.err;
  EXPECT_TRUE(as_file.out.starts_with("Name: Dash\n"));
}

TEST(Lodump, ReadsFilesItMayNotWrite) {
  TempDir dir;
  WriteBytes(dir / "LoRo.dat", LoFileBytes("Ro", "", SampleRecords()));
  WriteCatalogue(dir / "data", {{12, 3, "Pine"}});
  for (const char* file : {"LoRo.dat", "data/objdat.dat", "data/objdat.nam"})
    MakeReadOnly(dir / file);
  EXPECT_EXIT(
      {
        if (!DropPrivilegesForChild(dir.path())) std::exit(2);
        const DumpResult result =
            RunLodump(dir, (dir / "LoRo.dat").string() + " " + (dir / "data").string());
        std::exit(result.status == 0 && result.out.find("0;12;3;Pine\t") != std::string::npos ? 0
                                                                                              : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

// The README's set-up: lodump as git's text conversion, so a diff shows records.
TEST(Lodump, ServesAsGitsTextConversionForLoFiles) {
  if (std::system("git --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no git";
  TempDir dir;
  std::vector<TLoRecord> records = SampleRecords();
  WriteBytes(dir / "LoForest.dat", LoFileBytes("Forest", "", records));
  WriteText(dir / ".gitattributes", "*.dat diff=lofile\n");
  const std::string git = "git -C " + dir.path().string() + " -c user.name=t -c user.email=t@t ";
  ASSERT_EQ(std::system((git + "init -q && " + git + "config diff.lofile.textconv " + LODUMP_PATH +
                         " && " + git + "add -A && " + git + "commit -qm one")
                            .c_str()),
            0);
  records[2].x = 99.5f;
  WriteBytes(dir / "LoForest.dat", LoFileBytes("Forest", "", records));
  ASSERT_EQ(std::system((git + "diff >" + (dir / "diff.txt").string()).c_str()), 0);
  const std::string diff = ReadText(dir / "diff.txt");
  EXPECT_NE(diff.find("\n-2;9;9;Requires Object Data File\tClass=9\tType=9\tX=0.00\t"),
            std::string::npos)
      << diff;
  EXPECT_NE(diff.find("\n+2;9;9;Requires Object Data File\tClass=9\tType=9\tX=99.50\t"),
            std::string::npos)
      << diff;
  EXPECT_EQ(diff.find("Binary files"), std::string::npos);
}

}  // namespace

namespace {

// --check lists its findings and answers 1 with any, 0 with none, so a
// mod's repository can run it; it writes nothing.
TEST(Lodump, ChecksAFileForCiWithoutWritingIt) {
  TempDir dir;
  const std::filesystem::path examples = LO_EXAMPLES_DIR;
  const Bytes example = ReadBytes(examples / "LoEXAMPL.dat");
  DumpResult found = RunLodump(dir, "--check " + (examples / "LoEXAMPL.dat").string() + " " +
                                       (examples / "objdat").string());
  EXPECT_EQ(found.status, 1) << found.err;
  EXPECT_EQ(found.out, "Record 11: class 9 type 3 is not in the catalogue\n");
  EXPECT_EQ(ReadBytes(examples / "LoEXAMPL.dat"), example);

  WriteBytes(dir / "LoClean.dat", LoFileBytes("Clean", "", NumberedRecords(3)));
  DumpResult clean = RunLodump(dir, "--check " + (dir / "LoClean.dat").string());
  EXPECT_EQ(clean.status, 0) << clean.err;
  EXPECT_EQ(clean.out, "");
  EXPECT_EQ(RunLodump(dir, "--check --exact " + (dir / "LoClean.dat").string()).status, 2);
}

// What the game reads is the counted records: a removed record's bytes left
// after the count are no finding; a part of a record or a missing one is.
TEST(Lodump, ChecksTheCountedRecordsAndTheFilesLength) {
  std::vector<TLoRecord> records = NumberedRecords(3);
  records[1].state = 2;
  const Bytes three = LoFileBytes("Camp", "", NumberedRecords(3));
  Bytes removed = three;  // as Remove Object leaves it
  PutU16(removed, 20, 2);
  const struct {
    Bytes file;
    int status;
    std::string out;
  } cases[] = {
      {LoFileBytes("Camp", "", records), 1, "Record 1: state 2 is neither 0 nor 1\n"},
      {removed, 0, ""},
      {Slice(three, 0, three.size() - 7), 1, "Record count 3 needs 160 bytes; the file has 153\n"},
      {Slice(removed, 0, removed.size() - 7), 1,
       "The file ends in 13 bytes that are not a whole record (from offset 140)\n"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    WriteBytes(dir / "LoCamp.dat", c.file);
    const DumpResult result = RunLodump(dir, "--check " + (dir / "LoCamp.dat").string());
    EXPECT_EQ(result.status, c.status) << c.out << result.err;
    EXPECT_EQ(result.out, c.out);
  }
}

}  // namespace
