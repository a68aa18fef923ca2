#pragma once

#include <QByteArrayView>

#include "rtf/rtf_lexer.h"

// Where decoded characters go (the current destination).
class RtfCharSink {
 public:
  virtual ~RtfCharSink() = default;
  virtual void Put(char16_t ch) = 0;
};

// Turns RTF's ways of writing a character into characters: 8-bit bytes in
// a code page (a double-byte page's lead byte waits for its trail byte),
// \uN with the fallback units that follow it, and UTF-16 surrogate pairs.
// Control characters are dropped and broken pairs become U+FFFD.
class RtfTextDecoder {
 public:
  explicit RtfTextDecoder(RtfCharSink& sink) : sink_(sink) {}

  // \uN; the next `fallback_units` units are the fallback for readers
  // without Unicode and are skipped.
  void Unicode(int value, int fallback_units);
  // Whether `token` is a fallback unit to skip. A brace ends the fallback
  // early; plain text counts its own units in SkipFallback.
  bool SkipsToken(const RtfToken& token);
  // How many leading bytes of `text` are fallback (CR and LF count none).
  qsizetype SkipFallback(QByteArrayView text);

  void Byte(unsigned char byte, int code_page);
  void Char(char16_t ch);
  // A lead byte that no trail byte followed stands for nothing readable.
  void FlushLeadByte();
  // A high surrogate that no low one followed stands for nothing readable.
  void FlushSurrogate();
  // Characters that went past the decoder, the last of them `last`.
  void Passed(char16_t last) { last_char_ = last; }

 private:
  RtfCharSink& sink_;
  int skip_units_ = 0;
  unsigned char lead_byte_ = 0;
  char16_t high_surrogate_ = 0;
  char16_t last_char_ = 0;
};
