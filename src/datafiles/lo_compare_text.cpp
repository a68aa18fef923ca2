#include "datafiles/lo_compare_text.h"

#include "datafiles/little_endian.h"
#include "datafiles/lo_text_fields.h"

std::string FieldValueText(const TRecordBytes& record, TField field) {
  const std::span<const std::uint8_t> bytes = FieldBytes(record, field);
  return FieldInfo(field).kind == TFieldKind::Float
             ? lo_text::FloatText(little_endian::LoadU32(bytes.data()))
             : std::to_string(bytes[0]);
}

std::string RecordItemsText(const TRecordBytes& record) {
  std::string text;
  for (TField field : kRecordFields) {
    if (!text.empty()) text += ' ';
    text += FieldInfo(field).key;
    text += '=';
    text += FieldValueText(record, field);
  }
  return text;
}

std::string HeaderPartText(const TLoFileParts& parts, THeaderPart part) {
  const std::span<const std::uint8_t> bytes = HeaderPartBytes(parts, part);
  if (part == THeaderPart::Name || part == THeaderPart::Description) {
    return lo_text::QuotedText(bytes);
  }
  return bytes.empty() ? "none" : lo_text::HexBytes(bytes);
}

std::string DifferenceLine(const TLoDifference& difference, const TLoFileParts& a,
                           const TLoFileParts& b, const TRecordNamer& name) {
  const auto record_a = [&] { return a.records[static_cast<std::size_t>(difference.a)]; };
  const auto record_b = [&] { return b.records[static_cast<std::size_t>(difference.b)]; };
  switch (difference.kind) {
    case TLoDifference::Kind::Header:
      return std::string(HeaderPartKey(difference.part)) + ": " +
             HeaderPartText(a, difference.part) + " -> " + HeaderPartText(b, difference.part);
    case TLoDifference::Kind::Order:
      return "Order: the records stand in another order";
    case TLoDifference::Kind::Removed:
      return "- " + std::to_string(difference.a) + " " + name(record_a()) + ": " +
             RecordItemsText(record_a());
    case TLoDifference::Kind::Added:
      return "+ " + std::to_string(difference.b) + " " + name(record_b()) + ": " +
             RecordItemsText(record_b());
    case TLoDifference::Kind::Changed:
      break;
  }
  std::string line = "~ " + std::to_string(difference.a);
  if (difference.b != difference.a) line += "->" + std::to_string(difference.b);
  line += " " + name(record_b()) + ":";
  const char* separator = " ";
  for (TField field : difference.fields) {
    line += separator;
    line += FieldInfo(field).key;
    line += " " + FieldValueText(record_a(), field) + " -> " + FieldValueText(record_b(), field);
    separator = ", ";
  }
  return line;
}
