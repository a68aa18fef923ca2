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
// once, each take one step of the history. The differences are those from
// the other file ("A") to the open file ("B"): a difference's `a` is a
// record of the other file, its `b` one of the open file. They are worded
// from the open file's side, as Take brings the other file's part here.
class TComparison {
 public:
  TComparison(TEditorView& view, TLoDocument& document, const TObjCatalogue& catalogue,
              TWriteTransaction& transaction)
      : view_(view), document_(document), catalogue_(catalogue), transaction_(transaction) {}
  TComparison(const TComparison&) = delete;
  TComparison& operator=(const TComparison&) = delete;

  // Compares the open file with `other`, named in the differences by
  // `other_name` ("the backup of 10:42"; its file name when empty). Raises
  // with the editor's messages when no file is open or either file does not
  // read (nothing then changes).
  void Start(const std::filesystem::path& other, const std::string& other_name = {});
  // Compares again with the open file as it is now (after every command).
  // Another file opened, or the open file unreadable, ends the comparison.
  void Refresh();
  void End();
  bool Active() const { return active_; }
  const std::filesystem::path& Other() const { return other_path_; }
  const std::string& OtherName() const { return other_name_; }
  const TLoFileParts& OpenParts() const { return open_; }
  const TLoFileParts& OtherParts() const { return other_; }
  const std::vector<TLoDifference>& Differences() const { return differences_; }
  // One line per difference, from the open file's side ("only here: Rock
  // Pile (take: remove it)"), the objects named from the catalogue.
  std::vector<std::string> Lines() const;
  // The open file's record a difference is about; -1 for a removed record
  // or a header difference.
  int RecordOf(int difference) const;
  // Brings the other file's value, record or removal into the open file as
  // one step ("Take This Difference"): a record only the other file has is
  // appended, one only the open file has goes; taking the order takes the
  // whole other file. Raises AppError for an index out of range, or before
  // any write when a record to append finds the file full.
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
  std::string other_name_;
  TLoFileParts open_;
  TLoFileParts other_;
  std::vector<TLoDifference> differences_;
};
