#include "rtf/rtf_reader.h"

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <map>
#include <string_view>
#include <vector>

#include "rtf/code_pages.h"
#include "rtf/rtf_format.h"
#include "rtf/rtf_lexer.h"

namespace {

using Kind = RtfToken::Kind;

enum class Destination { Text, FontTable, ColorTable, Skip };

// What a group saves and its closing brace restores.
struct GroupState {
  Destination destination = Destination::Text;
  QTextCharFormat format;  // everything but the face, which comes from `font`
  int font = -1;           // -1: the default font (\deffN)
  int uc = 1;              // fallback units that follow each \uN
  bool hidden = false;     // \v text is not shown
};

struct FontEntry {
  QString name;
  int char_set = -1;  // -1: no \fcharset given
};

// Destinations whose groups hold nothing for the text: document
// information, pictures, objects, headers, footers, footnotes, styles, ...
bool IsSkippedDestination(QByteArrayView word) {
  static constexpr std::string_view kSkipped[] = {"info",
                                                  "pict",
                                                  "object",
                                                  "header",
                                                  "headerl",
                                                  "headerr",
                                                  "headerf",
                                                  "footer",
                                                  "footerl",
                                                  "footerr",
                                                  "footerf",
                                                  "footnote",
                                                  "stylesheet",
                                                  "listtable",
                                                  "listoverridetable",
                                                  "revtbl",
                                                  "rsidtbl",
                                                  "fldinst",
                                                  "xe",
                                                  "tc",
                                                  "themedata",
                                                  "colorschememapping",
                                                  "datastore",
                                                  "latentstyles",
                                                  "xmlnstbl",
                                                  "pgdsctbl",
                                                  "shp",
                                                  "nonshppict",
                                                  "template",
                                                  "filetbl",
                                                  "annotation",
                                                  "atnid",
                                                  "atnauthor",
                                                  "generator",
                                                  "userprops",
                                                  "docvar",
                                                  "fchars",
                                                  "lchars",
                                                  "pn",
                                                  "pntxta",
                                                  "pntxtb",
                                                  "mmathPr",
                                                  "listpicture",
                                                  "bkmkstart",
                                                  "bkmkend",
                                                  "do"};
  const std::string_view name(word.data(), static_cast<std::size_t>(word.size()));
  return std::find(std::begin(kSkipped), std::end(kSkipped), name) != std::end(kSkipped);
}

// Underline kinds (\ul, \uldb, \ulwave, ...) all read as underline; \ulnone
// ends it and \ulcN only colours it.
bool IsUnderlineWord(QByteArrayView word) {
  return word.startsWith("ul") && word != "ulnone" && word != "ulc";
}

QTextCharFormat PlainFormat() {
  QTextCharFormat format;
  format.setFontPointSize(12);  // RTF's default \fs24
  return format;
}

class RtfReader {
 public:
  RtfReader(QByteArrayView bytes, QTextDocument& document) : lexer_(bytes), cursor_(&document) {}

  bool Read() {
    // Bytes before the first brace belong to no group: the root skips them.
    stack_.push_back(GroupState{});
    stack_.back().format = PlainFormat();
    stack_.back().destination = Destination::Skip;
    cursor_.beginEditBlock();
    bool ok = true;
    for (RtfToken token = lexer_.Next(); token.kind != Kind::End; token = lexer_.Next()) {
      if (SkipsFallback(token)) continue;
      if (token.kind == Kind::GroupOpen) {
        if (static_cast<int>(stack_.size()) > kMaxRtfDepth) {
          ok = false;
          break;
        }
        stack_.push_back(stack_.back());
        if (stack_.size() == 2) State().destination = Destination::Text;
        format_changed_ = true;
      } else if (token.kind == Kind::GroupClose) {
        if (!CloseGroup()) break;  // the group that opened with \rtf1 is done
        format_changed_ = true;
      } else if (token.kind == Kind::Word) {
        OnWord(token);
        format_changed_ = true;
      } else if (token.kind == Kind::Symbol) {
        OnSymbol(token.byte);
      } else {  // \'hh and raw bytes alike
        OnByte(token.byte);
      }
    }
    if (ok) Finish();
    cursor_.endEditBlock();
    return ok;
  }

 private:
  GroupState& State() { return stack_.back(); }

  // After \uN, the next `uc` units are the fallback for readers without
  // Unicode: skip them. A brace ends the fallback early.
  bool SkipsFallback(const RtfToken& token) {
    if (skip_units_ == 0) return false;
    if (token.kind == Kind::GroupOpen || token.kind == Kind::GroupClose) {
      skip_units_ = 0;
      return false;
    }
    if (token.kind == Kind::Byte && (token.byte == '\r' || token.byte == '\n')) return true;
    --skip_units_;
    return true;
  }

  // Returns false when the outermost group closes.
  bool CloseGroup() {
    if (State().destination == Destination::FontTable) CommitFontEntry();
    if (stack_.size() > 1) stack_.pop_back();
    return stack_.size() > 1;
  }

  void OnWord(const RtfToken& token) {
    const QByteArrayView word = token.word;
    const int param = token.param;
    const bool on = !token.has_param || param != 0;
    GroupState& state = State();
    if (IsSkippedDestination(word)) {
      state.destination = Destination::Skip;
      return;
    }
    if (state.destination == Destination::Skip) return;
    if (word == "u") return OnUnicode(param);
    if (word == "uc") {
      state.uc = std::max(param, 0);
    } else if (word == "ansicpg") {
      if (IsKnownCodePage(param)) ansi_code_page_ = param;
    } else if (word == "deff") {
      default_font_ = param;
    } else if (word == "fonttbl") {
      state.destination = Destination::FontTable;
    } else if (word == "colortbl") {
      state.destination = Destination::ColorTable;
      colors_.clear();
    } else if (state.destination == Destination::FontTable) {
      OnFontTableWord(word, param);
    } else if (state.destination == Destination::ColorTable) {
      OnColorTableWord(word, param);
    } else {
      OnTextWord(word, param, on, token.has_param);
    }
  }

  void OnFontTableWord(QByteArrayView word, int param) {
    if (word == "f") {
      CommitFontEntry();
      entry_font_ = param;
      entry_char_set_ = -1;
      entry_name_.clear();
    } else if (word == "fcharset") {
      entry_char_set_ = param;
    }
  }

  void OnColorTableWord(QByteArrayView word, int param) {
    const int value = std::clamp(param, 0, 255);
    if (word == "red") {
      red_ = value;
    } else if (word == "green") {
      green_ = value;
    } else if (word == "blue") {
      blue_ = value;
    } else {
      return;
    }
    color_given_ = true;
  }

  void OnTextWord(QByteArrayView word, int param, bool on, bool has_param) {
    GroupState& state = State();
    QTextCharFormat& format = state.format;
    if (word == "par" || word == "sect" || word == "row") {
      OnParagraph();
    } else if (word == "line") {
      OnChar(QChar::LineSeparator);
    } else if (word == "tab" || word == "cell" || word == "nestcell") {
      OnChar(u'\t');
    } else if (word == "emdash") {
      OnChar(u'\u2014');
    } else if (word == "endash") {
      OnChar(u'\u2013');
    } else if (word == "emspace") {
      OnChar(u'\u2003');
    } else if (word == "enspace") {
      OnChar(u'\u2002');
    } else if (word == "bullet") {
      OnChar(u'\u2022');
    } else if (word == "lquote") {
      OnChar(u'\u2018');
    } else if (word == "rquote") {
      OnChar(u'\u2019');
    } else if (word == "ldblquote") {
      OnChar(u'\u201C');
    } else if (word == "rdblquote") {
      OnChar(u'\u201D');
    } else if (word == "plain") {
      format = PlainFormat();
      state.font = -1;
      state.hidden = false;
    } else if (word == "b") {
      format.setFontWeight(on ? QFont::Bold : QFont::Normal);
    } else if (word == "i") {
      format.setFontItalic(on);
    } else if (IsUnderlineWord(word)) {
      format.setFontUnderline(on);
    } else if (word == "ulnone") {
      format.setFontUnderline(false);
    } else if (word == "strike" || word == "striked") {
      format.setFontStrikeOut(on);
    } else if (word == "f") {
      state.font = has_param ? std::max(param, 0) : 0;
    } else if (word == "fs") {
      format.setFontPointSize(param > 0 ? std::min(param, 3276) / 2.0 : 12.0);
    } else if (word == "cf") {
      const auto index = static_cast<std::size_t>(param);
      if (param > 0 && index < colors_.size() && colors_[index].isValid()) {
        format.setForeground(colors_[index]);
      } else {
        format.clearForeground();
      }
    } else if (word == "v") {
      state.hidden = on;
    } else if (word == "super") {
      format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    } else if (word == "sub") {
      format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    } else if (word == "nosupersub") {
      format.setVerticalAlignment(QTextCharFormat::AlignNormal);
    }
  }

  void OnSymbol(unsigned char symbol) {
    if (symbol == '*') {
      // An ignorable destination: we know none worth reading.
      State().destination = Destination::Skip;
    } else if (symbol == '\\' || symbol == '{' || symbol == '}') {
      OnChar(symbol);
    } else if (symbol == '~') {
      OnChar(u'\u00A0');
    } else if (symbol == '-') {
      OnChar(u'\u00AD');
    } else if (symbol == '_') {
      OnChar(u'\u2011');
    } else if (symbol == '\n' && State().destination == Destination::Text) {
      OnParagraph();
    }
  }

  // Raw CR and LF only lay out the file; OnChar drops them.
  void OnByte(unsigned char byte) { OnChar(DecodeByte(CurrentCodePage(), byte)); }

  void OnUnicode(int value) {
    skip_units_ = State().uc;
    if (value < -32768 || value > 65535) return OnChar(u'\uFFFD');
    const auto unit = static_cast<char16_t>(value < 0 ? value + 65536 : value);
    if (QChar::isHighSurrogate(unit)) {
      FlushSurrogate();
      high_surrogate_ = unit;
    } else if (QChar::isLowSurrogate(unit) && high_surrogate_ != 0) {
      const char16_t high = high_surrogate_;
      high_surrogate_ = 0;
      OnChar(high);
      OnChar(unit);
    } else {
      OnChar(unit);
    }
  }

  // A high surrogate that no low one followed stands for nothing readable.
  void FlushSurrogate() {
    if (high_surrogate_ == 0) return;
    high_surrogate_ = 0;
    OnChar(u'\uFFFD');
  }

  void OnChar(char16_t ch) {
    // Control characters, however escaped, are no text (the tab is \tab).
    if ((ch < 0x20 && ch != u'\t') || ch == 0x7F) return;
    if (high_surrogate_ != 0 && !QChar::isLowSurrogate(ch)) FlushSurrogate();
    if (QChar::isLowSurrogate(ch) && !QChar::isHighSurrogate(last_char_)) ch = u'\uFFFD';
    last_char_ = ch;
    const GroupState& state = State();
    switch (state.destination) {
      case Destination::Text:
        if (!state.hidden) AppendText(ch);
        break;
      case Destination::FontTable:
        if (ch == u';') {
          CommitFontEntry();
        } else if (entry_font_ >= 0) {
          entry_name_ += QChar(ch);
        }
        break;
      case Destination::ColorTable:
        if (ch == u';') {
          colors_.push_back(color_given_ ? QColor(red_, green_, blue_) : QColor());
          red_ = green_ = blue_ = 0;
          color_given_ = false;
        }
        break;
      case Destination::Skip:
        break;
    }
  }

  void CommitFontEntry() {
    if (entry_font_ < 0) return;
    fonts_[entry_font_] = FontEntry{entry_name_.trimmed(), entry_char_set_};
    entry_font_ = -1;
    entry_name_.clear();
  }

  const FontEntry* CurrentFont() {
    const int number = State().font >= 0 ? State().font : default_font_;
    const auto it = fonts_.find(number);
    return it == fonts_.end() ? nullptr : &it->second;
  }

  // \'hh and raw bytes are in the code page of the current font's
  // character set, else the document's \ansicpgN, else 1252.
  int CurrentCodePage() {
    int char_set = -1;
    if (State().destination == Destination::FontTable) {
      char_set = entry_char_set_;
    } else if (const FontEntry* font = CurrentFont()) {
      char_set = font->char_set;
    }
    const int code_page = char_set >= 0 ? CodePageForCharSet(char_set) : 0;
    return code_page != 0 ? code_page : ansi_code_page_;
  }

  QTextCharFormat CurrentFormat() {
    QTextCharFormat format = State().format;
    if (const FontEntry* font = CurrentFont()) {
      if (!font->name.isEmpty()) format.setFontFamilies(QStringList{font->name});
      if (font->char_set >= 0) format.setProperty(kRtfCharSetProperty, font->char_set);
    }
    return format;
  }

  void AppendText(char16_t ch) {
    if (pending_paragraphs_ > 0) {
      FlushRun();
      InsertParagraphs(pending_paragraphs_);
      pending_paragraphs_ = 0;
    }
    if (format_changed_) {
      QTextCharFormat format = CurrentFormat();
      if (format != run_format_) {
        FlushRun();
        run_format_ = format;
      }
      format_changed_ = false;
    }
    run_text_ += QChar(ch);
  }

  // A paragraph mark only takes effect when text follows it: the last \par
  // of a file adds no empty paragraph, empty paragraphs between stay.
  void OnParagraph() { ++pending_paragraphs_; }

  void InsertParagraphs(int count) {
    const QTextCharFormat format = CurrentFormat();
    for (int i = 0; i < count; ++i) cursor_.insertBlock(QTextBlockFormat(), format);
  }

  void FlushRun() {
    if (run_text_.isEmpty()) return;
    cursor_.insertText(run_text_, run_format_);
    run_text_.clear();
  }

  void Finish() {
    FlushSurrogate();
    FlushRun();
    if (pending_paragraphs_ > 1) InsertParagraphs(pending_paragraphs_ - 1);
  }

  RtfLexer lexer_;
  QTextCursor cursor_;
  std::vector<GroupState> stack_;
  std::map<int, FontEntry> fonts_;
  std::vector<QColor> colors_;
  int default_font_ = 0;
  int ansi_code_page_ = 1252;

  int entry_font_ = -1;  // the font table entry being read, -1 for none
  int entry_char_set_ = -1;
  QString entry_name_;

  int red_ = 0;
  int green_ = 0;
  int blue_ = 0;
  bool color_given_ = false;

  int skip_units_ = 0;
  char16_t high_surrogate_ = 0;
  char16_t last_char_ = 0;
  int pending_paragraphs_ = 0;
  bool format_changed_ = true;
  QString run_text_;
  QTextCharFormat run_format_;
};

}  // namespace

bool StartsAsRtf(QByteArrayView bytes) {
  if (bytes.startsWith("\xEF\xBB\xBF")) bytes = bytes.sliced(3);
  while (!bytes.isEmpty() && (bytes.front() == ' ' || bytes.front() == '\t' ||
                              bytes.front() == '\r' || bytes.front() == '\n')) {
    bytes = bytes.sliced(1);
  }
  return bytes.startsWith("{\\rtf");
}

bool RtfToDocument(QByteArrayView bytes, QTextDocument& document) {
  const bool undo = document.isUndoRedoEnabled();
  document.setUndoRedoEnabled(false);
  document.clear();
  bool ok = false;
  if (StartsAsRtf(bytes)) {
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes = bytes.sliced(3);
    ok = RtfReader(bytes, document).Read();
    if (!ok) document.clear();
  }
  document.setUndoRedoEnabled(undo);
  return ok;
}
