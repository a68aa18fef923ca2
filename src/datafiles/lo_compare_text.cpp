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

std::string DifferenceFromHere(const TLoDifference& difference, const TLoFileParts& other,
                               const TLoFileParts& here, const std::string& there,
                               const TRecordNamer& name) {
  const auto there_record = [&] { return other.records[static_cast<std::size_t>(difference.a)]; };
  const auto here_record = [&] { return here.records[static_cast<std::size_t>(difference.b)]; };
  const auto values = [&](const std::string& key, const std::string& here_value,
                          const std::string& there_value) {
    return key + " here " + here_value + ", in " + there + " " + there_value;
  };
  switch (difference.kind) {
    case TLoDifference::Kind::Header:
      return values(std::string(HeaderPartKey(difference.part)) + ":",
                    HeaderPartText(here, difference.part), HeaderPartText(other, difference.part));
    case TLoDifference::Kind::Order:
      return "Order: the records stand in another order in " + there + " (take: all of " + there +
             ")";
    case TLoDifference::Kind::Removed:  // from the other file to this one
      return "only in " + there + ": " + name(there_record()) + " at " +
             FieldValueText(there_record(), TField::X) + ", " +
             FieldValueText(there_record(), TField::Y) + " (take: add it here)";
    case TLoDifference::Kind::Added:
      return "only here: " + name(here_record()) + " (take: remove it)";
    case TLoDifference::Kind::Changed:
      break;
  }
  std::string line = name(here_record()) + ":";
  const char* separator = " ";
  for (TField field : difference.fields) {
    line += separator;
    line += values(FieldInfo(field).key, FieldValueText(here_record(), field),
                   FieldValueText(there_record(), field));
    separator = "; ";
  }
  return line;
}
