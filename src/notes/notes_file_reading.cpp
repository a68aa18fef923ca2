#include "notes/notes_file_reading.h"

#include <QFont>
#include <QTextDocument>
#include <cstdint>
#include <system_error>

#include "notes/notes_messages.h"
#include "platform/whole_file.h"
#include "rtf/byte_source.h"
#include "rtf/rich_or_plain.h"

namespace {

// Notes from this size on are read in steps.
constexpr std::uintmax_t kReadInSteps = 2u << 20;

}  // namespace

// The notes file, a piece at a time, for the text readers.
class NotesFileReading::Source : public ByteSource {
 public:
  explicit Source(const std::filesystem::path& path) : file_(path) {}
  qsizetype read(char* buffer, qsizetype size) override {
    return static_cast<qsizetype>(file_.Read(buffer, static_cast<std::size_t>(size)));
  }
  void rewind() override { file_.Rewind(); }
  void close() { file_.Close(); }

 private:
  FileReader file_;
};

NotesFileReading::NotesFileReading(const std::filesystem::path& path, const QFont& default_font)
    : path_(path), document_(std::make_unique<QTextDocument>()) {
  document_->setDefaultFont(default_font);
  std::error_code unknown;
  const std::uintmax_t size = std::filesystem::file_size(path, unknown);
  worth_steps_ = !unknown && size >= kReadInSteps;
  try {
    source_ = std::make_unique<Source>(path);
    reading_ = std::make_unique<TextReading>(*source_, *document_);
  } catch (const WholeFileError& error) {
    throw NotesLoadError(error, path_);
  }
}

NotesFileReading::~NotesFileReading() = default;

bool NotesFileReading::ReadUntil(const QDeadlineTimer& deadline) {
  try {
    if (!reading_->readUntil(deadline)) return false;
    source_->close();
  } catch (const WholeFileError& error) {
    throw NotesLoadError(error, path_);
  }
  return true;
}

QTextDocument* NotesFileReading::TakeDocument() {
  reading_.reset();  // gives the document its undo back
  document_->setModified(false);
  return document_.release();
}
