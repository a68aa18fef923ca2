#include "datafiles/names_text.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <map>
#include <optional>

#include "errors/app_error.h"

namespace {

// The next code point of `text` from `at` (moved past it); nothing for a
// byte sequence that is not UTF-8.
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const int length = lead < 0x80 ? 1 : lead >= 0xF0 && lead < 0xF5 ? 4 : lead >= 0xE0 ? 3
                                                                    : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || at + length > text.size()) return std::nullopt;
  char32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
  for (int i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    code = code << 6 | (next & 0x3F);
  }
  // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
  static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kLeast[length] || (code >= 0xD800 && code < 0xE000) || code > 0x10FFFF) {
    return std::nullopt;
  }
  at += length;
  return code;
}

bool IsUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    if (!NextCodePoint(text, at)) return false;
  }
  return true;
}

std::string CodePointName(char32_t code) {
  char hex[9];
  const auto end = std::to_chars(hex, hex + sizeof hex, static_cast<unsigned long>(code), 16).ptr;
  std::string digits(hex, end);
  std::transform(digits.begin(), digits.end(), digits.begin(),
                 [](char c) { return static_cast<char>(std::toupper(c)); });
  if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
  return "U+" + digits;
}

std::string Utf8Of(char32_t code) {
  std::string out;
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | code >> 18);
    out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
  return out;
}

// A control character would end or break the name (a zero ends it).
AppError RefusedCharacter(char32_t code) {
  const std::string shown = code < 0x20 ? std::string() : "\"" + Utf8Of(code) + "\" ";
  return AppError("The character " + shown + "(" + CodePointName(code) +
                  ") cannot be part of a name: names hold the 8-bit characters of the header "
                  "texts (Latin-1), without control characters");
}

void CheckLength(const std::string& bytes) {
  if (bytes.size() > kNameTextLimit) {
    throw AppError("A name holds at most 29 bytes; \"" + Utf8FromNameBytes(bytes) + "\" has " +
                   std::to_string(bytes.size()));
  }
}

struct DecodedName {
  std::string bytes;
  std::optional<char32_t> refused;  // the first character a typed name may not hold
};

// The bytes of a name given as code points (UTF-8) or as 8-bit text.
DecodedName DecodeName(std::string_view text, bool utf8) {
  DecodedName name;
  for (std::size_t at = 0; at < text.size();) {
    const char32_t code = utf8 ? NextCodePoint(text, at).value_or(0xFFFD)
                               : static_cast<unsigned char>(text[at++]);
    if ((code < 0x20 || code > 0xFF) && !name.refused) name.refused = code;
    // A zero in place of a character beyond 8 bits: no slot's text holds one.
    name.bytes += static_cast<char>(code > 0xFF ? 0 : code);
  }
  return name;
}

std::string CheckedName(const DecodedName& name) {
  if (name.refused) throw RefusedCharacter(*name.refused);
  CheckLength(name.bytes);
  return name.bytes;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A decimal of 32 bits at `at` (moved past it).
std::optional<std::uint32_t> ReadNumber(std::string_view line, std::size_t& at) {
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(line.data() + at, line.data() + line.size(), value);
  if (error != std::errc() || end == line.data() + at) return std::nullopt;
  at = static_cast<std::size_t>(end - line.data());
  return value;
}

struct NamesLine {
  TObjKind kind;
  std::string_view name;
};

// "class type name": blanks between class and type, one blank before the
// name, which is the rest of the line as it is (an empty one too).
std::optional<NamesLine> ReadLine(std::string_view line) {
  NamesLine read;
  std::size_t at = 0;
  const auto object_class = ReadNumber(line, at);
  if (!object_class || at == line.size() || !IsBlank(line[at])) return std::nullopt;
  while (at < line.size() && IsBlank(line[at])) ++at;
  const auto object_type = ReadNumber(line, at);
  if (!object_type || (at < line.size() && !IsBlank(line[at]))) return std::nullopt;
  read.kind = {*object_class, *object_type};
  read.name = at < line.size() ? line.substr(at + 1) : std::string_view();
  return read;
}

std::string KindText(const TObjKind& kind) {
  return "class " + std::to_string(kind.object_class) + " type " +
         std::to_string(kind.object_type);
}

}  // namespace

std::string NameBytesFromUtf8(std::string_view utf8) {
  if (!IsUtf8(utf8)) throw AppError("A name must be UTF-8 text");
  return CheckedName(DecodeName(utf8, true));
}

std::string Utf8FromNameBytes(std::string_view bytes) {
  std::string out;
  for (const char byte : bytes) out += Utf8Of(static_cast<unsigned char>(byte));
  return out;
}

TNameSlot NameSlot(std::string_view bytes) {
  TNameSlot slot{};
  std::memcpy(slot.data(), bytes.data(), std::min(bytes.size(), kNameTextLimit));
  return slot;
}

bool SlotTextAt(const std::vector<std::uint8_t>& names, int index, std::string& text) {
  const std::size_t at = kObjNameSize * static_cast<std::size_t>(index);
  if (index < 0 || at + kObjNameSize > names.size()) return false;
  const auto begin = names.begin() + static_cast<std::ptrdiff_t>(at);
  text.assign(begin, std::find(begin, begin + kObjNameSize, std::uint8_t{0}));
  return true;
}

std::string NamesText(const std::vector<TObjKind>& kinds, const std::vector<std::uint8_t>& names) {
  std::string text;
  std::string name;
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    if (!SlotTextAt(names, static_cast<int>(i), name)) name = kNoNameEntered;
    text += std::to_string(kinds[i].object_class) + " " + std::to_string(kinds[i].object_type) +
            " " + Utf8FromNameBytes(name) + "\n";
  }
  return text;
}

TNamesImport ImportNamesText(std::string_view text, const std::vector<TObjKind>& kinds,
                             const std::vector<std::uint8_t>& names) {
  TNamesImport result;
  result.file = names;
  // Every entry gets a whole slot; a slot cut short is made a placeholder.
  const std::size_t whole = names.size() / kObjNameSize;
  if (whole < kinds.size()) {
    result.file.resize(std::max(names.size(), kinds.size() * kObjNameSize));
    const TNameSlot placeholder = NameSlot(kNoNameEntered);
    for (std::size_t i = whole; i < kinds.size(); ++i) {
      std::copy(placeholder.begin(), placeholder.end(), result.file.begin() + i * kObjNameSize);
    }
  }
  // Entries of each kind in catalogue order, and how many lines took one.
  std::map<std::pair<std::uint32_t, std::uint32_t>, std::vector<int>> entries;
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    entries[{kinds[i].object_class, kinds[i].object_type}].push_back(static_cast<int>(i));
  }
  std::map<std::pair<std::uint32_t, std::uint32_t>, std::size_t> placed;

  const bool utf8 = IsUtf8(text);
  int number = 0;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#' ||
        std::all_of(line.begin(), line.end(), IsBlank)) {
      continue;
    }
    const std::string at_line = "line " + std::to_string(number) + ": ";
    const std::optional<NamesLine> read = ReadLine(line);
    if (!read) {
      const std::string shown = utf8 ? std::string(line) : Utf8FromNameBytes(line);
      result.problems.push_back(at_line + "\"" + shown +
                                "\" does not read as class, type and name");
      continue;
    }
    const auto key = std::make_pair(read->kind.object_class, read->kind.object_type);
    const auto of_kind = entries.find(key);
    if (of_kind == entries.end()) {
      result.problems.push_back(at_line + KindText(read->kind) + " is not in the catalogue");
      continue;
    }
    std::size_t& taken = placed[key];
    if (taken == of_kind->second.size()) {
      const std::size_t count = of_kind->second.size();
      result.problems.push_back(at_line + "one line more for " + KindText(read->kind) +
                                " than the catalogue has entries of it (" +
                                std::to_string(count) + ")");
      continue;
    }
    const int index = of_kind->second[taken++];
    try {
      const DecodedName name = DecodeName(read->name, utf8);
      std::string now;
      if (SlotTextAt(names, index, now) && now == name.bytes) continue;
      const TNameSlot slot = NameSlot(CheckedName(name));
      std::copy(slot.begin(), slot.end(),
                result.file.begin() + static_cast<std::ptrdiff_t>(kObjNameSize * index));
      ++result.named;
    } catch (const AppError& refused) {
      result.problems.push_back(at_line + refused.what());
    }
  }
  return result;
}
