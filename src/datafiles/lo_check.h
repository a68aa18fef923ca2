#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class TObjCatalogue;

// One thing in a Lo file the game or the modder would trip over.
struct TLoFinding {
  int record = -1;   // the record it names; -1 for the file as a whole
  std::string text;  // one line, naming the record ("Record 3: X is not a finite number")

  bool operator==(const TLoFinding&) const = default;
};

// Two records of the same kind closer than this (in X, Y and Z) were
// stacked by accident.
inline constexpr double kStackedDistance = 0.01;

// Checks the bytes of a whole Lo file: a count out of range or beyond the
// file's end, a part of a record at the file's end (whole records after the
// count are kept there on purpose and are no finding), and for every
// counted record the file holds: a class and type the catalogue does not
// have (none checked without a catalogue), X, Y, Z or R not finite, a state
// other than 0 or 1, and a record of the same kind as an earlier one within
// kStackedDistance of it. In file order; never raises.
std::vector<TLoFinding> CheckLoFile(std::span<const std::uint8_t> bytes,
                                    const TObjCatalogue* catalogue);
