#include "platform/binary_file.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <functional>

#include "errors/app_error.h"
#include "support/temp_dir.h"

namespace {

int CodeOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const InOutError& e) {
    return e.code();
  }
  return 0;
}

TEST(BinaryFile, OpenFailuresMapToRuntimeCodes) {
  TempDir dir;
  BinaryFile file;
  EXPECT_EQ(CodeOf([&] { file.OpenExisting(dir / "missing.dat"); }), 2);
  EXPECT_EQ(CodeOf([&] { file.OpenExisting(dir / "no-folder" / "x.dat"); }), 3);
  WriteText(dir / "plain", "x");
  EXPECT_EQ(CodeOf([&] { file.OpenExisting(dir / "plain" / "x.dat"); }), 3);
  EXPECT_EQ(CodeOf([&] { file.OpenExisting(dir / std::string(300, 'a')); }), 3);
  EXPECT_EQ(CodeOf([&] { file.OpenExisting(dir.path()); }), 5);
  EXPECT_EQ(CodeOf([&] { file.OpenReadOnly(dir.path()); }), 5);
  EXPECT_FALSE(file.IsOpen());
}

TEST(BinaryFile, MessagesFollowTheRuntimeTable) {
  EXPECT_STREQ(InOutError(2).what(), "File not found");
  EXPECT_STREQ(InOutError(3).what(), "Invalid filename");
  EXPECT_STREQ(InOutError(4).what(), "Too many open files");
  EXPECT_STREQ(InOutError(5).what(), "File access denied");
  EXPECT_STREQ(InOutError(100).what(), "Read beyond end of file");
  EXPECT_STREQ(InOutError(101).what(), "Disk full");
  EXPECT_STREQ(InOutError(106).what(), "Invalid numeric input");
  EXPECT_STREQ(InOutError(103).what(), "I/O error 103");
  EXPECT_STREQ(InOutError(32).what(), "I/O error 32");
}

TEST(BinaryFile, ShortReadStoresWhatArrivedThenFails) {
  TempDir dir;
  WriteBytes(dir / "f", {1, 2, 3});
  BinaryFile file;
  file.OpenExisting(dir / "f");
  std::array<std::uint8_t, 5> buffer{9, 9, 9, 9, 9};
  EXPECT_EQ(CodeOf([&] { file.ReadAt(1, buffer.data(), buffer.size()); }), 100);
  EXPECT_EQ(buffer[0], 2);
  EXPECT_EQ(buffer[1], 3);
  EXPECT_EQ(buffer[2], 9);
}

TEST(BinaryFile, WritesPastTheEndExtendAndClosedFileGives103) {
  TempDir dir;
  BinaryFile file;
  file.Create(dir / "f");
  const std::uint8_t one = 7;
  file.WriteAt(4, &one, 1);
  file.Close();
  EXPECT_EQ(ReadBytes(dir / "f"), (Bytes{0, 0, 0, 0, 7}));
  EXPECT_EQ(CodeOf([&] { file.WriteAt(0, &one, 1); }), 103);
  std::uint8_t got = 0;
  EXPECT_EQ(CodeOf([&] { file.ReadAt(0, &got, 1); }), 103);
  EXPECT_EQ(CodeOf([&] { file.Close(); }), 103);
}

TEST(BinaryFile, CreateEmptiesAnExistingFile) {
  TempDir dir;
  WriteBytes(dir / "f", {1, 2, 3});
  BinaryFile file;
  file.Create(dir / "f");
  file.Close();
  EXPECT_TRUE(ReadBytes(dir / "f").empty());
}

TEST(BinaryFile, InjectedFaultsFailTheChosenOperation) {
  TempDir dir;
  WriteBytes(dir / "f", {0, 0, 0, 0});
  file_faults::Reset();
  BinaryFile file;
  file.OpenExisting(dir / "f");
  const std::array<std::uint8_t, 4> data{1, 2, 3, 4};
  file_faults::FailOperation(2, 32);
  file.WriteAt(0, data.data(), 1);
  EXPECT_EQ(CodeOf([&] { file.WriteAt(1, data.data() + 1, 1); }), 32);
  file_faults::ShortWrite(1, 1);
  EXPECT_EQ(CodeOf([&] { file.WriteAt(2, data.data() + 2, 2); }), 101);
  file.Close();
  file_faults::Reset();
  EXPECT_EQ(ReadBytes(dir / "f"), (Bytes{1, 0, 3, 0}));
}

TEST(BinaryFileDeathTest, ReadOnlyFileIsAccessDenied) {
  TempDir dir;
  WriteBytes(dir / "ro.dat", {1});
  std::filesystem::permissions(dir / "ro.dat", std::filesystem::perms::owner_read |
                                                    std::filesystem::perms::group_read |
                                                    std::filesystem::perms::others_read);
  EXPECT_EXIT(
      {
        if (!DropPrivilegesForChild(dir.path())) std::exit(2);
        BinaryFile file;
        std::exit(CodeOf([&] { file.OpenExisting(dir / "ro.dat"); }) == 5 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
