// Undo and Redo of every kind of step, and the command itself, with each of
// their file operations failing in turn: the fault stops them at that
// operation, every byte holds its old or its new value, the count never
// names a record the file lacks, memory and rows agree with the file, and
// the step, tried again without the fault, completes byte for byte. A backup
// copy failing anywhere never changes the write that follows.

#include <gtest/gtest.h>

#include <functional>

#include "editor/editing_session.h"
#include "platform/file_faults.h"
#include "support/child_process.h"
#include "support/editor_world.h"
#include "support/file_agreement.h"

namespace {

namespace fs = std::filesystem;

struct StepCase {
  const char* name;
  int records;
  std::function<void(EditorWorld&)> choose;  // what the user chooses or types first
  std::function<void(EditorWorld&)> command;
  std::vector<int> deleted = {};  // records it deletes: the others stay whole throughout
  // The choice, then the command.
  void Run(EditorWorld& w) const {
    if (choose) choose(w);
    command(w);
  }
};

void PrintTo(const StepCase& c, std::ostream* out) { *out << c.name; }

std::vector<StepCase> Cases() {
  const auto click = [](int row) { return [row](EditorWorld& w) { w.Click(row); }; };
  const auto group = [](int shown, int other) {
    return [shown, other](EditorWorld& w) {
      w.session.Placing().ChooseRecord(shown);
      w.session.Placing().ToggleInMapGroup(other);
    };
  };
  const auto remove = [](EditorWorld& w) { w.session.Records().RemoveLastObject(); };
  const auto add = [](EditorWorld& w) { w.session.Records().AddObject(); };
  return {
      {"Save", 10,
       [](EditorWorld& w) {
         w.Click(7);
         w.Type(TField::X, "1.5");
         w.Type(TField::Name, "Glade");
       },
       [](EditorWorld& w) { w.Save(); }},
      {"Add", 4, {}, add},
      {"Remove", 4, click(3), remove},
      // Both bytes of the count change.
      {"AddAt255", 255, {}, add},
      {"RemoveAt256", 256, click(255), remove},
      {"Append",
       4,
       {},
       [](EditorWorld& w) { w.session.Placing().DropCatalogueEntry(1, 12.5, -4.25); }},
      {"Duplicate", 4, click(2), [](EditorWorld& w) { w.session.Placing().DuplicateRecord(); }},
      {"MoveGroup", 6, group(1, 4),
       [](EditorWorld& w) { w.session.Placing().MoveMapGroup(2.5, -1.0); }},
      {"TurnGroup", 6, group(1, 4), [](EditorWorld& w) { w.session.Placing().TurnMapGroup(90.0); }},
      {"SetForGroup", 6, group(1, 4),
       [](EditorWorld& w) {
         w.session.Group().SetForGroup({{TField::Class, "3"}, {TField::R, "12.5"}});
       }},
      {"Array", 4, click(2),
       [](EditorWorld& w) {
         w.session.Group().Array({3, 2.0, -1.0, 30.0});
       }},
      {"Align", 6, [](EditorWorld& w) { w.session.Group().SelectAll(); },
       [](EditorWorld& w) { w.session.Group().Align(TAxis::X, TAlignTo::Greatest); }},
      {"Paste",
       4,
       {},
       [](EditorWorld& w) {
         std::vector<TRecordBytes> records;
         for (const TLoRecord& record : NumberedRecords(3)) records.push_back(PackRecord(record));
         w.session.Objects().PasteObjects(records);
       }},
      {"DeleteGroup",
       6,
       group(3, 1),
       [](EditorWorld& w) { w.session.Objects().DeleteObjects(); },
       {1, 3}},
      {"DeleteAt256",
       256,
       click(250),
       [](EditorWorld& w) { w.session.Objects().DeleteObjects(); },
       {250}},
      {"Cut", 4, click(0), [](EditorWorld& w) { w.session.Objects().CutObjects(); }, {0}},
      {"RestoreShorter",
       4,
       {},
       [](EditorWorld& w) {
         const fs::path copy = w.dir / "copy";
         WriteBytes(copy, LoFileBytes("Lake", "Shore", NumberedRecords(2)));
         w.session.BackupRestore().Restore(copy);
       }},
      {"RestoreLonger",
       2,
       {},
       [](EditorWorld& w) {
         const fs::path copy = w.dir / "copy";
         WriteBytes(copy, LoFileBytes("Lake", "Shore", NumberedRecords(5)));
         w.session.BackupRestore().Restore(copy);
       }},
      {"TakeRemovedDifference",
       5,
       {},
       [](EditorWorld& w) {
         const fs::path compared = w.dir / "compared";
         std::vector<TLoRecord> records = NumberedRecords(5);
         WriteBytes(compared, LoFileBytes("Forest", "North woods",
                                          {records[0], records[2], records[3], records[4]}));
         w.session.Compare().Start(compared);
         w.session.Compare().Take(0);
       }},
  };
}

struct UndoFault {
  const char* name;
  bool writes_only;
  std::function<void(int)> plan;
};

const UndoFault kFaults[] = {
    {"disk full", false, [](int k) { file_faults::FailOperation(k, 101); }},
    {"write of 1 byte", true, [](int k) { file_faults::ShortWrite(k, 1); }},
};

// Every byte the old or the new one; the count names only records the file holds.
void ExpectBetween(const Bytes& now, const Bytes& old_bytes, const Bytes& new_bytes) {
  const int count = static_cast<std::int16_t>(now[20] | now[21] << 8);
  ASSERT_GE(count, 0);
  ASSERT_GE(now.size(), 100u + 20u * static_cast<std::size_t>(count));
  ASSERT_GE(now.size(), std::min(old_bytes.size(), new_bytes.size()));
  ASSERT_LE(now.size(), std::max(old_bytes.size(), new_bytes.size()));
  for (std::size_t i = 0; i < now.size(); ++i) {
    const bool was_old = i < old_bytes.size() && now[i] == old_bytes[i];
    const bool is_new = i < new_bytes.size() && now[i] == new_bytes[i];
    ASSERT_TRUE(was_old || is_new || i >= std::min(old_bytes.size(), new_bytes.size()))
        << "byte " << i;
  }
}

// The operations of `action` in a world prepared by `prepare`, without faults.
std::vector<FileOperation> OperationsOf(const StepCase& c,
                                        const std::function<void(EditorWorld&)>& prepare,
                                        const std::function<void(EditorWorld&)>& action) {
  EditorWorld w(c.records);
  prepare(w);
  file_faults::Reset();
  action(w);
  std::vector<FileOperation> operations = file_faults::Operations();
  file_faults::Reset();
  return operations;
}

// Calls check(world, what the action said) for every fault at every operation of `action`.
void Sweep(const StepCase& c, const std::function<void(EditorWorld&)>& prepare,
           const std::function<void(EditorWorld&)>& action,
           const std::function<void(EditorWorld&, const std::string&)>& check) {
  const std::vector<FileOperation> operations = OperationsOf(c, prepare, action);
  ASSERT_FALSE(operations.empty());
  for (const UndoFault& fault : kFaults) {
    for (int k = 1; k <= static_cast<int>(operations.size()); ++k) {
      if (fault.writes_only && operations[k - 1] != FileOperation::Write) continue;
      SCOPED_TRACE(std::string(fault.name) + " at operation " + std::to_string(k) + " of " +
                   std::to_string(operations.size()));
      EditorWorld w(c.records);
      prepare(w);
      file_faults::Reset();
      fault.plan(k);
      const std::string message = MessageOf([&] { action(w); });
      file_faults::Reset();
      check(w, message);
      if (::testing::Test::HasFailure()) return;
    }
  }
}

class UndoFaultSweep : public ::testing::TestWithParam<StepCase> {
 protected:
  void TearDown() override { file_faults::Reset(); }
};

TEST_P(UndoFaultSweep, AFailedUndoOrRedoCompletesWhenTriedAgain) {
  const StepCase& c = GetParam();
  Bytes before, after;
  {
    EditorWorld w(c.records);
    before = w.File();
    c.Run(w);
    after = w.File();
  }
  ASSERT_NE(before, after) << "the case must write";
  for (bool undo : {true, false}) {
    SCOPED_TRACE(undo ? "undo" : "redo");
    const Bytes& from = undo ? after : before;
    const Bytes& to = undo ? before : after;
    const auto prepare = [&](EditorWorld& w) {
      c.Run(w);
      if (!undo) w.undo.Undo();
    };
    const auto apply = [&](EditorWorld& w) { undo ? w.undo.Undo() : w.undo.Redo(); };
    Sweep(c, prepare, apply, [&](EditorWorld& w, const std::string&) {
      ExpectBetween(w.File(), from, to);
      if (!c.deleted.empty()) ExpectKeptRecordsWhole(before, w.File(), c.deleted);
      ExpectAgreesWithFile(w.session);
      if (undo ? w.undo.CanRedo() : w.undo.CanUndo()) {
        EXPECT_EQ(w.File(), to) << "reported done, but not done";
        return;
      }
      apply(w);
      EXPECT_EQ(w.File(), to);
      ExpectAgreesWithFile(w.session);
    });
  }
}

TEST_P(UndoFaultSweep, ACommandStoppedByAFaultIsUndoneByteForByte) {
  const StepCase& c = GetParam();
  Bytes before;
  {
    EditorWorld w(c.records);
    before = w.File();
  }
  // The user's typing stays in the fields through a failed command.
  std::string typed;
  const auto choose = [&](EditorWorld& w) {
    if (c.choose) c.choose(w);
    typed = TypeSomeEdits(w);
  };
  Sweep(c, choose, c.command, [&](EditorWorld& w, const std::string& message) {
    if (!c.deleted.empty()) ExpectKeptRecordsWhole(before, w.File(), c.deleted);
    // A failed command leaves the values it took in memory (and Save
    // writes them next time); the count and the rows follow the file.
    ExpectCountAgreesWithFile(w.session);
    if (message != "no error") {
      EXPECT_EQ(FieldsShown(w.view), typed) << message;
    }
    while (w.undo.CanUndo()) w.undo.Undo();
    EXPECT_EQ(w.File(), before);
    ExpectCountAgreesWithFile(w.session);
  });
}

// A disk that takes no more bytes (a file size limit, in a child process):
// the Add that failed half-way is undone all the same, as taking it back
// only shortens the file and writes bytes already in place.
TEST(UndoOnAFullDisk, TheUndoOfAnAddNeedsNoNewSpace) {
  // 1: the Add did not stop where the disk filled; 2: no "Disk full";
  // 3: the Undo failed; 4: the file is not the one opened.
  EXPECT_EQ(InChild([] {
              EditorWorld w(46);  // 1,020 bytes
              const Bytes opened = w.File();
              LimitFileSize(1024);
              if (MessageOf([&] { w.session.Records().AddObject(); }) != "Disk full") return 2;
              if (w.File().size() != 1024) return 1;
              if (MessageOf([&] { w.Undo(); }) != "no error") return 3;
              return w.File() == opened ? 0 : 4;
            }),
            0);
}

// Every command that appends records, on a disk that fills during its first
// record: "Disk full", memory, rows and fields agree with what the file
// holds, and Undo gives back the file as opened.
TEST(UndoOnAFullDisk, EveryAppendStopsWholeAndIsUndone) {
  const std::vector<std::pair<const char*, std::function<void(EditorWorld&)>>> appends = {
      {"Add Object", [](EditorWorld& w) { w.session.Records().AddObject(); }},
      {"Duplicate Object", [](EditorWorld& w) { w.session.Placing().DuplicateRecord(); }},
      {"a drop", [](EditorWorld& w) { w.session.Placing().DropCatalogueEntry(1, 5.0, 6.0); }},
      {"Paste",
       [](EditorWorld& w) {
         const std::vector<TRecordBytes> records(3, PackRecord(NumberedRecords(1)[0]));
         w.session.Objects().PasteObjects(records);
       }},
      {"Array",
       [](EditorWorld& w) {
         w.session.Group().Array({5, 1.0, 0.0, 0.0});
       }},
  };
  for (const auto& [name, append] : appends) {
    SCOPED_TRACE(name);
    // 1: no "Disk full"; 2: memory or the view disagree with the file;
    // 3: the Undo failed; 4: the file is not the one opened.
    EXPECT_EQ(InChild([&append] {
                EditorWorld w(46);  // 1,020 bytes
                w.Click(3);
                const Bytes opened = w.File();
                LimitFileSize(1030);
                if (MessageOf([&] { append(w); }) != "Disk full") return 1;
                ExpectAgreesWithFile(w.session);
                if (::testing::Test::HasFailure()) return 2;
                if (MessageOf([&] { w.Undo(); }) != "no error") return 3;
                return w.File() == opened ? 0 : 4;
              }),
              0);
  }
}

// The program killed (SIGKILL) as a Delete of a group starts each of its
// file operations: every kept record still stands whole in the file.
TEST(DeleteKilled, EveryKeptRecordSurvivesAKillAtAnyOperation) {
  const std::vector<int> deleted = {1, 4};
  const auto start = [&](EditorWorld& w) {
    w.session.Placing().ChooseRecord(deleted[0]);
    w.session.Placing().ToggleInMapGroup(deleted[1]);
    file_faults::Reset();
  };
  int operations = 0;
  Bytes before;
  {
    EditorWorld w(8);
    before = w.File();
    start(w);
    w.session.Objects().DeleteObjects();
    operations = file_faults::OperationCount();
    file_faults::Reset();
  }
  ASSERT_GT(operations, 0);
  for (int k = 1; k <= operations; ++k) {
    SCOPED_TRACE("killed at operation " + std::to_string(k));
    EditorWorld w(8);
    start(w);
    EXPECT_EQ(InChild([&] {
                file_faults::KillAt(k);
                w.session.Objects().DeleteObjects();
                return 0;
              }),
              -1);
    ExpectKeptRecordsWhole(before, w.File(), deleted);
    if (::testing::Test::HasFailure()) return;
  }
}

INSTANTIATE_TEST_SUITE_P(Steps, UndoFaultSweep, ::testing::ValuesIn(Cases()),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(BackupFaultSweep, AFailedCopyNeverChangesTheWrite) {
  const StepCase save = Cases()[0];
  const auto prepare = [](EditorWorld& w) { w.SetUpBackups(); };
  Bytes opened, saved;
  {
    EditorWorld w(save.records);
    opened = w.File();
    save.Run(w);
    saved = w.File();
  }
  Sweep(
      save, prepare, [&](EditorWorld& w) { save.Run(w); },
      [&](EditorWorld& w, const std::string&) {
        if (!w.undo.CanUndo() || w.File() != saved) {
          // The fault hit the Lo file's own operations: the other sweeps see to those.
          return;
        }
        EXPECT_LE(w.host.information.size(), 1u);
        const std::vector<std::string> names =
            fs::exists(w.backups) ? NamesIn(w.backups) : std::vector<std::string>{};
        EXPECT_LE(names.size(), 1u);
        for (const std::string& name : names) {
          EXPECT_NE(name.front(), '.') << "a temporary left behind";
          EXPECT_EQ(ReadBytes(w.backups / name), opened);
        }
        EXPECT_EQ(names.empty(), w.host.information.size() == 1) << "a missing copy must be told";
      });
}

}  // namespace
