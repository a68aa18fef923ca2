#pragma once

#include <filesystem>
#include <vector>

#include "editor/backups.h"

class TEditorView;
class TLoDocument;
class TWriteRecorder;
class TWriteTransaction;

// Writes a Lo file's bytes (holding `count` records) over the open file, in
// place, and cuts it to their length: a restored copy, a compared file taken.
void WriteCopy(TLoDocument& document, const std::vector<std::uint8_t>& bytes, int count);

// The open file's backup copies: listing them and writing one back.
class TBackupRestore {
 public:
  TBackupRestore(TEditorView& view, TLoDocument& document, TWriteRecorder& recorder,
                 TWriteTransaction& transaction)
      : view_(view), document_(document), recorder_(recorder), transaction_(transaction) {}
  TBackupRestore(const TBackupRestore&) = delete;
  TBackupRestore& operator=(const TBackupRestore&) = delete;

  // Where the copies go, and the clock that names them (tests set both).
  TBackupKeeper& Keeper();
  // The open file's backup copies, newest first, each compared with the file
  // now; none without an open file. Raises InOutError when the folder cannot
  // be listed.
  std::vector<TBackupCopy> Copies();
  // Writes the copy over the open file, in place, as one step of the history:
  // the count drops first and grows last, so it never names a record the file
  // lacks, and the file is cut to the copy's length. Checks the file as Save
  // does and refuses a copy that is not a Lo file (AppError) before anything
  // is written. After a failure memory and rows take what the file holds.
  void Restore(const std::filesystem::path& copy);

 private:
  TEditorView& view_;
  TLoDocument& document_;  // read whole for the comparison; written only through the transaction
  TWriteRecorder& recorder_;
  TWriteTransaction& transaction_;
};
