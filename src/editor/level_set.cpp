#include "editor/level_set.h"

#include <algorithm>
#include <chrono>
#include <system_error>

#include "datafiles/lo_check.h"
#include "datafiles/lo_compare.h"
#include "datafiles/obj_catalogue.h"
#include "editor/list_filter.h"
#include "errors/app_error.h"
#include "platform/whole_file.h"

namespace {

namespace fs = std::filesystem;

// "Lo*.dat" in any letter case, as the game's files come from a
// case-insensitive file system.
bool IsLoFileName(const std::string& name) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  if (name.size() < 6) return false;
  std::string folded(name.size(), ' ');
  std::transform(name.begin(), name.end(), folded.begin(), lower);
  return folded.starts_with("lo") && folded.ends_with(".dat");
}

std::int64_t SecondsOf(fs::file_time_type time) {
  const auto system = std::chrono::file_clock::to_sys(time);
  return std::chrono::duration_cast<std::chrono::seconds>(system.time_since_epoch()).count();
}

AppError FolderProblem(const fs::path& folder, const std::error_code& error) {
  const std::string name = "The Lo files folder " + folder.string();
  if (error == std::errc::no_such_file_or_directory) return AppError(name + " is not there");
  if (error == std::errc::not_a_directory) return AppError(name + " is not a folder");
  if (error == std::errc::permission_denied) {
    return AppError(name + " cannot be read: " + InOutError::MessageFor(5));
  }
  return AppError(name + " cannot be read: " + error.message());
}

std::string TextUpToZero(std::span<const std::uint8_t> field) {
  const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
  return std::string(field.begin(), end);
}

// The rows in file name order, so a row is found by a binary search.
bool ByPath(const TLevelRow& row, const fs::path& path) { return row.file.path < path; }

}  // namespace

std::vector<TLevelFile> ListLevelFiles(const fs::path& folder) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) {
    if (!error && fs::exists(folder, error))
      error = std::make_error_code(std::errc::not_a_directory);
    if (!error) error = std::make_error_code(std::errc::no_such_file_or_directory);
    throw FolderProblem(folder, error);
  }
  std::vector<TLevelFile> files;
  fs::directory_iterator entry(folder, error);
  for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
    if (!IsLoFileName(entry->path().filename().string())) continue;
    std::error_code stat_error;
    if (!entry->is_regular_file(stat_error)) continue;  // a folder or device of that name
    const auto size = entry->file_size(stat_error);
    const auto time = entry->last_write_time(stat_error);
    // A file removed while listed, or one whose status does not read, still
    // lists: reading it says what is wrong.
    files.push_back({fs::absolute(entry->path()).lexically_normal(),
                     stat_error ? 0 : SecondsOf(time), stat_error ? 0 : size});
  }
  if (error) throw FolderProblem(folder, error);
  std::sort(files.begin(), files.end(),
            [](const TLevelFile& a, const TLevelFile& b) { return a.path < b.path; });
  return files;
}

TLevelRow ReadLevelRow(const TLevelFile& file, const TObjCatalogue* catalogue) {
  TLevelRow row;
  row.file = file;
  try {
    const std::string text = ReadWholeFile(file.path);
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    const TLoFileParts parts = SplitLoFile(bytes);
    row.name = TextUpToZero(parts.name);
    row.description = TextUpToZero(parts.description);
    row.count = static_cast<int>(parts.records.size());
    row.findings = static_cast<int>(CheckLoFile(bytes, catalogue).size());
  } catch (const std::exception& error) {
    row.problem = error.what();
    row.count = row.findings = -1;
  }
  return row;
}

void TLevelSet::SetFolder(const fs::path& folder) {
  folder_ = folder;
  listed_.clear();
  rows_.clear();
  problem_.clear();
}

std::vector<TLevelFile> TLevelSet::Rescan() {
  try {
    listed_ = ListLevelFiles(folder_);
    problem_.clear();
  } catch (const AppError& error) {
    listed_.clear();
    rows_.clear();
    problem_ = error.what();
    return {};
  }
  std::erase_if(rows_, [this](const TLevelRow& row) {
    return !std::binary_search(
        listed_.begin(), listed_.end(), row.file,
        [](const TLevelFile& a, const TLevelFile& b) { return a.path < b.path; });
  });
  std::vector<TLevelFile> to_read;
  for (const TLevelFile& file : listed_) {
    const int row = RowOf(file.path);
    if (row < 0 || rows_[static_cast<std::size_t>(row)].file != file) to_read.push_back(file);
  }
  return to_read;
}

void TLevelSet::Take(TLevelRow row) {
  const bool listed = std::any_of(listed_.begin(), listed_.end(), [&](const TLevelFile& file) {
    return file.path == row.file.path;
  });
  if (!listed) return;
  const auto at = std::lower_bound(rows_.begin(), rows_.end(), row.file.path, ByPath);
  if (at != rows_.end() && at->file.path == row.file.path) {
    *at = std::move(row);
  } else {
    rows_.insert(at, std::move(row));
  }
}

int TLevelSet::RowOf(const fs::path& file) const {
  const auto at = std::lower_bound(rows_.begin(), rows_.end(), file, ByPath);
  if (at == rows_.end() || at->file.path != file) return -1;
  return static_cast<int>(at - rows_.begin());
}

std::vector<int> LevelRowOrder(const std::vector<TLevelRow>& rows, TLevelColumn column,
                               bool descending, const std::string& find) {
  std::vector<int> order;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const TLevelRow& row = rows[i];
    if (HoldsIgnoringCase(row.FileName(), find) || HoldsIgnoringCase(row.name, find)) {
      order.push_back(static_cast<int>(i));
    }
  }
  // -1 when a goes first, 1 when b does, 0 for a tie (then file name order).
  auto compare = [&](const TLevelRow& a, const TLevelRow& b) -> int {
    auto three_way = [](const auto& x, const auto& y) { return x < y ? -1 : (y < x ? 1 : 0); };
    switch (column) {
      case TLevelColumn::File:
        return three_way(a.FileName(), b.FileName());
      case TLevelColumn::Name:
        return three_way(a.name, b.name);
      case TLevelColumn::Description:
        return three_way(a.Reads() ? a.description : a.problem,
                         b.Reads() ? b.description : b.problem);
      case TLevelColumn::Changed:
        return three_way(a.file.changed, b.file.changed);
      case TLevelColumn::Records:
        return three_way(a.count, b.count);
      case TLevelColumn::Findings:
        return three_way(a.findings, b.findings);
    }
    return 0;
  };
  const bool numeric = column == TLevelColumn::Records || column == TLevelColumn::Findings;
  std::stable_sort(order.begin(), order.end(), [&](int ia, int ib) {
    const TLevelRow& a = rows[static_cast<std::size_t>(ia)];
    const TLevelRow& b = rows[static_cast<std::size_t>(ib)];
    if (numeric && a.Reads() != b.Reads()) return a.Reads();  // unreadable rows last
    const int by_column = compare(a, b);
    if (by_column != 0) return descending ? by_column > 0 : by_column < 0;
    return a.file.path < b.file.path;
  });
  return order;
}
