#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A profile (INI) file held as its lines, edited so that every line the edit
// does not own keeps its bytes, line end included.
//
// Rules, as the desktop's profile files have them: a line "[name]" opens a
// section; a line "key=value" is an entry of the section above it; lines
// starting with ";" are comments; anything else is kept and ignored. Names are
// matched without regard to ASCII case and blanks around them; only the first
// section of a name counts, and in it the first entry of a key.
struct ProfileLine {
  std::string text;    // without its line end
  std::string ending;  // "\r\n", "\n", "\r", or "" on a last line without one
};

class ProfileLines {
 public:
  // Splits at CR LF, LF or CR.
  explicit ProfileLines(std::string_view contents);

  // The entry's value: blanks around it removed, then one pair of matching
  // quotes ('' or "") around it. Empty optional when section or key is missing.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;

  // Replaces the entry's line in place (keeping the key's spelling in the
  // file), or adds it at the end of its section, or adds the section at the
  // end. Lines written end in LF. `value` must hold no line break.
  void Set(std::string_view section, std::string_view key, std::string_view value);

  // Removes the key's entries from the section; false when there was none.
  bool Remove(std::string_view section, std::string_view key);
  // Removes the section's header and entries.
  void RemoveSection(std::string_view section);

  // Section names match with regard to case from now on (a file's own
  // sections that stand for case-sensitive names, such as paths).
  void MatchSectionCase() { section_case_ = true; }

  std::string Contents() const;
  const std::vector<ProfileLine>& lines() const { return lines_; }

 private:
  // Index of the first header line of `section`, or npos.
  std::size_t FindSection(std::string_view section) const;
  // One past the last line belonging to the section whose header is at `header`.
  std::size_t SectionEnd(std::size_t header) const;
  std::size_t FindKey(std::size_t header, std::size_t end, std::string_view key) const;
  void EnsureLineEnd(std::size_t index);

  std::vector<ProfileLine> lines_;
  bool section_case_ = false;
};

// The text written after "=" so that Find gives `value` back exactly: quoted
// when blanks around it or quotes around it would otherwise be lost.
std::string EncodeProfileValue(std::string_view value);
