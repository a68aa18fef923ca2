// The level set: the Lo files of a folder listed with their header, count
// and check findings, followed as the folder changes, searched across; and
// the list of files opened last.

#include "editor/level_set.h"

#include <gtest/gtest.h>

#include <cmath>

#include "datafiles/obj_catalogue.h"
#include "editor/level_find.h"
#include "editor/recent_files.h"
#include "settings/tool_windows.h"
#include "support/editor_world.h"

namespace {

namespace fs = std::filesystem;

const std::vector<TestEntry> kEntries = {{1, 0, "Oak Tree"}, {5, 2, "Fuel Drum"}, {4, 0, "Tower"}};

// Three levels: a good one, one that reads but Check File has findings for,
// one whose count is out of range, one cut short; and files that are no
// Lo files.
struct LevelFolder {
  LevelFolder() {
    WriteCatalogue(dir / "objdat", kEntries);
    catalogue.Load((dir / "objdat").string(), {}, TObjCatalogue::Access::ReadOnly);
    WriteBytes(dir / "LoA.dat",
               LoFileBytes("Camp", "By the river",
                           {{1, 0, 0, 10, 20, 0, 0, 1}, {5, 2, 0, 30, 40, 0, 0, 1}}));
    // A drum, a kind the catalogue lacks, a NaN, and a stray byte after the records.
    Bytes damaged = LoFileBytes(
        "Depot", "Fuel",
        {{5, 2, 0, 1, 2, 0, 0, 1}, {9, 9, 0, 5, 5, 0, 0, 1}, {5, 2, 0, std::nanf(""), 7, 0, 0, 1}});
    damaged.push_back(0xEE);
    WriteBytes(dir / "lob.DAT", damaged);
    Bytes bad_count = LoFileBytes("Wreck", "", {});
    PutU16(bad_count, 20, 300);
    WriteBytes(dir / "LoC.dat", bad_count);
    Bytes short_file = LoFileBytes("Short", "", NumberedRecords(3));
    short_file.resize(130);
    WriteBytes(dir / "LoD.dat", short_file);
    WriteBytes(dir / "Notes.dat", {1, 2, 3});
    fs::create_directory(dir / "LoFolder.dat");
  }
  TLevelFile File(const std::string& name) const {
    for (const TLevelFile& file : ListLevelFiles(dir.path()))
      if (file.path.filename() == name) return file;
    ADD_FAILURE() << name;
    return {};
  }
  TempDir dir;
  TObjCatalogue catalogue;
};

TEST(LevelSet, ListsEveryLoFileWithHeaderCountAndFindingsOrItsMessage) {
  LevelFolder folder;
  TLevelSet set;
  set.SetFolder(folder.dir.path());
  for (const TLevelFile& file : set.Rescan()) set.Take(ReadLevelRow(file, &folder.catalogue));

  struct Expected {
    std::string file, name, description;
    int count, findings;
    std::string problem;
  };
  const std::vector<Expected> expected = {
      {"LoA.dat", "Camp", "By the river", 2, 0, ""},
      {"LoC.dat", "", "", -1, -1, "Invalid record count 300: a Lo file holds 0 to 256 records"},
      {"LoD.dat", "", "", -1, -1, "Read beyond end of file"},
      {"lob.DAT", "Depot", "Fuel", 3, 3, ""},
  };
  ASSERT_EQ(set.Rows().size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const TLevelRow& row = set.Rows()[i];
    SCOPED_TRACE(expected[i].file);
    EXPECT_EQ(row.FileName(), expected[i].file);
    EXPECT_EQ(row.name, expected[i].name);
    EXPECT_EQ(row.description, expected[i].description);
    EXPECT_EQ(row.count, expected[i].count);
    EXPECT_EQ(row.findings, expected[i].findings);
    EXPECT_EQ(row.problem, expected[i].problem);
    EXPECT_GT(row.file.changed, 1700000000);
  }

  // Sorted by findings, most first, files that do not read last; found by
  // header name or file name in any letter case.
  auto files = [&](const std::vector<int>& order) {
    std::vector<std::string> names;
    for (int i : order) names.push_back(set.Rows()[static_cast<std::size_t>(i)].FileName());
    return names;
  };
  EXPECT_EQ(files(LevelRowOrder(set.Rows(), TLevelColumn::Findings, true, "")),
            (std::vector<std::string>{"lob.DAT", "LoA.dat", "LoC.dat", "LoD.dat"}));
  EXPECT_EQ(files(LevelRowOrder(set.Rows(), TLevelColumn::Name, false, "")),
            (std::vector<std::string>{"LoC.dat", "LoD.dat", "LoA.dat", "lob.DAT"}));
  EXPECT_EQ(files(LevelRowOrder(set.Rows(), TLevelColumn::File, false, "DEPOT")),
            (std::vector<std::string>{"lob.DAT"}));
  EXPECT_EQ(files(LevelRowOrder(set.Rows(), TLevelColumn::File, true, "loc")),
            (std::vector<std::string>{"LoC.dat"}));

  // Another program adds, changes and removes files: only those are read again.
  WriteBytes(folder.dir / "LoE.dat", LoFileBytes("New", "", {}));
  WriteBytes(folder.dir / "LoA.dat", LoFileBytes("Camp", "By the river", {}));
  fs::remove(folder.dir / "LoC.dat");
  std::vector<std::string> to_read;
  for (const TLevelFile& file : set.Rescan()) {
    to_read.push_back(file.path.filename().string());
    set.Take(ReadLevelRow(file, &folder.catalogue));
  }
  EXPECT_EQ(to_read, (std::vector<std::string>{"LoA.dat", "LoE.dat"}));
  EXPECT_EQ(files(LevelRowOrder(set.Rows(), TLevelColumn::File, false, "")),
            (std::vector<std::string>{"LoA.dat", "LoD.dat", "LoE.dat", "lob.DAT"}));
  EXPECT_EQ(set.Rows()[static_cast<std::size_t>(set.RowOf(folder.dir / "LoA.dat"))].count, 0);

  // The folder gone: the window says so, and no row stays.
  fs::remove_all(folder.dir.path());
  EXPECT_TRUE(set.Rescan().empty());
  EXPECT_TRUE(set.Rows().empty());
  EXPECT_EQ(set.Problem(), "The Lo files folder " + folder.dir.path().string() + " is not there");
}

TEST(LevelFind, FindsByKindNamePartNumberAndFindingAcrossFiles) {
  LevelFolder folder;
  struct Case {
    TLevelQuery query;
    // Per file in folder order: "record@x" of what was found, or the message.
    std::vector<std::string> found;
  };
  const std::vector<Case> cases = {
      {{TLevelQuery::Kind::ObjectKind, 5, 2, ""},
       {"1@30", "Invalid record count 300: a Lo file holds 0 to 256 records",
        "Read beyond end of file", "0@1 2@nan"}},
      {{TLevelQuery::Kind::NameOrNumber, 0, 0, "DRUM"},
       {"1@30", "Invalid record count 300: a Lo file holds 0 to 256 records",
        "Read beyond end of file", "0@1 2@nan"}},
      {{TLevelQuery::Kind::NameOrNumber, 0, 0, "9"},  // class or type 9
       {"", "Invalid record count 300: a Lo file holds 0 to 256 records", "Read beyond end of file",
        "1@5"}},
      // A damaged file still tells its findings; the file's own are record -1.
      {{TLevelQuery::Kind::Findings, 0, 0, ""}, {"", "-1@0", "-1@0 0@0", "-1@0 1@5 2@nan"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.query.Caption());
    std::vector<std::string> found;
    for (const TLevelFile& file : ListLevelFiles(folder.dir.path())) {
      const TLevelFinds finds = FindInLevel(file, c.query, &folder.catalogue);
      std::string text = finds.problem;
      for (const TFoundRecord& record : finds.records) {
        if (!text.empty()) text += " ";
        text += std::to_string(record.record) + "@" +
                (std::isnan(record.values.x) ? "nan" : std::to_string(int(record.values.x)));
      }
      found.push_back(text);
    }
    EXPECT_EQ(found, c.found);
  }
  const TLevelFinds depot = FindInLevel(folder.File("lob.DAT"),
                                        {TLevelQuery::Kind::Findings, 0, 0, ""}, &folder.catalogue);
  ASSERT_EQ(depot.records.size(), 3u);
  EXPECT_EQ(depot.records[1].findings, "Record 1: class 9 type 9 is not in the catalogue");
  EXPECT_EQ(FoundName(&folder.catalogue, depot.records[2].values), "Fuel Drum");
  EXPECT_EQ(FoundName(nullptr, depot.records[2].values), "Requires Object Data File");
}

TEST(RecentFiles, KeepsTheLastEightMostRecentFirstAndDropsOneThatIsGone) {
  EditorWorld world;
  RecentFilesStore recent(world.dir / "config" / "rererarovi" / "recent.ini");
  EXPECT_TRUE(recent.Load().empty());
  std::vector<fs::path> files;
  for (int i = 0; i < 10; ++i) {
    files.push_back(world.dir / ("Lo" + std::to_string(i) + " x.dat"));
    WriteBytes(files.back(), LoFileBytes("L", "", {}));
    recent.Add(files.back());
  }
  recent.Add(files[5]);  // once, at the front
  EXPECT_EQ(recent.Load(), (std::vector<fs::path>{files[5], files[9], files[8], files[7], files[6],
                                                  files[4], files[3], files[2]}));

  // Opening one opens it as "Open a Lo File" does.
  world.StoreFolders();
  OpenRecentFile(world.session, recent, files[8]);
  EXPECT_EQ(world.session.Document().Path(), files[8]);

  fs::remove(files[9]);
  EXPECT_EQ(MessageOf([&] { OpenRecentFile(world.session, recent, files[9]); }),
            files[9].string() + " is no longer there; it was taken off Open Recent");
  EXPECT_EQ(recent.Load().size(), 7u);
  EXPECT_EQ(recent.Load()[1], files[8]);
  EXPECT_EQ(world.session.Document().Path(), files[8]);  // the open file stays open

  // The tool windows' places sit in a file of their own too.
  ToolWindowStore places(world.dir / "config" / "rererarovi" / "windows.ini");
  EXPECT_EQ(places.Load("Levels"), TToolWindowPlace{});
  places.Save("Levels", {true, TWindowRect{10, 20, 310, 420}});
  EXPECT_EQ(places.Load("Levels"), (TToolWindowPlace{true, TWindowRect{10, 20, 310, 420}}));
}

}  // namespace
