#include "rtf/rtf_reader.h"

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QVariant>
#include <algorithm>
#include <map>
#include <unordered_map>
#include <string_view>
#include <vector>

#include "rtf/code_pages.h"
#include "rtf/rtf_format.h"
#include "rtf/rtf_lexer.h"

namespace {

using Kind = RtfToken::Kind;

enum class Destination { Text, FontTable, ColorTable, Skip };

constexpr qsizetype kMaxRunLength = 1 << 16;

// A run's formatting as the RTF states it, with numbers into the font and
// colour tables: cheap to copy with every group and to compare per run.
struct CharStyle {
  int font = -1;  // -1: the default font (\deffN)
  int half_points = 24;  // RTF's default \fs24
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  int color = 0;      // \cfN; 0 is the automatic colour
  int highlight = 0;  // \highlightN; 0 is none
  int shading = 0;    // \chcbpatN or \cbN; 0 is none
  QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;
  bool operator==(const CharStyle&) const = default;
};

struct CharStyleHash {
  std::size_t operator()(const CharStyle& s) const {
    std::size_t h = std::hash<int>()(s.font);
    for (int part : {s.half_points, int(s.bold) | int(s.italic) << 1 | int(s.underline) << 2 |
                                        int(s.strike) << 3 | int(s.vertical) << 4,
                     s.color, s.highlight, s.shading}) {
      h = h * 1000003u ^ std::hash<int>()(part);
    }
    return h;
  }
};

// What a group saves and its closing brace restores.
struct GroupState {
  Destination destination = Destination::Text;
  CharStyle style;
  int uc = 1;           // fallback units that follow each \uN
  bool hidden = false;  // \v text is not shown
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

class RtfReader {
 public:
  RtfReader(QByteArrayView bytes, QTextDocument& document) : lexer_(bytes), cursor_(&document) {}

  bool Read() {
    // Bytes before the first brace belong to no group: the root skips them.
    stack_.push_back(GroupState{});
    stack_.back().destination = Destination::Skip;
    cursor_.beginEditBlock();
    bool ok = true;
    for (RtfToken token = lexer_.Next(); token.kind != Kind::End; token = lexer_.Next()) {
      if (token.kind != Kind::Hex) FlushLeadByte();
      if (SkipsFallback(token)) continue;
      if (token.kind == Kind::GroupOpen) {
        if (static_cast<int>(stack_.size()) > kMaxRtfDepth) {
          ok = false;
          break;
        }
        stack_.push_back(stack_.back());
        if (stack_.size() == 2) State().destination = Destination::Text;
      } else if (token.kind == Kind::GroupClose) {
        if (!CloseGroup()) break;  // the group that opened with \rtf1 is done
      } else if (token.kind == Kind::Word) {
        OnWord(token);
      } else if (token.kind == Kind::Symbol) {
        OnSymbol(token.byte);
      } else if (token.kind == Kind::Hex) {
        OnByte(token.byte);
      } else {
        OnText(token.text);
      }
    }
    if (ok) Finish();
    cursor_.endEditBlock();
    if (ok) KeepTables();
    return ok;
  }

 private:
  GroupState& State() { return stack_.back(); }

  // After \uN, the next `uc` units are the fallback for readers without
  // Unicode: skip them. A brace ends the fallback early. Plain text counts
  // its own units in OnText.
  bool SkipsFallback(const RtfToken& token) {
    if (skip_units_ == 0 || token.kind == Kind::Text) return false;
    if (token.kind == Kind::GroupOpen || token.kind == Kind::GroupClose) {
      skip_units_ = 0;
      return false;
    }
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
      formats_.clear();
    } else if (word == "colortbl") {
      state.destination = Destination::ColorTable;
      colors_.clear();
      formats_.clear();
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
    CharStyle& style = state.style;
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
      style = CharStyle{};
      state.hidden = false;
    } else if (word == "b") {
      style.bold = on;
    } else if (word == "i") {
      style.italic = on;
    } else if (IsUnderlineWord(word)) {
      style.underline = on;
    } else if (word == "ulnone") {
      style.underline = false;
    } else if (word == "strike" || word == "striked") {
      style.strike = on;
    } else if (word == "f") {
      style.font = has_param ? std::max(param, 0) : 0;
    } else if (word == "fs") {
      style.half_points = param > 0 ? std::min(param, 3276) : 24;
    } else if (word == "cf") {
      style.color = std::max(param, 0);
    } else if (word == "highlight") {
      style.highlight = std::max(param, 0);
    } else if (word == "chcbpat" || word == "cb") {
      style.shading = std::max(param, 0);
    } else if (word == "v") {
      state.hidden = on;
    } else if (word == "super") {
      style.vertical = QTextCharFormat::AlignSuperScript;
    } else if (word == "sub") {
      style.vertical = QTextCharFormat::AlignSubScript;
    } else if (word == "nosupersub") {
      style.vertical = QTextCharFormat::AlignNormal;
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

  // A run of plain bytes. Raw CR and LF only lay out the file.
  void OnText(QByteArrayView text) {
    if (State().destination == Destination::Skip) return;
    const int code_page = CurrentCodePage();
    const std::array<char16_t, 256>* chars = SingleByteChars(code_page);
    for (char c : text) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte == '\r' || byte == '\n') continue;
      if (skip_units_ > 0) {
        --skip_units_;
      } else if (chars != nullptr) {
        OnChar((*chars)[byte]);
      } else {
        OnByte(byte, code_page);
      }
    }
  }

  void OnByte(unsigned char byte) { OnByte(byte, CurrentCodePage()); }

  // In a double-byte code page a lead byte waits for its trail byte.
  void OnByte(unsigned char byte, int code_page) {
    if (lead_byte_ != 0) {
      const unsigned char lead = lead_byte_;
      lead_byte_ = 0;
      return OnChar(DecodePair(code_page, lead, byte));
    }
    if (IsLeadByte(code_page, byte)) {
      lead_byte_ = byte;
      return;
    }
    OnChar(DecodeByte(code_page, byte));
  }

  // A lead byte that no trail byte followed stands for nothing readable.
  void FlushLeadByte() {
    if (lead_byte_ == 0) return;
    lead_byte_ = 0;
    OnChar(u'\uFFFD');
  }

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
    // Control characters, however escaped, are no text (the tab is \tab);
    // the document keeps U+FDD0 and U+FDD1 for frames of its own.
    if ((ch < 0x20 && ch != u'\t') || ch == 0x7F) return;
    if (ch == 0xFDD0 || ch == 0xFDD1) ch = u'\uFFFD';
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
    formats_.clear();
  }

  const FontEntry* FontOf(const CharStyle& style) const {
    const auto it = fonts_.find(style.font >= 0 ? style.font : default_font_);
    return it == fonts_.end() ? nullptr : &it->second;
  }

  // \'hh and raw bytes are in the code page of the current font's
  // character set, else the document's \ansicpgN, else 1252.
  int CurrentCodePage() {
    int char_set = -1;
    if (State().destination == Destination::FontTable) {
      char_set = entry_char_set_;
    } else if (const FontEntry* font = FontOf(State().style)) {
      char_set = font->char_set;
    }
    const int code_page = char_set >= 0 ? CodePageForCharSet(char_set) : 0;
    return code_page != 0 ? code_page : ansi_code_page_;
  }

  QColor TableColor(int index) const {
    const auto at = static_cast<std::size_t>(index);
    return index > 0 && at < colors_.size() ? colors_[at] : QColor();
  }

  // The document's format for a style, built once per distinct style.
  const QTextCharFormat& FormatFor(const CharStyle& style) {
    const auto found = formats_.find(style);
    if (found != formats_.end()) return found->second;
    QTextCharFormat format;
    format.setFontPointSize(style.half_points / 2.0);
    format.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(style.italic);
    format.setFontUnderline(style.underline);
    format.setFontStrikeOut(style.strike);
    if (style.vertical != QTextCharFormat::AlignNormal) format.setVerticalAlignment(style.vertical);
    if (const QColor color = TableColor(style.color); color.isValid()) format.setForeground(color);
    // A highlight shows over the shading, as word processors draw them.
    QColor background = TableColor(style.highlight);
    if (!background.isValid()) background = TableColor(style.shading);
    if (background.isValid()) format.setBackground(background);
    if (const FontEntry* font = FontOf(style)) {
      if (!font->name.isEmpty()) format.setFontFamilies(QStringList{font->name});
      if (font->char_set >= 0) format.setProperty(kRtfCharSetProperty, font->char_set);
    }
    return formats_.emplace(style, format).first->second;
  }

  // Text goes to the document in runs of one style; paragraph marks join
  // the run as separators, so a long text costs one insertion per run.
  void AppendText(char16_t ch) {
    const CharStyle& style = State().style;
    // A long run goes in pieces so that it is never held twice in full.
    if (run_text_.isEmpty() || !(style == run_style_) || run_text_.size() >= kMaxRunLength) {
      FlushRun();
      run_style_ = style;
    }
    if (pending_paragraphs_ > 0) {
      run_text_.append(QString(pending_paragraphs_, QChar::ParagraphSeparator));
      pending_paragraphs_ = 0;
    }
    run_text_ += QChar(ch);
  }

  // A paragraph mark only takes effect when text follows it: the last \par
  // of a file adds no empty paragraph, empty paragraphs between stay.
  void OnParagraph() { ++pending_paragraphs_; }

  void FlushRun() {
    if (run_text_.isEmpty()) return;
    cursor_.insertText(run_text_, FormatFor(run_style_));
    run_text_.clear();
  }

  void Finish() {
    FlushLeadByte();
    FlushSurrogate();
    FlushRun();
    if (pending_paragraphs_ > 1) {
      cursor_.insertText(QString(pending_paragraphs_ - 1, QChar::ParagraphSeparator),
                         FormatFor(State().style));
    }
  }

  void KeepTables() {
    QStringList fonts;
    for (const auto& [number, font] : fonts_) {
      fonts << QString::number(std::max(font.char_set, 0)) + u';' + font.name;
    }
    QVariantList colors;
    for (std::size_t i = 1; i < colors_.size(); ++i) colors << QVariant(colors_[i].rgb());
    QTextDocument* document = cursor_.document();
    document->setProperty(kRtfFontTableProperty, fonts);
    document->setProperty(kRtfColorTableProperty, colors);
  }

  RtfLexer lexer_;
  QTextCursor cursor_;
  std::vector<GroupState> stack_;
  std::map<int, FontEntry> fonts_;
  std::vector<QColor> colors_;
  std::unordered_map<CharStyle, QTextCharFormat, CharStyleHash> formats_;
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
  unsigned char lead_byte_ = 0;
  char16_t high_surrogate_ = 0;
  char16_t last_char_ = 0;
  int pending_paragraphs_ = 0;
  QString run_text_;
  CharStyle run_style_;
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
  document.setProperty(kRtfFontTableProperty, QVariant());
  document.setProperty(kRtfColorTableProperty, QVariant());
  bool ok = false;
  if (StartsAsRtf(bytes)) {
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes = bytes.sliced(3);
    ok = RtfReader(bytes, document).Read();
    if (!ok) document.clear();
  }
  document.setUndoRedoEnabled(undo);
  return ok;
}
