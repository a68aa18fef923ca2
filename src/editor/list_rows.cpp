#include "editor/list_rows.h"

#include <optional>
#include <vector>

#include "datafiles/lo_document.h"
#include "editor/editor_view.h"

std::string JoinRow(long long first, unsigned long long object_class, unsigned long long type,
                    const std::string& name) {
  return std::to_string(first) + ";" + std::to_string(object_class) + ";" + std::to_string(type) +
         ";" + name;
}

std::string ContentsRow(int index, const TLoRecord& record, const std::string& name) {
  return JoinRow(index, record.object_class, record.object_type, name);
}

std::string ContentsRowName(const TObjCatalogue& catalogue, const TLoRecord& record) {
  return catalogue.FindName(record.object_class, record.object_type).value_or(kPlaceholderName);
}

std::string CatalogueRow(const TObjCatalogue& catalogue, int index) {
  const TObjEntry& entry = catalogue.ObjEntryTable[static_cast<std::size_t>(index)];
  return JoinRow(index, entry.words[0], entry.words[1], catalogue.NameText(index));
}

namespace {

// LastIndex + 1 records, never more than the table holds.
int RecordCount(const TLoDocument& document) {
  const int count = document.LastIndex + 1;
  if (count < 0) return 0;
  return count > kLoRecordCapacity ? kLoRecordCapacity : count;
}

}  // namespace

void FillPlaceholderRows(const TLoDocument& document, TEditorView& view) {
  std::vector<std::string> rows;
  const int count = RecordCount(document);
  rows.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    rows.push_back(
        ContentsRow(i, document.LoRecordTable[static_cast<std::size_t>(i)], kPlaceholderName));
  }
  view.ReplaceContentsRows(std::move(rows));
}

void RefreshContentsRows(const TLoDocument& document, const TObjCatalogue& catalogue,
                         TEditorView& view) {
  std::vector<std::string> rows;
  const int count = RecordCount(document);
  rows.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const TLoRecord& record = document.LoRecordTable[static_cast<std::size_t>(i)];
    rows.push_back(ContentsRow(i, record, ContentsRowName(catalogue, record)));
  }
  view.ReplaceContentsRows(std::move(rows));
}

void ShowCatalogueNames(const TObjCatalogue& catalogue, TEditorView& view) {
  std::vector<std::string> rows;
  for (int i = 0; i < catalogue.EntriesRead; ++i) rows.push_back(CatalogueRow(catalogue, i));
  view.ReplaceCatalogueRows(std::move(rows));
}

void LoadCatalogueRows(TObjCatalogue& catalogue, const std::string& folder, TEditorView& view,
                       TObjCatalogue::Access access) {
  // Rows go to the view once, not per entry: the list would be rebuilt
  // for every row of a 512-entry catalogue.
  std::optional<std::vector<std::string>> rows;  // set once the entries are reached
  const TObjCatalogue::RowSink sink{
      [&rows] { rows.emplace(); },
      [&catalogue, &rows](int index) { rows->push_back(CatalogueRow(catalogue, index)); },
  };
  try {
    catalogue.Load(folder, sink, access);
  } catch (...) {
    if (rows) view.ReplaceCatalogueRows(std::move(*rows));
    throw;
  }
  if (rows) view.ReplaceCatalogueRows(std::move(*rows));
}
