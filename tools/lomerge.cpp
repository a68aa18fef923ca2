// lomerge [--help | --version] BASE OURS THEIRS [-o OUT]
//
// A three-way merge of Lo files, usable as git's merge driver: the changes
// from BASE to OURS and from BASE to THEIRS together, record by record and
// field by field. The result replaces OURS (or OUT) in one step once the
// whole merge is done. Conflicts keep ours and are listed on standard error
// with both values and the base, in the exact text form's words; the exit
// status is then 1. An input that does not read, a result that cannot be
// written or a wrong command line exit 2 and change nothing.

#include <exception>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "datafiles/lo_merge.h"
#include "errors/user_message.h"
#include "platform/whole_file.h"
#include "tool_command_line.h"
#include "tool_files.h"

namespace {

constexpr std::string_view kUsage = "usage: lomerge [OPTION] BASE OURS THEIRS [-o OUT]\n";
constexpr std::string_view kHelp =
    "Merges the changes from the Lo file BASE to OURS and from BASE to THEIRS\n"
    "and writes the result over OURS (or into OUT), in one step once the whole\n"
    "merge is done. Records are matched as lodiff matches them. A change on\n"
    "one side only is taken, field by field; records added on either side are\n"
    "kept (ours first, then theirs); a record removed on one side and untouched\n"
    "on the other is removed. Both sides changing a field differently, or one\n"
    "removing a record the other changed, is a conflict: ours is kept and the\n"
    "conflict is listed on standard error with both values and the base.\n"
    "Records beyond the 256 a Lo file holds are left out, each a conflict.\n"
    "\n"
    "As git's merge driver:\n"
    "  git config merge.lofile.driver \"lomerge %O %A %B\"\n"
    "  echo '*.dat merge=lofile' >> .gitattributes\n"
    "\n"
    "  -o OUT         write the result into OUT instead of OURS\n"
    "  -h, --help     print this help and exit\n"
    "  -v, --version  print the version and exit\n"
    "  --             end of options (for a file name that starts with '-')\n"
    "\n"
    "Exit status: 0 when merged cleanly, 1 when merged with conflicts, 2 when a\n"
    "file cannot be read or written (the editor's message on standard error;\n"
    "nothing is changed) or for a wrong command line.\n";

const TToolSyntax kSyntax{"lomerge", kUsage, {}, true};

}  // namespace

int main(int argc, char** argv) {
  TToolCommand command = ParseToolCommand(argc, argv, kSyntax);
  if (command.files.size() != 3) MarkWrong(command, kSyntax);
  if (const std::optional<int> status = AnswerWithoutRunning(command, kSyntax, kHelp)) {
    return *status;
  }
  std::vector<TLoFileParts> files;
  for (const std::string& file : command.files) {
    try {
      files.push_back(ReadLoFileParts(file));
    } catch (const std::exception& error) {
      std::cerr << "lomerge: " << file << ": " << UserMessage(error) << "\n";
      return 2;
    }
  }
  const TMergeResult result = MergeLoFiles(files[0], files[1], files[2]);
  const std::string& out = command.output.empty() ? command.files[1] : command.output;
  try {
    const std::vector<std::uint8_t> bytes = JoinLoFile(result.merged);
    ReplaceWholeFile(out,
                     std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  } catch (const std::exception& error) {
    std::cerr << "lomerge: " << out << ": " << UserMessage(error) << "\n";
    return 2;
  }
  for (const std::string& conflict : result.conflicts) {
    std::cerr << "lomerge: conflict: " << conflict << "\n";
  }
  return result.conflicts.empty() ? 0 : 1;
}
