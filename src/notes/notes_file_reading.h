#pragma once

#include <QDeadlineTimer>
#include <filesystem>
#include <memory>

class QFont;
class QTextDocument;
class TextReading;

// The notes file read into a new document of its own, at once or in steps
// between user events. Failures raise AppError with the notes' messages
// (NotesLoadError): "Cannot open file %s" when opening, "Failed to Load
// Stream" when reading.
class NotesFileReading {
 public:
  // Opens the file. The document starts with `default_font`.
  NotesFileReading(const std::filesystem::path& path, const QFont& default_font);
  ~NotesFileReading();
  NotesFileReading(const NotesFileReading&) = delete;
  NotesFileReading& operator=(const NotesFileReading&) = delete;

  // True for a note large enough to be read in steps between user events,
  // so that the program goes on answering; a smaller one is read at once.
  bool WorthSteps() const { return worth_steps_; }
  // Reads on until the whole file is in (true; the file is then closed) or
  // the deadline has passed.
  bool ReadUntil(const QDeadlineTimer& deadline);
  // The document read; only once ReadUntil has returned true. It has no parent.
  QTextDocument* TakeDocument();

 private:
  class Source;

  std::filesystem::path path_;
  bool worth_steps_ = false;
  std::unique_ptr<QTextDocument> document_;
  std::unique_ptr<Source> source_;
  std::unique_ptr<TextReading> reading_;
};
