#include "datafiles/lo_text_fields.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>

#include "datafiles/little_endian.h"

namespace lo_text {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr std::string_view kRecordKey = "Record";
// Shown in messages: enough of a line to find it, never a control byte.
constexpr std::size_t kShownLength = 32;

bool IsPrintable(std::uint8_t byte) { return byte >= 0x20 && byte <= 0x7E; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void AppendHexByte(std::string& out, std::uint8_t byte) {
  out += kHexDigits[byte >> 4];
  out += kHexDigits[byte & 0x0F];
}

// Two hex digits at `at`, or -1.
int HexByteAt(std::string_view text, std::size_t at) {
  if (at + 2 > text.size()) return -1;
  const int high = HexValue(text[at]), low = HexValue(text[at + 1]);
  return high < 0 || low < 0 ? -1 : high * 16 + low;
}

std::string ByteName(std::uint8_t byte) {
  std::string name = "0x";
  AppendHexByte(name, byte);
  return name;
}

// The line's items: runs of non-blank characters.
std::vector<std::string_view> Items(std::string_view text) {
  std::vector<std::string_view> items;
  std::size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    const std::size_t start = at;
    while (at < text.size() && !IsBlank(text[at])) ++at;
    if (at > start) items.push_back(text.substr(start, at - start));
  }
  return items;
}

// A decimal float as from_chars reads it (nearest single, never the locale).
// `allow_nan`: lodump's plain "NAN" is taken as the quiet NaN it reads as.
std::uint32_t ReadDecimalFloat(std::string_view text, std::string_view key, int line,
                               bool allow_nan) {
  std::string_view digits = text;
  if (digits.size() > 1 && digits[0] == '+' && digits[1] != '-') digits.remove_prefix(1);
  float value = 0.0f;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error == std::errc::result_out_of_range) {
    throw LoTextError(
        line, std::string(key) + ": " + Shown(text) + " is beyond the range of a single float");
  }
  if (error != std::errc() || end != digits.data() + digits.size() || digits.empty()) {
    throw LoTextError(line, std::string(key) + ": " + Shown(text) + " is not a number");
  }
  if (std::isnan(value) && !allow_nan) {
    throw LoTextError(line, std::string(key) + ": a NaN is written as its bits, as in 0x7FC00000");
  }
  return std::bit_cast<std::uint32_t>(value);
}

// "Class=, Type=, ... or State=", from the field table.
std::string RecordFieldList() {
  std::string list;
  for (std::size_t i = 0; i < kRecordFields.size(); ++i) {
    if (i > 0) list += i + 1 == kRecordFields.size() ? " or " : ", ";
    list += FieldInfo(kRecordFields[i]).key;
    list += '=';
  }
  return list;
}

// The record's items "Key=value", each record field exactly once.
TRecordBytes ReadRecordItems(const std::vector<std::string_view>& items, int line, bool plain) {
  TRecordBytes record{};
  std::array<bool, kFieldCount> seen{};
  for (std::string_view item : items) {
    const std::size_t equals = item.find('=');
    const std::string_view key = item.substr(0, equals);
    const TFieldInfo* info = nullptr;
    for (TField field : kRecordFields) {
      if (key == FieldInfo(field).key) info = &FieldInfo(field);
    }
    if (equals == std::string_view::npos || info == nullptr) {
      throw LoTextError(line, Shown(item) + " is not a record field (" + RecordFieldList() + ")");
    }
    if (seen[FieldIndex(info->field)]) {
      throw LoTextError(line, std::string(info->key) + " is given twice");
    }
    seen[FieldIndex(info->field)] = true;
    const std::string_view value = item.substr(equals + 1);
    std::uint8_t* at = record.data() + info->offset;
    if (info->kind == TFieldKind::Float) {
      const std::uint32_t bits = plain ? ReadDecimalFloat(value, info->key, line, true)
                                       : ReadFloatBits(value, info->key, line);
      little_endian::StoreU32(at, bits);
    } else {
      *at = static_cast<std::uint8_t>(
          ReadNumber(value, std::numeric_limits<std::uint8_t>::max(), info->key, line));
    }
  }
  for (TField field : kRecordFields) {
    if (!seen[FieldIndex(field)]) {
      throw LoTextError(line, std::string(FieldInfo(field).key) + " is missing");
    }
  }
  return record;
}

}  // namespace

std::string Shown(std::string_view text) {
  std::string out = "'";
  for (std::size_t i = 0; i < text.size() && i < kShownLength; ++i) {
    const auto byte = static_cast<std::uint8_t>(text[i]);
    if (IsPrintable(byte)) {
      out += text[i];
    } else {
      out += "\\x";
      AppendHexByte(out, byte);
    }
  }
  if (text.size() > kShownLength) out += "...";
  return out + "'";
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimFieldBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<std::string_view> AfterKey(std::string_view line, std::string_view key) {
  if (line.size() <= key.size() || !line.starts_with(key) || line[key.size()] != ':') {
    return std::nullopt;
  }
  return TrimFieldBlanks(line.substr(key.size() + 1));
}

std::string FloatText(std::uint32_t bits) {
  const float value = std::bit_cast<float>(bits);
  if (std::isnan(value)) {
    // No decimal carries a NaN's sign and payload.
    std::string text = "0x";
    for (int shift = 24; shift >= 0; shift -= 8) {
      AppendHexByte(text, static_cast<std::uint8_t>(bits >> shift));
    }
    return text;
  }
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), result.ptr);
}

std::uint32_t ReadFloatBits(std::string_view text, std::string_view key, int line) {
  if (text.starts_with("0x") || text.starts_with("0X")) {
    std::uint32_t bits = 0;
    bool hex = text.size() == 10;
    for (std::size_t i = 2; hex && i < text.size(); ++i) {
      const int digit = HexValue(text[i]);
      hex = digit >= 0;
      bits = bits << 4 | static_cast<std::uint32_t>(digit & 0xF);
    }
    if (!hex) {
      throw LoTextError(line, std::string(key) + ": " + Shown(text) +
                                  " is not a float's bits (0x and 8 hexadecimal digits)");
    }
    return bits;
  }
  return ReadDecimalFloat(text, key, line, false);
}

std::string QuotedText(std::span<const std::uint8_t> field) {
  const auto zero = std::find(field.begin(), field.end(), 0);
  auto last = field.end();
  while (last != zero && *(last - 1) == 0) --last;
  std::string out = "\"";
  for (auto at = field.begin(); at != last; ++at) {
    const std::uint8_t byte = *at;
    if (at >= zero || !IsPrintable(byte)) {
      // After the text's end every byte is escaped, so the text stands out.
      out += "\\x";
      AppendHexByte(out, byte);
    } else if (byte == '\\' || byte == '"') {
      out += '\\';
      out += static_cast<char>(byte);
    } else {
      out += static_cast<char>(byte);
    }
  }
  return out + "\"";
}

std::vector<std::uint8_t> ReadQuotedText(std::string_view text, std::size_t width,
                                         std::string_view key, int line) {
  const std::string where = std::string(key) + ": ";
  if (text.empty() || text.front() != '"') {
    throw LoTextError(line, where + "the text must be in double quotes");
  }
  std::vector<std::uint8_t> bytes;
  std::size_t at = 1;
  for (;;) {
    if (at >= text.size()) throw LoTextError(line, where + "the closing quote is missing");
    const auto byte = static_cast<std::uint8_t>(text[at]);
    if (byte == '"') break;
    if (byte == '\\') {
      const char next = at + 1 < text.size() ? text[at + 1] : '\0';
      if (next == '\\' || next == '"') {
        bytes.push_back(static_cast<std::uint8_t>(next));
        at += 2;
      } else if ((next == 'x' || next == 'X') && HexByteAt(text, at + 2) >= 0) {
        bytes.push_back(static_cast<std::uint8_t>(HexByteAt(text, at + 2)));
        at += 4;
      } else {
        throw LoTextError(line, where + Shown(text.substr(at, 4)) +
                                    " is not an escape (\\\\, \\\" or \\x and two hexadecimal "
                                    "digits)");
      }
    } else if (!IsPrintable(byte)) {
      throw LoTextError(line, where + "byte " + ByteName(byte) + " must be written as \\x" +
                                  ByteName(byte).substr(2));
    } else {
      bytes.push_back(byte);
      ++at;
    }
  }
  if (at + 1 != text.size()) {
    throw LoTextError(line, where + Shown(text.substr(at + 1)) + " follows the closing quote");
  }
  if (bytes.size() > width) {
    throw LoTextError(line, where + "the text is " + std::to_string(bytes.size()) +
                                " bytes; the field holds " + std::to_string(width));
  }
  bytes.resize(width, 0);
  return bytes;
}

std::string HexBytes(std::span<const std::uint8_t> bytes) {
  std::string out;
  for (std::uint8_t byte : bytes) {
    if (!out.empty()) out += ' ';
    AppendHexByte(out, byte);
  }
  return out;
}

std::vector<std::uint8_t> ReadHexBytes(std::string_view text, int line) {
  std::vector<std::uint8_t> bytes;
  for (std::string_view item : Items(text)) {
    if (item.size() != 2 || HexByteAt(item, 0) < 0) {
      throw LoTextError(line, Shown(item) + " is not a byte in hexadecimal (00 to FF)");
    }
    bytes.push_back(static_cast<std::uint8_t>(HexByteAt(item, 0)));
  }
  return bytes;
}

std::uint32_t ReadNumber(std::string_view text, std::uint32_t max, std::string_view what,
                         int line) {
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || text.front() == '-' || error != std::errc() ||
      end != text.data() + text.size() || value > max) {
    throw LoTextError(line, std::string(what) + ": " + Shown(text) + " is not a number from 0 to " +
                                std::to_string(max));
  }
  return value;
}

std::string ExactRecordLine(const TRecordBytes& record) {
  std::string line(kRecordKey);
  line += ':';
  for (TField field : kRecordFields) {
    const TFieldInfo& info = FieldInfo(field);
    const std::uint8_t* at = record.data() + info.offset;
    line += '\t';
    line += info.key;
    line += '=';
    line += info.kind == TFieldKind::Float ? FloatText(little_endian::LoadU32(at))
                                           : std::to_string(*at);
  }
  return line;
}

std::optional<TRecordBytes> ReadExactRecordLine(std::string_view line, int line_number) {
  const std::optional<std::string_view> rest = AfterKey(line, kRecordKey);
  if (!rest) return std::nullopt;
  return ReadRecordItems(Items(*rest), line_number, false);
}

std::optional<TRecordBytes> ReadPlainRecordLine(std::string_view line, int line_number) {
  // "<number>;<class>;<type>;<name>" then the fields; the name may hold blanks,
  // and a terminal's copy may have turned the tabs into spaces, so the fields
  // are the line's last items.
  const std::size_t digits = line.find_first_not_of("0123456789");
  if (digits == 0 || digits == std::string_view::npos || line[digits] != ';') return std::nullopt;
  std::vector<std::string_view> items = Items(line);
  const std::size_t first_field =
      items.size() > kRecordFields.size() ? items.size() - kRecordFields.size() : 1;
  return ReadRecordItems({items.begin() + static_cast<std::ptrdiff_t>(first_field), items.end()},
                         line_number, true);
}

std::vector<TTextLine> MeaningfulLines(std::string_view text) {
  std::vector<TTextLine> lines;
  int number = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    line = TrimFieldBlanks(line);
    ++number;
    if (!line.empty() && line.front() != '#') lines.push_back({number, line});
    start = end + 1;
  }
  return lines;
}

int LastLineNumber(std::string_view text) {
  int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  if (!text.empty() && text.back() != '\n') ++lines;
  return std::max(lines, 1);
}

}  // namespace lo_text
