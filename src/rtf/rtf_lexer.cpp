#include "rtf/rtf_lexer.h"

#include <algorithm>

namespace {

constexpr int kMaxParamDigits = 10;

bool IsLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsTextByte(unsigned char c) { return c != '\\' && c != '{' && c != '}'; }

int HexValue(unsigned char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

RtfToken RtfLexer::next() {
  RtfToken token;
  while (!input_.atEnd()) {
    const unsigned char c = input_.peek();
    if (IsTextByte(c)) {
      // Plain bytes come as one run up to the end of the piece read, so
      // text costs one token per run and is never copied.
      const qsizetype start = input_.position();
      do {
        input_.advance();
      } while (input_.inPiece() && IsTextByte(input_.peek()));
      token.kind = RtfToken::Kind::Text;
      token.text = input_.since(start);
      return token;
    }
    input_.advance();
    if (c == '{') {
      token.kind = RtfToken::Kind::GroupOpen;
      return token;
    }
    if (c == '}') {
      token.kind = RtfToken::Kind::GroupClose;
      return token;
    }
    if (input_.atEnd()) break;  // a backslash as the last byte
    const unsigned char next = input_.peek();
    if (IsLetter(next)) {
      token = controlWord();
      if (token.word == "bin") {
        // Binary data: skip it whole, whatever bytes (braces too) it holds.
        input_.skip(token.has_param ? std::max(token.param, 0) : 0);
        continue;
      }
      return token;
    }
    input_.advance();
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
  // Letters past the 32nd are read and dropped: no word we know is longer.
  qsizetype length = 0;
  while (!input_.atEnd() && IsLetter(input_.peek())) {
    if (length < kMaxRtfWordLength) word_[length++] = static_cast<char>(input_.peek());
    input_.advance();
  }
  token.word = std::string_view(word_, static_cast<std::size_t>(length));
  bool negative = false;
  if (input_.has(2) && input_.peek() == '-' && IsDigit(input_.at(1))) {
    negative = true;
    input_.advance();
  }
  long long value = 0;
  int digits = 0;
  while (!input_.atEnd() && IsDigit(input_.peek())) {
    if (digits < kMaxParamDigits) value = value * 10 + (input_.peek() - '0');
    ++digits;
    input_.advance();
  }
  if (digits > 0) {
    token.has_param = true;
    value = std::min(value, 2147483647LL);
    token.param = static_cast<int>(negative ? -value : value);
  }
  if (!input_.atEnd() && input_.peek() == ' ')
    input_.advance();  // the delimiting space belongs to the word
  return token;
}

RtfToken RtfLexer::hexByte() {
  RtfToken token;
  int value = 0;
  int digits = 0;
  while (digits < 2 && !input_.atEnd() && HexValue(input_.peek()) >= 0) {
    value = value * 16 + HexValue(input_.peek());
    ++digits;
    input_.advance();
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
