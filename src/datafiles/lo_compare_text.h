#pragma once

#include <functional>
#include <string>

#include "datafiles/lo_compare.h"

// Differences and values in words to read and to grep, the values in the
// exact text form's numbers (the shortest decimal that reads back).

// The object's name for a record ("Oak Tree"), from a catalogue or not.
using TRecordNamer = std::function<std::string(const TRecordBytes&)>;

// One field's value: "99.5", "12".
std::string FieldValueText(const TRecordBytes& record, TField field);
// Every field as "Class=12 Type=3 X=140.5 ..." in window order.
std::string RecordItemsText(const TRecordBytes& record);
// A header part's value: quoted texts ("\"Forest\""), hexadecimal bytes
// ("A6 A7 A8 A9"); no bytes after the records read "none".
std::string HeaderPartText(const TLoFileParts& parts, THeaderPart part);

// One line per difference, records numbered as their file has them:
//   Name: "Old" -> "New"
//   Order: the records stand in another order
//   - 7 Fuel Drum: Class=3 Type=1 X=...
//   + 12 Pine Tree: Class=1 Type=2 X=140.5 ...
//   ~ 3 Oak Tree: X 98 -> 99.5, Density 4 -> 5   ("~ 3->5 ..." when it moved in the list)
std::string DifferenceLine(const TLoDifference& difference, const TLoFileParts& a,
                           const TLoFileParts& b, const TRecordNamer& name);

// The editor's words for a difference of CompareLoFiles(other, here), read
// from the side of `here`, the open file, as Take brings the other file's
// part here; `there` names the other file ("LoOTHER.dat", "the backup of
// 10:42"). Records are named as `here` has them:
//   only in LoOTHER.dat: Oak Tree at 30, 30 (take: add it here)
//   only here: Rock Pile (take: remove it)
//   Watch Tower: X here 120, in LoOTHER.dat 130; Density here 3, in LoOTHER.dat 4
//   Name: here "Forest", in LoOTHER.dat "Lake"
//   Order: the records stand in another order in LoOTHER.dat (take: all of LoOTHER.dat)
std::string DifferenceFromHere(const TLoDifference& difference, const TLoFileParts& other,
                               const TLoFileParts& here, const std::string& there,
                               const TRecordNamer& name);
