#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <map>
#include <string_view>

// The destinations of a group: where its words and text go.
enum class RtfDestination { Text, FontTable, ColorTable, Skip };

// Destinations whose groups hold nothing for the text: document
// information, pictures, objects, headers, footers, footnotes, styles, ...
bool IsSkippedDestination(std::string_view word);

struct RtfFontEntry {
  QString name;
  int char_set = -1;  // -1: no \fcharset given
};

// The font table (\fonttbl): "\fN\fcharsetM Name;" entries, and \deffN.
class RtfFontTable {
 public:
  void SetDefault(int font) { default_font_ = font; }
  // Each returns true when an entry was completed: formats made with the
  // table before are out of date.
  bool Word(std::string_view word, int param);
  bool Char(char16_t ch);
  bool Close() { return Commit(); }

  // Font `number`, -1 for the default font; null when the table has none.
  const RtfFontEntry* Find(int number) const;
  // The character set of the entry being read (-1: none given).
  int EntryCharSet() const { return entry_char_set_; }
  // "charset;name" per entry, in number order.
  QStringList Entries() const;

 private:
  bool Commit();

  std::map<int, RtfFontEntry> fonts_;
  int default_font_ = 0;
  int entry_font_ = -1;  // the entry being read, -1 for none
  int entry_char_set_ = -1;
  QString entry_name_;
};

// The colour table (\colortbl): "\redR\greenG\blueB;" entries, an entry
// without a colour word being the automatic colour.
class RtfColorTable {
 public:
  void Clear() { colors_.clear(); }
  void Word(std::string_view word, int param);
  void Char(char16_t ch);
  // Entry `index`; invalid for 0 (automatic), an empty entry or none.
  QColor At(int index) const;
  // Hands the entries after entry 0 over, leaving the table empty: a table
  // can be as long as the file.
  QList<QRgb> Take();

 private:
  QList<QRgb> colors_;  // kEmptyColorEntry where the file names no colour
  int red_ = 0;
  int green_ = 0;
  int blue_ = 0;
  bool given_ = false;
};
