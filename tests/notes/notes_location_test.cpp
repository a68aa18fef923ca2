#include "notes/notes_location.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QTextDocument>
#include <cstdio>
#include <memory>
#include <string>

#include "errors/app_error.h"
#include "notes/notes_file_reading.h"
#include "notes/notes_saving.h"
#include "platform/program_folder.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

TEST(NotesLocation, BesideTheProgramWhenThereOrWritableElseInTheUsersDataFolder) {
  const auto choose = [](bool writable, bool there, const char* data) {
    return ChooseNotesFile({"/opt/lo/bin", writable, there, data});
  };
  EXPECT_EQ(choose(true, false, "/data/rererarovi"), "/opt/lo/bin/loinfo.txt");
  EXPECT_EQ(choose(false, false, "/data/rererarovi"), "/data/rererarovi/loinfo.txt");
  // Notes already beside a read-only program stay where the user keeps them.
  EXPECT_EQ(choose(false, true, "/data/rererarovi"), "/opt/lo/bin/loinfo.txt");
  // Nowhere else to go: beside the program, where the save reports the folder.
  EXPECT_EQ(choose(false, false, ""), "/opt/lo/bin/loinfo.txt");

  // The running program's: beside the test program, whose folder is writable.
  EXPECT_EQ(NotesFilePath(), ProgramFolder() / "loinfo.txt");
}

TEST(NotesLocation, SavingCreatesOnlyTheUsersDataFolder) {
  TempDir dir;
  const ScopedEnv xdg("XDG_DATA_HOME", (dir / "share").c_str());
  const fs::path data_folder = dir / "share" / "rererarovi";
  // Another missing folder stays missing: the save reports it.
  PrepareNotesFolder(dir / "elsewhere" / "loinfo.txt");
  EXPECT_FALSE(fs::exists(dir / "elsewhere"));
  EXPECT_FALSE(fs::exists(dir / "share"));

  PrepareNotesFolder(data_folder / "loinfo.txt");
  ASSERT_TRUE(fs::is_directory(data_folder));
  EXPECT_EQ(fs::status(data_folder).permissions() & fs::perms::all, fs::perms::owner_all);
  EXPECT_FALSE(fs::exists(data_folder / "loinfo.txt"));  // the file comes with the save
}

// The text of the notes at `path`, read as "Notes" reads them.
std::string ReadNotes(const fs::path& path) {
  NotesFileReading reading(path, QFont());
  reading.ReadUntil(QDeadlineTimer::Forever);
  const std::unique_ptr<QTextDocument> document(reading.TakeDocument());
  return document->toPlainText().toStdString();
}

// The message of the AppError a save of `text` raises, empty when none.
std::string SaveError(const std::string& text, const fs::path& path) {
  QTextDocument document;
  document.setPlainText(QString::fromStdString(text));
  try {
    SaveNotes(document, path);
  } catch (const AppError& error) {
    return error.what();
  }
  return {};
}

// Program folders nobody may write to (a program copied by an
// administrator): one holding notes the user may write, one holding
// read-only notes, one holding none. The user is not root, whom permission
// bits do not stop, so this runs in a child as "nobody".
TEST(NotesLocation, AReadOnlyProgramFolderKeepsTheNotesItHolds) {
  TempDir dir;
  const fs::path share = dir / "open" / "share";  // the child's own, writable
  fs::create_directories(share);
  const auto everyone_reads =
      fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  const auto everyone_enters =
      fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
  const fs::path writable = dir / "writable", read_only = dir / "read_only", none = dir / "none";
  const fs::path linked = dir / "linked";  // holds the user's link to notes not yet saved
  const fs::path link_target = dir / "open" / "mine" / "loinfo.txt";
  for (const fs::path& folder : {writable, read_only, none, linked}) fs::create_directory(folder);
  fs::create_directory(link_target.parent_path());
  fs::create_symlink(link_target, linked / "loinfo.txt");
  WriteText(writable / "loinfo.txt", "{\\rtf1 kept beside\\par}");
  WriteText(read_only / "loinfo.txt", "{\\rtf1 read only\\par}");
  fs::permissions(writable / "loinfo.txt", everyone_reads | fs::perms::others_write);
  fs::permissions(read_only / "loinfo.txt", everyone_reads);
  for (const fs::path& folder : {writable, read_only, none, linked, dir.path()}) {
    fs::permissions(folder, everyone_reads | everyone_enters);
  }
  const ScopedEnv xdg("XDG_DATA_HOME", share.c_str());
  const fs::path data_folder = share / "rererarovi";

  EXPECT_EXIT(
      {
        if (!DropPrivilegesForChild(dir / "open")) std::exit(2);
        bool sound = true;
        const auto check = [&](bool ok, const char* what) {
          if (!ok) std::fprintf(stderr, "failed: %s\n", what);
          sound &= ok;
        };
        // Read from beside the program and saved there, in place.
        const fs::path beside = NotesFileFor(writable);
        check(beside == writable / "loinfo.txt", "notes beside a read-only folder");
        check(ReadNotes(beside) == "kept beside", "read from beside the program");
        check(SaveError("changed", beside).empty(), "saved beside the program");
        check(ReadNotes(beside) == "changed", "the saved notes read back");
        // Read, but the save says it cannot write them, and writes nothing elsewhere.
        const fs::path locked = NotesFileFor(read_only);
        check(locked == read_only / "loinfo.txt", "read-only notes stay beside the program");
        check(ReadNotes(locked) == "read only", "read-only notes are read");
        check(SaveError("changed", locked) == "Cannot create file " + locked.string(),
              "a save of read-only notes is refused");
        check(ReadNotes(locked) == "read only", "read-only notes unchanged");
        check(!fs::exists(data_folder), "nothing written to the data folder");
        // A link whose target is not there yet is the user's choice all the same:
        // the save goes through it.
        const fs::path through_link = NotesFileFor(linked);
        check(through_link == linked / "loinfo.txt", "a dangling link beside the program is used");
        check(SaveError("linked", through_link).empty() && ReadNotes(link_target) == "linked",
              "saved through the link");
        check(fs::is_symlink(linked / "loinfo.txt"), "the link stays a link");
        check(!fs::exists(data_folder), "nothing written to the data folder");
        // None there: the user's data folder, created by the save.
        const fs::path installed = NotesFileFor(none);
        check(installed == data_folder / "loinfo.txt", "no notes: the data folder");
        check(SaveError("new", installed).empty() && ReadNotes(installed) == "new",
              "saved in the data folder");
        std::exit(sound ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
