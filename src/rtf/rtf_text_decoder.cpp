#include "rtf/rtf_text_decoder.h"

#include <QChar>

#include "rtf/code_pages.h"

void RtfTextDecoder::Unicode(int value, int fallback_units) {
  skip_units_ = fallback_units;
  if (value < -32768 || value > 65535) return Char(u'\uFFFD');
  const auto unit = static_cast<char16_t>(value < 0 ? value + 65536 : value);
  if (QChar::isHighSurrogate(unit)) {
    FlushSurrogate();
    high_surrogate_ = unit;
  } else if (QChar::isLowSurrogate(unit) && high_surrogate_ != 0) {
    const char16_t high = high_surrogate_;
    high_surrogate_ = 0;
    Char(high);
    Char(unit);
  } else {
    Char(unit);
  }
}

bool RtfTextDecoder::SkipsToken(const RtfToken& token) {
  using Kind = RtfToken::Kind;
  if (skip_units_ == 0 || token.kind == Kind::Text) return false;
  if (token.kind == Kind::GroupOpen || token.kind == Kind::GroupClose) {
    skip_units_ = 0;
    return false;
  }
  --skip_units_;
  return true;
}

qsizetype RtfTextDecoder::SkipFallback(QByteArrayView text) {
  qsizetype at = 0;
  for (; at < text.size() && skip_units_ > 0; ++at) {
    if (text[at] != '\r' && text[at] != '\n') --skip_units_;
  }
  return at;
}

void RtfTextDecoder::Byte(unsigned char byte, int code_page) {
  if (lead_byte_ != 0) {
    const unsigned char lead = lead_byte_;
    lead_byte_ = 0;
    return Char(DecodePair(code_page, lead, byte));
  }
  if (IsLeadByte(code_page, byte)) {
    lead_byte_ = byte;
    return;
  }
  Char(DecodeByte(code_page, byte));
}

void RtfTextDecoder::Char(char16_t ch) {
  // Control characters, however escaped, are no text (the tab is \tab);
  // the document keeps U+FDD0 and U+FDD1 for frames of its own.
  if ((ch < 0x20 && ch != u'\t') || ch == 0x7F) return;
  if (ch == 0xFDD0 || ch == 0xFDD1) ch = u'\uFFFD';
  if (high_surrogate_ != 0 && !QChar::isLowSurrogate(ch)) FlushSurrogate();
  if (QChar::isLowSurrogate(ch) && !QChar::isHighSurrogate(last_char_)) ch = u'\uFFFD';
  last_char_ = ch;
  sink_.Put(ch);
}

void RtfTextDecoder::FlushLeadByte() {
  if (lead_byte_ == 0) return;
  lead_byte_ = 0;
  Char(u'\uFFFD');
}

void RtfTextDecoder::FlushSurrogate() {
  if (high_surrogate_ == 0) return;
  high_surrogate_ = 0;
  Char(u'\uFFFD');
}
