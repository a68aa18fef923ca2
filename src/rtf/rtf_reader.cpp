#include "rtf/rtf_reader.h"

#include <QDeadlineTimer>
#include <QTextDocument>
#include <QVariant>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "rtf/byte_source.h"
#include "rtf/code_pages.h"
#include "rtf/rtf_format.h"
#include "rtf/rtf_lexer.h"
#include "rtf/rtf_runs.h"
#include "rtf/rtf_tables.h"
#include "rtf/rtf_text_decoder.h"
#include "rtf/rtf_text_words.h"

// Turns tokens into the document's text and formats: keeps the groups and
// hands each token to the part whose job it is (the decoder, the tables,
// the run builder).
class RtfReader : private RtfCharSink {
 public:
  RtfReader(ByteSource& source, QTextDocument& document);

  // Reads tokens until the file ends, its outermost group closes or the
  // deadline passes (looked at every few hundred tokens). Each call is one
  // change of the document.
  RtfReading::Progress readUntil(const QDeadlineTimer& deadline);

 private:
  using Progress = RtfReading::Progress;
  using WordHandler = void (RtfReader::*)(const RtfToken&);

  Progress readToken();
  bool closeGroup();
  void onWord(const RtfToken& token);
  void onTextWord(const RtfToken& token);
  void onSymbol(unsigned char symbol);
  void onText(QByteArrayView text);
  void Put(char16_t ch) override;
  int currentCodePage() const;
  void tablesChanged(bool changed);
  void finish();
  void keepTables();

  // The words that mean the same in every destination but a skipped one.
  void onUnicode(const RtfToken& token);
  void onFallbackUnits(const RtfToken& token);
  void onCodePage(const RtfToken& token);
  void onDefaultFont(const RtfToken& token);
  void onFontTable(const RtfToken& token);
  void onColorTable(const RtfToken& token);
  static const std::unordered_map<std::string_view, WordHandler>& documentWords();

  RtfGroupState& currentGroup() { return stack_.back(); }
  const RtfGroupState& currentGroup() const { return stack_.back(); }

  RtfLexer lexer_;
  std::vector<RtfGroupState> stack_;
  RtfFontTable fonts_;
  RtfColorTable colors_;
  RtfRunBuilder runs_;
  RtfTextDecoder decoder_;
  int ansiCodePage_ = 1252;
};

RtfReader::RtfReader(ByteSource& source, QTextDocument& document)
    : lexer_(source), runs_(document, fonts_, colors_), decoder_(*this) {
  // Bytes before the first brace belong to no group: the root skips them.
  stack_.push_back(RtfGroupState{});
  stack_.back().destination = RtfDestination::Skip;
}

RtfReading::Progress RtfReader::readUntil(const QDeadlineTimer& deadline) {
  runs_.BeginEdit();
  Progress progress = Progress::More;
  for (int count = 1; progress == Progress::More; ++count) {
    progress = readToken();
    if (count % 512 == 0 && deadline.hasExpired()) break;
  }
  if (progress == Progress::Done) finish();
  runs_.EndEdit();
  if (progress == Progress::Done) keepTables();
  return progress;
}

RtfReading::Progress RtfReader::readToken() {
  using Kind = RtfToken::Kind;
  const RtfToken token = lexer_.next();
  if (token.kind == Kind::End) return Progress::Done;
  // A trail byte may come escaped or raw ("\'83e" in Shift-JIS).
  if (token.kind != Kind::Hex && token.kind != Kind::Text) decoder_.FlushLeadByte();
  if (decoder_.SkipsToken(token)) return Progress::More;
  switch (token.kind) {
    case Kind::GroupOpen:
      if (static_cast<int>(stack_.size()) > kMaxRtfDepth) return Progress::Failed;
      stack_.push_back(stack_.back());
      if (stack_.size() == 2) currentGroup().destination = RtfDestination::Text;
      break;
    case Kind::GroupClose:
      // The group that opened with \rtf1 ends the text.
      if (!closeGroup()) return Progress::Done;
      break;
    case Kind::Word:
      onWord(token);
      break;
    case Kind::Symbol:
      onSymbol(token.byte);
      break;
    case Kind::Hex:
      decoder_.Byte(token.byte, currentCodePage());
      break;
    default:
      onText(token.text);
      break;
  }
  return Progress::More;
}

// Returns false when the outermost group closes.
bool RtfReader::closeGroup() {
  if (currentGroup().destination == RtfDestination::FontTable) tablesChanged(fonts_.Close());
  if (stack_.size() > 1) stack_.pop_back();
  return stack_.size() > 1;
}

const std::unordered_map<std::string_view, RtfReader::WordHandler>& RtfReader::documentWords() {
  static const std::unordered_map<std::string_view, WordHandler> kWords = {
      {"u", &RtfReader::onUnicode},         {"uc", &RtfReader::onFallbackUnits},
      {"ansicpg", &RtfReader::onCodePage},  {"deff", &RtfReader::onDefaultFont},
      {"fonttbl", &RtfReader::onFontTable}, {"colortbl", &RtfReader::onColorTable},
  };
  return kWords;
}

void RtfReader::onWord(const RtfToken& token) {
  RtfGroupState& state = currentGroup();
  if (IsSkippedDestination(token.word)) {
    state.destination = RtfDestination::Skip;
    return;
  }
  if (state.destination == RtfDestination::Skip) return;
  if (const auto found = documentWords().find(token.word); found != documentWords().end()) {
    return (this->*found->second)(token);
  }
  switch (state.destination) {
    case RtfDestination::FontTable:
      return tablesChanged(fonts_.Word(token.word, token.param));
    case RtfDestination::ColorTable:
      return colors_.Word(token.word, token.param);
    default:
      return onTextWord(token);
  }
}

void RtfReader::onUnicode(const RtfToken& token) {
  decoder_.Unicode(token.param, currentGroup().uc);
}

void RtfReader::onFallbackUnits(const RtfToken& token) {
  currentGroup().uc = std::max(token.param, 0);
}

void RtfReader::onCodePage(const RtfToken& token) {
  if (IsKnownCodePage(token.param)) ansiCodePage_ = token.param;
}

void RtfReader::onDefaultFont(const RtfToken& token) { fonts_.SetDefault(token.param); }

void RtfReader::onFontTable(const RtfToken&) {
  currentGroup().destination = RtfDestination::FontTable;
  runs_.ForgetFormats();
}

void RtfReader::onColorTable(const RtfToken&) {
  currentGroup().destination = RtfDestination::ColorTable;
  colors_.Clear();
  runs_.ForgetFormats();
}

void RtfReader::onTextWord(const RtfToken& token) {
  const RtfTextWord* word = FindTextWord(token.word);
  if (word == nullptr) return;
  switch (word->kind) {
    case RtfTextWord::Kind::Char:
      return decoder_.Char(word->ch);
    case RtfTextWord::Kind::Paragraph:
      return runs_.Paragraph();
    case RtfTextWord::Kind::Format:
      return word->format(currentGroup(),
                          {token.param, token.has_param, !token.has_param || token.param != 0});
  }
}

void RtfReader::onSymbol(unsigned char symbol) {
  if (symbol == '*') {
    // An ignorable destination: we know none worth reading.
    currentGroup().destination = RtfDestination::Skip;
  } else if (symbol == '\\' || symbol == '{' || symbol == '}') {
    decoder_.Char(symbol);
  } else if (symbol == '~') {
    decoder_.Char(u'\u00A0');
  } else if (symbol == '-') {
    decoder_.Char(u'\u00AD');
  } else if (symbol == '_') {
    decoder_.Char(u'\u2011');
  } else if (symbol == '\n' && currentGroup().destination == RtfDestination::Text) {
    runs_.Paragraph();
  }
}

// A run of plain bytes. Raw CR and LF only lay out the file.
void RtfReader::onText(QByteArrayView text) {
  const RtfGroupState& state = currentGroup();
  if (state.destination == RtfDestination::Skip) return;
  const int code_page = currentCodePage();
  const std::array<char16_t, 256>* chars = SingleByteChars(code_page);
  text = text.sliced(decoder_.SkipFallback(text));
  if (chars != nullptr && state.destination == RtfDestination::Text && !state.hidden) {
    // The common case: text to show in a single-byte code page, past the decoder.
    const qsizetype first = FirstShownByte(text, *chars);
    if (first == text.size()) return;
    decoder_.FlushSurrogate();
    decoder_.Passed(runs_.AppendBytes(text.sliced(first), *chars, state.style));
    return;
  }
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == '\r' || byte == '\n') continue;
    if (chars != nullptr) {
      decoder_.Char((*chars)[byte]);
    } else {
      decoder_.Byte(byte, code_page);
    }
  }
}

// A decoded character goes where the current group's destination says.
void RtfReader::Put(char16_t ch) {
  const RtfGroupState& state = currentGroup();
  switch (state.destination) {
    case RtfDestination::Text:
      if (!state.hidden) runs_.Append(ch, state.style);
      break;
    case RtfDestination::FontTable:
      tablesChanged(fonts_.Char(ch));
      break;
    case RtfDestination::ColorTable:
      colors_.Char(ch);
      break;
    case RtfDestination::Skip:
      break;
  }
}

void RtfReader::tablesChanged(bool changed) {
  if (changed) runs_.ForgetFormats();
}

// \'hh and raw bytes are in the code page of the current font's
// character set, else the document's \ansicpgN, else 1252.
int RtfReader::currentCodePage() const {
  int char_set = -1;
  if (currentGroup().destination == RtfDestination::FontTable) {
    char_set = fonts_.EntryCharSet();
  } else if (const RtfFontEntry* font = fonts_.Find(currentGroup().style.font)) {
    char_set = font->char_set;
  }
  const int code_page = char_set >= 0 ? CodePageForCharSet(char_set) : 0;
  return code_page != 0 ? code_page : ansiCodePage_;
}

void RtfReader::finish() {
  decoder_.FlushLeadByte();
  decoder_.FlushSurrogate();
  runs_.Finish(currentGroup().style);
}

void RtfReader::keepTables() {
  QTextDocument* document = runs_.Document();
  document->setProperty(kRtfFontTableProperty, fonts_.Entries());
  document->setProperty(kRtfColorTableProperty, QVariant::fromValue(colors_.Take()));
}

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
