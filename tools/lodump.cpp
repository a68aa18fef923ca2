// lodump [--help | --version] LOFILE [OBJDAT_FOLDER]
// lodump --exact LOFILE
// lodump --check LOFILE [OBJDAT_FOLDER]
//
// Prints a Lo file as the editor shows it, for reading or diffing in a
// terminal: the header texts and count, then one line per record with the
// contents-list row and the record's field texts (decimal separator ".").
// With --exact it prints the exact text form instead, which loload reads
// back into the same bytes. With --check it lists what the game would trip
// over, one line per finding, and exits 1 when there is any.
// Opens every file read-only and changes nothing. Errors are reported with
// the editor's messages and exit status 1; a wrong command line gives 2.

#include <cstdint>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "datafiles/lo_check.h"
#include "datafiles/lo_document.h"
#include "datafiles/lo_text.h"
#include "datafiles/obj_catalogue.h"
#include "editor/list_rows.h"
#include "editor/number_text.h"
#include "errors/user_message.h"
#include "tool_command_line.h"
#include "tool_files.h"

namespace {

constexpr std::string_view kUsage = "usage: lodump [OPTION] LOFILE [OBJDAT_FOLDER]\n";
constexpr std::string_view kHelp =
    "Prints a Lo file as the editor shows it: the header texts and the record\n"
    "count, then one line per record with its contents-list row and its field\n"
    "texts. OBJDAT_FOLDER, the folder of objdat.dat and objdat.nam, gives the\n"
    "object names. Every file is opened read-only; nothing is changed.\n"
    "\n"
    "  --exact        print every byte of the file in the exact text form,\n"
    "                 which loload reads back (no OBJDAT_FOLDER)\n"
    "  --check        list what the game or a modder would trip over, one\n"
    "                 line per finding naming its record: a class and type\n"
    "                 the catalogue lacks (with OBJDAT_FOLDER), X, Y, Z or R\n"
    "                 not finite, records of one kind stacked within 0.01\n"
    "                 units, a state other than 0 or 1, a count out of range\n"
    "                 or beyond the file's end, a file ending in part of a\n"
    "                 record (whole records after the count, as Remove Object\n"
    "                 leaves them, are fine); exit status 1 when any is found\n"
    "  -h, --help     print this help and exit\n"
    "  -v, --version  print the version and exit\n"
    "  --             end of options (for a file name that starts with '-')\n"
    "\n"
    "Exit status: 0 when printed (with --check: nothing found), 1 when a file\n"
    "cannot be read (the editor's message on standard error) or --check found\n"
    "something, 2 for a wrong command line.\n";

// What the command line asks for. Options are only recognised before "--";
// the first unknown one is an error.
const TToolSyntax kSyntax{"lodump", kUsage, {"--exact", "--check"}};

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

// The file check: one line per finding; 1 when there is any.
int Check(TLoDocument& document, const TToolCommand& command) {
  const std::vector<std::uint8_t> bytes = document.ReadFileBytes();
  document.Close();
  static TObjCatalogue catalogue;
  const TObjCatalogue* known = nullptr;
  if (command.files.size() == 2) {
    if (LoadCatalogueWithoutCreating(command.files[1], catalogue)) {
      known = &catalogue;
    } else {
      std::cerr << "lodump: no objdat.nam in " << command.files[1]
                << ", classes and types not checked\n";
    }
  }
  const std::vector<TLoFinding> findings = CheckLoFile(bytes, known);
  for (const TLoFinding& finding : findings) std::cout << finding.text << "\n";
  return findings.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  TToolCommand command = ParseToolCommand(argc, argv, kSyntax);
  const bool exact = command.Has("--exact");
  if (command.files.empty() || command.files.size() > (exact ? 1u : 2u) ||
      (exact && command.Has("--check"))) {
    MarkWrong(command, kSyntax);
  }
  if (const std::optional<int> status = AnswerWithoutRunning(command, kSyntax, kHelp)) {
    return *status;
  }
  try {
    static TLoDocument document;  // 256 records: keep them off the stack
    document.OpenReadOnly(command.files[0]);
    if (exact) {
      const std::vector<std::uint8_t> bytes = document.ReadFileBytes();
      document.Close();
      std::cout << LoFileToExactText(bytes);
      return 0;
    }
    if (command.Has("--check")) return Check(document, command);
    const int count = document.ReadAll();
    document.Close();

    static TObjCatalogue catalogue;
    catalogue.ObjLastIndex = -1;
    if (command.files.size() == 2 && !LoadCatalogueWithoutCreating(command.files[1], catalogue)) {
      std::cerr << "lodump: no objdat.nam in " << command.files[1] << ", object names not shown\n";
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
