#pragma once

#include <string>
#include <vector>

#include "datafiles/lo_compare.h"

// A three-way merge of Lo files: the changes BASE -> OURS and BASE -> THEIRS
// together. A change on one side only is taken, field by field; records
// added on either side are kept (ours first, then theirs); a record removed
// on one side and untouched on the other is removed. Both sides changing a
// field to different values, or one removing a record the other changed, is
// a conflict, and ours is kept for it. Records beyond the 256 a file holds
// are left out, each a conflict.
struct TMergeResult {
  TLoFileParts merged;
  // One line each, values in the exact text form's words, e.g.
  // "record 3 (Class=12 Type=3): X: base X=1, ours X=1.5, theirs X=2; ours kept".
  std::vector<std::string> conflicts;
};

TMergeResult MergeLoFiles(const TLoFileParts& base, const TLoFileParts& ours,
                          const TLoFileParts& theirs);
