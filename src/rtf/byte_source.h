#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Where a reader takes a file's bytes from, a piece at a time, so that a
// large note is never held whole beside the document it becomes.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Copies up to `size` of the next bytes into `buffer`; 0 at the end.
  virtual qsizetype read(char* buffer, qsizetype size) = 0;
  // Starts again from the first byte.
  virtual void rewind() = 0;
};

// Bytes already in memory.
class MemorySource : public ByteSource {
 public:
  explicit MemorySource(QByteArrayView bytes) : bytes_(bytes) {}
  qsizetype read(char* buffer, qsizetype size) override;
  void rewind() override { position_ = 0; }

 private:
  QByteArrayView bytes_;
  qsizetype position_ = 0;
};

// Bytes from a source in pieces of a fixed size; what a piece holds stays
// valid until the next refill. Shared by the RTF lexer and the plain-text
// reader.
class SourceBuffer {
 public:
  explicit SourceBuffer(ByteSource& source);

  // True when no byte is left before the end; reads the next piece when
  // this one is used up.
  bool atEnd() { return position_ >= bytes_.size() && !refill(); }
  // True while the current piece has bytes left; reads nothing.
  bool inPiece() const { return position_ < bytes_.size(); }
  // True when at least `count` bytes are there from the current one on.
  bool has(qsizetype count);
  unsigned char peek() const { return static_cast<unsigned char>(bytes_[position_]); }
  unsigned char at(qsizetype ahead) const {
    return static_cast<unsigned char>(bytes_[position_ + ahead]);
  }
  void advance(qsizetype count = 1) { position_ += count; }
  qsizetype position() const { return position_; }
  // Bytes from `from` (a position in the current piece, taken with no
  // refill since) to the current one.
  QByteArrayView since(qsizetype from) const {
    return QByteArrayView(bytes_).sliced(from, position_ - from);
  }
  // Skips `count` bytes, reading past as many pieces as that takes.
  void skip(qsizetype count);

 private:
  // Drops the bytes before the current one and appends the next piece.
  // False at the end of the source.
  bool refill();

  ByteSource& source_;
  QByteArray bytes_;
  qsizetype position_ = 0;
};
