#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "datafiles/lo_text.h"
#include "datafiles/record_fields.h"

// Comparing two Lo files as a person reads them. Records carry no identity
// and edits move them (a delete moves later records up, a paste appends), so
// records are matched: identical records first (in order, then any that
// moved in the list), then records of the same class and type, the nearest
// pairs first, as changed; what is left is added or removed.

// A Lo file cut into the parts that are compared; the count is records.size().
struct TLoFileParts {
  std::array<std::uint8_t, FieldInfo(TField::Name).width> name{};
  std::array<std::uint8_t, kReservedWidth> reserved{};
  std::array<std::uint8_t, FieldInfo(TField::Description).width> description{};
  std::vector<TRecordBytes> records;
  std::vector<std::uint8_t> after;  // the bytes after the counted records
};

// Accepts what the editor opens; raises as LoFileToExactText does (a count
// outside 0..256, a file shorter than its header or its records).
TLoFileParts SplitLoFile(std::span<const std::uint8_t> file);
// The file's bytes; the caller keeps records.size() within 0..256.
std::vector<std::uint8_t> JoinLoFile(const TLoFileParts& parts);

// The header parts, in the order differences are listed.
enum class THeaderPart { Name, Description, Reserved, After };
inline constexpr std::array<THeaderPart, 4> kHeaderParts{
    THeaderPart::Name, THeaderPart::Description, THeaderPart::Reserved, THeaderPart::After};
std::span<const std::uint8_t> HeaderPartBytes(const TLoFileParts& parts, THeaderPart part);
const char* HeaderPartKey(THeaderPart part);  // "Name", "Description", "Reserved", "After"

// Which record of B each record of A is matched with, and back; -1 for none.
struct TRecordMatch {
  std::vector<int> b_of_a;
  std::vector<int> a_of_b;
};
TRecordMatch MatchRecords(std::span<const TRecordBytes> a, std::span<const TRecordBytes> b);

// The record fields (window order) whose bytes differ.
std::vector<TField> DifferingFields(const TRecordBytes& a, const TRecordBytes& b);
// The bytes of one record field.
std::span<const std::uint8_t> FieldBytes(const TRecordBytes& record, TField field);

struct TLoDifference {
  // Order: the matched records stand in another order (listed once).
  enum class Kind { Header, Order, Removed, Added, Changed } kind = Kind::Header;
  THeaderPart part = THeaderPart::Name;  // Header
  int a = -1;                            // A's record: Removed, Changed
  int b = -1;                            // B's record: Added, Changed
  std::vector<TField> fields;            // Changed: the fields that differ
};

// The header differences, the order, then the records' in A's order (each
// removed or changed record where A has it), then B's added records in B's
// order.
std::vector<TLoDifference> CompareLoFiles(const TLoFileParts& a, const TLoFileParts& b);
