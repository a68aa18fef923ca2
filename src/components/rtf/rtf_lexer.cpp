#include "rtf/rtf_lexer.h"

#include <algorithm>

namespace {

constexpr qsizetype kMaxWordLength = 32;
constexpr int kMaxParamDigits = 10;

bool IsLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

int HexValue(unsigned char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

RtfToken RtfLexer::next() {
  RtfToken token;
  while (!atEnd()) {
    const unsigned char c = peek();
    ++pos_;
    if (c == '{') {
      token.kind = RtfToken::Kind::GroupOpen;
      return token;
    }
    if (c == '}') {
      token.kind = RtfToken::Kind::GroupClose;
      return token;
    }
    if (c != '\\') {
      // Plain bytes come as one run, so text costs one token per run.
      const qsizetype start = pos_ - 1;
      while (!atEnd() && peek() != '\\' && peek() != '{' && peek() != '}') ++pos_;
      token.kind = RtfToken::Kind::Text;
      token.text = bytes_.sliced(start, pos_ - start);
      return token;
    }
    if (atEnd()) break;
    const unsigned char next = peek();
    if (IsLetter(next)) {
      token = controlWord();
      if (token.word == "bin") {
        // Binary data: skip it whole, whatever bytes (braces too) it holds.
        const qsizetype length = token.has_param ? std::max(token.param, 0) : 0;
        pos_ += std::min(length, bytes_.size() - pos_);
        continue;
      }
      return token;
    }
    ++pos_;
    if (next == '\'') return hexByte();
    token.kind = RtfToken::Kind::Symbol;
    token.byte = next == '\r' ? '\n' : next;
    return token;
  }
  token.kind = RtfToken::Kind::End;
  return token;
}

RtfToken RtfLexer::controlWord() {
  RtfToken token;
  token.kind = RtfToken::Kind::Word;
  const qsizetype start = pos_;
  while (!atEnd() && IsLetter(peek())) ++pos_;
  token.word = bytes_.sliced(start, std::min(pos_ - start, kMaxWordLength));
  bool negative = false;
  if (!atEnd() && peek() == '-' && pos_ + 1 < bytes_.size() &&
      IsDigit(static_cast<unsigned char>(bytes_[pos_ + 1]))) {
    negative = true;
    ++pos_;
  }
  long long value = 0;
  int digits = 0;
  while (!atEnd() && IsDigit(peek())) {
    if (digits < kMaxParamDigits) value = value * 10 + (peek() - '0');
    ++digits;
    ++pos_;
  }
  if (digits > 0) {
    token.has_param = true;
    value = std::min(value, 2147483647LL);
    token.param = static_cast<int>(negative ? -value : value);
  }
  if (!atEnd() && peek() == ' ') ++pos_;  // the delimiting space belongs to the word
  return token;
}

RtfToken RtfLexer::hexByte() {
  RtfToken token;
  int value = 0;
  int digits = 0;
  while (digits < 2 && !atEnd() && HexValue(peek()) >= 0) {
    value = value * 16 + HexValue(peek());
    ++digits;
    ++pos_;
  }
  if (digits == 0) {
    // "\'" without digits: a symbol the reader ignores.
    token.kind = RtfToken::Kind::Symbol;
    token.byte = '\'';
    return token;
  }
  token.kind = RtfToken::Kind::Hex;
  token.byte = static_cast<unsigned char>(value);
  return token;
}
