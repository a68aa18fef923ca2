#include "rtf/code_pages.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <map>
#include <memory>

namespace {

constexpr int kCodePages[] = {874,  932,  936,  949,  950,  1250, 1251,
                              1252, 1253, 1254, 1255, 1256, 1257, 1258};

QByteArray ConverterName(int code_page) { return "windows-" + QByteArray::number(code_page); }

// A C1 control from the converter means the byte has no character of its own.
char16_t Defined(const QString& text) {
  if (text.size() != 1) return u'\uFFFD';
  const char16_t ch = text.front().unicode();
  return (ch >= 0x80 && ch < 0xA0) ? u'\uFFFD' : ch;
}

// Both directions of a single-byte code page, built once from the converter
// so that a byte costs one table look-up.
struct SingleByteTable {
  std::array<char16_t, 256> chars{};
  QHash<char16_t, unsigned char> bytes;

  explicit SingleByteTable(int code_page) {
    QStringDecoder decoder(ConverterName(code_page).constData(), QStringDecoder::Flag::Stateless);
    for (int byte = 0; byte < 256; ++byte) {
      const char c = static_cast<char>(byte);
      chars[byte] = byte < 0x80 ? char16_t(byte) : Defined(decoder.decode(QByteArrayView(&c, 1)));
      if (byte >= 0x80 && chars[byte] != u'\uFFFD') bytes.insert(chars[byte], byte);
    }
  }
};

const SingleByteTable& TableFor(int code_page) {
  static std::map<int, std::unique_ptr<SingleByteTable>> tables;
  std::unique_ptr<SingleByteTable>& table = tables[code_page];
  if (!table) table = std::make_unique<SingleByteTable>(code_page);
  return *table;
}

// One converter per double-byte code page, opened once: a note in such a
// code page decodes every character through it.
QStringDecoder& DecoderFor(int code_page) {
  static std::map<int, std::unique_ptr<QStringDecoder>> decoders;
  std::unique_ptr<QStringDecoder>& decoder = decoders[code_page];
  if (!decoder) {
    decoder = std::make_unique<QStringDecoder>(ConverterName(code_page).constData(),
                                               QStringDecoder::Flag::Stateless);
  }
  return *decoder;
}

// The converter's character for a pair; U+FFFD when it makes none.
char16_t ConvertPair(int code_page, unsigned char lead, unsigned char trail) {
  QStringDecoder& decoder = DecoderFor(code_page);
  const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
  const QString text = decoder.decode(QByteArrayView(pair, 2));
  return text.size() == 1 && text.front() != QChar::ReplacementCharacter ? text.front().unicode()
                                                                         : u'\uFFFD';
}

}  // namespace

int CodePageForCharSet(int char_set) {
  switch (char_set) {
    case 0:
      return 1252;  // ANSI
    case 128:
      return 932;  // Shift JIS
    case 129:
      return 949;  // Hangul
    case 134:
      return 936;  // GB 2312
    case 136:
      return 950;  // Big5
    case 161:
      return 1253;  // Greek
    case 162:
      return 1254;  // Turkish
    case 163:
      return 1258;  // Vietnamese
    case 177:
      return 1255;  // Hebrew
    case 178:
      return 1256;  // Arabic
    case 186:
      return 1257;  // Baltic
    case 204:
      return 1251;  // Cyrillic
    case 222:
      return 874;  // Thai
    case 238:
      return 1250;  // Eastern European
    default:
      return 0;  // 1 (default) and the rest: the document's code page decides
  }
}

int CharSetForCodePage(int code_page) {
  for (int char_set : {128, 129, 134, 136, 161, 162, 163, 177, 178, 186, 204, 222, 238}) {
    if (CodePageForCharSet(char_set) == code_page) return char_set;
  }
  return 0;
}

bool IsKnownCodePage(int code_page) {
  return std::find(std::begin(kCodePages), std::end(kCodePages), code_page) != std::end(kCodePages);
}

bool IsDoubleByteCodePage(int code_page) {
  return code_page == 932 || code_page == 936 || code_page == 949 || code_page == 950;
}

bool IsLeadByte(int code_page, unsigned char byte) {
  if (code_page == 932) return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
  return IsDoubleByteCodePage(code_page) && byte >= 0x81 && byte <= 0xFE;
}

const std::array<char16_t, 256>* SingleByteChars(int code_page) {
  if (!IsKnownCodePage(code_page) || IsDoubleByteCodePage(code_page)) return nullptr;
  return &TableFor(code_page).chars;
}

char16_t DecodeByte(int code_page, unsigned char byte) {
  if (byte < 0x80) return byte;
  if (IsLeadByte(code_page, byte)) return u'\uFFFD';
  if (!IsKnownCodePage(code_page)) code_page = 1252;
  if (IsDoubleByteCodePage(code_page)) {
    // The single bytes of a double-byte page (half-width katakana in 932).
    const char c = static_cast<char>(byte);
    return Defined(DecoderFor(code_page).decode(QByteArrayView(&c, 1)));
  }
  return TableFor(code_page).chars[byte];
}

char16_t DecodePair(int code_page, unsigned char lead, unsigned char trail) {
  if (!IsDoubleByteCodePage(code_page)) return u'\uFFFD';
  // Each pair goes through the converter once; 0 marks one not seen yet.
  static std::map<int, std::unique_ptr<std::array<char16_t, 65536>>> pairs;
  std::unique_ptr<std::array<char16_t, 65536>>& seen = pairs[code_page];
  if (!seen) seen = std::make_unique<std::array<char16_t, 65536>>();
  char16_t& ch = (*seen)[lead << 8 | trail];
  if (ch == 0) ch = ConvertPair(code_page, lead, trail);
  return ch;
}

int EncodeChar(int code_page, char16_t ch) {
  if (ch < 0x80) return ch;
  if (!IsKnownCodePage(code_page) || IsDoubleByteCodePage(code_page)) return -1;
  const SingleByteTable& table = TableFor(code_page);
  const auto it = table.bytes.constFind(ch);
  return it == table.bytes.constEnd() ? -1 : *it;
}
