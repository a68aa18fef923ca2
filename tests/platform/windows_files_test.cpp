#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "datafiles/obj_catalogue.h"
#include "platform/binary_file.h"
#include "platform/path_rules.h"
#include "platform/program_folder.h"
#include "platform/temporary_file.h"
#include "platform/whole_file.h"
#include "settings/folder_settings.h"
#include "support/lo_files.h"

// The file access on Windows itself: CreateFileA's failures as the error
// table names them, the sharing it grants and asks, and the folder rules of
// drive letters and backslashes.

namespace {

// A handle of this test's own on `path`, shared with nobody, as another
// program may hold a file.
class UnsharedHandle {
 public:
  explicit UnsharedHandle(const std::filesystem::path& path)
      : handle_(::CreateFileA(path.string().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~UnsharedHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
  }
  bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

TEST(WindowsFiles, OpenFailuresGiveTheTablesMessages) {
  TempDir dir;
  WriteText(dir / "plain.dat", "x");
  WriteText(dir / "LoRO.dat", "x");
  WriteText(dir / "LoHeld.dat", "x");
  ASSERT_TRUE(::SetFileAttributesA((dir / "LoRO.dat").string().c_str(), FILE_ATTRIBUTE_READONLY));
  UnsharedHandle held(dir / "LoHeld.dat");
  ASSERT_TRUE(held.Held());

  struct Case {
    std::filesystem::path path;
    std::string read_write;  // OpenExisting
    std::string read_only;   // OpenReadOnly
  } cases[] = {
      {dir / "missing.dat", "File not found", "File not found"},
      {dir / "no-folder" / "x.dat", "Invalid filename", "Invalid filename"},
      {dir.path(), "File access denied", "File access denied"},
      // Read and write is always asked of an existing file: a read-only one
      // is refused (as a user without the superuser's override, see scripts/test).
      {dir / "LoRO.dat", "File access denied", "no error"},
      {dir / "LoHeld.dat", "I/O error 32", "I/O error 32"},
  };
  for (const Case& c : cases) {
    BinaryFile file;
    EXPECT_EQ(MessageOf([&] { file.OpenExisting(c.path); }), c.read_write) << c.path;
    EXPECT_EQ(MessageOf([&] { file.OpenReadOnly(c.path); }), c.read_only) << c.path;
  }
  ::SetFileAttributesA((dir / "LoRO.dat").string().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(WindowsFiles, OpenFilesShareReadingAndWritingAndMoveNoByteUnasked) {
  TempDir dir;
  WriteBytes(dir / "LoA.dat", Bytes(40, 0xAA));
  BinaryFile editor, other;
  editor.OpenExisting(dir / "LoA.dat");
  other.OpenExisting(dir / "LoA.dat");  // another program at the same time
  const std::uint8_t patch[3] = {1, 2, 3};
  editor.WriteAt(50, patch, sizeof patch);  // past the end: the file grows
  std::uint8_t seen[3] = {};
  other.ReadAt(50, seen, sizeof seen);
  EXPECT_EQ(Bytes(seen, seen + 3), Bytes(patch, patch + 3));
  EXPECT_EQ(MessageOf([&] { other.ReadAt(52, seen, 2); }), "Read beyond end of file");
  // A write the system takes only in part is a full disk.
  file_faults::ShortWrite(1, 1);
  EXPECT_EQ(MessageOf([&] { editor.WriteAt(0, patch, sizeof patch); }), "Disk full");
  editor.Close();
  other.Close();
  Bytes expected(53, 0xAA);
  std::fill(expected.begin() + 40, expected.begin() + 50, 0);
  std::copy(patch, patch + 3, expected.begin() + 50);
  expected[0] = 1;  // the one byte the short write stored
  EXPECT_EQ(ReadBytes(dir / "LoA.dat"), expected);
}

TEST(WindowsFiles, ReplacingAFileIsOneStepAndLeavesNoTemporary) {
  TempDir dir;
  WriteText(dir / "zodaZa.INI", "old");
  // A temporary a killed save left goes; one a running save holds stays.
  WriteText(dir / ".zodaZa.INI.0123456789abcdef.tmp", "left over");
  BinaryFile running;
  PlanTemporaryNames({".zodaZa.INI.running.tmp"});
  const std::filesystem::path live = CreateTemporaryBeside(dir / "zodaZa.INI", running);

  ReplaceWholeFile(dir / "zodaZa.INI", "new");
  EXPECT_EQ(ReadText(dir / "zodaZa.INI"), "new");
  EXPECT_EQ(NamesIn(dir.path()),
            (std::vector<std::string>{".zodaZa.INI.running.tmp", "zodaZa.INI"}));
  running.Close();
  DiscardTemporary(live);

  // A read-only file and a folder in the file's place are refused, unchanged.
  ::SetFileAttributesA((dir / "zodaZa.INI").string().c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(MessageOf([&] { ReplaceWholeFile(dir / "zodaZa.INI", "lost"); }), "File access denied");
  ::SetFileAttributesA((dir / "zodaZa.INI").string().c_str(), FILE_ATTRIBUTE_NORMAL);
  std::filesystem::create_directory(dir / "folder.ini");
  EXPECT_EQ(MessageOf([&] { ReplaceWholeFile(dir / "folder.ini", "lost"); }), "File access denied");
  EXPECT_EQ(ReadText(dir / "zodaZa.INI"), "new");
  EXPECT_EQ(NamesIn(dir.path()), (std::vector<std::string>{"folder.ini", "zodaZa.INI"}));
}

TEST(WindowsFiles, FoldersKeepADrivesRootAndLoseAnyOtherTrailingSeparator) {
  const struct {
    std::string folder, kept, catalogue;
  } cases[] = {
      {"C:\\", "C:\\", "C:\\\\objdat.dat"},  // the doubled separator is used as it is
      {"c:\\", "c:\\", "c:\\\\objdat.dat"},
      {"D:\\Game\\Data\\", "D:\\Game\\Data", "D:\\Game\\Data\\objdat.dat"},
      {"D:\\Game\\Data", "D:\\Game\\Data", "D:\\Game\\Data\\objdat.dat"},
      {"D:/Game/Data/", "D:/Game/Data", "D:/Game/Data\\objdat.dat"},
      {"\\", "", "\\objdat.dat"},  // the current drive's root, never a network name
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FolderWithoutTrailingSeparator(c.folder), c.kept) << c.folder;
    EXPECT_EQ(TObjCatalogue::CataloguePath(c.folder).string(), c.catalogue) << c.folder;
  }
  EXPECT_EQ(kFallbackFolder, "c:\\");
}

TEST(WindowsFiles, TheProgramsOwnFilesAreInTheUsersLocalApplicationData) {
  const char* local = std::getenv("LOCALAPPDATA");
  ASSERT_NE(local, nullptr);
  EXPECT_EQ(UserDataFolder(), std::filesystem::path(local) / "rererarovi");
  EXPECT_TRUE(std::filesystem::exists(ProgramFolder() / "windows_tests.exe"));
}

}  // namespace
