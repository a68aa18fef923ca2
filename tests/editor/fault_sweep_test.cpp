// Every file operation of every command, made to fail in every way the system
// can fail it: afterwards no byte outside the command's own fields has
// changed, the count never names a record the file lacks, the editor's count
// and rows agree with the file, and the settings and names files are whole.
// A settings read that fails writes nothing back: the file is then byte for
// byte what it was before that read. A command on the Lo file that fails
// leaves the fields as the user typed them, and trying it again writes them.

#include <algorithm>
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <optional>
#include <set>

#include "editor/editing_session.h"
#include "platform/binary_file.h"
#include "settings/folder_settings.h"
#include "settings/profile_lines.h"
#include "settings/profile_store.h"
#include "settings/window_placement.h"
#include "support/editor_world.h"
#include "support/file_agreement.h"

namespace {

namespace fs = std::filesystem;

const std::vector<TestEntry> kSweepCatalogue = {{0, 0, "Marker"}, {1, 1, "Pine"}, {2, 2, "Rock"}};
const std::vector<std::pair<std::string, std::string>> kSettingKeys = {
    {"settings", "startdir"}, {"settings", "objdir"}, {"Common", "Form6"}};

// One editor with its files, in a folder of its own.
struct World : EditorWorld {
  World(bool first_run, int records) : EditorWorld(kSweepCatalogue) {
    WriteBytes(lo, LoFileBytes("Forest", "North woods", NumberedRecords(records)));
    WriteBytes(other, LoFileBytes("Lake", "Shore", NumberedRecords(2)));
    if (first_run) {
      host.lo_prompt.answer = dir.path().string();
      host.objdat_prompt.answer = objdat.string();
      fs::remove(objdat / "objdat.nam");
    } else {
      // Other folders than the stored ones: a prompt that follows a failed
      // read shows in the file.
      host.lo_prompt.answer = "/prompted/lo";
      host.objdat_prompt.answer = "/prompted/objdat";
      fs::create_directories(ini.parent_path());
      WriteText(ini, "[settings]\nstartdir=" + dir.path().string() + "\nobjdir=" + objdat.string() +
                         "\n[Common]\nForm6=200,0,1,1,2,3,4\n");
    }
  }
  // The entry's value with this world's folder written as "<dir>", so worlds compare.
  std::optional<std::string> Setting(const std::string& section, const std::string& key) const {
    if (!fs::exists(ini)) return std::nullopt;
    std::optional<std::string> value = ProfileLines(ReadText(ini)).Find(section, key);
    const std::string folder = dir.path().string();
    if (value && value->starts_with(folder)) value = "<dir>" + value->substr(folder.size());
    return value;
  }
  // The whole settings file with this world's folder written as "<dir>".
  std::optional<std::string> SettingsText() const {
    if (!fs::exists(ini)) return std::nullopt;
    std::string text = ReadText(ini);
    const std::string folder = dir.path().string();
    for (std::size_t at = text.find(folder); at != std::string::npos; at = text.find(folder, at)) {
      text.replace(at, folder.size(), "<dir>");
    }
    return text;
  }

  fs::path other = dir / "LoOther.dat";
};

struct Range {
  std::size_t at;
  std::size_t size;
};
const Range kNameBytes{0, 20}, kCountBytes{20, 2}, kDescriptionBytes{26, 74};
Range RecordRange(int index) { return {100 + 20 * static_cast<std::size_t>(index), 20}; }

struct Command {
  std::string name;
  bool first_run = false;
  std::function<void(World&)> before;  // runs without faults
  std::function<void(World&)> run;     // the command under faults
  std::vector<Range> lo_writes;        // bytes of the open Lo file it may write
  int records = 4;                     // in the Lo file
  std::vector<int> deleted = {};       // records it deletes: the others stay whole
};

void PrintTo(const Command& command, std::ostream* out) { *out << command.name; }

// `command` deleting records `deleted` (chosen beforehand) of a file of `records`.
Command Deleting(int records, std::vector<int> deleted, Command command) {
  command.records = records;
  command.deleted = std::move(deleted);
  return command;
}

std::vector<TRecordBytes> ThreeRecords() {
  std::vector<TRecordBytes> records;
  for (const TLoRecord& record : NumberedRecords(3)) records.push_back(PackRecord(record));
  return records;
}

// `command` on a Lo file of `records` records.
Command OnFileOf(int records, Command command) {
  command.records = records;
  return command;
}

std::vector<Command> Commands() {
  const TWindowPlacement placement{0, 1, {10, 20, 830, 620}};
  auto open_lo = [](World& w) { w.Reopen(); };
  return {
      {"open an existing file", false, {}, open_lo, {}},
      {"open on a first run", true, {}, open_lo, {}},
      {"open a second file", false, open_lo, [](World& w) { w.OpenPath(w.other); }, {}},
      {"open a file named at start",
       false,
       open_lo,
       [](World& w) { w.session.Files().OpenLoFileNamed(w.other); },
       {}},
      {"commit a row",
       false,
       [](World& w) {
         w.Reopen();
         w.Click(2);
         w.Type(TField::X, "7.5");
         w.Type(TField::Name, "Glade");
       },
       [](World& w) { w.session.Records().CommitRecord(TCommitTarget::SelectedRow); },
       {kNameBytes, kDescriptionBytes, RecordRange(2)}},
      {"commit with no row",
       false,
       [](World& w) {
         w.Reopen();
         w.Type(TField::Description, "Dusk");
         w.Type(TField::X, "3");
       },
       [](World& w) { w.session.Records().CommitRecord(TCommitTarget::SelectedRow); },
       {kNameBytes, kDescriptionBytes}},
      {"add an object",
       false,
       open_lo,
       [](World& w) { w.session.Records().AddObject(); },
       {kNameBytes, kCountBytes, kDescriptionBytes, RecordRange(4)}},
      {"remove an object",
       false,
       [](World& w) {
         w.Reopen();
         w.Click(3);
       },
       [](World& w) { w.session.Records().RemoveLastObject(); },
       {kNameBytes, kCountBytes, kDescriptionBytes, RecordRange(2)}},
      // The count's two bytes both change between 255 and 256 records.
      OnFileOf(255, {"add the 256th object",
                     false,
                     open_lo,
                     [](World& w) { w.session.Records().AddObject(); },
                     {kNameBytes, kCountBytes, kDescriptionBytes, RecordRange(255)}}),
      OnFileOf(256, {"remove the 256th object",
                     false,
                     [](World& w) {
                       w.Reopen();
                       w.Click(255);
                     },
                     [](World& w) { w.session.Records().RemoveLastObject(); },
                     {kNameBytes, kCountBytes, kDescriptionBytes, RecordRange(254)}}),
      {"append with values",
       false,
       open_lo,
       [](World& w) { w.session.Placing().DropCatalogueEntry(1, 12.5, -3.25); },
       {kCountBytes, RecordRange(4)}},
      {"duplicate",
       false,
       [](World& w) {
         w.Reopen();
         w.Click(1);
       },
       [](World& w) { w.session.Placing().DuplicateRecord(); },
       {kCountBytes, RecordRange(4)}},
      OnFileOf(255, {"duplicate into the 256th record",
                     false,
                     [](World& w) {
                       w.Reopen();
                       w.Click(254);
                     },
                     [](World& w) { w.session.Placing().DuplicateRecord(); },
                     {kCountBytes, RecordRange(255)}}),
      {"move a group",
       false,
       [](World& w) {
         w.Reopen();
         w.session.Placing().ChooseRecord(1);
         w.session.Placing().ToggleInMapGroup(3);
       },
       [](World& w) { w.session.Placing().MoveMapGroup(2.5, -1.0); },
       {RecordRange(1), RecordRange(3)}},
      {"turn a group",
       false,
       [](World& w) {
         w.Reopen();
         w.session.Placing().ChooseRecord(1);
         w.session.Placing().ToggleInMapGroup(3);
       },
       [](World& w) { w.session.Placing().TurnMapGroup(90.0); },
       {RecordRange(1), RecordRange(3)}},
      {"set for a group",
       false,
       [](World& w) {
         w.Reopen();
         w.session.Placing().ChooseRecord(1);
         w.session.Placing().ToggleInMapGroup(3);
       },
       [](World& w) {
         w.session.Group().SetForGroup({{TField::Density, "9"}, {TField::Z, "2"}});
       },
       {RecordRange(1), RecordRange(3)}},
      {"array of copies",
       false,
       [](World& w) {
         w.Reopen();
         w.session.Placing().ChooseRecord(1);
         w.session.Placing().ToggleInMapGroup(2);
       },
       [](World& w) {
         w.session.Group().Array({2, 1.5, 0.0, 15.0});
       },
       {kCountBytes, RecordRange(4), RecordRange(5), RecordRange(6), RecordRange(7)}},
      {"align a group",
       false,
       [](World& w) {
         w.Reopen();
         w.session.Group().SelectAll();
       },
       [](World& w) { w.session.Group().Align(TAxis::Y, TAlignTo::Middle); },
       {RecordRange(0), RecordRange(1), RecordRange(2), RecordRange(3)}},
      {"spread a group",
       false,
       [](World& w) {
         w.Reopen();
         w.Click(2);
         w.Type(TField::X, "9");
         w.Save();
         w.session.Group().SelectAll();
       },
       [](World& w) { w.session.Group().Spread(TAxis::X); },
       {RecordRange(1), RecordRange(3)}},
      {"paste",
       false,
       open_lo,
       [](World& w) { w.session.Objects().PasteObjects(ThreeRecords()); },
       {kCountBytes, RecordRange(4), RecordRange(5), RecordRange(6)}},
      OnFileOf(253, {"paste up to 256 records",
                     false,
                     open_lo,
                     [](World& w) { w.session.Objects().PasteObjects(ThreeRecords()); },
                     {kCountBytes, RecordRange(253), RecordRange(254), RecordRange(255)}}),
      Deleting(6, {1, 2},
               {"delete a group",
                false,
                [](World& w) {
                  w.Reopen();
                  w.session.Placing().ChooseRecord(1);
                  w.session.Placing().ToggleInMapGroup(2);
                },
                [](World& w) { w.session.Objects().DeleteObjects(); },
                {kCountBytes, RecordRange(1), RecordRange(2), RecordRange(3)}}),
      Deleting(256, {200},
               {"delete from 256 records",
                false,
                [](World& w) {
                  w.Reopen();
                  w.Click(200);
                },
                [](World& w) { w.session.Objects().DeleteObjects(); },
                {kCountBytes, {RecordRange(200).at, 55 * 20}}}),
      Deleting(5, {0},
               {"cut",
                false,
                [](World& w) {
                  w.Reopen();
                  w.Click(0);
                },
                [](World& w) { w.session.Objects().CutObjects(); },
                {kCountBytes, {RecordRange(0).at, 4 * 20}}}),
      {"restore a backup",
       false,
       [](World& w) {
         WriteBytes(w.dir / "copy", LoFileBytes("Copy", "Older", NumberedRecords(6)));
         w.Reopen();
         w.Click(2);
       },
       [](World& w) { w.session.BackupRestore().Restore(w.dir / "copy"); },
       {{0, 100 + 6 * 20}}},
      {"take a compared file's difference",
       false,
       [](World& w) {
         std::vector<TLoRecord> records = NumberedRecords(4);
         records[2].x = 99.5f;
         WriteBytes(w.dir / "compared", LoFileBytes("Forest", "North woods", records));
         w.Reopen();
         w.session.Compare().Start(w.dir / "compared");
       },
       [](World& w) { w.session.Compare().Take(0); },
       {RecordRange(2)}},
      {"name a kind", false, open_lo, [](World& w) { w.session.Naming().NameEntry(1, "Fir"); }, {}},
      {"import names",
       false,
       [](World& w) {
         WriteText(w.dir / "names.txt", "0 0 Post\n2 2 Boulder\n9 9 Nothing\n");
         w.Reopen();
       },
       [](World& w) { w.session.Naming().ImportNames(w.dir / "names.txt"); },
       {}},
      {"take all of a compared file's differences",
       false,
       [](World& w) {
         WriteBytes(w.dir / "compared", LoFileBytes("Copy", "Older", NumberedRecords(6)));
         w.Reopen();
         w.session.Compare().Start(w.dir / "compared");
       },
       [](World& w) { w.session.Compare().TakeAll(); },
       {{0, 100 + 6 * 20}}},
      {"close", false, open_lo, [](World& w) { w.session.Files().CloseLoFile(); }, {}},
      {"change the Lo folder",
       false,
       {},
       [](World& w) { ChangeLoFolder(w.settings, w.host.lo_prompt); },
       {}},
      {"change the object data folder",
       false,
       {},
       [](World& w) { ChangeObjdatFolder(w.settings, w.host.objdat_prompt); },
       {}},
      {"a new settings file",
       true,
       {},
       [](World& w) { ResolveLoFolder(w.settings, w.host.lo_prompt); },
       {}},
      {"store the placement",
       false,
       {},
       [placement](World& w) { SaveEditorPlacement(w.settings, placement); },
       {}},
      {"restore the placement",
       false,
       {},
       [placement](World& w) {
         RestoreEditorPlacement(w.settings, placement, {1280, 1024});
       },
       {}},
  };
}

struct Fault {
  std::string name;
  bool writes_only;
  std::function<void(int position)> plan;
};

std::vector<Fault> Faults() {
  return {
      {"access denied", false, [](int k) { file_faults::FailOperation(k, 5); }},
      {"disk full", false, [](int k) { file_faults::FailOperation(k, 101); }},
      {"input/output error", false, [](int k) { file_faults::FailWithSystemError(k, EIO); }},
      {"write of 0 bytes", true, [](int k) { file_faults::ShortWrite(k, 0); }},
      {"write of 1 byte", true, [](int k) { file_faults::ShortWrite(k, 1); }},
      {"write of 3 bytes", true, [](int k) { file_faults::ShortWrite(k, 3); }},
  };
}

int CountOnDisk(const Bytes& file) { return static_cast<std::int16_t>(file[20] | file[21] << 8); }

// What a world looks like before the command, and what it may become.
struct Expectations {
  Bytes lo, other, names;
  std::vector<std::optional<std::string>> settings_before, settings_after;
  Bytes names_after;
  Bytes lo_name_after;  // the Lo file's name field after the command
};

void CheckLoWrites(const Bytes& before, const Bytes& after, const std::vector<Range>& writes) {
  ASSERT_GE(after.size(), before.size());
  std::vector<bool> writable(after.size(), false);
  for (const Range& range : writes) {
    for (std::size_t i = range.at; i < range.at + range.size && i < after.size(); ++i) {
      writable[i] = true;
    }
  }
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (writable[i]) continue;
    ASSERT_LT(i, before.size()) << "the file grew outside the command's fields";
    ASSERT_EQ(after[i], before[i]) << "byte " << i << " changed";
  }
  const int count = CountOnDisk(after);
  EXPECT_GE(count, 0);
  EXPECT_GE(after.size(), 100u + 20u * static_cast<std::size_t>(count))
      << "the count names a record the file lacks";
}

void CheckWorld(const World& w, const Command& command, const Expectations& expected) {
  const bool writes_lo = !command.lo_writes.empty();
  CheckLoWrites(expected.lo, ReadBytes(w.lo), command.lo_writes);
  CheckLoWrites(expected.other, ReadBytes(w.other), {});
  if (!writes_lo) {
    EXPECT_EQ(ReadBytes(w.lo), expected.lo);
  }

  const TLoDocument& document = w.session.Document();
  if (document.IsOpen()) {
    const int on_disk = CountOnDisk(ReadBytes(document.Path()));
    EXPECT_EQ(document.LastIndex + 1, on_disk) << "memory and file disagree on the count";
    EXPECT_EQ(static_cast<int>(w.session.View().ContentsRows().size()), on_disk);
    EXPECT_EQ(w.session.View().WindowCaption(), "Editing " + document.Path().string());
    ExpectAgreesWithFile(w.session);
  }

  // Settings: each entry old or new, never a cut-off file.
  if (fs::exists(w.ini)) {
    const std::string text = ReadText(w.ini);
    EXPECT_TRUE(text.empty() || text.back() == '\n') << text;
    for (std::size_t i = 0; i < kSettingKeys.size(); ++i) {
      const auto value = w.Setting(kSettingKeys[i].first, kSettingKeys[i].second);
      EXPECT_TRUE(value == expected.settings_before[i] || value == expected.settings_after[i])
          << kSettingKeys[i].second << " = " << value.value_or("(none)");
    }
    EXPECT_EQ(NamesIn(w.ini.parent_path()), std::vector<std::string>{"zodaZa.INI"});
  }
  // The names file: as it was, or complete.
  const fs::path names = w.objdat / "objdat.nam";
  if (fs::exists(names)) {
    const Bytes now = ReadBytes(names);
    EXPECT_TRUE(now == expected.names || now == expected.names_after) << now.size() << " bytes";
  }
  // What the lists name is what the names file holds.
  if (document.IsOpen() && fs::exists(names)) {
    const Bytes now = ReadBytes(names);
    const TObjCatalogue& catalogue = w.session.Catalogue();
    for (int i = 0; i < catalogue.EntriesRead && 30u * (i + 1) <= now.size(); ++i) {
      const Bytes slot = Slice(now, 30u * static_cast<std::size_t>(i), 30);
      const std::string text(slot.begin(), std::find(slot.begin(), slot.end(), 0));
      EXPECT_EQ(catalogue.NameText(i), text) << "entry " << i;
    }
  }
  const std::set<std::string> allowed = {"objdat.dat", "objdat.nam"};
  for (const std::string& name : NamesIn(w.objdat)) {
    EXPECT_TRUE(allowed.count(name)) << name;
  }
}

std::vector<std::optional<std::string>> SettingValues(const World& w) {
  std::vector<std::optional<std::string>> values;
  for (const auto& [section, key] : kSettingKeys) values.push_back(w.Setting(section, key));
  return values;
}

Bytes BytesIfPresent(const fs::path& file) { return fs::exists(file) ? ReadBytes(file) : Bytes{}; }

// The operations that read the settings file: its opens, and the reads until
// the file is closed again (a whole-file read does nothing in between).
std::vector<bool> SettingsReads(const std::vector<FileOperation>& operations,
                                const std::vector<fs::path>& files, const fs::path& ini) {
  std::vector<bool> reads(operations.size(), false);
  bool open = false;
  for (std::size_t i = 0; i < operations.size(); ++i) {
    if (operations[i] == FileOperation::Open) open = files[i] == ini;
    if (operations[i] == FileOperation::Close) open = false;
    reads[i] =
        open && (operations[i] == FileOperation::Open || operations[i] == FileOperation::Read);
  }
  return reads;
}

class FaultSweep : public ::testing::TestWithParam<Command> {
 protected:
  void TearDown() override { file_faults::Reset(); }
};

TEST_P(FaultSweep, EveryOperationFailingEveryWayLeavesEveryFileWhole) {
  const Command& command = GetParam();
  // The run without faults: how many operations there are, what each one is,
  // and what the files hold afterwards.
  std::vector<FileOperation> operations;
  std::vector<bool> settings_reads;
  std::vector<std::optional<std::string>> settings_before_operation;
  Expectations expected;
  {
    World w(command.first_run, command.records);
    if (command.before) command.before(w);
    if (!command.lo_writes.empty()) TypeSomeEdits(w);
    expected.settings_before = SettingValues(w);
    expected.names = BytesIfPresent(w.objdat / "objdat.nam");
    file_faults::Reset();
    file_faults::WatchOperations([&] { settings_before_operation.push_back(w.SettingsText()); });
    command.run(w);
    operations = file_faults::Operations();
    settings_reads = SettingsReads(operations, file_faults::OperationFiles(), w.ini);
    file_faults::WatchOperations({});  // it looks at this world, which ends here
    expected.settings_after = SettingValues(w);
    expected.names_after = BytesIfPresent(w.objdat / "objdat.nam");
    expected.lo_name_after = Slice(ReadBytes(w.lo), 0, 20);
  }
  ASSERT_FALSE(operations.empty());

  for (const Fault& fault : Faults()) {
    for (int k = 1; k <= static_cast<int>(operations.size()); ++k) {
      if (fault.writes_only && operations[k - 1] != FileOperation::Write) continue;
      SCOPED_TRACE(fault.name + " at operation " + std::to_string(k) + " of " +
                   std::to_string(operations.size()));
      World w(command.first_run, command.records);
      if (command.before) command.before(w);
      const std::string typed = command.lo_writes.empty() ? "" : TypeSomeEdits(w);
      expected.lo = ReadBytes(w.lo);
      expected.other = ReadBytes(w.other);
      file_faults::Reset();
      fault.plan(k);
      const std::string message = MessageOf([&] { command.run(w); });
      file_faults::Reset();
      CheckWorld(w, command, expected);
      if (!command.deleted.empty())
        ExpectKeptRecordsWhole(expected.lo, ReadBytes(w.lo), command.deleted);
      if (!typed.empty() && message != "no error" && w.session.Document().IsOpen()) {
        // Nothing the user typed is lost, and the command tried again writes it.
        EXPECT_EQ(FieldsShown(w.view), typed) << message;
        const std::string again = MessageOf([&] { command.run(w); });
        EXPECT_EQ(Slice(ReadBytes(w.lo), 0, 20), expected.lo_name_after) << again;
      }
      if (settings_reads[k - 1]) {
        EXPECT_EQ(w.SettingsText(), settings_before_operation[k - 1])
            << "written after a failed settings read; the command said: " << message;
      }
      if (::testing::Test::HasFailure()) return;  // one case tells enough
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Commands, FaultSweep, ::testing::ValuesIn(Commands()),
                         [](const ::testing::TestParamInfo<Command>& param) {
                           std::string name;
                           for (char c : param.param.name) {
                             if (std::isalnum(static_cast<unsigned char>(c))) name += c;
                           }
                           return name;
                         });

}  // namespace
