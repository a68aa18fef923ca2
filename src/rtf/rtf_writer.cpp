#include "rtf/rtf_writer.h"

#include <QFont>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextFragment>
#include <QVariant>
#include <cmath>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "rtf/code_pages.h"
#include "rtf/rtf_format.h"

namespace {

struct FontKey {
  QString family;
  int char_set = 0;
  bool operator==(const FontKey&) const = default;
};

// The formatting of one run, resolved against the document's defaults.
struct RunFormat {
  int font = 0;
  int half_points = 24;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  int color = 0;       // 0 is the automatic colour
  int background = 0;  // 0 is none
  QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;
  bool operator==(const RunFormat&) const = default;
};

// Before the first run: font and size are always written.
constexpr RunFormat kNothingWritten{-1, -1};

// A file's colour table keeps its numbers unless it holds more entries the
// text does not use than this: a table of millions of entries (ten million
// ";" in a note) is then renumbered to the colours the text uses, so a save
// cannot multiply the file.
constexpr qsizetype kUnusedColorsKept = 256;

// The colours of one run: the text's (none for the automatic colour) and
// the background's (none for no background).
struct RunColors {
  std::optional<QRgb> text;
  std::optional<QRgb> background;
};

template <typename T>
int IndexOf(std::vector<T>& list, const T& item) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i] == item) return static_cast<int>(i);
  }
  list.push_back(item);
  return static_cast<int>(list.size() - 1);
}

void AppendNumber(QByteArray& out, const char* word, int value) {
  out += word;
  out += QByteArray::number(value);
}

// Text in RTF: ASCII as is with \ \{ \} escaped, the rest as \uN plus one
// fallback byte in the font's code page ('?' when it has no such byte).
void AppendText(QByteArray& out, const QString& text, int code_page) {
  for (QChar qc : text) {
    const char16_t ch = qc.unicode();
    if (ch == u'\\' || ch == u'{' || ch == u'}') {
      out += '\\';
      out += static_cast<char>(ch);
    } else if (ch == u'\t') {
      out += "\\tab ";
    } else if (ch == QChar::LineSeparator) {
      out += "\\line ";
    } else if (ch >= 0x20 && ch < 0x7F) {
      out += static_cast<char>(ch);
    } else if (ch < 0x20 || ch == 0x7F) {
      // Other control characters have no meaning in a text.
    } else {
      AppendNumber(out, "\\u", static_cast<std::int16_t>(ch));
      const int fallback = qc.isSurrogate() ? -1 : EncodeChar(code_page, ch);
      if (fallback >= 0x80) {
        out += "\\'";
        out += QByteArray::number(fallback, 16).rightJustified(2, '0');
      } else {
        out += '?';
      }
    }
  }
}

void AppendFontName(QByteArray& out, const QString& family) {
  QString name = family;
  name.remove(QLatin1Char(';'));  // the entry terminator cannot be escaped
  AppendText(out, name, 1252);
}

class RtfWriter {
 public:
  RtfWriter(const QTextDocument& document, const QColor& default_color)
      : document_(document), defaultColor_(default_color) {
    // The tables of the file the document came from keep their numbers.
    for (const QString& font : document.property(kRtfFontTableProperty).toStringList()) {
      const qsizetype split = font.indexOf(u';');
      fonts_.push_back(FontKey{font.mid(split + 1), font.left(split).toInt()});
    }
    colors_ = document.property(kRtfColorTableProperty).value<QList<QRgb>>();
  }

  QByteArray write() {
    numberColors();
    QByteArray body;
    RunFormat current;
    bool first = true;
    forEachRun(
        [&](const QTextCharFormat& format, int format_index, const QString& text) {
          const RunFormat run = resolveOnce(format, format_index);
          appendChanges(body, first ? kNothingWritten : current, run);
          first = false;
          current = run;
          AppendText(body, text, CodePageForCharSet(fonts_[run.font].char_set));
        },
        [&] { body += "\\par\r\n"; });
    return header() + body + "}\r\n";
  }

 private:
  // Calls run(format, format index, text) for each run in order, and
  // paragraph_end() after each paragraph. An empty first paragraph still
  // gives one run, without text, so that its font and size are written.
  template <typename Run, typename ParagraphEnd>
  void forEachRun(Run run, ParagraphEnd paragraph_end) const {
    bool first = true;
    for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
      for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid()) continue;
        run(fragment.charFormat(), fragment.charFormatIndex(), fragment.text());
        first = false;
      }
      if (first) run(block.charFormat(), -1, QString());
      first = false;
      paragraph_end();
    }
  }

  RunColors colorsOf(const QTextCharFormat& format) const {
    RunColors colors;
    QColor color = defaultColor_;
    if (format.foreground().style() != Qt::NoBrush) color = format.foreground().color();
    if (color.isValid()) colors.text = color.rgb();
    if (format.background().style() != Qt::NoBrush) {
      colors.background = format.background().color().rgb();
    }
    return colors;
  }

  // Numbers every colour the text uses before anything is written: by its
  // first entry in the file's table, the others after the table's end in
  // the order the text first uses them.
  void numberColors() {
    std::vector<QRgb> used;  // in order of first use
    std::unordered_set<QRgb> seen;
    std::unordered_set<int> formats_seen;
    const auto use = [&](const std::optional<QRgb>& rgb) {
      if (rgb && seen.insert(*rgb).second) used.push_back(*rgb);
    };
    forEachRun(
        [&](const QTextCharFormat& format, int format_index, const QString&) {
          if (format_index >= 0 && !formats_seen.insert(format_index).second) return;
          const RunColors colors = colorsOf(format);
          use(colors.text);
          use(colors.background);
        },
        [] {});
    for (qsizetype i = 0; i < colors_.size(); ++i) {
      const QRgb rgb = colors_.at(i);  // at(): reading must not copy a shared table
      if (rgb != kEmptyColorEntry && seen.count(rgb) != 0) colorNumbers_.try_emplace(rgb, i + 1);
    }
    const auto unused = colors_.size() - static_cast<qsizetype>(colorNumbers_.size());
    if (unused > kUnusedColorsKept) {
      colors_ = {};  // not clear(), which keeps a shared table's capacity
      colorNumbers_.clear();
    }
    for (QRgb rgb : used) {
      if (colorNumbers_.try_emplace(rgb, colors_.size() + 1).second) colors_.push_back(rgb);
    }
  }

  // A document holds few distinct formats: each is resolved once, at its
  // first run, which is also where its font joins the table.
  RunFormat resolveOnce(const QTextCharFormat& format, int format_index) {
    if (format_index < 0) return resolve(format);
    const auto found = resolved_.find(format_index);
    if (found != resolved_.end()) return found->second;
    return resolved_.emplace(format_index, resolve(format)).first->second;
  }

  RunFormat resolve(const QTextCharFormat& format) {
    const QFont font = format.font().resolve(document_.defaultFont());
    RunFormat run;
    const int char_set =
        format.hasProperty(kRtfCharSetProperty) ? format.intProperty(kRtfCharSetProperty) : 0;
    run.font = IndexOf(fonts_, FontKey{font.family(), char_set});
    double points = font.pointSizeF();
    if (points <= 0) points = document_.defaultFont().pointSizeF();
    if (points <= 0) points = 12;
    run.half_points = static_cast<int>(std::lround(points * 2));
    run.bold = font.bold();
    run.italic = font.italic();
    run.underline = font.underline();
    run.strike = font.strikeOut();
    const RunColors colors = colorsOf(format);
    if (colors.text) run.color = colorNumbers_.at(*colors.text);
    if (colors.background) run.background = colorNumbers_.at(*colors.background);
    run.vertical = format.verticalAlignment();
    if (run.vertical != QTextCharFormat::AlignSuperScript &&
        run.vertical != QTextCharFormat::AlignSubScript) {
      run.vertical = QTextCharFormat::AlignNormal;  // the others have no RTF word
    }
    return run;
  }

  // Control words that turn `from` into `to`, followed by the delimiting space.
  static void appendChanges(QByteArray& out, const RunFormat& from, const RunFormat& to) {
    const qsizetype before = out.size();
    if (from.font != to.font) AppendNumber(out, "\\f", to.font);
    if (from.half_points != to.half_points) AppendNumber(out, "\\fs", to.half_points);
    if (from.bold != to.bold) out += to.bold ? "\\b" : "\\b0";
    if (from.italic != to.italic) out += to.italic ? "\\i" : "\\i0";
    if (from.underline != to.underline) out += to.underline ? "\\ul" : "\\ulnone";
    if (from.strike != to.strike) out += to.strike ? "\\strike" : "\\strike0";
    if (from.color != to.color) AppendNumber(out, "\\cf", to.color);
    // RichEdit's own word for a background; word processors read it with
    // any colour of the table.
    if (from.background != to.background) AppendNumber(out, "\\highlight", to.background);
    if (from.vertical != to.vertical) {
      if (to.vertical == QTextCharFormat::AlignSuperScript) {
        out += "\\super";
      } else if (to.vertical == QTextCharFormat::AlignSubScript) {
        out += "\\sub";
      } else {
        out += "\\nosupersub";
      }
    }
    if (out.size() != before) out += ' ';
  }

  QByteArray header() const {
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
      AppendNumber(out, "{\\f", static_cast<int>(i));
      AppendNumber(out, "\\fnil\\fcharset", fonts_[i].char_set);
      out += ' ';
      AppendFontName(out, fonts_[i].family);
      out += ";}";
    }
    out += "}\r\n{\\colortbl ;";
    for (QRgb rgb : colors_) {
      // An entry that names no colour is written as it was read.
      if (rgb != kEmptyColorEntry) {
        AppendNumber(out, "\\red", qRed(rgb));
        AppendNumber(out, "\\green", qGreen(rgb));
        AppendNumber(out, "\\blue", qBlue(rgb));
      }
      out += ';';
    }
    out += "}\r\n{\\*\\generator Lo File Editor;}\\viewkind4\\uc1\\pard ";
    return out;
  }

  const QTextDocument& document_;
  QColor defaultColor_;
  std::vector<FontKey> fonts_;
  QList<QRgb> colors_;                           // the table as it will be written
  std::unordered_map<QRgb, int> colorNumbers_;   // a colour's number in it
  std::unordered_map<int, RunFormat> resolved_;  // by the document's format index
};

}  // namespace

QByteArray DocumentToRtf(const QTextDocument& document, const QColor& default_color) {
  return RtfWriter(document, default_color).write();
}
