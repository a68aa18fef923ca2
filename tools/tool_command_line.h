#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The command line every tool reads the same way: -h/--help, -v/--version,
// the tool's own options, "--" ending the options, and the rest operands
// (a lone "-" is an operand: standard input).

struct TToolSyntax {
  std::string_view name;                     // "lodiff"
  std::string_view usage;                    // "usage: lodiff ...\n"
  std::vector<std::string_view> flags = {};  // the tool's options without a value
  bool takes_output = false;                 // "-o FILE", once
};

struct TToolCommand {
  enum class Kind { Run, Help, Version, Wrong } kind = Kind::Run;
  std::vector<std::string> files;  // the operands, in order
  std::vector<std::string> flags;  // the tool's options given
  std::string output;              // -o's file, empty without
  std::string error;               // for Wrong: the one line to print

  bool Has(std::string_view flag) const;
};

// Also sets standard input, output and error to carry bytes untranslated.
TToolCommand ParseToolCommand(int argc, char** argv, const TToolSyntax& syntax);
// A command line that reads but does not fit the tool (too many files, two
// options that exclude each other): the usage line is its error. Help and
// Version stay as they are.
void MarkWrong(TToolCommand& command, const TToolSyntax& syntax);
// Help, version and a wrong command line are answered here: prints what
// they ask for and returns the exit status (0, 0, 2). Nothing for a run.
std::optional<int> AnswerWithoutRunning(const TToolCommand& command, const TToolSyntax& syntax,
                                        std::string_view help);
