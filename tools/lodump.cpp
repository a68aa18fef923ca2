// lodump LOFILE [OBJDAT_FOLDER]
//
// Prints a Lo file as the editor shows it, for reading or diffing in a
// terminal: the header texts and count, then one line per record with the
// contents-list row and the record's field texts (decimal separator ".").
// Opens every file read-only and changes nothing. Errors are reported with
// the editor's messages and exit status 1; a wrong command line gives 2.

#include <cstdint>
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "datafiles/lo_document.h"
#include "datafiles/obj_catalogue.h"
#include "editor/list_rows.h"
#include "editor/number_text.h"
#include "errors/user_message.h"
#include "platform/file_lookup.h"

namespace {

// The catalogue loader creates objdat.nam when it is missing; a dump must
// not, so without a names file no names are shown.
bool LoadCatalogueWithoutCreating(const std::string& folder, TObjCatalogue& catalogue) {
  const std::filesystem::path exact_path = TObjCatalogue::CataloguePath(folder);
  const std::optional<std::filesystem::path> catalogue_path = FindIgnoringCase(exact_path);
  if (catalogue_path) {
    std::filesystem::path names_path = *catalogue_path;
    names_path.replace_extension(".nam");
    if (!FindIgnoringCase(names_path)) return false;
  }
  catalogue.Load(folder, {}, TObjCatalogue::Access::ReadOnly);
  return true;
}

// The record's fields as the editor shows them, in window order.
std::string RecordLine(int index, const TLoRecord& record, const TObjCatalogue& catalogue) {
  constexpr char kSeparator = '.';
  std::string line = ContentsRow(index, record, ContentsRowName(catalogue, record));
  for (TField field : kRecordFields) {
    const TFieldInfo& info = FieldInfo(field);
    line += '\t';
    line += info.key;
    line += '=';
    switch (info.kind) {
      case TFieldKind::Float:
        line += FormatFixed2(record.*info.number, kSeparator);
        break;
      case TFieldKind::Choice:
        line += record.*info.byte == 0 ? "0" : "1";
        break;
      default:
        line += IntegerText(record.*info.byte);
        break;
    }
  }
  return line;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::cerr << "usage: lodump LOFILE [OBJDAT_FOLDER]\n";
    return 2;
  }
  try {
    static TLoDocument document;  // 256 records: keep them off the stack
    document.OpenReadOnly(argv[1]);
    const int count = document.ReadAll();
    document.Close();

    static TObjCatalogue catalogue;
    catalogue.ObjLastIndex = -1;
    if (argc == 3 && !LoadCatalogueWithoutCreating(argv[2], catalogue)) {
      std::cerr << "lodump: no objdat.nam in " << argv[2] << ", object names not shown\n";
    }

    std::cout << "Name: " << document.NameText() << "\n"
              << "Count: " << count << "\n"
              << "Description: " << document.DescriptionText() << "\n";
    for (int i = 0; i < count; ++i) {
      std::cout << RecordLine(i, document.LoRecordTable[static_cast<std::size_t>(i)], catalogue)
                << "\n";
    }
  } catch (const std::exception& error) {
    // Every failure reads as the error box would show it.
    std::cout.flush();
    std::cerr << "lodump: " << UserMessage(error) << "\n";
    return 1;
  }
  return 0;
}
