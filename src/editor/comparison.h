#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "datafiles/lo_compare.h"

class TEditorView;
class TLoDocument;
class TObjCatalogue;
class TWriteTransaction;

// The open file compared with another Lo file (a copy passed around, a
// backup): its differences, listed and taken over one at a time or all at
// once, each take one step of the history. The open file is "A", the other
// file "B": a difference's `a` is a record of the open file.
class TComparison {
 public:
  TComparison(TEditorView& view, TLoDocument& document, const TObjCatalogue& catalogue,
              TWriteTransaction& transaction)
      : view_(view), document_(document), catalogue_(catalogue), transaction_(transaction) {}
  TComparison(const TComparison&) = delete;
  TComparison& operator=(const TComparison&) = delete;

  // Compares the open file with `other`. Raises with the editor's messages
  // when no file is open or either file does not read (nothing then changes).
  void Start(const std::filesystem::path& other);
  // Compares again with the open file as it is now (after every command).
  // Another file opened, or the open file unreadable, ends the comparison.
  void Refresh();
  void End();
  bool Active() const { return active_; }
  const std::filesystem::path& Other() const { return other_path_; }
  const TLoFileParts& OpenParts() const { return open_; }
  const TLoFileParts& OtherParts() const { return other_; }
  const std::vector<TLoDifference>& Differences() const { return differences_; }
  // One line per difference, the objects named from the catalogue.
  std::vector<std::string> Lines() const;
  // The open file's record a difference is about; -1 for a removed record
  // or a header difference.
  int RecordOf(int difference) const;
  // Brings the other file's value, record or removal into the open file as
  // one step ("Take This Difference"): a removed record comes back at the
  // end, an added one goes; taking the order takes the whole other file.
  // Raises AppError for an index out of range or a full file.
  void Take(int difference);
  // Makes the open file byte for byte the other file, as one step.
  void TakeAll();

 private:
  void Compare();
  std::vector<std::uint8_t> OtherBytes() const;

  TEditorView& view_;
  TLoDocument& document_;  // read whole for the comparison; written only through the transaction
  const TObjCatalogue& catalogue_;
  TWriteTransaction& transaction_;
  bool active_ = false;
  std::filesystem::path open_path_;
  std::filesystem::path other_path_;
  TLoFileParts open_;
  TLoFileParts other_;
  std::vector<TLoDifference> differences_;
};
