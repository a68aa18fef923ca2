#include "editor/level_find.h"

#include <algorithm>
#include <map>

#include "datafiles/lo_check.h"
#include "datafiles/lo_compare.h"
#include "datafiles/obj_catalogue.h"
#include "editor/list_filter.h"
#include "editor/list_rows.h"
#include "editor/number_text.h"
#include "errors/app_error.h"
#include "platform/whole_file.h"

namespace {

// The record's bytes where the file holds them whole, else zeros.
TLoRecord RecordAt(const std::vector<std::uint8_t>& bytes, int index) {
  const std::uint64_t at = RecordOffset(index);
  if (index < 0 || at + kRecordSize > bytes.size()) return {};
  TRecordBytes record{};
  std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), kRecordSize, record.begin());
  return UnpackRecord(record);
}

// Check File's findings, one entry per record it names (the file's own first).
std::vector<TFoundRecord> Findings(const std::vector<std::uint8_t>& bytes,
                                   const TObjCatalogue* catalogue) {
  std::map<int, TFoundRecord> by_record;
  for (const TLoFinding& finding : CheckLoFile(bytes, catalogue)) {
    TFoundRecord& found = by_record[finding.record];
    if (found.findings.empty()) {
      found.record = finding.record;
      found.values = RecordAt(bytes, finding.record);
    } else {
      found.findings += "; ";
    }
    found.findings += finding.text;
  }
  std::vector<TFoundRecord> records;
  for (auto& [index, found] : by_record) records.push_back(std::move(found));
  return records;
}

bool Answers(const TLevelQuery& query, int index, const TLoRecord& record,
             const TObjCatalogue* catalogue) {
  if (query.kind == TLevelQuery::Kind::ObjectKind) {
    return record.object_class == query.object_class && record.object_type == query.object_type;
  }
  // The same reading as the lists' find: a name part, or a class or type number.
  return RowMatchesFind(ContentsRow(index, record, FoundName(catalogue, record)), query.text);
}

}  // namespace

std::string TLevelQuery::Caption() const {
  switch (kind) {
    case Kind::ObjectKind:
      return "kind " + std::to_string(object_class) + "/" + std::to_string(object_type);
    case Kind::NameOrNumber:
      return "\"" + text + "\"";
    case Kind::Findings:
      return "Check File findings";
  }
  return {};
}

std::string FoundPosition(const TLoRecord& record, char separator) {
  auto text = [separator](float value) {
    try {
      return FormatFixed2(value, separator);
    } catch (const FloatError&) {
      return std::string("NAN");  // a signalling NaN: only a list, nothing to trap
    }
  };
  return text(record.x) + "; " + text(record.y);
}

std::string FoundName(const TObjCatalogue* catalogue, const TLoRecord& record) {
  if (catalogue == nullptr) return kPlaceholderName;
  return ContentsRowName(*catalogue, record);
}

TLevelFinds FindInLevel(const TLevelFile& file, const TLevelQuery& query,
                        const TObjCatalogue* catalogue) {
  TLevelFinds finds;
  finds.file = file;
  try {
    const std::string text = ReadWholeFile(file.path);
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    if (query.kind == TLevelQuery::Kind::Findings) {
      finds.records = Findings(bytes, catalogue);
      return finds;
    }
    const TLoFileParts parts = SplitLoFile(bytes);
    for (std::size_t i = 0; i < parts.records.size(); ++i) {
      const TLoRecord record = UnpackRecord(parts.records[i]);
      const int index = static_cast<int>(i);
      if (Answers(query, index, record, catalogue)) finds.records.push_back({index, record, {}});
    }
  } catch (const std::exception& error) {
    finds.records.clear();
    finds.problem = error.what();
  }
  return finds;
}
