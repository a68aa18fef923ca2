#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "datafiles/record_fields.h"
#include "editor/level_set.h"

class TObjCatalogue;

// "Find in Lo Files": the records of the level set that answer a question,
// one file at a time (a reader may run it off the window's thread).
struct TLevelQuery {
  enum class Kind {
    ObjectKind,    // a catalogue entry's class and type
    NameOrNumber,  // a name part ("drum"), or a class or type number, as a list's find reads it
    Findings,      // every record Check File names
  };
  Kind kind = Kind::NameOrNumber;
  std::uint8_t object_class = 0;  // ObjectKind
  std::uint8_t object_type = 0;
  std::string text;  // NameOrNumber

  // "kind 4/0", "\"drum\"", "Check File findings": what the results are of.
  std::string Caption() const;
};

// One record found. A finding about the file as a whole has record -1.
struct TFoundRecord {
  int record = -1;
  TLoRecord values;      // zeros where the file ends before the record
  std::string findings;  // Findings: what Check File says of it, "; "-joined
};

struct TLevelFinds {
  TLevelFile file;
  std::vector<TFoundRecord> records;  // in record order
  std::string problem;                // the file does not read: its message
};

// The records of one Lo file that answer `query`; names come from
// `catalogue` (none: every record has the placeholder name). Never raises: a
// file that does not read gives its message. For Findings, a damaged file
// still gives what Check File says of it.
TLevelFinds FindInLevel(const TLevelFile& file, const TLevelQuery& query,
                        const TObjCatalogue* catalogue);

// Where a found record stands: "120.00; 80.50" (X and Y as the fields show
// them, with `separator`); a value no field can show reads "NAN".
std::string FoundPosition(const TLoRecord& record, char separator);

// The name a found record shows: its first catalogue entry's, else the
// placeholder the contents list shows.
std::string FoundName(const TObjCatalogue* catalogue, const TLoRecord& record);
