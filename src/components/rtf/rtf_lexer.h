#pragma once

#include <QByteArrayView>
#include <cstdint>

// Splits RTF bytes into tokens. Never reads past the end and always moves
// forward, so damaged input ends in End rather than a crash or a loop.
struct RtfToken {
  enum class Kind { GroupOpen, GroupClose, Word, Symbol, Hex, Text, End };
  Kind kind = Kind::End;
  QByteArrayView word;  // a control word's letters (at most 32)
  bool has_param = false;
  int param = 0;
  unsigned char byte = 0;  // Symbol's character, Hex's value
  QByteArrayView text;     // Text's bytes: a run with no backslash or brace
};

class RtfLexer {
 public:
  explicit RtfLexer(QByteArrayView bytes) : bytes_(bytes) {}

  // The next token. \binN is handled here: its N data bytes are skipped.
  // A backslash before CR or LF comes back as the symbol '\n' (a paragraph).
  RtfToken next();

  qsizetype position() const { return pos_; }

 private:
  bool atEnd() const { return pos_ >= bytes_.size(); }
  unsigned char peek() const { return static_cast<unsigned char>(bytes_[pos_]); }
  RtfToken controlWord();
  RtfToken hexByte();

  QByteArrayView bytes_;
  qsizetype pos_ = 0;
};
