#include "rtf/rtf_tables.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "rtf/rtf_format.h"

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

// ---- RtfFontTable -----------------------------------------------------------

bool RtfFontTable::Word(std::string_view word, int param) {
  if (word == "f") {
    const bool committed = Commit();
    entry_font_ = param;
    entry_char_set_ = -1;
    entry_name_.clear();
    return committed;
  }
  if (word == "fcharset") entry_char_set_ = param;
  return false;
}

bool RtfFontTable::Char(char16_t ch) {
  if (ch == u';') return Commit();
  if (entry_font_ >= 0) entry_name_ += QChar(ch);
  return false;
}

bool RtfFontTable::Commit() {
  if (entry_font_ < 0) return false;
  fonts_[entry_font_] = RtfFontEntry{entry_name_.trimmed(), entry_char_set_};
  entry_font_ = -1;
  entry_name_.clear();
  return true;
}

const RtfFontEntry* RtfFontTable::Find(int number) const {
  const auto it = fonts_.find(number >= 0 ? number : default_font_);
  return it == fonts_.end() ? nullptr : &it->second;
}

QStringList RtfFontTable::Entries() const {
  QStringList entries;
  for (const auto& [number, font] : fonts_) {
    entries << QString::number(std::max(font.char_set, 0)) + u';' + font.name;
  }
  return entries;
}

// ---- RtfColorTable ----------------------------------------------------------

void RtfColorTable::Word(std::string_view word, int param) {
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
  given_ = true;
}

void RtfColorTable::Char(char16_t ch) {
  if (ch != u';') return;
  colors_.push_back(given_ ? qRgb(red_, green_, blue_) : kEmptyColorEntry);
  red_ = green_ = blue_ = 0;
  given_ = false;
}

QColor RtfColorTable::At(int index) const {
  const auto at = static_cast<std::size_t>(index);
  if (index <= 0 || at >= static_cast<std::size_t>(colors_.size())) return QColor();
  return colors_[at] == kEmptyColorEntry ? QColor() : QColor(colors_[at]);
}

QList<QRgb> RtfColorTable::Take() {
  // Entry 0 is always written as the automatic colour.
  if (!colors_.isEmpty()) colors_.removeFirst();
  return std::exchange(colors_, {});
}
