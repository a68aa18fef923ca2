// lodiff [--help | --version] LOFILE_A LOFILE_B [OBJDAT_FOLDER]
//
// Prints the differences between two Lo files as a person reads them, one
// per line: header texts, records added, removed and changed (matched as
// the editor's comparison matches them), with the values in the exact text
// form's numbers. Exit status as diff has it: 0 the same, 1 different,
// 2 trouble (a file that does not read, with the editor's message, or a
// wrong command line). Opens every file read-only.

#include <exception>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "datafiles/lo_compare_text.h"
#include "editor/list_rows.h"
#include "errors/user_message.h"
#include "tool_command_line.h"
#include "tool_files.h"

namespace {

constexpr std::string_view kUsage = "usage: lodiff [OPTION] LOFILE_A LOFILE_B [OBJDAT_FOLDER]\n";
constexpr std::string_view kHelp =
    "Prints what changed from the Lo file LOFILE_A to LOFILE_B, one difference\n"
    "a line. Records carry no identity, so they are matched: identical records\n"
    "first, then records of the same class and type, the nearest first, as\n"
    "changed; the rest are added or removed. OBJDAT_FOLDER, the folder of\n"
    "objdat.dat and objdat.nam, gives the object names. Values are in the\n"
    "exact text form's numbers (the shortest decimal that reads back).\n"
    "\n"
    "  Name: \"Old\" -> \"New\"           a header text (also Description,\n"
    "                                 Reserved, After: the bytes after the records)\n"
    "  - 7 Fuel Drum: Class=3 ...      record 7 of A removed\n"
    "  + 12 Pine Tree: Class=1 ...     record 12 of B added\n"
    "  ~ 3 Oak Tree: X 98 -> 99.5      record 3 changed (\"3->5\": and moved in the list)\n"
    "  Order: ...                      the same records in another order\n"
    "\n"
    "  -h, --help     print this help and exit\n"
    "  -v, --version  print the version and exit\n"
    "  --             end of options (for a file name that starts with '-')\n"
    "\n"
    "Exit status: 0 when the files are the same, 1 when they differ, 2 when a\n"
    "file cannot be read (the editor's message on standard error) or for a\n"
    "wrong command line.\n";

const TToolSyntax kSyntax{"lodiff", kUsage};

}  // namespace

int main(int argc, char** argv) {
  TToolCommand command = ParseToolCommand(argc, argv, kSyntax);
  if (command.files.size() < 2 || command.files.size() > 3) MarkWrong(command, kSyntax);
  if (const std::optional<int> status = AnswerWithoutRunning(command, kSyntax, kHelp)) {
    return *status;
  }
  std::vector<TLoFileParts> files;
  for (std::size_t i = 0; i < 2; ++i) {
    try {
      files.push_back(ReadLoFileParts(command.files[i]));
    } catch (const std::exception& error) {
      std::cerr << "lodiff: " << command.files[i] << ": " << UserMessage(error) << "\n";
      return 2;
    }
  }
  static TObjCatalogue catalogue;  // large: keep it off the stack
  catalogue.ObjLastIndex = -1;
  bool named = false;
  if (command.files.size() == 3) {
    try {
      named = LoadCatalogueWithoutCreating(command.files[2], catalogue);
      if (!named) {
        std::cerr << "lodiff: no objdat.nam in " << command.files[2]
                  << ", object names not shown\n";
      }
    } catch (const std::exception& error) {
      std::cerr << "lodiff: " << command.files[2] << ": " << UserMessage(error) << "\n";
      return 2;
    }
  }
  const TRecordNamer name = [named](const TRecordBytes& record) {
    if (named) return ContentsRowName(catalogue, UnpackRecord(record));
    return std::to_string(record[0]) + ";" + std::to_string(record[1]);
  };
  const std::vector<TLoDifference> differences = CompareLoFiles(files[0], files[1]);
  for (const TLoDifference& difference : differences) {
    std::cout << DifferenceLine(difference, files[0], files[1], name) << "\n";
  }
  std::cout.flush();
  if (!std::cout) return 2;
  return differences.empty() ? 0 : 1;
}
