#include "rtf/rtf_reader.h"

#include <QDeadlineTimer>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QVariant>
#include <algorithm>
#include <map>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "rtf/byte_source.h"
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
  int font = -1;         // -1: the default font (\deffN)
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
    for (int part : {s.half_points,
                     int(s.bold) | int(s.italic) << 1 | int(s.underline) << 2 | int(s.strike) << 3 |
                         int(s.vertical) << 4,
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
bool IsSkippedDestination(std::string_view word) {
  static const std::unordered_set<std::string_view> kSkipped = {"info",
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
  return kSkipped.contains(word);
}

// Underline kinds (\ul, \uldb, \ulwave, ...) all read as underline; \ulnone
// ends it and \ulcN only colours it.
bool IsUnderlineWord(std::string_view word) {
  return word.starts_with("ul") && word != "ulnone" && word != "ulc";
}

}  // namespace

// Turns tokens into the document's text and formats.
class RtfReader {
 public:
  RtfReader(ByteSource& source, QTextDocument& document) : lexer_(source), cursor_(&document) {
    // Bytes before the first brace belong to no group: the root skips them.
    stack_.push_back(GroupState{});
    stack_.back().destination = Destination::Skip;
  }

  // Reads tokens until the file ends, its outermost group closes or the
  // deadline passes (looked at every few hundred tokens). Each call is one
  // change of the document.
  RtfReading::Progress readUntil(const QDeadlineTimer& deadline) {
    cursor_.beginEditBlock();
    RtfReading::Progress progress = RtfReading::Progress::More;
    for (int count = 1; progress == RtfReading::Progress::More; ++count) {
      progress = readToken();
      if (count % 512 == 0 && deadline.hasExpired()) break;
    }
    if (progress == RtfReading::Progress::Done) finish();
    cursor_.endEditBlock();
    if (progress == RtfReading::Progress::Done) keepTables();
    return progress;
  }

 private:
  RtfReading::Progress readToken() {
    const RtfToken token = lexer_.next();
    if (token.kind == Kind::End) return RtfReading::Progress::Done;
    // A trail byte may come escaped or raw ("\'83e" in Shift-JIS).
    if (token.kind != Kind::Hex && token.kind != Kind::Text) flushLeadByte();
    if (skipsFallback(token)) return RtfReading::Progress::More;
    if (token.kind == Kind::GroupOpen) {
      if (static_cast<int>(stack_.size()) > kMaxRtfDepth) return RtfReading::Progress::Failed;
      stack_.push_back(stack_.back());
      if (stack_.size() == 2) currentGroup().destination = Destination::Text;
    } else if (token.kind == Kind::GroupClose) {
      // The group that opened with \rtf1 ends the text.
      if (!closeGroup()) return RtfReading::Progress::Done;
    } else if (token.kind == Kind::Word) {
      onWord(token);
    } else if (token.kind == Kind::Symbol) {
      onSymbol(token.byte);
    } else if (token.kind == Kind::Hex) {
      onByte(token.byte);
    } else {
      onText(token.text);
    }
    return RtfReading::Progress::More;
  }

  GroupState& currentGroup() { return stack_.back(); }

  // After \uN, the next `uc` units are the fallback for readers without
  // Unicode: skip them. A brace ends the fallback early. Plain text counts
  // its own units in OnText.
  bool skipsFallback(const RtfToken& token) {
    if (skipUnits_ == 0 || token.kind == Kind::Text) return false;
    if (token.kind == Kind::GroupOpen || token.kind == Kind::GroupClose) {
      skipUnits_ = 0;
      return false;
    }
    --skipUnits_;
    return true;
  }

  // Returns false when the outermost group closes.
  bool closeGroup() {
    if (currentGroup().destination == Destination::FontTable) commitFontEntry();
    if (stack_.size() > 1) stack_.pop_back();
    return stack_.size() > 1;
  }

  void onWord(const RtfToken& token) {
    const std::string_view word = token.word;
    const int param = token.param;
    const bool on = !token.has_param || param != 0;
    GroupState& state = currentGroup();
    if (IsSkippedDestination(word)) {
      state.destination = Destination::Skip;
      return;
    }
    if (state.destination == Destination::Skip) return;
    if (word == "u") return onUnicode(param);
    if (word == "uc") {
      state.uc = std::max(param, 0);
    } else if (word == "ansicpg") {
      if (IsKnownCodePage(param)) ansiCodePage_ = param;
    } else if (word == "deff") {
      defaultFont_ = param;
    } else if (word == "fonttbl") {
      state.destination = Destination::FontTable;
      formats_.clear();
    } else if (word == "colortbl") {
      state.destination = Destination::ColorTable;
      colors_.clear();
      formats_.clear();
    } else if (state.destination == Destination::FontTable) {
      onFontTableWord(word, param);
    } else if (state.destination == Destination::ColorTable) {
      onColorTableWord(word, param);
    } else {
      onTextWord(word, param, on, token.has_param);
    }
  }

  void onFontTableWord(std::string_view word, int param) {
    if (word == "f") {
      commitFontEntry();
      entryFont_ = param;
      entryCharSet_ = -1;
      entryName_.clear();
    } else if (word == "fcharset") {
      entryCharSet_ = param;
    }
  }

  void onColorTableWord(std::string_view word, int param) {
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
    colorGiven_ = true;
  }

  void onTextWord(std::string_view word, int param, bool on, bool has_param) {
    GroupState& state = currentGroup();
    CharStyle& style = state.style;
    if (word == "par" || word == "sect" || word == "row") {
      OnParagraph();
    } else if (word == "line") {
      onChar(QChar::LineSeparator);
    } else if (word == "tab" || word == "cell" || word == "nestcell") {
      onChar(u'\t');
    } else if (word == "emdash") {
      onChar(u'\u2014');
    } else if (word == "endash") {
      onChar(u'\u2013');
    } else if (word == "emspace") {
      onChar(u'\u2003');
    } else if (word == "enspace") {
      onChar(u'\u2002');
    } else if (word == "bullet") {
      onChar(u'\u2022');
    } else if (word == "lquote") {
      onChar(u'\u2018');
    } else if (word == "rquote") {
      onChar(u'\u2019');
    } else if (word == "ldblquote") {
      onChar(u'\u201C');
    } else if (word == "rdblquote") {
      onChar(u'\u201D');
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

  void onSymbol(unsigned char symbol) {
    if (symbol == '*') {
      // An ignorable destination: we know none worth reading.
      currentGroup().destination = Destination::Skip;
    } else if (symbol == '\\' || symbol == '{' || symbol == '}') {
      onChar(symbol);
    } else if (symbol == '~') {
      onChar(u'\u00A0');
    } else if (symbol == '-') {
      onChar(u'\u00AD');
    } else if (symbol == '_') {
      onChar(u'\u2011');
    } else if (symbol == '\n' && currentGroup().destination == Destination::Text) {
      OnParagraph();
    }
  }

  // A run of plain bytes. Raw CR and LF only lay out the file.
  void onText(QByteArrayView text) {
    const GroupState& state = currentGroup();
    if (state.destination == Destination::Skip) return;
    const int code_page = currentCodePage();
    const std::array<char16_t, 256>* chars = SingleByteChars(code_page);
    qsizetype at = 0;
    for (; at < text.size() && skipUnits_ > 0; ++at) {
      if (text[at] != '\r' && text[at] != '\n') --skipUnits_;
    }
    if (chars != nullptr && state.destination == Destination::Text && !state.hidden) {
      return appendBytes(text.sliced(at), *chars);
    }
    for (const char c : text.sliced(at)) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte == '\r' || byte == '\n') continue;
      if (chars != nullptr) {
        onChar((*chars)[byte]);
      } else {
        onByte(byte, code_page);
      }
    }
  }

  // The common case of onText, a character at a time without onChar: text
  // to show, in a single-byte code page.
  void appendBytes(QByteArrayView bytes, const std::array<char16_t, 256>& chars) {
    bool started = false;
    for (const char c : bytes) {
      const auto byte = static_cast<unsigned char>(c);
      const char16_t ch = chars[byte];
      if ((ch < 0x20 && ch != u'\t') || ch == 0x7F) continue;  // CR, LF and other controls
      if (!started || runText_.size() >= kMaxRunLength) {
        if (!started) flushSurrogate();
        startRun();
        started = true;
      }
      runText_ += QChar(ch);
      lastChar_ = ch;
    }
  }

  void onByte(unsigned char byte) { onByte(byte, currentCodePage()); }

  // In a double-byte code page a lead byte waits for its trail byte.
  void onByte(unsigned char byte, int code_page) {
    if (leadByte_ != 0) {
      const unsigned char lead = leadByte_;
      leadByte_ = 0;
      return onChar(DecodePair(code_page, lead, byte));
    }
    if (IsLeadByte(code_page, byte)) {
      leadByte_ = byte;
      return;
    }
    onChar(DecodeByte(code_page, byte));
  }

  // A lead byte that no trail byte followed stands for nothing readable.
  void flushLeadByte() {
    if (leadByte_ == 0) return;
    leadByte_ = 0;
    onChar(u'\uFFFD');
  }

  void onUnicode(int value) {
    skipUnits_ = currentGroup().uc;
    if (value < -32768 || value > 65535) return onChar(u'\uFFFD');
    const auto unit = static_cast<char16_t>(value < 0 ? value + 65536 : value);
    if (QChar::isHighSurrogate(unit)) {
      flushSurrogate();
      highSurrogate_ = unit;
    } else if (QChar::isLowSurrogate(unit) && highSurrogate_ != 0) {
      const char16_t high = highSurrogate_;
      highSurrogate_ = 0;
      onChar(high);
      onChar(unit);
    } else {
      onChar(unit);
    }
  }

  // A high surrogate that no low one followed stands for nothing readable.
  void flushSurrogate() {
    if (highSurrogate_ == 0) return;
    highSurrogate_ = 0;
    onChar(u'\uFFFD');
  }

  void onChar(char16_t ch) {
    // Control characters, however escaped, are no text (the tab is \tab);
    // the document keeps U+FDD0 and U+FDD1 for frames of its own.
    if ((ch < 0x20 && ch != u'\t') || ch == 0x7F) return;
    if (ch == 0xFDD0 || ch == 0xFDD1) ch = u'\uFFFD';
    if (highSurrogate_ != 0 && !QChar::isLowSurrogate(ch)) flushSurrogate();
    if (QChar::isLowSurrogate(ch) && !QChar::isHighSurrogate(lastChar_)) ch = u'\uFFFD';
    lastChar_ = ch;
    const GroupState& state = currentGroup();
    switch (state.destination) {
      case Destination::Text:
        if (!state.hidden) appendText(ch);
        break;
      case Destination::FontTable:
        if (ch == u';') {
          commitFontEntry();
        } else if (entryFont_ >= 0) {
          entryName_ += QChar(ch);
        }
        break;
      case Destination::ColorTable:
        if (ch == u';') {
          colors_.push_back(colorGiven_ ? qRgb(red_, green_, blue_) : kEmptyColorEntry);
          red_ = green_ = blue_ = 0;
          colorGiven_ = false;
        }
        break;
      case Destination::Skip:
        break;
    }
  }

  void commitFontEntry() {
    if (entryFont_ < 0) return;
    fonts_[entryFont_] = FontEntry{entryName_.trimmed(), entryCharSet_};
    entryFont_ = -1;
    entryName_.clear();
    formats_.clear();
  }

  const FontEntry* fontOf(const CharStyle& style) const {
    const auto it = fonts_.find(style.font >= 0 ? style.font : defaultFont_);
    return it == fonts_.end() ? nullptr : &it->second;
  }

  // \'hh and raw bytes are in the code page of the current font's
  // character set, else the document's \ansicpgN, else 1252.
  int currentCodePage() {
    int char_set = -1;
    if (currentGroup().destination == Destination::FontTable) {
      char_set = entryCharSet_;
    } else if (const FontEntry* font = fontOf(currentGroup().style)) {
      char_set = font->char_set;
    }
    const int code_page = char_set >= 0 ? CodePageForCharSet(char_set) : 0;
    return code_page != 0 ? code_page : ansiCodePage_;
  }

  QColor tableColor(int index) const {
    const auto at = static_cast<std::size_t>(index);
    if (index <= 0 || at >= static_cast<std::size_t>(colors_.size())) return QColor();
    return colors_[at] == kEmptyColorEntry ? QColor() : QColor(colors_[at]);
  }

  // The document's format for a style, built once per distinct style.
  const QTextCharFormat& formatFor(const CharStyle& style) {
    const auto found = formats_.find(style);
    if (found != formats_.end()) return found->second;
    QTextCharFormat format;
    format.setFontPointSize(style.half_points / 2.0);
    format.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(style.italic);
    format.setFontUnderline(style.underline);
    format.setFontStrikeOut(style.strike);
    if (style.vertical != QTextCharFormat::AlignNormal) format.setVerticalAlignment(style.vertical);
    if (const QColor color = tableColor(style.color); color.isValid()) format.setForeground(color);
    // A highlight shows over the shading, as word processors draw them.
    QColor background = tableColor(style.highlight);
    if (!background.isValid()) background = tableColor(style.shading);
    if (background.isValid()) format.setBackground(background);
    if (const FontEntry* font = fontOf(style)) {
      if (!font->name.isEmpty()) format.setFontFamilies(QStringList{font->name});
      if (font->char_set >= 0) format.setProperty(kRtfCharSetProperty, font->char_set);
    }
    return formats_.emplace(style, format).first->second;
  }

  // Text goes to the document in runs of one style; paragraph marks join
  // the run as separators, so a long text costs one insertion per run.
  void appendText(char16_t ch) {
    startRun();
    runText_ += QChar(ch);
  }

  // Readies the run for text in the current style.
  void startRun() {
    const CharStyle& style = currentGroup().style;
    // A long run goes in pieces so that it is never held twice in full.
    if (runText_.isEmpty() || !(style == runStyle_) || runText_.size() >= kMaxRunLength) {
      flushRun();
      runStyle_ = style;
    }
    if (pendingParagraphs_ > 0) {
      runText_.append(QString(pendingParagraphs_, QChar::ParagraphSeparator));
      pendingParagraphs_ = 0;
    }
  }

  // A paragraph mark only takes effect when text follows it: the last \par
  // of a file adds no empty paragraph, empty paragraphs between stay.
  void OnParagraph() { ++pendingParagraphs_; }

  void flushRun() {
    if (runText_.isEmpty()) return;
    cursor_.insertText(runText_, formatFor(runStyle_));
    runText_.clear();
  }

  void finish() {
    flushLeadByte();
    flushSurrogate();
    flushRun();
    if (pendingParagraphs_ > 1) {
      cursor_.insertText(QString(pendingParagraphs_ - 1, QChar::ParagraphSeparator),
                         formatFor(currentGroup().style));
    }
  }

  void keepTables() {
    QStringList fonts;
    for (const auto& [number, font] : fonts_) {
      fonts << QString::number(std::max(font.char_set, 0)) + u';' + font.name;
    }
    // Entry 0 is always written as the automatic colour; the rest is handed
    // over, not copied: a table can be as long as the file.
    if (!colors_.isEmpty()) colors_.removeFirst();
    QTextDocument* document = cursor_.document();
    document->setProperty(kRtfFontTableProperty, fonts);
    document->setProperty(kRtfColorTableProperty, QVariant::fromValue(colors_));
    colors_ = {};
  }

  RtfLexer lexer_;
  QTextCursor cursor_;
  std::vector<GroupState> stack_;
  std::map<int, FontEntry> fonts_;
  QList<QRgb> colors_;  // kEmptyColorEntry where the file names no colour
  std::unordered_map<CharStyle, QTextCharFormat, CharStyleHash> formats_;
  int defaultFont_ = 0;
  int ansiCodePage_ = 1252;

  int entryFont_ = -1;  // the font table entry being read, -1 for none
  int entryCharSet_ = -1;
  QString entryName_;

  int red_ = 0;
  int green_ = 0;
  int blue_ = 0;
  bool colorGiven_ = false;

  int skipUnits_ = 0;
  unsigned char leadByte_ = 0;
  char16_t highSurrogate_ = 0;
  char16_t lastChar_ = 0;
  int pendingParagraphs_ = 0;
  QString runText_;
  CharStyle runStyle_;
};

bool StartsAsRtf(ByteSource& source) {
  SourceBuffer input(source);
  if (input.has(3) && input.peek() == 0xEF && input.at(1) == 0xBB && input.at(2) == 0xBF) {
    input.advance(3);
  }
  while (!input.atEnd() && (input.peek() == ' ' || input.peek() == '\t' || input.peek() == '\r' ||
                            input.peek() == '\n')) {
    input.advance();
  }
  constexpr char kStart[] = "{\\rtf";
  bool rtf = input.has(5);
  for (int i = 0; rtf && i < 5; ++i) rtf = input.at(i) == static_cast<unsigned char>(kStart[i]);
  source.rewind();
  return rtf;
}

bool StartsAsRtf(QByteArrayView bytes) {
  MemorySource source(bytes);
  return StartsAsRtf(source);
}

RtfReading::RtfReading(ByteSource& source, QTextDocument& document) : document_(document) {
  // A byte-order mark and blanks before the first brace are skipped like
  // any bytes outside the groups.
  if (StartsAsRtf(source)) reader_ = std::make_unique<RtfReader>(source, document);
}

RtfReading::~RtfReading() = default;

RtfReading::Progress RtfReading::readUntil(const QDeadlineTimer& deadline) {
  if (reader_ == nullptr) return Progress::Failed;
  const Progress progress = reader_->readUntil(deadline);
  if (progress != Progress::More) reader_.reset();
  if (progress == Progress::Failed) document_->clear();
  return progress;
}

bool RtfToDocument(ByteSource& source, QTextDocument& document) {
  return RtfReading(source, document).readUntil(QDeadlineTimer::Forever) ==
         RtfReading::Progress::Done;
}

bool RtfToDocument(QByteArrayView bytes, QTextDocument& document) {
  MemorySource source(bytes);
  return RtfToDocument(source, document);
}
