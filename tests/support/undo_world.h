#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "editor/record_editor.h"
#include "settings/profile_store.h"
#include "support/lo_files.h"
#include "support/scripted_host.h"

// The undo history as the window keeps it: a step the editor reports goes on
// top and drops what could be redone; Undo and Redo move through it.
class StepHistory {
 public:
  explicit StepHistory(RecordEditor& editor);
  void Undo();  // raises what the editor raises; the step stays then
  void Redo();
  bool CanUndo() const { return done_ > 0; }
  bool CanRedo() const { return done_ < steps_.size(); }
  const TWriteStep& Top() const { return steps_[done_ - 1]; }
  const std::vector<TWriteStep>& Steps() const { return steps_; }
  std::size_t Done() const { return done_; }

 private:
  RecordEditor& editor_;
  std::vector<TWriteStep> steps_;
  std::size_t done_ = 0;
};

// One editor with a Lo file of `records` numbered records open, its
// catalogue and settings in a folder of its own, and its history. Backups
// go to `backups` (inside the folder, or another) once SetUpBackups is
// called, which opens the file again as at `opened_at`.
struct UndoWorld {
  explicit UndoWorld(int records = 4);
  void Open();
  void Click(int row);
  void Type(TField field, const std::string& text);
  void Save() { editor.CommitRecord(TCommitTarget::SelectedRow); }
  Bytes File() const { return ReadBytes(lo); }
  void SetUpBackups(std::time_t opened_at = 1796655845);  // 2026-12-07 15:04:05 UTC

  TempDir dir;
  std::filesystem::path lo = dir / "LoUndo.dat";
  std::filesystem::path objdat = dir / "objdat";
  std::filesystem::path backups = dir / "share" / "rererarovi" / "backups";
  ruriVizid settings{dir / "zodaZa.INI"};
  ScriptedHost host;
  RecordEditor editor{settings, host};
  StepHistory history{editor};
};

// The count in memory, the rows and the record count box say what the file
// holds, and the count names only records the file holds.
void ExpectCountAgreesWithFile(const RecordEditor& editor);
// That, and also the header texts and records in memory and a clean
// record's fields.
void ExpectAgreesWithFile(const RecordEditor& editor);
