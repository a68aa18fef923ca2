// Backup copies: made once per file and run, before the first write and
// never without one; the newest 20 kept; a failure told once and harmless;
// listed and restored as one step.

#include "editor/backups.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "editor/editing_session.h"
#include "platform/private_files.h"
#include "support/editor_world.h"
#include "support/file_agreement.h"
#include "support/scoped_env.h"

namespace {

namespace fs = std::filesystem;

constexpr std::time_t kOpenedAt = 1796655845;

std::string CopyName(std::time_t opened_at) { return "LoTest.dat." + LocalTimeStamp(opened_at); }

TEST(Backups, OneCopyOfTheOpenedFileBeforeTheFirstWriteOfARun) {
  EditorWorld w(4);
  w.SetUpBackups(kOpenedAt);
  const Bytes opened = w.File();
  w.Click(1);
  w.Type(TField::X, "abc");
  EXPECT_NE(MessageOf([&] { w.Save(); }), "no error");
  w.Click(2);
  EXPECT_FALSE(fs::exists(w.backups)) << "a copy without a write";

  w.Click(1);
  w.Type(TField::X, "3");
  w.Save();
  w.session.Records().AddObject();
  ASSERT_EQ(NamesIn(w.backups), std::vector<std::string>{CopyName(kOpenedAt)});
  EXPECT_EQ(ReadBytes(w.backups / CopyName(kOpenedAt)), opened);
  struct stat st {};
  ASSERT_EQ(::stat(w.backups.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  ASSERT_EQ(::stat(w.backups.parent_path().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);

  // Opened again in the same run: the first copy already holds what matters.
  w.session.BackupRestore().Keeper().SetClock([] { return kOpenedAt + 60; });
  w.Reopen();
  w.Click(0);
  w.Save();
  EXPECT_EQ(NamesIn(w.backups).size(), 1u);
  EXPECT_TRUE(w.host.information.empty());
}

TEST(Backups, TwentyOneRunsKeepTheNewestTwenty) {
  TempDir shared;
  const fs::path folder = shared / "backups";
  fs::create_directories(folder);
  // Other files' copies and other files are never removed.
  WriteText(folder / "LoOther.dat.2020-01-01T00-00-00", "other");
  WriteText(folder / "notes.txt", "notes");
  for (int run = 0; run < 21; ++run) {
    EditorWorld w(2);
    w.SetUpBackups(kOpenedAt + run * 3600);
    w.session.BackupRestore().Keeper().SetFolder(folder);
    w.Click(0);
    w.Save();
  }
  std::vector<std::string> names = NamesIn(folder);
  EXPECT_EQ(names.size(), 22u);
  EXPECT_EQ(std::count(names.begin(), names.end(), CopyName(kOpenedAt)), 0);
  EXPECT_EQ(std::count(names.begin(), names.end(), CopyName(kOpenedAt + 3600)), 1);
  EXPECT_EQ(std::count(names.begin(), names.end(), CopyName(kOpenedAt + 20 * 3600)), 1);
  EXPECT_EQ(std::count(names.begin(), names.end(), "notes.txt"), 1);
}

TEST(Backups, OpensInTheSameSecondGetNumberedCopies) {
  TempDir shared;
  for (int run = 0; run < 3; ++run) {
    EditorWorld w(2);
    w.SetUpBackups(kOpenedAt);
    w.session.BackupRestore().Keeper().SetFolder(shared.path());
    w.Click(0);
    w.Save();
  }
  EXPECT_EQ(NamesIn(shared.path()),
            (std::vector<std::string>{CopyName(kOpenedAt), CopyName(kOpenedAt) + "-2",
                                      CopyName(kOpenedAt) + "-3"}));
}

TEST(Backups, AFailedCopyIsToldOnceAndTheWriteGoesOn) {
  EditorWorld twin(4), w(4);
  WriteText(w.dir / "share", "a file where the folder would go");
  w.SetUpBackups();
  for (EditorWorld* world : {&twin, &w}) {
    world->Click(2);
    world->Type(TField::Y, "9");
    world->Save();
    world->session.Records().AddObject();
  }
  EXPECT_EQ(w.File(), twin.File());
  ASSERT_EQ(w.host.information.size(), 1u);
  EXPECT_EQ(w.host.information[0], "No backup copy of LoTest.dat could be made in " +
                                       w.backups.string() +
                                       " (Invalid filename); editing goes on without one.");
}

TEST(Backups, FolderFromTheEnvironment) {
  {
    const ScopedEnv xdg("XDG_DATA_HOME", "/data/home");
    EXPECT_EQ(BackupFolderFromEnvironment(), fs::path("/data/home/rererarovi/backups"));
  }
  const ScopedEnv xdg("XDG_DATA_HOME", nullptr);
  const ScopedEnv home("HOME", "/home/ann");
  EXPECT_EQ(BackupFolderFromEnvironment(), fs::path("/home/ann/.local/share/rererarovi/backups"));
}

// A file of 4 records with 3 bytes after them; copies of 6 and 2 records.
struct RestoreWorld : EditorWorld {
  RestoreWorld() : EditorWorld(4) {
    Bytes file = File();
    file.insert(file.end(), {1, 2, 3});
    WriteBytes(lo, file);
    fs::create_directories(backups);
    longer = LoFileBytes("Meadow", "Spring", NumberedRecords(6));
    shorter = LoFileBytes("Forest", "North woods", NumberedRecords(2));
    longer[100 + 20 * 1] = 99;  // record 1 differs, 4 and 5 are new
    WriteBytes(backups / "LoTest.dat.2026-12-07T15-04-05", longer);
    WriteBytes(backups / "LoTest.dat.2026-12-08T09-00-00", shorter);
    WriteText(backups / "LoTest.dat.2026-12-09T09-00-00", "not a Lo file");
    SetUpBackups();
    opened = File();
  }
  Bytes longer, shorter, opened;
};

TEST(Backups, ListsTheOpenFilesCopiesNewestFirst) {
  RestoreWorld w;
  const std::vector<TBackupCopy> copies = w.session.BackupRestore().Copies();
  ASSERT_EQ(copies.size(), 3u);
  EXPECT_EQ(copies[0].time_text, "2026-12-09 09:00:00");
  EXPECT_EQ(copies[1].time_text, "2026-12-08 09:00:00");
  EXPECT_EQ(copies[1].size, 140u);
  EXPECT_EQ(copies[1].differing_records, 2);
  EXPECT_EQ(copies[2].path, w.backups / "LoTest.dat.2026-12-07T15-04-05");
  EXPECT_EQ(copies[2].differing_records, 3);
}

TEST(Backups, ARestoreIsOneStepUndoTakesBack) {
  for (bool take_longer : {true, false}) {
    SCOPED_TRACE(take_longer ? "longer copy" : "shorter copy");
    RestoreWorld w;
    w.Click(3);
    const Bytes& copy = take_longer ? w.longer : w.shorter;
    w.session.BackupRestore().Restore(w.backups / (take_longer ? "LoTest.dat.2026-12-07T15-04-05"
                                                               : "LoTest.dat.2026-12-08T09-00-00"));
    EXPECT_EQ(w.File(), copy);
    ExpectAgreesWithFile(w.session);
    EXPECT_EQ(w.session.View().SelectedRow(), take_longer ? 3 : 1);
    ASSERT_EQ(w.history.Steps().back().kind, TStepKind::RestoreBackup);
    w.undo.Undo();
    EXPECT_EQ(w.File(), w.opened);
    ExpectAgreesWithFile(w.session);
    w.undo.Redo();
    EXPECT_EQ(w.File(), copy);
    ExpectAgreesWithFile(w.session);
  }
}

// Restores between files of other lengths: the file takes the copy's length,
// and the undo puts back every byte, also of pieces longer than 255 bytes.
TEST(Backups, ARestoreTakesTheCopysLengthAndUndoEveryByte) {
  struct Case {
    int records_now, records_in_copy;
  };
  for (const Case& c : {Case{4, 3}, Case{3, 4}, Case{20, 2}, Case{2, 20}, Case{5, 5}}) {
    SCOPED_TRACE(std::to_string(c.records_now) + " -> " + std::to_string(c.records_in_copy));
    EditorWorld w(c.records_now);
    const Bytes opened = w.File();
    std::vector<TLoRecord> records = NumberedRecords(c.records_in_copy);
    for (TLoRecord& record : records) record.z += 1000.0f;  // every record differs
    const Bytes copy = LoFileBytes("Lake", "Shore", records);
    WriteBytes(w.dir / "copy", copy);
    w.session.BackupRestore().Restore(w.dir / "copy");
    EXPECT_EQ(w.File(), copy);
    w.Undo();
    EXPECT_EQ(w.File(), opened);
    ExpectAgreesWithFile(w.session);
    w.Redo();
    EXPECT_EQ(w.File(), copy);
  }
}

TEST(Backups, ACopyThatIsNoLoFileIsRefused) {
  RestoreWorld w;
  // A copy whose count promises one record more than it holds.
  Bytes short_one = LoFileBytes("Meadow", "Spring", NumberedRecords(5));
  short_one.resize(short_one.size() - 20);
  WriteBytes(w.dir / "LoShort.dat", short_one);
  for (const fs::path& copy :
       {w.backups / "LoTest.dat.2026-12-09T09-00-00", w.dir / "LoShort.dat"}) {
    EXPECT_EQ(MessageOf([&] { w.session.BackupRestore().Restore(copy); }),
              copy.filename().string() + " is not a copy of a Lo file; nothing was restored");
    EXPECT_EQ(w.File(), w.opened);
    EXPECT_TRUE(w.history.Steps().empty());
  }
}

TEST(Backups, AFileReplacedAtItsPathIsNotRestoredInto) {
  RestoreWorld w;
  fs::rename(w.lo, w.dir / "moved.dat");
  const Bytes other = LoFileBytes("Other", "Put in its place", NumberedRecords(1));
  WriteBytes(w.lo, other);
  EXPECT_EQ(MessageOf([&] {
              w.session.BackupRestore().Restore(w.backups / "LoTest.dat.2026-12-07T15-04-05");
            }),
            w.lo.string() + " was replaced or deleted since it was opened; open it again");
  EXPECT_EQ(w.File(), other);
  EXPECT_EQ(ReadBytes(w.dir / "moved.dat"), w.opened);
}

}  // namespace
