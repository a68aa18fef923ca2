#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "datafiles/lo_text_error.h"
#include "datafiles/record_fields.h"

// The value forms of the exact text, one line or one value at a time (used by
// lo_text.cpp). Every reader raises LoTextError with the line number given.

namespace lo_text {

// `text` in single quotes for a message: cut short, control bytes as \xHH.
std::string Shown(std::string_view text);

// Blanks between items: spaces and tabs.
bool IsBlank(char c);
std::string_view TrimBlanks(std::string_view text);

// "Key:" at the line's start: the rest of the line after it, else nothing.
std::optional<std::string_view> AfterKey(std::string_view line, std::string_view key);

// The shortest decimal that reads back to the same bits; "0x7FC00001" for a NaN.
std::string FloatText(std::uint32_t bits);
std::uint32_t ReadFloatBits(std::string_view text, std::string_view key, int line);

// A quoted field text (see lo_text.h), and back: at most `width` bytes,
// padded with zeros.
std::string QuotedText(std::span<const std::uint8_t> field);
std::vector<std::uint8_t> ReadQuotedText(std::string_view text, std::size_t width,
                                         std::string_view key, int line);

// Bytes in hexadecimal pairs separated by single spaces ("A0 01"), and back.
std::string HexBytes(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> ReadHexBytes(std::string_view text, int line);

// A decimal number of 0 to `max`.
std::uint32_t ReadNumber(std::string_view text, std::uint32_t max, std::string_view what, int line);

// The record line of the exact form, without its "\n".
std::string ExactRecordLine(const TRecordBytes& record);
// A line that starts with "Record:" in the exact form; nothing for another line.
std::optional<TRecordBytes> ReadExactRecordLine(std::string_view line, int line_number);
// A line of lodump's plain form; nothing for a line that does not start like one.
std::optional<TRecordBytes> ReadPlainRecordLine(std::string_view line, int line_number);

// The text's lines, numbered from 1, without "\n" and a "\r" ending them.
// Blank lines and lines that start with "#" are left out.
struct TTextLine {
  int number;
  std::string_view text;
};
std::vector<TTextLine> MeaningfulLines(std::string_view text);
// The number of the text's last line (1 for an empty text).
int LastLineNumber(std::string_view text);

}  // namespace lo_text
