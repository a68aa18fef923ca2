#include "datafiles/lo_text.h"

#include <algorithm>
#include <bit>
#include <optional>

#include "datafiles/little_endian.h"
#include "datafiles/lo_document.h"
#include "datafiles/lo_file_bytes.h"
#include "datafiles/lo_text_fields.h"

namespace {

using lo_text::AfterKey;
using lo_text::TTextLine;

constexpr std::string_view kCountKey = "Count";
constexpr std::string_view kReservedKey = "Reserved";
constexpr std::string_view kAfterKey = "After";
constexpr std::size_t kAfterBytesPerLine = 16;

// The header is the name, the count, the bytes nothing reads and the
// description, in this order and without gaps.
constexpr const TFieldInfo& kNameField = FieldInfo(TField::Name);
constexpr const TFieldInfo& kDescriptionField = FieldInfo(TField::Description);
static_assert(kNameField.offset == 0 && kNameField.offset + kNameField.width == kCountOffset &&
                  kCountOffset < kReservedOffset && kReservedOffset <= kDescriptionField.offset &&
                  kDescriptionField.offset + kDescriptionField.width == kFirstRecordOffset,
              "the exact text's header lines tile the header");

std::span<const std::uint8_t> Part(std::span<const std::uint8_t> file, std::uint64_t offset,
                                   std::uint64_t width) {
  return file.subspan(offset, width);
}

// Where a header line was read, for the "given twice" and "missing" checks.
struct THeaderLine {
  std::string_view key;
  std::uint64_t offset;
  std::uint64_t width;
  int line = 0;
};

}  // namespace

std::string ExactRecordLines(std::span<const TRecordBytes> records) {
  std::string text;
  for (const TRecordBytes& record : records) {
    text += lo_text::ExactRecordLine(record);
    text += '\n';
  }
  return text;
}

std::vector<TRecordBytes> ParseRecordLines(std::string_view text) {
  std::vector<TRecordBytes> records;
  for (const TTextLine& line : lo_text::MeaningfulLines(text)) {
    std::optional<TRecordBytes> record = lo_text::ReadExactRecordLine(line.text, line.number);
    if (!record) record = lo_text::ReadPlainRecordLine(line.text, line.number);
    if (!record) {
      throw LoTextError(line.number, lo_text::Shown(line.text) + " is not a record line");
    }
    records.push_back(*record);
  }
  if (records.empty()) throw LoTextError(1, "the text holds no records");
  return records;
}

std::string LoFileToExactText(std::span<const std::uint8_t> file) {
  const int count = ReadableCount(file);

  std::string text;
  const auto line = [&text](std::string_view key, const std::string& value) {
    text += key;
    text += ": ";
    text += value;
    text += '\n';
  };
  line(kNameField.key, lo_text::QuotedText(Part(file, kNameField.offset, kNameField.width)));
  line(kCountKey, std::to_string(count));
  line(kReservedKey, lo_text::HexBytes(Part(file, kReservedOffset, kReservedWidth)));
  line(kDescriptionField.key, lo_text::QuotedText(Part(file, kDescriptionField.offset, kDescriptionField.width)));
  for (int i = 0; i < count; ++i) {
    text += lo_text::ExactRecordLine(RecordBytesAt(file, i));
    text += '\n';
  }
  for (std::uint64_t at = LengthForCount(count); at < file.size(); at += kAfterBytesPerLine) {
    line(kAfterKey, lo_text::HexBytes(file.subspan(at).first(
                        std::min<std::size_t>(kAfterBytesPerLine, file.size() - at))));
  }
  return text;
}

std::vector<std::uint8_t> LoFileFromExactText(std::string_view text) {
  std::vector<std::uint8_t> header(kFirstRecordOffset, 0);
  std::vector<TRecordBytes> records;
  std::vector<std::uint8_t> after;
  std::uint32_t count = 0;
  std::array<THeaderLine, 4> parts{{{kNameField.key, kNameField.offset, kNameField.width},
                                    {kCountKey, kCountOffset, kCountWidth},
                                    {kReservedKey, kReservedOffset, kReservedWidth},
                                    {kDescriptionField.key, kDescriptionField.offset, kDescriptionField.width}}};
  THeaderLine& count_part = parts[1];

  for (const TTextLine& line : lo_text::MeaningfulLines(text)) {
    if (std::optional<TRecordBytes> record = lo_text::ReadExactRecordLine(line.text, line.number)) {
      if (records.size() == static_cast<std::size_t>(kLoRecordCapacity)) {
        throw LoTextError(line.number, "a Lo file holds at most 256 records");
      }
      records.push_back(*record);
      continue;
    }
    if (std::optional<std::string_view> value = AfterKey(line.text, kAfterKey)) {
      const std::vector<std::uint8_t> bytes = lo_text::ReadHexBytes(*value, line.number);
      after.insert(after.end(), bytes.begin(), bytes.end());
      continue;
    }
    THeaderLine* part = nullptr;
    std::optional<std::string_view> value;
    for (THeaderLine& candidate : parts) {
      if ((value = AfterKey(line.text, candidate.key))) {
        part = &candidate;
        break;
      }
    }
    if (part == nullptr) {
      throw LoTextError(line.number, lo_text::Shown(line.text) +
                                         " is not a Name, Count, Reserved, Description, Record "
                                         "or After line");
    }
    if (part->line != 0) {
      throw LoTextError(line.number, "a second " + std::string(part->key) +
                                         " line (the first is line " + std::to_string(part->line) +
                                         ")");
    }
    part->line = line.number;
    std::vector<std::uint8_t> bytes;
    if (part == &count_part) {
      count = lo_text::ReadNumber(*value, kLoRecordCapacity, kCountKey, line.number);
      continue;
    }
    if (part->key == kReservedKey) {
      bytes = lo_text::ReadHexBytes(*value, line.number);
      if (bytes.size() != part->width) {
        throw LoTextError(line.number, "Reserved: " + std::to_string(bytes.size()) +
                                           " bytes given; the header holds " +
                                           std::to_string(part->width) + " here");
      }
    } else {
      bytes = lo_text::ReadQuotedText(*value, part->width, part->key, line.number);
    }
    std::copy(bytes.begin(), bytes.end(),
              header.begin() + static_cast<std::ptrdiff_t>(part->offset));
  }

  for (const THeaderLine& part : parts) {
    // Left out, the reserved bytes are zeros (the header starts as zeros).
    if (part.line == 0 && part.key != kReservedKey) {
      throw LoTextError(lo_text::LastLineNumber(text),
                        "the text ends without a " + std::string(part.key) + " line");
    }
  }
  if (count != records.size()) {
    throw LoTextError(count_part.line, "Count is " + std::to_string(count) + " but " +
                                           std::to_string(records.size()) +
                                           " record lines follow; make them agree");
  }
  little_endian::StoreU16(header.data() + kCountOffset, static_cast<std::uint16_t>(count));

  std::vector<std::uint8_t> file = std::move(header);
  file.reserve(RecordOffset(static_cast<std::int64_t>(records.size())) + after.size());
  for (const TRecordBytes& record : records) file.insert(file.end(), record.begin(), record.end());
  file.insert(file.end(), after.begin(), after.end());
  return file;
}
