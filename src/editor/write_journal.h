#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "datafiles/lo_document.h"
#include "editor/backups.h"
#include "editor/write_step.h"

// What the document tells of its writes, kept as one step while a command
// runs: every positioned write with the bytes it replaced (read just before
// it) and the bytes it wrote, and the file's length after. Before the first
// write it has the backup keeper make its copy of the file as it was
// opened; a copy that cannot be made is told and never stops a write.
class TWriteJournal : public TWriteObserver {
 public:
  using Notice = std::function<void(const std::string&)>;

  // Makes the copy before the first write; the text to tell when none could be made.
  using Backup = std::function<std::optional<std::string>()>;

  TWriteJournal(TBackupKeeper& backups, Notice notice)
      : backup_([&backups] { return backups.BeforeWrite(); }), notice_(std::move(notice)) {}
  TWriteJournal(Backup backup, Notice notice)
      : backup_(std::move(backup)), notice_(std::move(notice)) {}

  // A command starts writing a file of `length` bytes.
  void Start(std::uint64_t length);
  // The writes since Start, as a step (none when nothing was written).
  TWriteStep Take();

  void BeforeWrite(std::uint64_t offset, std::span<const std::uint8_t> before,
                   std::span<const std::uint8_t> after) override;
  void BeforeShortening(std::uint64_t length) override;

 private:
  Backup backup_;
  Notice notice_;
  TWriteStep step_;
  bool wrote_ = false;
};
