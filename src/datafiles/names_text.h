#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "datafiles/obj_catalogue.h"

// Names of object kinds: the 30-byte slots of objdat.nam, and the text of
// lines "class type name" that carries them between catalogues and people.
// Slot bytes are 8-bit text (shown as Latin-1, as the header texts are);
// the lines are UTF-8.

// A slot holds its text, one zero and zeros after it.
inline constexpr std::size_t kNameTextLimit = kObjNameSize - 1;
inline const std::string kNoNameEntered = "No Name Entered";

using TNameSlot = std::array<std::uint8_t, kObjNameSize>;

// The class and type of a catalogue entry, in catalogue order.
struct TObjKind {
  std::uint32_t object_class = 0;
  std::uint32_t object_type = 0;
  bool operator==(const TObjKind&) const = default;
};

// The bytes of a name the user typed (UTF-8). Raises AppError naming the
// first character a slot cannot hold (beyond Latin-1, or a control
// character), or a name longer than 29 bytes.
std::string NameBytesFromUtf8(std::string_view utf8);
// A slot's bytes (8-bit) as UTF-8.
std::string Utf8FromNameBytes(std::string_view bytes);
// The slot of a name of at most 29 bytes: the text, a zero, zeros.
TNameSlot NameSlot(std::string_view bytes);
// The text of slot `index` of a names file's bytes, up to its first zero;
// nothing read from a slot the bytes do not hold whole.
bool SlotTextAt(const std::vector<std::uint8_t>& names, int index, std::string& text);

// "class type name" per entry, in catalogue order, names in UTF-8; an entry
// whose slot the names file lacks shows "No Name Entered".
std::string NamesText(const std::vector<TObjKind>& kinds, const std::vector<std::uint8_t>& names);

struct TNamesImport {
  std::vector<std::uint8_t> file;     // the names file to write
  int named = 0;                      // entries whose name changed
  std::vector<std::string> problems;  // "line 3: ...", one per line not placed
  bool Changes(const std::vector<std::uint8_t>& old_file) const { return file != old_file; }
};

// Reads a text of "class type name" lines against the catalogue's kinds:
// the k-th line of a kind names the k-th entry of that kind. The text is
// UTF-8, or 8-bit when it does not read as UTF-8. Blank lines and lines
// starting with "#" are skipped; a trailing carriage return is dropped.
// Each line that cannot be placed (it does not read, its kind is not in
// the catalogue or has fewer entries, its name cannot be stored) is listed
// with its number and left out; the rest name their entries. A name equal
// to what its slot reads leaves the slot's bytes as they are, so a text
// exported from a names file gives that file back byte for byte. The file
// returned is `names` with the named slots replaced, missing slots up to
// the catalogue's count added with "No Name Entered", and bytes after the
// last slot kept.
TNamesImport ImportNamesText(std::string_view text, const std::vector<TObjKind>& kinds,
                             const std::vector<std::uint8_t>& names);
