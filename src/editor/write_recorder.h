#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "editor/backups.h"
#include "editor/write_journal.h"
#include "editor/write_step.h"

class TLoDocument;
class TNamesFile;

// Who hears of the open file's steps: the undo history.
class TStepListener {
 public:
  virtual ~TStepListener() = default;
  // A command wrote the file (also one that failed after its first write),
  // or the user left edits unsaved for another record.
  virtual void StepMade(TWriteStep step) = 0;
  // Another file was opened, or none is open after a failed open: the steps
  // made so far belong to a file that is gone.
  virtual void FileChanged() = 0;
};

// Runs a command's writes to the Lo document and records them as one step
// (the journal keeps them) for the listener, the undo history.
class TWriteRecorder {
 public:
  using Notice = TWriteJournal::Notice;

  // `notice` tells the user why no backup copy could be made.
  TWriteRecorder(TLoDocument& document, TNamesFile& names, Notice notice);
  TWriteRecorder(const TWriteRecorder&) = delete;
  TWriteRecorder& operator=(const TWriteRecorder&) = delete;

  void SetListener(TStepListener* listener) { listener_ = listener; }
  TBackupKeeper& Backups() { return backups_; }

  // Runs `command`, recording each write of the document (and a cut of the
  // file: the step's length after), having read the file's length first.
  // When it wrote anything, `describe` names the step and the listener
  // receives it; also when the command raises (after its writes), which then
  // goes on up. `leading` (edits the command's fields replace) goes to the
  // listener just before, and only when the command did not raise. Only the
  // write transaction runs commands. `file` says which file the command
  // writes; the names file is copied to the backups folder before its first
  // write in a run.
  void Run(const std::function<void()>& command, const std::function<void(TWriteStep&)>& describe,
           TStepFile file = TStepFile::LoFile, std::optional<TWriteStep> leading = std::nullopt);
  // A step that wrote nothing (edits left unsaved), straight to the listener.
  void Report(TWriteStep step);
  // The document now holds another file (read whole) or none: the backup
  // keeper keeps the opened bytes, the listener drops its steps.
  void Opened();
  void Closed();
  bool HasListener() const { return listener_ != nullptr; }

 private:
  void Finish(const std::function<void(TWriteStep&)>& describe, TStepFile file);

  TLoDocument& document_;
  TNamesFile& names_;
  TBackupKeeper backups_;
  TWriteJournal journal_;
  TWriteJournal names_journal_;
  TStepListener* listener_ = nullptr;
};
