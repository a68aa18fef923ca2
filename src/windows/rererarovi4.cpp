#include "windows/rererarovi4.h"

#include <QApplication>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <string>
#include <utility>

#include "dialogs/font_dialog.h"
#include "errors/app_error.h"
#include "placement/outer_frame.h"
#include "platform/whole_file.h"
#include "rtf/byte_source.h"
#include "rtf/rich_or_plain.h"
#include "rtf/rtf_writer.h"
#include "rtf/text_font.h"
#include "windows/guarded.h"
#include "windows/program_icon.h"
#include "windows/window_fonts.h"

namespace {

constexpr QSize kOuterSize(456, 298);

// A pipe or device named like the notes file is never read or replaced; say why.
std::string NotRegularNote(const WholeFileError& error) {
  return error.NotRegularFile() ? ": it is not a regular file" : "";
}

// The notes file, a piece at a time, for the text readers.
class NotesFileSource : public ByteSource {
 public:
  explicit NotesFileSource(const std::filesystem::path& path) : file_(path) {}
  qsizetype read(char* buffer, qsizetype size) override {
    return static_cast<qsizetype>(file_.Read(buffer, static_cast<std::size_t>(size)));
  }
  void rewind() override { file_.Rewind(); }
  void close() { file_.Close(); }

 private:
  FileReader file_;
};

}  // namespace

TForm4::TForm4(std::filesystem::path notes_path, QWidget* parent)
    : QMainWindow(parent), notes_path_(std::move(notes_path)) {
  CreateWidgets();
}

void TForm4::CreateWidgets() {
  setWindowTitle(QStringLiteral("Lo File Editing Notes"));
  setWindowIcon(ProgramIcon());
  // Closing only hides the notes; it never ends the program.
  setAttribute(Qt::WA_QuitOnClose, false);
  setFont(DialogFont(8));
  resize(kOuterSize);

  // Two commands that act at once, right on the menu bar.
  Save1 = menuBar()->addAction(QStringLiteral("Save"));
  Save1->setObjectName(QStringLiteral("Save1"));
  Font1 = menuBar()->addAction(QStringLiteral("Font"));
  Font1->setObjectName(QStringLiteral("Font1"));

  RichEdit1 = new QTextEdit(this);
  RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
  RichEdit1->setAcceptRichText(true);
  RichEdit1->setLineWrapMode(QTextEdit::WidgetWidth);
  RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  RichEdit1->setFont(font());  // also the document's default: unformatted text and empty saves
  setCentralWidget(RichEdit1);

  FontDlg1 = new FontDialog(this);
  FontDlg1->setObjectName(QStringLiteral("FontDlg1"));

  // Every command runs through guarded(): a failure ends it in the error box.
  connect(Save1, &QAction::triggered, this, [this] { guarded([this] { Save1Click(); }); });
  connect(Font1, &QAction::triggered, this, [this] { guarded([this] { Font1Click(); }); });
  connect(FontDlg1, &FontDialog::applied, this, [this] { guarded([this] { FontDlg1Apply(); }); });
}

// Centred on the desktop the first time; afterwards where the user left it.
// The size is the outer one, decoration included.
void TForm4::PlaceOnFirstShow() {
  if (placed_) return;
  placed_ = true;
  resize(kOuterSize.shrunkBy(DecorationOf(*this)));
  CentreOnScreen(*this);
}

void TForm4::ShowNotes() {
  std::error_code ignored;
  if (std::filesystem::exists(notes_path_, ignored)) LoadNotes();
  PlaceOnFirstShow();
  show();
  raise();
  activateWindow();
}

void TForm4::LoadNotes() {
  // The note is read into a document of its own and takes the editor's place
  // only when whole: a failed read leaves the editor as it was, so a Save
  // after it cannot write half a note over the file.
  auto* document = new QTextDocument(RichEdit1);
  document->setDefaultFont(RichEdit1->document()->defaultFont());
  try {
    NotesFileSource source(notes_path_);
    ReadRichOrPlainText(source, *document);
    source.close();
  } catch (const WholeFileError& error) {
    delete document;
    if (error.step() == WholeFileError::Step::Open) {
      throw AppError("Cannot open file " + notes_path_.string() + NotRegularNote(error));
    }
    throw AppError("Failed to Load Stream");
  }
  const QPointer<QTextDocument> old = RichEdit1->document();
  RichEdit1->setDocument(document);
  if (old != nullptr && old->parent() == RichEdit1) delete old;
  document->setModified(false);
}

void TForm4::Save1Click() {
  const QByteArray rtf = DocumentToRtf(*RichEdit1->document());
  PrepareNotesFolder(notes_path_);  // an installed program's notes go to the user's data folder
  try {
    ReplaceWholeFile(notes_path_, std::string_view(rtf.constData(), rtf.size()));
  } catch (const WholeFileError& error) {
    if (error.step() == WholeFileError::Step::Open) {
      throw AppError("Cannot create file " + notes_path_.string() + NotRegularNote(error));
    }
    throw AppError("Failed to Save Stream");
  }
}

void TForm4::Font1Click() {
  if (FontDlg1->execute()) {
    SetEditorFont(FontDlg1->selectedFont(), FontDlg1->selectedColor(),
                  FontDlg1->selectedCharSet());
  }
}

void TForm4::FontDlg1Apply() {
  SetEditorFont(FontDlg1->currentFont(), FontDlg1->currentColor(), FontDlg1->currentCharSet());
}

// With a selection the font formats the selection, run by run, and nothing
// else; without one it becomes the format of the text typed at the caret.
// Text already there keeps its formatting either way. The window-text
// colour is the automatic colour, as the font dialog starts with it.
void TForm4::SetEditorFont(const QFont& font, const QColor& color, int char_set) {
  const bool automatic = color == QApplication::palette().color(QPalette::WindowText);
  const TextFont text_font{font, automatic ? QColor() : color, char_set};
  const QTextCursor cursor = RichEdit1->textCursor();
  if (cursor.hasSelection()) {
    ApplyTextFont(cursor, text_font);
  } else {
    RichEdit1->setCurrentCharFormat(WithTextFont(RichEdit1->currentCharFormat(), text_font));
  }
  RichEdit1->viewport()->update();
}
