#pragma once

#include <QByteArrayView>
#include <cstdint>
#include <string_view>

#include "rtf/byte_source.h"

// Splits RTF bytes into tokens. Never reads past the end and always moves
// forward, so damaged input ends in End rather than a crash or a loop.
struct RtfToken {
  enum class Kind { GroupOpen, GroupClose, Word, Symbol, Hex, Text, End };
  Kind kind = Kind::End;
  std::string_view word;  // a control word's letters (at most 32)
  bool has_param = false;
  int param = 0;
  unsigned char byte = 0;  // Symbol's character, Hex's value
  QByteArrayView text;     // Text's bytes: a run with no backslash or brace
};

inline constexpr qsizetype kMaxRtfWordLength = 32;

class RtfLexer {
 public:
  explicit RtfLexer(ByteSource& source) : input_(source) {}

  // The next token; its views stay valid until the next call. \binN is
  // handled here: its N data bytes are skipped. A backslash before CR or LF
  // comes back as the symbol '\n' (a paragraph). A long text may come as
  // several Text tokens in a row.
  RtfToken next();

 private:
  RtfToken controlWord();
  RtfToken hexByte();

  SourceBuffer input_;
  char word_[kMaxRtfWordLength] = {};
};
