#include "rtf/rtf_text_words.h"

#include <QChar>
#include <algorithm>
#include <unordered_map>

namespace {

using Kind = RtfTextWord::Kind;
using Value = RtfWordValue;
using State = RtfGroupState;

constexpr RtfTextWord Char(char16_t ch) { return {Kind::Char, ch, nullptr}; }
constexpr RtfTextWord Format(void (*format)(State&, const Value&)) {
  return {Kind::Format, 0, format};
}

void Plain(State& s, const Value&) {
  s.style = RtfCharStyle{};
  s.hidden = false;
}
void Bold(State& s, const Value& v) { s.style.bold = v.on; }
void Italic(State& s, const Value& v) { s.style.italic = v.on; }
void Underline(State& s, const Value& v) { s.style.underline = v.on; }
void NoUnderline(State& s, const Value&) { s.style.underline = false; }
void Strike(State& s, const Value& v) { s.style.strike = v.on; }
void Font(State& s, const Value& v) { s.style.font = v.has_param ? std::max(v.param, 0) : 0; }
void Size(State& s, const Value& v) {
  s.style.half_points = v.param > 0 ? std::min(v.param, 3276) : 24;
}
void Colour(State& s, const Value& v) { s.style.color = std::max(v.param, 0); }
void Highlight(State& s, const Value& v) { s.style.highlight = std::max(v.param, 0); }
void Shading(State& s, const Value& v) { s.style.shading = std::max(v.param, 0); }
void Hidden(State& s, const Value& v) { s.hidden = v.on; }
void Super(State& s, const Value&) { s.style.vertical = QTextCharFormat::AlignSuperScript; }
void Sub(State& s, const Value&) { s.style.vertical = QTextCharFormat::AlignSubScript; }
void NoSuperSub(State& s, const Value&) { s.style.vertical = QTextCharFormat::AlignNormal; }

const std::unordered_map<std::string_view, RtfTextWord>& Words() {
  static const std::unordered_map<std::string_view, RtfTextWord> kWords = {
      {"par", {Kind::Paragraph}},
      {"sect", {Kind::Paragraph}},
      {"row", {Kind::Paragraph}},
      {"line", Char(QChar::LineSeparator)},
      {"tab", Char(u'\t')},
      {"cell", Char(u'\t')},
      {"nestcell", Char(u'\t')},
      {"emdash", Char(u'\u2014')},
      {"endash", Char(u'\u2013')},
      {"emspace", Char(u'\u2003')},
      {"enspace", Char(u'\u2002')},
      {"bullet", Char(u'\u2022')},
      {"lquote", Char(u'\u2018')},
      {"rquote", Char(u'\u2019')},
      {"ldblquote", Char(u'\u201C')},
      {"rdblquote", Char(u'\u201D')},
      {"plain", Format(Plain)},
      {"b", Format(Bold)},
      {"i", Format(Italic)},
      {"ulnone", Format(NoUnderline)},
      {"strike", Format(Strike)},
      {"striked", Format(Strike)},
      {"f", Format(Font)},
      {"fs", Format(Size)},
      {"cf", Format(Colour)},
      {"highlight", Format(Highlight)},
      {"chcbpat", Format(Shading)},
      {"cb", Format(Shading)},
      {"v", Format(Hidden)},
      {"super", Format(Super)},
      {"sub", Format(Sub)},
      {"nosupersub", Format(NoSuperSub)},
  };
  return kWords;
}

}  // namespace

const RtfTextWord* FindTextWord(std::string_view word) {
  const auto found = Words().find(word);
  if (found != Words().end()) return &found->second;
  // Underline kinds (\ul, \uldb, \ulwave, ...) all read as underline; \ulnone
  // ends it and \ulcN only colours it.
  static const RtfTextWord kUnderline = Format(Underline);
  if (word.starts_with("ul") && word != "ulc") return &kUnderline;
  return nullptr;
}
