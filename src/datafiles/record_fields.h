#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "datafiles/little_endian.h"

// The editor's fields, one row each in the table below. Reading, writing,
// showing and committing a record, the window's field widgets and the tab
// order all loop over this table; a new record field is one new row (and a
// member of TLoRecord).

enum class TField { RecordNo, Class, Type, Name, Description, X, Y, Z, R, Density, State };

// How a field's value is stored and shown.
enum class TFieldKind {
  RecordNumber,  // the record's position; not stored
  HeaderText,    // 8-bit text in the file header, ended by the first zero byte
  Byte,          // unsigned 8-bit, shown as a decimal integer
  Float,         // single float, shown in the two-decimal form
  Choice,        // unsigned 8-bit, shown as one of two choices (0, anything else)
};

// How the user types into the field's widget.
enum class TEntry { Integer, Decimal, Text, Choice };

// One placement record as the editor holds it; the file packs the same fields
// into 20 bytes at the offsets of the table.
struct TLoRecord {
  std::uint8_t object_class = 0;
  std::uint8_t object_type = 0;
  std::uint8_t state = 0;
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
  float r = 0.0f;
  std::uint8_t density = 0;
};

struct TFieldInfo {
  TField field;
  TFieldKind kind;
  TEntry entry;
  // In the record for record fields, in the file for header texts.
  std::uint64_t offset;
  std::size_t width;                        // bytes in the file
  std::size_t max_length;                   // characters the field's widget holds
  const char* label;                        // as the window shows it
  const char* key;                          // short name for dumps ("X=1.50")
  std::uint8_t TLoRecord::*byte = nullptr;  // Byte and Choice fields
  float TLoRecord::*number = nullptr;       // Float fields

  constexpr bool InRecord() const {
    return kind == TFieldKind::Byte || kind == TFieldKind::Float || kind == TFieldKind::Choice;
  }
  constexpr bool IsText() const { return kind != TFieldKind::Choice; }
};

// In window order: the order fields are shown in, and within the header texts
// and within the record fields the order they are committed in.
inline constexpr std::array<TFieldInfo, 11> kFieldTable{{
    {TField::RecordNo, TFieldKind::RecordNumber, TEntry::Integer, 0, 0, 6, "Record#:", "Rec"},
    {TField::Class, TFieldKind::Byte, TEntry::Integer, 0, 1, 6, "Class:", "Class",
     &TLoRecord::object_class},
    {TField::Type, TFieldKind::Byte, TEntry::Integer, 1, 1, 6, "Type:", "Type",
     &TLoRecord::object_type},
    {TField::Name, TFieldKind::HeaderText, TEntry::Text, 0, 20, 19, "Lo File Name:", "Name"},
    {TField::Description, TFieldKind::HeaderText, TEntry::Text, 26, 74, 73,
     "Lo File Description:", "Description"},
    {TField::X, TFieldKind::Float, TEntry::Decimal, 3, 4, 11, "Object X:", "X", nullptr,
     &TLoRecord::x},
    {TField::Y, TFieldKind::Float, TEntry::Decimal, 7, 4, 11, "Object Y:", "Y", nullptr,
     &TLoRecord::y},
    {TField::Z, TFieldKind::Float, TEntry::Decimal, 11, 4, 11, "Object Z:", "Z", nullptr,
     &TLoRecord::z},
    {TField::R, TFieldKind::Float, TEntry::Decimal, 15, 4, 11, "Object R:", "R", nullptr,
     &TLoRecord::r},
    // Typed like a decimal number, read back as an integer.
    {TField::Density, TFieldKind::Byte, TEntry::Decimal, 19, 1, 11, "Density:", "Density",
     &TLoRecord::density},
    {TField::State, TFieldKind::Choice, TEntry::Choice, 2, 1, 0, "State-???", "State",
     &TLoRecord::state},
}};

inline constexpr std::size_t kFieldCount = kFieldTable.size();

// The Lo file's layout: the header's fixed offsets (the texts' offsets are in
// the field table), then packed records of kRecordSize bytes.
inline constexpr std::uint64_t kRecordSize = 20;
inline constexpr std::uint64_t kCountOffset = 20;
inline constexpr std::uint64_t kCountWidth = 2;
inline constexpr std::uint64_t kFirstRecordOffset = 100;  // the header's size

constexpr std::uint64_t RecordOffset(std::int64_t index) {
  return kFirstRecordOffset + kRecordSize * static_cast<std::uint64_t>(index);
}

constexpr std::size_t FieldIndex(TField field) { return static_cast<std::size_t>(field); }
constexpr const TFieldInfo& FieldInfo(TField field) { return kFieldTable[FieldIndex(field)]; }

// The header's bytes between the count and the description: never read or
// written by the editor, kept as they are.
inline constexpr std::uint64_t kReservedOffset = kCountOffset + kCountWidth;
inline constexpr std::uint64_t kReservedWidth =
    FieldInfo(TField::Description).offset - kReservedOffset;

namespace record_fields_detail {
constexpr std::size_t CountIf(bool (*keep)(const TFieldInfo&)) {
  std::size_t n = 0;
  for (const TFieldInfo& info : kFieldTable) n += keep(info) ? 1 : 0;
  return n;
}
template <std::size_t N>
constexpr std::array<TField, N> Select(bool (*keep)(const TFieldInfo&)) {
  std::array<TField, N> fields{};
  std::size_t n = 0;
  for (const TFieldInfo& info : kFieldTable) {
    if (keep(info)) fields[n++] = info.field;
  }
  return fields;
}
constexpr bool IsRecordField(const TFieldInfo& info) { return info.InRecord(); }
constexpr bool IsHeaderText(const TFieldInfo& info) { return info.kind == TFieldKind::HeaderText; }
constexpr bool IsTyped(const TFieldInfo& info) {
  return info.kind == TFieldKind::HeaderText || info.kind == TFieldKind::Byte ||
         info.kind == TFieldKind::Float;
}
}  // namespace record_fields_detail

// The record's fields in window order (class, type, X ... density, state).
inline constexpr auto kRecordFields = record_fields_detail::Select<record_fields_detail::CountIf(
    record_fields_detail::IsRecordField)>(record_fields_detail::IsRecordField);

// The record's fields by file offset: the order they are read and written in.
inline constexpr auto kRecordFieldsInFileOrder = [] {
  auto fields = kRecordFields;
  std::sort(fields.begin(), fields.end(),
            [](TField a, TField b) { return FieldInfo(a).offset < FieldInfo(b).offset; });
  return fields;
}();

// Name and description, in window order.
inline constexpr auto kHeaderTextFields =
    record_fields_detail::Select<record_fields_detail::CountIf(record_fields_detail::IsHeaderText)>(
        record_fields_detail::IsHeaderText);

// The fields the user types into, in the order a commit converts them and Tab
// walks them: the header texts first, then the record's fields.
inline constexpr auto kTypedFieldsInCommitOrder = [] {
  constexpr std::size_t n = record_fields_detail::CountIf(record_fields_detail::IsTyped);
  std::array<TField, n> fields{};
  std::size_t i = 0;
  for (TField field : kHeaderTextFields) fields[i++] = field;
  for (TField field : kRecordFields) {
    if (FieldInfo(field).kind != TFieldKind::Choice) fields[i++] = field;
  }
  return fields;
}();

// The table is indexed by TField, and the record's fields tile its 20 bytes.
inline constexpr bool kFieldTableIsConsistent = [] {
  for (std::size_t i = 0; i < kFieldTable.size(); ++i) {
    if (FieldIndex(kFieldTable[i].field) != i) return false;
  }
  std::uint64_t next = 0;
  for (TField field : kRecordFieldsInFileOrder) {
    const TFieldInfo& info = FieldInfo(field);
    if (info.offset != next) return false;
    if ((info.number != nullptr) != (info.kind == TFieldKind::Float)) return false;
    if (info.width != (info.number != nullptr ? sizeof(float) : 1)) return false;
    next += FieldInfo(field).width;
  }
  return next == kRecordSize;
}();
static_assert(kFieldTableIsConsistent, "kFieldTable: rows out of TField order or record gaps");

// One record as the file packs it.
using TRecordBytes = std::array<std::uint8_t, kRecordSize>;

inline TRecordBytes PackRecord(const TLoRecord& record) {
  TRecordBytes bytes{};
  for (TField field : kRecordFields) {
    const TFieldInfo& info = FieldInfo(field);
    if (info.kind == TFieldKind::Float) {
      little_endian::StoreU32(bytes.data() + info.offset,
                              std::bit_cast<std::uint32_t>(record.*info.number));
    } else {
      bytes[info.offset] = record.*info.byte;
    }
  }
  return bytes;
}

inline TLoRecord UnpackRecord(const TRecordBytes& bytes) {
  TLoRecord record;
  for (TField field : kRecordFields) {
    const TFieldInfo& info = FieldInfo(field);
    if (info.kind == TFieldKind::Float) {
      record.*info.number =
          std::bit_cast<float>(little_endian::LoadU32(bytes.data() + info.offset));
    } else {
      record.*info.byte = bytes[info.offset];
    }
  }
  return record;
}
