#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "datafiles/record_fields.h"
#include "editor/editor_view.h"

// One step of the undo history. Either a command that wrote the Lo file
// through the write transaction (a Save or a Move of one record, Add,
// Remove, Duplicate and catalogue drops, group moves and turns, fields set
// for a group, rows of copies, aligns and spreads, Paste,
// Delete and Cut, a restored backup), or one that wrote the names file (a
// name, an import of names): every positioned write in the order it was
// made, with the bytes it replaced and the bytes it wrote, and the file's
// length before and after.
// Or, without a write, the edits of a record the user left unsaved by
// choosing another record (taken back, they show again), or unsaved edits
// taken back by Undo (done again, they show again).
//
// A command that fails half-way is still a step: it holds every write it
// started, the failing one included, each with the bytes read just before
// it. The file then holds, at every byte of the step, either its old or its
// new byte (a write stopped part-way stores a prefix), so the step describes
// the file truthfully whatever the fault; undoing it writes every old byte
// back. For the same reason undo and redo accept, byte by byte, either the
// old or the new value as "still there": an undo stopped by a fault leaves
// such a mix, and trying it again completes it.

enum class TStepKind {
  Save,
  Move,
  Turn,
  AddObject,
  RemoveObject,
  PasteObjects,   // records appended from the clipboard
  DeleteObjects,  // records deleted or cut, the later ones moved up
  RestoreBackup,
  GroupFields,     // fields set for the group, aligned or spread
  ArrayCopies,     // rows of copies appended
  TakeDifference,  // a compared file's difference (or all of them) taken
  NameKind,        // a name written into its slot of objdat.nam
  ImportNames,     // objdat.nam replaced by the names of a text
  DroppedEdits,
  TypedEdits
};

// Which file a step wrote: the open Lo file, or the catalogue's names file.
enum class TStepFile { LoFile, Names };

// One positioned write: `width` bytes at `offset`, whose old and new bytes
// lie at `at` in the step's byte stores.
struct TStepWrite {
  std::uint32_t offset = 0;
  std::uint16_t width = 0;
  std::uint32_t at = 0;
};

// What the fields showed when the user left a record unsaved.
struct TDroppedEdits {
  int row = -1;       // the record the edits belong to; -1 for none chosen
  int next_row = -1;  // where the user went
  std::array<std::string, kFieldCount> texts;
  std::array<THighlight, kFieldCount> highlights{};
  int state_index = 0;
  THighlight state_highlight = THighlight::Normal;
};

struct TWriteStep {
  TStepKind kind = TStepKind::Save;
  // "Save of record 7", "Add Object", "edits of record 7": what the Undo and
  // Redo captions name.
  std::string description;
  // The row shown after an undo, and after a redo (-1: none), and the map's
  // group then.
  int row_before = -1;
  int row_after = -1;
  std::vector<int> group_before;
  std::vector<int> group_after;
  std::vector<TStepWrite> writes;  // in write order
  std::vector<std::uint8_t> before;
  std::vector<std::uint8_t> after;
  std::uint64_t length_before = 0;
  std::uint64_t length_after = 0;
  std::shared_ptr<const TDroppedEdits> edits;  // DroppedEdits and TypedEdits only
  TStepFile file = TStepFile::LoFile;
  // The writes cover the whole file from offset 0: it is played back by
  // replacing the file in one step, never half written.
  bool whole_file = false;

  bool WritesFile() const { return !writes.empty(); }
  // Appends one write.
  void Add(std::uint64_t offset, const std::uint8_t* old_bytes, const std::uint8_t* new_bytes,
           std::size_t width);
  // The heap and object bytes the step holds, for keeping a history small.
  std::size_t MemoryBytes() const;
};
