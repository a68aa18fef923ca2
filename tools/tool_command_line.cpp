#include "tool_command_line.h"

#include <algorithm>
#include <iostream>

#include "platform/standard_streams.h"
#include "program_version.h"

bool TToolCommand::Has(std::string_view flag) const {
  return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

// Options are only recognised before "--".
TToolCommand ParseToolCommand(int argc, char** argv, const TToolSyntax& syntax) {
  // Every tool reads its command line first: from here on its streams carry
  // the same bytes on every system.
  UseBinaryStandardStreams();
  using Kind = TToolCommand::Kind;
  TToolCommand command;
  const auto only = [](Kind kind) {
    TToolCommand answer;
    answer.kind = kind;
    return answer;
  };
  bool options_ended = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    const bool option = !options_ended && argument.size() > 1 && argument.front() == '-';
    if (!options_ended && argument == "--") {
      options_ended = true;
    } else if (option && syntax.takes_output && argument == "-o" && i + 1 < argc &&
               command.output.empty()) {
      command.output = argv[++i];
    } else if (option && (argument == "-h" || argument == "--help")) {
      return only(Kind::Help);
    } else if (option && (argument == "-v" || argument == "--version")) {
      return only(Kind::Version);
    } else if (option && std::find(syntax.flags.begin(), syntax.flags.end(), argument) !=
                             syntax.flags.end()) {
      command.flags.emplace_back(argument);
    } else if (option) {
      const std::string name(syntax.name);
      command = only(Kind::Wrong);
      command.error =
          name + ": unknown option '" + std::string(argument) + "' (see " + name + " --help)";
      return command;
    } else {
      command.files.emplace_back(argument);
    }
  }
  return command;
}

void MarkWrong(TToolCommand& command, const TToolSyntax& syntax) {
  if (command.kind != TToolCommand::Kind::Run) return;
  command.kind = TToolCommand::Kind::Wrong;
  command.error = std::string(syntax.usage.substr(0, syntax.usage.size() - 1));
}

std::optional<int> AnswerWithoutRunning(const TToolCommand& command, const TToolSyntax& syntax,
                                        std::string_view help) {
  switch (command.kind) {
    case TToolCommand::Kind::Help:
      std::cout << syntax.usage << help;
      return 0;
    case TToolCommand::Kind::Version:
      std::cout << syntax.name << " " << LO_PROGRAM_VERSION_LABEL << "\n";
      return 0;
    case TToolCommand::Kind::Wrong:
      std::cerr << command.error << "\n";
      return 2;
    case TToolCommand::Kind::Run:
      break;
  }
  return std::nullopt;
}
