#include "platform/whole_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

#include "platform/binary_file.h"
#include "platform/program_folder.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

TEST(ProgramFolder, IsTheProgramsOwnWhateverTheWorkingFolder) {
  TempDir dir;
  const fs::path before = fs::current_path();
  fs::current_path(dir.path());
  const fs::path folder = ProgramFolder();
  fs::current_path(before);
  EXPECT_TRUE(fs::exists(folder / "core_tests"));
}

TEST(WholeFile, ReplaceKeepsPermissionsFollowsLinksAndReadGivesEveryByte) {
  TempDir dir;
  const fs::path file = dir / "notes";
  WriteText(file, "old content that is longer");
  const fs::perms perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(file, perms);
  fs::create_symlink(file, dir / "link");
  const std::string bytes("new\0content\r\n", 14);
  ReplaceWholeFile(dir / "link", bytes);
  EXPECT_TRUE(fs::is_symlink(dir / "link"));
  EXPECT_EQ(ReadWholeFile(file), bytes);
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, perms);
  ReplaceWholeFile(file, "");
  EXPECT_EQ(ReadWholeFile(file), "");
}

// 0 no error, 1 Open, 2 Transfer.
int StepOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const WholeFileError& error) {
    return error.step() == WholeFileError::Step::Open ? 1 : 2;
  }
  return 0;
}

TEST(WholeFile, AFailureAtAnyStepKeepsTheOldFileAndNamesTheStep) {
  TempDir dir;
  EXPECT_EQ(StepOf([&] { ReadWholeFile(dir / "missing"); }), 1);
  EXPECT_EQ(StepOf([&] { ReplaceWholeFile(dir / "no" / "file", "x"); }), 1);
  EXPECT_FALSE(fs::exists(dir / "no"));
  for (int k = 1; k <= kReplaceOperations; ++k) {
    WriteText(dir / "f", "old");
    file_faults::Reset();
    file_faults::FailOperation(k, 32);
    const int failed_step = k > kReplaceBeforeRename + 1 ? 0 : k <= 2 ? 1 : 2;
    EXPECT_EQ(StepOf([&] { ReplaceWholeFile(dir / "f", "new"); }), failed_step) << k;
    EXPECT_EQ(ReadText(dir / "f"), failed_step == 0 ? "new" : "old") << k;
    EXPECT_EQ(NamesIn(dir.path()), std::vector<std::string>{"f"}) << k;
  }
  file_faults::Reset();
  file_faults::FailOperation(2, 5);  // open, then the read fails
  EXPECT_EQ(StepOf([&] { ReadWholeFile(dir / "f"); }), 2);
  file_faults::Reset();
}

// The notes and settings files under every fault at every step: the old
// content or the new, never a mix, and no temporary left behind.
TEST(WholeFile, EveryFaultAtEveryStepGivesTheOldOrTheNewFile) {
  TempDir dir;
  const fs::path file = dir / "loinfo.txt";
  const std::string old_text(5000, 'o'), new_text(9000, 'n');
  const std::vector<std::function<void(int)>> faults = {
      [](int k) { file_faults::FailOperation(k, 5); },
      [](int k) { file_faults::FailOperation(k, 101); },
      [](int k) { file_faults::FailWithSystemError(k, EIO); },
      [](int k) { file_faults::ShortWrite(k, 0); },
      [](int k) { file_faults::ShortWrite(k, 1); },
      [](int k) { file_faults::ShortWrite(k, 4096); },
  };
  for (std::size_t f = 0; f < faults.size(); ++f) {
    for (int k = 1; k <= kReplaceOperations; ++k) {
      SCOPED_TRACE("fault " + std::to_string(f) + " at operation " + std::to_string(k));
      WriteText(file, old_text);
      file_faults::Reset();
      faults[f](k);
      std::string read_back;
      try {
        ReplaceWholeFile(file, new_text);
      } catch (const WholeFileError&) {
      }
      file_faults::Reset();
      const std::string now = ReadText(file);
      EXPECT_TRUE(now == old_text || now == new_text) << now.size() << " bytes";
      EXPECT_EQ(NamesIn(dir.path()), std::vector<std::string>{"loinfo.txt"});
      // A read under the same fault gives the whole file or fails; never a part.
      faults[f](k);
      try {
        read_back = ReadWholeFile(file);
        EXPECT_EQ(read_back, now);
      } catch (const WholeFileError&) {
      }
      file_faults::Reset();
    }
  }
}

}  // namespace
