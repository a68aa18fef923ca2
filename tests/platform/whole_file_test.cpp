#include "platform/whole_file.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/binary_file.h"
#include "platform/program_folder.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

TEST(ProgramFolder, NotesFileIsBesideTheProgramWhateverTheWorkingFolder) {
  TempDir dir;
  const fs::path before = fs::current_path();
  fs::current_path(dir.path());
  const fs::path notes = NotesFilePath();
  fs::current_path(before);
  EXPECT_EQ(notes.filename(), "loinfo.txt");
  EXPECT_TRUE(notes.is_absolute());
  EXPECT_TRUE(fs::exists(notes.parent_path() / "core_tests"));
}

TEST(WholeFile, ReplaceKeepsPermissionsAndReadGivesEveryByte) {
  TempDir dir;
  const fs::path file = dir / "notes";
  WriteText(file, "old content that is longer");
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const std::string bytes("new\0content\r\n", 14);
  ReplaceWholeFile(file, bytes);
  EXPECT_EQ(ReadWholeFile(file), bytes);
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ReplaceWholeFile(file, "");
  EXPECT_EQ(ReadWholeFile(file), "");
}

TEST(WholeFile, FailuresSayWhichStepFailed) {
  TempDir dir;
  auto step_of = [](const std::function<void()>& action) {
    try {
      action();
    } catch (const WholeFileError& error) {
      return error.step() == WholeFileError::Step::Open ? 1 : 2;
    }
    return 0;
  };
  EXPECT_EQ(step_of([&] { ReadWholeFile(dir / "missing"); }), 1);
  EXPECT_EQ(step_of([&] { ReplaceWholeFile(dir / "no" / "file", "x"); }), 1);
  WriteText(dir / "f", "old");
  file_faults::Reset();
  file_faults::FailOperation(3, 5);  // create, write, then the close fails
  EXPECT_EQ(step_of([&] { ReplaceWholeFile(dir / "f", "new"); }), 2);
  file_faults::Reset();
  EXPECT_EQ(ReadText(dir / "f"), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

}  // namespace
