#pragma once

#include <string_view>

#include "rtf/rtf_runs.h"
#include "rtf/rtf_tables.h"

// What a group saves and its closing brace restores.
struct RtfGroupState {
  RtfDestination destination = RtfDestination::Text;
  RtfCharStyle style;
  int uc = 1;           // fallback units that follow each \uN
  bool hidden = false;  // \v text is not shown
};

// A control word's parameter as the formatting words read it.
struct RtfWordValue {
  int param = 0;
  bool has_param = false;
  bool on = true;  // no parameter, or one other than 0
};

// What a control word does in the text: stands for a character, marks a
// paragraph, or changes the group's character formatting.
struct RtfTextWord {
  enum class Kind { Char, Paragraph, Format };
  Kind kind = Kind::Char;
  char16_t ch = 0;
  void (*format)(RtfGroupState&, const RtfWordValue&) = nullptr;
};

// The word's meaning in the text; null for a word the text ignores.
const RtfTextWord* FindTextWord(std::string_view word);
