#include "editor/list_filter.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>

namespace {

// Names are 8-bit file texts, shown as Latin-1: fold its two letter ranges.
unsigned char FoldCase(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + ('a' - 'A'));
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
  return c;
}

std::string Folded(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) c = static_cast<char>(FoldCase(static_cast<unsigned char>(c)));
  return folded;
}

// A whole text of decimal digits; nothing for anything else or a value
// beyond 64 bits (no column holds one).
std::optional<std::uint64_t> DecimalNumber(std::string_view text) {
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// The row's columns: the name is everything after the third ";" (a name
// may hold ";" itself).
struct RowColumns {
  std::string_view object_class, type, name;
};

RowColumns ColumnsOf(std::string_view row) {
  RowColumns columns;
  std::string_view* parts[] = {nullptr, &columns.object_class, &columns.type};
  for (std::string_view* part : parts) {
    const std::size_t end = row.find(';');
    if (end == std::string_view::npos) return columns;
    if (part != nullptr) *part = row.substr(0, end);
    row.remove_prefix(end + 1);
  }
  columns.name = row;
  return columns;
}

// The find text prepared once for all rows.
struct Find {
  explicit Find(const std::string& text)
      : folded(Folded(text)), number(DecimalNumber(TrimBlanks(text))) {}
  bool Matches(std::string_view row) const {
    const RowColumns columns = ColumnsOf(row);
    if (number &&
        (DecimalNumber(columns.object_class) == number || DecimalNumber(columns.type) == number)) {
      return true;
    }
    if (columns.name.size() < folded.size()) return false;
    return Folded(columns.name).find(folded) != std::string::npos;
  }
  std::string folded;
  std::optional<std::uint64_t> number;
};

}  // namespace

bool RowMatchesFind(const std::string& row, const std::string& find) {
  return find.empty() || Find(find).Matches(row);
}

bool HoldsIgnoringCase(const std::string& text, const std::string& find) {
  return Folded(text).find(Folded(find)) != std::string::npos;
}

std::vector<int> RowsMatchingFind(const std::vector<std::string>& rows, const std::string& find) {
  std::vector<int> shown;
  shown.reserve(rows.size());
  const Find prepared(find);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (find.empty() || prepared.Matches(rows[i])) shown.push_back(static_cast<int>(i));
  }
  return shown;
}
