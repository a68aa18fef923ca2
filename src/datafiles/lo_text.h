#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "datafiles/record_fields.h"
#include "datafiles/lo_text_error.h"

// The exact text form of Lo files and of records: every byte can be read
// back, and the text can be edited by hand. The form (see the README):
//
//   Name: "Forest"
//   Count: 2
//   Reserved: A6 A7 A8 A9
//   Description: "North woods\x00\xBB\xBC"
//   Record:  Class=12  Type=3  X=1.5  Y=-2.25  Z=0.125  R=90  Density=4  State=0
//   Record:  Class=1  Type=1  X=-0  Y=1e-45  Z=0x7FC00001  R=inf  Density=255  State=2
//   After: 01 02 03
//
// Header texts are quoted: printable ASCII as it is, every other byte as \xHH,
// a backslash as \\ and a quote as \"; after the text's zero every byte up to
// the last non-zero one is written as \xHH; zeros after that are implied.
// Floats are the shortest decimal that reads back to the same bits; a NaN is
// its 32 bits in hexadecimal ("0x7FC00001"), a form any float may be given
// in. Bytes are decimal. Record lines are written in file order; the items
// of a line are separated by tabs (any run of blanks on reading). Blank
// lines and lines that start with "#" are skipped; a "\r" ending a line is
// ignored.

// The record's fields packed into the file's 20 bytes, and back. Never fail.

// The record lines of the exact form, one per record, each ended by "\n":
// exactly what LoFileToExactText prints for these records. Never fails.
std::string ExactRecordLines(std::span<const TRecordBytes> records);

// Reads record lines: each line in the exact form ("Record: ...") or in
// lodump's plain form ("0;12;3;Pine<TAB>Class=12<TAB>...", its values taken
// as they read: "1.50" is 1.5, "NAN" a quiet NaN). Blank and "#" lines are
// skipped. Raises LoTextError naming the first line that is not a record and
// why, or line 1 "the text holds no records" when no line is one.
std::vector<TRecordBytes> ParseRecordLines(std::string_view text);

// The whole file as exact text. Accepts what the editor opens: at least the
// 100 header bytes, a count of 0 to 256 and the counted records; bytes after
// them are kept. Raises AppError "Invalid record count %d: a Lo file holds 0
// to 256 records" for another count and InOutError 100 ("Read beyond end of
// file") for a file shorter than its header or its records.
std::string LoFileToExactText(std::span<const std::uint8_t> file);

// The file's bytes from its exact text: one Name, Count and Description
// line each and at most one Reserved line (left out: zeros), in any order,
// the record lines in file order
// (their number must equal Count, at most 256) and any After lines, whose
// bytes follow the records in their order. Raises LoTextError for the first
// line that does not read (a missing line is reported at the text's last
// line).
std::vector<std::uint8_t> LoFileFromExactText(std::string_view text);
