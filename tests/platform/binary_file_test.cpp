#include "platform/binary_file.h"

#include <gtest/gtest.h>

#include "errors/app_error.h"
#include "support/lo_files.h"

namespace {

TEST(BinaryFile, FailuresMapToTheRuntimesCodesAndMessages) {
  TempDir dir;
  WriteText(dir / "plain", "x");
  BinaryFile file;
  EXPECT_EQ(MessageOf([&] { file.OpenExisting(dir / "missing.dat"); }), "File not found");
  for (const auto& path :
       {dir / "no-folder" / "x.dat", dir / "plain" / "x.dat", dir / std::string(300, 'a')}) {
    EXPECT_EQ(MessageOf([&] { file.OpenExisting(path); }), "Invalid filename") << path;
  }
  EXPECT_EQ(MessageOf([&] { file.OpenExisting(dir.path()); }), "File access denied");
  EXPECT_EQ(MessageOf([&] { file.OpenReadOnly(dir.path()); }), "File access denied");
  // Every access to a file that is not open is error 103.
  std::uint8_t byte = 0;
  EXPECT_EQ(MessageOf([&] { file.ReadAt(0, &byte, 1); }), "I/O error 103");
  EXPECT_EQ(MessageOf([&] { file.WriteAt(0, &byte, 1); }), "I/O error 103");
  EXPECT_EQ(MessageOf([&] { file.Close(); }), "I/O error 103");
  // The codes no test here can provoke for real.
  EXPECT_STREQ(InOutError(4).what(), "Too many open files");
  EXPECT_STREQ(InOutError(106).what(), "Invalid numeric input");
}

TEST(BinaryFile, CreateEmptiesAnExistingFile) {
  TempDir dir;
  WriteBytes(dir / "f", {1, 2, 3});
  BinaryFile file;
  file.Create(dir / "f");
  file.Close();
  EXPECT_TRUE(ReadBytes(dir / "f").empty());
}

}  // namespace
