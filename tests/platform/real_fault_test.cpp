// Faults made for real, without special rights: a file size limit for a full
// disk, a pipe in a file's place, a second process writing the same settings,
// a link planted where a temporary goes, a save killed halfway.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>

#include "datafiles/lo_document.h"
#include "platform/binary_file.h"
#include "platform/temporary_file.h"
#include "platform/whole_file.h"
#include "settings/profile_lines.h"
#include "settings/profile_store.h"
#include "support/child_process.h"
#include "support/lo_files.h"

namespace {

namespace fs = std::filesystem;

TEST(RealFaults, AFullDiskLeavesEveryFileAsItWas) {
  TempDir dir;
  const fs::path lo = dir / "LoFull.dat";
  const Bytes lo_bytes = LoFileBytes("Full", "Disk", NumberedRecords(3));
  WriteBytes(lo, lo_bytes);
  const fs::path ini = dir / "zodaZa.INI";
  WriteText(ini, "[settings]\nstartdir=/old\n");

  // Appending a record past the limit: "Disk full", the count untouched.
  EXPECT_EQ(InChild([&] {
              LimitFileSize(lo_bytes.size());
              TLoDocument document;
              document.Open(lo);
              document.ReadAll();
              document.LoRecordTable[3].object_class = 9;
              const std::string message = MessageOf([&] { document.WriteRecord(3); });
              return message == "Disk full" ? 0 : 1;
            }),
            0);
  EXPECT_EQ(ReadBytes(lo), lo_bytes);

  // A settings write that does not fit: refused, the old file whole, no temporary left.
  EXPECT_EQ(InChild([&] {
              LimitFileSize(8);
              ruriVizid settings(ini);
              const std::string message = MessageOf(
                  [&] { settings.WriteSetting("settings", "startdir", std::string(64, 'n')); });
              return message == "Unable to write to " + ini.string() ? 0 : 1;
            }),
            0);
  EXPECT_EQ(ReadText(ini), "[settings]\nstartdir=/old\n");
  EXPECT_EQ(NamesIn(dir.path()), (std::vector<std::string>{"LoFull.dat", "zodaZa.INI"}));
}

TEST(RealFaults, APipeInTheFilesPlaceIsRefusedAtOnce) {
  TempDir dir;
  const fs::path ini = dir / "zodaZa.INI";
  ASSERT_EQ(::mkfifo(ini.c_str(), 0600), 0);
  ruriVizid settings(ini);
  // Nothing writes into the pipe: opening it for reading would wait forever.
  const auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(MessageOf([&] { settings.ReadSetting("settings", "startdir", "default"); }),
            "Unable to read " + ini.string() + ": it is not a regular file");
  EXPECT_EQ(MessageOf([&] { settings.WriteSetting("settings", "startdir", "/x"); }),
            "Unable to write to " + ini.string() + ": it is not a regular file");
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
  try {
    ReadWholeFile(ini);
    ADD_FAILURE() << "a pipe was read";
  } catch (const WholeFileError& error) {
    EXPECT_TRUE(error.NotRegularFile());
  }
  EXPECT_TRUE(fs::is_fifo(ini));
}

TEST(RealFaults, TwoProcessesWritingSettingsLoseNoKey) {
  TempDir dir;
  const fs::path ini = dir / "config" / "zodaZa.INI";
  constexpr int kKeysEach = 300;
  const auto writer = [&](const std::string& prefix) {
    return InChild([&] {
      ruriVizid settings(ini);
      for (int i = 0; i < kKeysEach; ++i) {
        settings.WriteSetting("settings", prefix + std::to_string(i), std::to_string(i));
      }
      return 0;
    });
  };
  const pid_t first = ::fork();
  if (first == 0) ::_exit(writer("a"));
  EXPECT_EQ(writer("b"), 0);
  int status = 0;
  ::waitpid(first, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  const ProfileLines lines(ReadText(ini));
  int found = 0;
  for (const char* prefix : {"a", "b"}) {
    for (int i = 0; i < kKeysEach; ++i) {
      found += lines.Find("settings", prefix + std::to_string(i)) == std::to_string(i);
    }
  }
  EXPECT_EQ(found, 2 * kKeysEach);
  EXPECT_EQ(NamesIn(ini.parent_path()), std::vector<std::string>{"zodaZa.INI"});
}

TEST(RealFaults, ALinkPlantedAtATemporaryNameRedirectsNothing) {
  TempDir dir;
  const fs::path ini = dir / "zodaZa.INI";
  const fs::path victim = dir / "victim";
  WriteText(ini, "[settings]\nstartdir=/old\n");
  WriteText(victim, "precious");
  // Links at the very names the save will try first, and a few guesses.
  PlanTemporaryNames({".zodaZa.INI.planted1.tmp", ".zodaZa.INI.planted2.tmp"});
  for (const std::string& name :
       {std::string(".zodaZa.INI.planted1.tmp"), std::string(".zodaZa.INI.planted2.tmp"),
        std::string(".zodaZa.INI.tmp"), std::string("zodaZa.INI.tmp")}) {
    fs::create_symlink(victim, dir / name);
  }
  ruriVizid settings(ini);
  settings.WriteSetting("settings", "startdir", "/new");
  EXPECT_EQ(ReadText(victim), "precious");
  EXPECT_FALSE(fs::is_symlink(ini));
  EXPECT_EQ(settings.ReadSetting("settings", "startdir", ""), "/new");
}

TEST(RealFaults, ASaveKilledHalfwayLeavesNoTemporaryForLong) {
  TempDir dir;
  const fs::path notes = dir / "loinfo.txt";
  WriteText(notes, "old notes");
  for (int kill_at = 1; kill_at <= kReplaceOperations; ++kill_at) {
    SCOPED_TRACE("killed at operation " + std::to_string(kill_at));
    EXPECT_EQ(InChild([&] {
                file_faults::Reset();
                file_faults::KillAt(kill_at);
                ReplaceWholeFile(notes, std::string(100000, 'n'));
                return 0;
              }),
              -1);
    const std::string now = ReadText(notes);
    EXPECT_TRUE(now == "old notes" || now == std::string(100000, 'n'));
    WriteText(notes, "old notes");
  }
  // The next save clears what the killed ones left.
  ReplaceWholeFile(notes, "new notes");
  EXPECT_EQ(NamesIn(dir.path()), std::vector<std::string>{"loinfo.txt"});
  EXPECT_EQ(ReadText(notes), "new notes");
}

TEST(RealFaults, SystemErrorsOutsideTheTableShowTheirOwnNumber) {
  // An input/output error is 5 here; it must not read as "File access denied".
  EXPECT_STREQ(FileError(EIO, {}).what(), "I/O error 5");
  EXPECT_FALSE(FileError(EIO, {}).Is(5));
  EXPECT_STREQ(FileError(EACCES, {}).what(), "File access denied");
  EXPECT_STREQ(FileError(ENOSPC, {}).what(), "Disk full");
  EXPECT_STREQ(FileError(EFBIG, {}).what(), "Disk full");
  EXPECT_STREQ(FileError(ENETDOWN, {}).what(), "I/O error 100");
  EXPECT_STREQ(FileError(ELOOP, {}).what(), "I/O error 40");
  file_faults::Reset();
  file_faults::FailWithSystemError(1, EIO);
  BinaryFile file;
  EXPECT_EQ(MessageOf([&] { file.OpenExisting("/"); }), "I/O error 5");
  file_faults::Reset();
}

}  // namespace
