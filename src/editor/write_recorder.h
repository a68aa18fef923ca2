#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "datafiles/lo_document.h"
#include "editor/backups.h"
#include "editor/write_step.h"

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

// Runs a command's writes to the Lo document and records them as one step:
// every positioned write with the bytes it replaced (read just before it)
// and the bytes it wrote, and the file's length before and after. Before
// the first write of a run, the backup keeper makes its copy of the file as
// it was opened; a copy that cannot be made is told and never stops a write.
class TWriteRecorder : private TWriteObserver {
 public:
  using Notice = std::function<void(const std::string&)>;

  TWriteRecorder(TLoDocument& document, Notice notice);
  TWriteRecorder(const TWriteRecorder&) = delete;
  TWriteRecorder& operator=(const TWriteRecorder&) = delete;

  void SetListener(TStepListener* listener) { listener_ = listener; }
  TBackupKeeper& Backups() { return backups_; }

  // Runs `command`, recording each write of the document (and a cut of the
  // file: the step's length after). When it wrote anything, `describe`
  // names the step and the listener receives it; also when the command
  // raises (after its writes), which then goes on up. Only the write
  // transaction runs commands.
  void Run(const std::function<void()>& command, const std::function<void(TWriteStep&)>& describe);
  // Whether the last run wrote (or tried to write) the file.
  bool Wrote() const { return wrote_; }
  // A step that wrote nothing (edits left unsaved), straight to the listener.
  void Report(TWriteStep step);
  // The document now holds another file (read whole) or none: the backup
  // keeper keeps the opened bytes, the listener drops its steps.
  void Opened();
  void Closed();
  bool HasListener() const { return listener_ != nullptr; }

 private:
  void BeforeWrite(std::uint64_t offset, std::span<const std::uint8_t> before,
                   std::span<const std::uint8_t> after) override;
  void BeforeShortening(std::uint64_t length) override;
  void Finish(const std::function<void(TWriteStep&)>& describe);

  TLoDocument& document_;
  Notice notice_;
  TBackupKeeper backups_;
  TStepListener* listener_ = nullptr;
  std::optional<TWriteStep> recording_;
  bool wrote_ = false;
};
