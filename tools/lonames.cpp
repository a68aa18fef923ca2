// lonames [--help | --version] OBJDAT_FOLDER [-o TEXTFILE]
// lonames --import TEXTFILE OBJDAT_FOLDER
//
// The names of the catalogue's object kinds as text, to share: a line
// "class type name" per entry of objdat.dat, in catalogue order, from
// objdat.nam (printed, or written to TEXTFILE). With --import, the lines of
// TEXTFILE name the entries of their kind (the k-th line of a kind the k-th
// entry) and objdat.nam is written whole in one step, after a copy to the
// editor's backups folder. Lines that cannot be placed are listed with
// their numbers on standard error (status 1); the others are written.
// objdat.dat is only read.

#include <cerrno>
#include <exception>
#include <iterator>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "datafiles/names_file.h"
#include "datafiles/names_text.h"
#include "editor/backups.h"
#include "errors/user_message.h"
#include "platform/file_lookup.h"
#include "platform/whole_file.h"
#include "tool_command_line.h"

namespace {

constexpr std::string_view kUsage =
    "usage: lonames [OPTION] OBJDAT_FOLDER [-o TEXTFILE]\n"
    "   or: lonames --import TEXTFILE OBJDAT_FOLDER\n";
constexpr std::string_view kHelp =
    "Prints the names of the object kinds of OBJDAT_FOLDER's catalogue (objdat.dat\n"
    "with objdat.nam) as lines \"class type name\", one per entry in catalogue\n"
    "order, in UTF-8; -o writes them to TEXTFILE instead. Without objdat.nam\n"
    "every entry is \"No Name Entered\".\n"
    "\n"
    "With --import, the lines of TEXTFILE name the entries: the k-th line of a\n"
    "class and type names the k-th entry of that kind. Lines that cannot be\n"
    "placed are listed with their numbers; the others are written. objdat.nam\n"
    "is copied to the editor's backups folder, then written whole in one step.\n"
    "\n"
    "  --import TEXTFILE  name the entries from TEXTFILE (\"-\" reads standard input)\n"
    "  -o TEXTFILE        write the names to TEXTFILE instead of standard output\n"
    "  -h, --help         print this help and exit\n"
    "  -v, --version      print the version and exit\n"
    "  --                 end of options (for a file name that starts with '-')\n"
    "\n"
    "Exit status: 0 when done, 1 when lines were not placed (the rest written)\n"
    "or a file cannot be read or written (the message on standard error), 2 for\n"
    "a wrong command line.\n";

const TToolSyntax kSyntax{"lonames", kUsage, {"--import"}, true};

struct NamesFiles {
  std::filesystem::path catalogue;
  std::filesystem::path names;
  bool names_exist = false;
};

NamesFiles FindFiles(const std::string& folder) {
  NamesFiles files;
  const std::filesystem::path exact = TObjCatalogue::CataloguePath(folder);
  files.catalogue = FindIgnoringCase(exact).value_or(exact);
  std::filesystem::path names = files.catalogue;
  names.replace_extension(".nam");
  const std::optional<std::filesystem::path> found = FindIgnoringCase(names);
  files.names = found.value_or(names);
  files.names_exist = found.has_value();
  return files;
}

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
  const std::string bytes = ReadWholeFile(path);
  return {bytes.begin(), bytes.end()};
}

std::string ReadText(const std::string& name) {
  if (name != "-") return ReadWholeFile(name);
  std::string text((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
  if (std::cin.bad()) throw InOutError::Unlisted(EIO);
  return text;
}

// The editor's copy of the names file before its change; one that cannot be
// made is told and the write goes on, as in the editor.
void KeepBackupCopy(const std::filesystem::path& names) {
  TBackupKeeper keeper;
  keeper.SetFolder(BackupFolderFromEnvironment());
  if (std::optional<std::string> message = keeper.BeforeWriteTo(names)) {
    std::cerr << "lonames: " << UserMessage(*message) << "\n";
  }
}

// `failing` names the file being read or written, for the message.
int Export(const std::string& folder, const std::string& output, std::string& failing) {
  const NamesFiles files = FindFiles(folder);
  failing = files.catalogue.string();
  const std::vector<TObjKind> kinds = ReadCatalogueKinds(files.catalogue);
  failing = files.names.string();
  const std::vector<std::uint8_t> names =
      files.names_exist ? ReadBytes(files.names) : std::vector<std::uint8_t>();
  const std::string text = NamesText(kinds, names);
  failing = output.empty() ? "standard output" : output;
  if (output.empty()) {
    std::cout << text;
    std::cout.flush();
    if (!std::cout) throw InOutError::Unlisted(EIO);
  } else {
    ReplaceWholeFile(output, text);
  }
  return 0;
}

int Import(const std::string& text_name, const std::string& folder, std::string& failing) {
  const std::string shown = text_name == "-" ? "standard input" : text_name;
  failing = shown;
  const std::string text = ReadText(text_name);
  const NamesFiles files = FindFiles(folder);
  failing = files.catalogue.string();
  const std::vector<TObjKind> kinds = ReadCatalogueKinds(files.catalogue);
  failing = files.names.string();
  const std::vector<std::uint8_t> old =
      files.names_exist ? ReadBytes(files.names) : std::vector<std::uint8_t>();
  const TNamesImport result = ImportNamesText(text, kinds, old);
  for (const std::string& problem : result.problems) {
    std::cerr << "lonames: " << shown << ", " << problem << "\n";
  }
  if (!files.names_exist || result.Changes(old)) {
    if (files.names_exist) KeepBackupCopy(files.names);
    ReplaceWholeFile(files.names, std::string_view(reinterpret_cast<const char*>(result.file.data()),
                                                   result.file.size()));
  }
  return result.problems.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  TToolCommand command = ParseToolCommand(argc, argv, kSyntax);
  const bool import = command.Has("--import");
  if (command.files.size() != (import ? 2u : 1u) || (import && !command.output.empty())) {
    MarkWrong(command, kSyntax);
  }
  if (const std::optional<int> status = AnswerWithoutRunning(command, kSyntax, kHelp)) {
    return *status;
  }
  std::string failing;
  try {
    return import ? Import(command.files[0], command.files[1], failing)
                  : Export(command.files[0], command.output, failing);
  } catch (const std::exception& error) {
    // "lonames: /games/data/objdat.nam: File access denied."
    std::cerr << "lonames: " << failing << ": " << UserMessage(error) << "\n";
    return 1;
  }
}
