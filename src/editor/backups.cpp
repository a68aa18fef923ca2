#include "editor/backups.h"

#include <algorithm>
#include <cstdlib>

#include "datafiles/lo_file_bytes.h"
#include "errors/app_error.h"
#include "platform/private_files.h"
#include "platform/program_folder.h"
#include "platform/temporary_file.h"
#include "platform/whole_file.h"

namespace {

constexpr std::size_t kStampLength = 19;  // 2026-12-07T15-04-05
// Two opens of one file in the same second: the later copy gets "-2", "-3", ...
constexpr int kMaxSameSecondCopies = 100;

struct CopyName {
  std::string name;
  std::string stamp;
  int number = 1;
  bool operator<(const CopyName& other) const {
    return stamp != other.stamp ? stamp < other.stamp : number < other.number;
  }
};

bool IsStamp(const std::string& text) {
  static constexpr char kPattern[] = "dddd-dd-ddTdd-dd-dd";
  if (text.size() != kStampLength) return false;
  for (std::size_t i = 0; i < kStampLength; ++i) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (kPattern[i] == 'd' ? !digit : text[i] != kPattern[i]) return false;
  }
  return true;
}

// "<file name>.<stamp>" or "<file name>.<stamp>-<n>"; nothing for other names.
std::optional<CopyName> ParseCopyName(const std::string& name, const std::string& file_name) {
  const std::string prefix = file_name + ".";
  if (!name.starts_with(prefix)) return std::nullopt;
  const std::string rest = name.substr(prefix.size());
  CopyName copy{name, rest.substr(0, kStampLength)};
  if (!IsStamp(copy.stamp)) return std::nullopt;
  if (rest.size() > kStampLength) {
    const std::string number = rest.substr(kStampLength + 1);
    if (rest[kStampLength] != '-' || number.empty() || number.size() > 3 ||
        number.find_first_not_of("0123456789") != std::string::npos) {
      return std::nullopt;
    }
    copy.number = std::atoi(number.c_str());
  }
  return copy;
}

std::vector<CopyName> CopiesIn(const std::vector<TFolderFile>& files,
                               const std::string& file_name) {
  std::vector<CopyName> copies;
  for (const TFolderFile& file : files) {
    if (auto copy = ParseCopyName(file.name, file_name)) copies.push_back(*copy);
  }
  std::sort(copies.begin(), copies.end());
  return copies;
}

std::string NoCopyMessage(const std::filesystem::path& file, const std::filesystem::path& folder,
                          const std::string& reason) {
  return "No backup copy of " + file.filename().string() + " could be made in " + folder.string() +
         " (" + reason + "); editing goes on without one.";
}

}  // namespace

std::filesystem::path BackupFolderFromEnvironment() {
  const std::filesystem::path data = UserDataFolder();
  return data.empty() ? data : data / "backups";
}

std::string BackupCopyName(const TBackupCopy& copy) {
  constexpr std::size_t kHourAt = 11, kHourAndMinute = 5;  // "2026-12-07 15:04:05"
  if (copy.time_text.size() < kHourAt + kHourAndMinute) return copy.path.filename().string();
  return "the backup of " + copy.time_text.substr(kHourAt, kHourAndMinute);
}

int DifferingRecords(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
  const int count_a = CountInFile(a).held, count_b = CountInFile(b).held;
  int differing = 0;
  for (int i = 0; i < std::max(count_a, count_b); ++i) {
    differing += i >= count_a || i >= count_b || RecordBytesAt(a, i) != RecordBytesAt(b, i);
  }
  return differing;
}

void TBackupKeeper::Opened(const std::filesystem::path& file, std::vector<std::uint8_t> bytes) {
  file_ = file;
  opened_at_ = clock_();
  bytes_ = std::move(bytes);
  unread_reason_.reset();
}

void TBackupKeeper::OpenedUnread(const std::filesystem::path& file, const std::string& reason) {
  Opened(file, {});
  unread_reason_ = reason;
}

std::optional<std::string> TBackupKeeper::BeforeWrite() {
  if (folder_.empty() || file_.empty() || done_.count(file_) != 0) return std::nullopt;
  done_.insert(file_);
  if (unread_reason_) return NoCopyMessage(file_, folder_, *unread_reason_);
  try {
    MakeCopy(file_, opened_at_, bytes_);
  } catch (const std::exception& error) {
    return NoCopyMessage(file_, folder_, error.what());
  }
  return std::nullopt;
}

std::optional<std::string> TBackupKeeper::BeforeWriteTo(const std::filesystem::path& file) {
  if (folder_.empty() || done_.count(file) != 0) return std::nullopt;
  done_.insert(file);
  try {
    const std::string bytes = ReadWholeFile(file);
    MakeCopy(file, clock_(), std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  } catch (const std::exception& error) {
    return NoCopyMessage(file, folder_, error.what());
  }
  return std::nullopt;
}

void TBackupKeeper::MakeCopy(const std::filesystem::path& file, std::time_t time,
                             const std::vector<std::uint8_t>& bytes) {
  MakePrivateFolders(folder_);
  const std::string file_name = file.filename().string();
  RemoveStaleTemporaries(folder_ / file_name);
  const std::string base = file_name + "." + LocalTimeStamp(time);
  for (int n = 1;; ++n) {
    const std::string name = n == 1 ? base : base + "-" + std::to_string(n);
    if (WriteNewFile(folder_ / name, bytes)) break;
    if (n == kMaxSameSecondCopies) throw InOutError::Unlisted(EEXIST);
  }
  // The copy is made; the oldest ones go as far as the folder lets them.
  try {
    std::vector<CopyName> copies = CopiesIn(RegularFilesIn(folder_), file_name);
    for (std::size_t i = 0; i + kKeptCopies < copies.size(); ++i) {
      RemoveFile(folder_ / copies[i].name);
    }
  } catch (const AppError&) {
  }
}

std::vector<TBackupCopy> TBackupKeeper::Copies(const std::vector<std::uint8_t>& now) const {
  std::vector<TBackupCopy> result;
  if (folder_.empty() || file_.empty()) return result;
  std::vector<TFolderFile> files;
  try {
    files = RegularFilesIn(folder_);
  } catch (const InOutError& error) {
    if (error.Is(2) || error.Is(3)) return result;
    throw;
  }
  const std::vector<CopyName> copies = CopiesIn(files, file_.filename().string());
  for (auto copy = copies.rbegin(); copy != copies.rend(); ++copy) {
    TBackupCopy listed;
    listed.path = folder_ / copy->name;
    listed.time_text = copy->stamp;
    listed.time_text[10] = ' ';
    listed.time_text[13] = listed.time_text[16] = ':';
    if (copy->number > 1) listed.time_text += " (" + std::to_string(copy->number) + ")";
    const std::string bytes = ReadWholeFile(listed.path);
    listed.size = bytes.size();
    listed.differing_records =
        DifferingRecords(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), now);
    result.push_back(std::move(listed));
  }
  return result;
}
