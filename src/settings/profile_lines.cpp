#include "settings/profile_lines.h"

#include <algorithm>

namespace {

constexpr std::size_t npos = std::string::npos;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimProfileBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b, bool exact_case = false) {
  a = TrimProfileBlanks(a);
  b = TrimProfileBlanks(b);
  if (a.size() != b.size()) return false;
  if (exact_case) return a == b;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

enum class LineKind { Other, Section, Entry };

struct ParsedLine {
  LineKind kind = LineKind::Other;
  std::string_view name;   // section or key name, trimmed
  std::string_view value;  // entry only, untrimmed text after "="
};

ParsedLine Parse(std::string_view text, bool first_line) {
  if (first_line && text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // UTF-8 mark
  const std::string_view body = TrimProfileBlanks(text);
  if (body.empty() || body.front() == ';') return {};
  if (body.front() == '[') {
    const std::size_t close = body.rfind(']');
    if (close != npos && close > 0) {
      return {LineKind::Section, TrimProfileBlanks(body.substr(1, close - 1)), {}};
    }
  }
  const std::size_t equals = body.find('=');
  if (equals == npos) return {};
  return {LineKind::Entry, TrimProfileBlanks(body.substr(0, equals)), body.substr(equals + 1)};
}

}  // namespace

ProfileLines::ProfileLines(std::string_view contents) {
  std::size_t start = 0;
  while (start < contents.size()) {
    const std::size_t end = contents.find_first_of("\r\n", start);
    if (end == npos) {
      lines_.push_back({std::string(contents.substr(start)), ""});
      break;
    }
    const std::size_t ending_size =
        (contents[end] == '\r' && end + 1 < contents.size() && contents[end + 1] == '\n') ? 2 : 1;
    lines_.push_back({std::string(contents.substr(start, end - start)),
                      std::string(contents.substr(end, ending_size))});
    start = end + ending_size;
  }
}

std::size_t ProfileLines::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const ParsedLine line = Parse(lines_[i].text, i == 0);
    if (line.kind == LineKind::Section && SameName(line.name, section, section_case_)) return i;
  }
  return npos;
}

std::size_t ProfileLines::SectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < lines_.size() && Parse(lines_[i].text, false).kind != LineKind::Section) ++i;
  return i;
}

std::size_t ProfileLines::FindKey(std::size_t header, std::size_t end, std::string_view key) const {
  for (std::size_t i = header + 1; i < end; ++i) {
    const ParsedLine line = Parse(lines_[i].text, false);
    if (line.kind == LineKind::Entry && SameName(line.name, key)) return i;
  }
  return npos;
}

std::optional<std::string> ProfileLines::Find(std::string_view section,
                                              std::string_view key) const {
  const std::size_t header = FindSection(section);
  if (header == npos) return std::nullopt;
  const std::size_t index = FindKey(header, SectionEnd(header), key);
  if (index == npos) return std::nullopt;
  std::string_view value = TrimProfileBlanks(Parse(lines_[index].text, false).value);
  if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

void ProfileLines::EnsureLineEnd(std::size_t index) {
  if (index < lines_.size() && lines_[index].ending.empty()) lines_[index].ending = "\n";
}

void ProfileLines::Set(std::string_view section, std::string_view key, std::string_view value) {
  const std::string encoded = EncodeProfileValue(value);
  const std::size_t header = FindSection(section);
  if (header == npos) {
    if (!lines_.empty()) EnsureLineEnd(lines_.size() - 1);
    lines_.push_back({"[" + std::string(section) + "]", "\n"});
    lines_.push_back({std::string(key) + "=" + encoded, "\n"});
    return;
  }
  const std::size_t end = SectionEnd(header);
  const std::size_t existing = FindKey(header, end, key);
  if (existing != npos) {
    const std::string spelled(Parse(lines_[existing].text, false).name);
    lines_[existing] = {spelled + "=" + encoded, "\n"};
    return;
  }
  // After the section's last non-blank line, so blank lines that separate it
  // from the next section stay where they are.
  std::size_t last = end - 1;
  while (last > header && TrimProfileBlanks(lines_[last].text).empty()) --last;
  EnsureLineEnd(last);
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(last + 1),
                {std::string(key) + "=" + encoded, "\n"});
}

bool ProfileLines::Remove(std::string_view section, std::string_view key) {
  const std::size_t header = FindSection(section);
  if (header == npos) return false;
  const std::size_t end = SectionEnd(header);
  const auto first = lines_.begin() + static_cast<std::ptrdiff_t>(header + 1);
  const auto last = lines_.begin() + static_cast<std::ptrdiff_t>(end);
  const auto kept = std::remove_if(first, last, [&](const ProfileLine& line) {
    const ParsedLine parsed = Parse(line.text, false);
    return parsed.kind == LineKind::Entry && SameName(parsed.name, key);
  });
  if (kept == last) return false;
  lines_.erase(kept, last);
  return true;
}

void ProfileLines::RemoveSection(std::string_view section) {
  const std::size_t header = FindSection(section);
  if (header == npos) return;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header),
               lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(header)));
}

std::string ProfileLines::Contents() const {
  std::string contents;
  for (const ProfileLine& line : lines_) {
    contents += line.text;
    contents += line.ending;
  }
  return contents;
}

std::string EncodeProfileValue(std::string_view value) {
  const bool needs_quotes =
      !value.empty() &&
      (IsBlank(value.front()) || IsBlank(value.back()) ||
       (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()));
  if (!needs_quotes) return std::string(value);
  return "\"" + std::string(value) + "\"";
}
