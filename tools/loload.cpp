// loload [--help | --version] TEXTFILE LOFILE
//
// Writes a Lo file from its exact text form (what lodump --exact prints),
// so `lodump --exact A | loload - B` makes B a byte-for-byte copy of A.
// The text is read whole and checked before anything is written; an
// existing LOFILE is first copied to the editor's backups folder and then
// replaced atomically. A line that does not read gives its number and what
// is wrong on standard error, exit status 1, and nothing is written; other
// failures use the editor's messages with status 1; a wrong command line 2.

#include <cerrno>
#include <exception>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "datafiles/lo_text.h"
#include "editor/backups.h"
#include "errors/user_message.h"
#include "platform/whole_file.h"
#include "tool_command_line.h"

namespace {

constexpr std::string_view kUsage = "usage: loload [OPTION] TEXTFILE LOFILE\n";
constexpr std::string_view kHelp =
    "Writes the Lo file LOFILE from TEXTFILE, a Lo file's exact text form as\n"
    "lodump --exact prints it; \"-\" reads the text from standard input. The whole\n"
    "text is checked first: a line that does not read is reported with its\n"
    "number and nothing is written. An existing LOFILE is copied to the\n"
    "editor's backups folder, then replaced in one step.\n"
    "\n"
    "  -h, --help     print this help and exit\n"
    "  -v, --version  print the version and exit\n"
    "  --             end of options (for a file name that starts with '-')\n"
    "\n"
    "Exit status: 0 when written, 1 when the text does not read or a file\n"
    "cannot be read or written (the message on standard error), 2 for a wrong\n"
    "command line.\n";

const TToolSyntax kSyntax{"loload", kUsage};

std::string ReadText(const std::string& name) {
  if (name != "-") return ReadWholeFile(name);
  std::string text((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
  if (std::cin.bad()) throw InOutError::Unlisted(EIO);
  return text;
}

// The editor's backup copy of the file as it is now, when there is one.
// A copy that cannot be made is reported and the write goes on, as in the
// editor.
void KeepBackupCopy(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::exists(file, error)) return;
  TBackupKeeper keeper;
  keeper.SetFolder(BackupFolderFromEnvironment());
  try {
    const std::string bytes = ReadWholeFile(file);
    keeper.Opened(file, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  } catch (const AppError& failure) {
    keeper.OpenedUnread(file, failure.what());
  }
  if (std::optional<std::string> message = keeper.BeforeWrite()) {
    std::cerr << "loload: " << UserMessage(*message) << "\n";
  }
}

}  // namespace

int main(int argc, char** argv) {
  TToolCommand command = ParseToolCommand(argc, argv, kSyntax);
  if (command.files.size() != 2) MarkWrong(command, kSyntax);
  if (const std::optional<int> status = AnswerWithoutRunning(command, kSyntax, kHelp)) {
    return *status;
  }
  const std::string text_name = command.files[0] == "-" ? "standard input" : command.files[0];
  const std::filesystem::path lo_file = command.files[1];
  const std::string* failing = &text_name;  // named in the message
  try {
    const std::vector<std::uint8_t> bytes = LoFileFromExactText(ReadText(command.files[0]));
    failing = &command.files[1];
    KeepBackupCopy(lo_file);
    ReplaceWholeFile(lo_file,
                     std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  } catch (const std::exception& error) {
    // "loload: LoX.txt, line 7: X: 'abc' is not a number."
    const char* separator = dynamic_cast<const LoTextError*>(&error) ? ", " : ": ";
    std::cerr << "loload: " << *failing << separator << UserMessage(error) << "\n";
    return 1;
  }
  return 0;
}
