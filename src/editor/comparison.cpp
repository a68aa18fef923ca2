#include "editor/comparison.h"

#include <algorithm>

#include "datafiles/lo_compare_text.h"
#include "datafiles/lo_document.h"
#include "editor/backup_restore.h"
#include "editor/editor_host.h"
#include "editor/editor_view.h"
#include "editor/list_rows.h"
#include "editor/objects.h"
#include "editor/write_transaction.h"
#include "errors/app_error.h"
#include "platform/whole_file.h"

namespace {

// The open file with one difference taken from the other file: the
// difference is read from the other file (a) to the open file (b).
TLoFileParts WithDifference(TLoFileParts parts, const TLoFileParts& other,
                            const TLoDifference& difference) {
  const auto a = static_cast<std::size_t>(difference.a);
  const auto b = static_cast<std::size_t>(difference.b);
  switch (difference.kind) {
    case TLoDifference::Kind::Header:
      switch (difference.part) {
        case THeaderPart::Name:
          parts.name = other.name;
          break;
        case THeaderPart::Description:
          parts.description = other.description;
          break;
        case THeaderPart::Reserved:
          parts.reserved = other.reserved;
          break;
        case THeaderPart::After:
          parts.after = other.after;
          break;
      }
      break;
    case TLoDifference::Kind::Order:
      return other;
    case TLoDifference::Kind::Removed:  // only in the other file: appended
      if (parts.records.size() >= static_cast<std::size_t>(kLoRecordCapacity)) {
        throw AppError(NoRoomMessage(0, "nothing was taken"));
      }
      parts.records.push_back(other.records[a]);
      break;
    case TLoDifference::Kind::Added:  // only in the open file: removed
      parts.records.erase(parts.records.begin() + static_cast<std::ptrdiff_t>(b));
      break;
    case TLoDifference::Kind::Changed:
      for (TField field : difference.fields) {
        const TFieldInfo& info = FieldInfo(field);
        std::copy_n(other.records[a].begin() + static_cast<std::ptrdiff_t>(info.offset), info.width,
                    parts.records[b].begin() + static_cast<std::ptrdiff_t>(info.offset));
      }
      break;
  }
  return parts;
}

}  // namespace

void TComparison::Start(const std::filesystem::path& other, const std::string& other_name) {
  if (!document_.IsOpen()) throw AppError("No Lo file is open to compare");
  const std::string text = ReadWholeFile(other);
  TLoFileParts other_parts = SplitLoFile(std::vector<std::uint8_t>(text.begin(), text.end()));
  open_ = SplitLoFile(document_.ReadFileBytes());
  other_ = std::move(other_parts);
  other_path_ = other;
  other_name_ = other_name.empty() ? other.filename().string() : other_name;
  open_path_ = document_.Path();
  active_ = true;
  Compare();
}

void TComparison::Refresh() {
  if (!active_) return;
  if (!document_.IsOpen() || document_.Path() != open_path_) return End();
  try {
    open_ = SplitLoFile(document_.ReadFileBytes());
  } catch (const std::exception&) {
    return End();  // the open file is shown no more; nothing to compare
  }
  Compare();
}

void TComparison::End() {
  active_ = false;
  differences_.clear();
  open_ = {};
  other_ = {};
}

void TComparison::Compare() { differences_ = CompareLoFiles(other_, open_); }

std::vector<std::string> TComparison::Lines() const {
  const TRecordNamer name = [this](const TRecordBytes& record) {
    return ContentsRowName(catalogue_, UnpackRecord(record));
  };
  std::vector<std::string> lines;
  for (const TLoDifference& difference : differences_) {
    lines.push_back(DifferenceFromHere(difference, other_, open_, other_name_, name));
  }
  return lines;
}

int TComparison::RecordOf(int difference) const {
  if (difference < 0 || difference >= static_cast<int>(differences_.size())) return -1;
  const TLoDifference& found = differences_[static_cast<std::size_t>(difference)];
  return found.kind == TLoDifference::Kind::Added || found.kind == TLoDifference::Kind::Changed
             ? found.b
             : -1;
}

void TComparison::Take(int difference) {
  if (difference < 0 || difference >= static_cast<int>(differences_.size())) {
    throw AppError(kNoItemSelected);
  }
  const TLoDifference taken = differences_[static_cast<std::size_t>(difference)];
  const TLoFileParts target = WithDifference(open_, other_, taken);
  const auto count = static_cast<int>(target.records.size());
  const int shown = view_.SelectedRow();
  int row_after = std::min(shown, count - 1);
  if (taken.kind == TLoDifference::Kind::Changed) row_after = taken.b;
  if (taken.kind == TLoDifference::Kind::Removed) row_after = count - 1;
  if (taken.kind == TLoDifference::Kind::Added) row_after = std::min(taken.b, count - 1);
  const std::vector<std::uint8_t> bytes = JoinLoFile(target);
  transaction_.Run({TStepKind::TakeDifference, "Take of a Difference", shown, row_after},
                   [&](TLoDocument& document) { WriteCopy(document, bytes, count); });
  Refresh();
}

void TComparison::TakeAll() {
  if (!active_) throw AppError(kNoItemSelected);
  const std::vector<std::uint8_t> bytes = JoinLoFile(other_);
  const auto count = static_cast<int>(other_.records.size());
  const int shown = view_.SelectedRow();
  transaction_.Run(
      {TStepKind::TakeDifference, "Take of All Differences", shown, std::min(shown, count - 1)},
      [&](TLoDocument& document) { WriteCopy(document, bytes, count); });
  Refresh();
}
