#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class TObjCatalogue;

// The level set: every Lo file of the Lo folder, one row each, read one file
// at a time so that a window can read them off its own thread and show the
// rows as they come. Nothing here is shared between threads: a reader gets
// the files to read and its own catalogue, and hands rows back.

// A Lo file as the folder lists it; a file whose size or time changed is
// read again.
struct TLevelFile {
  std::filesystem::path path;
  std::int64_t changed = 0;  // last change, seconds since 1970 (UTC)
  std::uintmax_t size = 0;

  bool operator==(const TLevelFile&) const = default;
};

// One row of the level set. A file that does not read has its message in
// `problem` and nothing else but its name and time.
struct TLevelRow {
  TLevelFile file;
  std::string name;  // the header's texts, 8-bit as in the file
  std::string description;
  int count = -1;     // records; -1 when the file does not read
  int findings = -1;  // what Check File finds; -1 when the file does not read
  std::string problem;

  bool Reads() const { return problem.empty(); }
  std::string FileName() const { return file.path.filename().string(); }
};

// The Lo files of `folder` (names matching "Lo*.dat" in any letter case, as
// the open dialog's "Lo Files" filter does), in name order. A folder that is
// not there, is no folder or cannot be listed raises AppError naming it.
std::vector<TLevelFile> ListLevelFiles(const std::filesystem::path& folder);

// Reads one Lo file whole and checks it as "Check File" does (against
// `catalogue` when given). Never raises: a file that does not read gives a
// row with the editor's message for it.
TLevelRow ReadLevelRow(const TLevelFile& file, const TObjCatalogue* catalogue);

// The rows of one folder, kept in step with it: Rescan lists the folder
// again and says which files are new or changed since they were read; the
// reader's rows come back through Take.
class TLevelSet {
 public:
  const std::filesystem::path& Folder() const { return folder_; }
  // Another folder: every row goes.
  void SetFolder(const std::filesystem::path& folder);
  // Lists the folder again: rows of files that are gone are dropped, and the
  // files to read (new, or changed in size or time) are returned. When the
  // folder cannot be listed, every row goes, Problem() says why and nothing
  // is to be read.
  std::vector<TLevelFile> Rescan();
  // The files the last Rescan listed (to read them all again when the
  // catalogue changed).
  const std::vector<TLevelFile>& Listed() const { return listed_; }
  // A file's row, read: added, or put in place of the file's old row. A row
  // of a file no longer listed is dropped.
  void Take(TLevelRow row);
  // In file name order.
  const std::vector<TLevelRow>& Rows() const { return rows_; }
  // The row of `file`, or -1.
  int RowOf(const std::filesystem::path& file) const;
  // Why the folder does not list; empty when it does.
  const std::string& Problem() const { return problem_; }

 private:
  std::filesystem::path folder_;
  std::vector<TLevelFile> listed_;  // as the last Rescan found them
  std::vector<TLevelRow> rows_;
  std::string problem_;
};

// The columns of the level set, in the window's order.
enum class TLevelColumn { File, Name, Records, Description, Changed, Findings };
inline constexpr int kLevelColumnCount = 6;

// Which rows show, in which order: those whose file name or header name
// holds `find` in any letter case (all for an empty find), sorted by
// `column` (rows that do not read after the others when sorting by a number;
// ties in file name order).
std::vector<int> LevelRowOrder(const std::vector<TLevelRow>& rows, TLevelColumn column,
                               bool descending, const std::string& find);
