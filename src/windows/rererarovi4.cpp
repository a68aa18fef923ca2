#include "windows/rererarovi4.h"

#include <QApplication>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <chrono>
#include <utility>

#include "dialogs/font_dialog.h"
#include "notes/notes_file_reading.h"
#include "notes/notes_messages.h"
#include "notes/notes_saving.h"
#include "placement/outer_frame.h"
#include "rtf/text_font.h"
#include "windows/guarded.h"
#include "windows/program_icon.h"
#include "windows/window_fonts.h"

namespace {

constexpr QSize kOuterSize(456, 298);

// A large note is read in steps between user events. Short steps: other
// event loops (a dialog, the about box's opening effect) run them too, and
// must keep their pace.
constexpr std::chrono::milliseconds kReadingStep{10};

}  // namespace

TForm4::TForm4(std::filesystem::path notes_path, QWidget* parent)
    : QMainWindow(parent), notes_path_(std::move(notes_path)) {
  CreateWidgets();
}

TForm4::~TForm4() = default;

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
  if (NotesFileThere(notes_path_)) LoadNotes();
  PlaceOnFirstShow();
  show();
  raise();
  activateWindow();
}

// The note is read into a document of its own and takes the editor's place
// only when whole: a failed read leaves the editor as it was, so a Save
// after it cannot write half a note over the file.
void TForm4::LoadNotes() {
  if (reading_ != nullptr) return;  // the file's content is on its way already
  auto reading =
      std::make_unique<NotesFileReading>(notes_path_, RichEdit1->document()->defaultFont());
  if (!reading->WorthSteps()) {
    reading->ReadUntil(QDeadlineTimer::Forever);
    UseDocument(reading->TakeDocument());
    return;
  }
  reading_ = std::move(reading);
  // Until the note is in, the editor shows an empty page saying so; nothing
  // can be typed or formatted meanwhile, and Save says why it writes nothing.
  set_aside_ = RichEdit1->document();
  set_aside_->setParent(this);  // kept, not deleted, while the editor shows another
  UseDocument(new QTextDocument(this));
  RichEdit1->setPlaceholderText(QStringLiteral("Reading the notes file..."));
  RichEdit1->setReadOnly(true);
  Font1->setEnabled(false);
  Font1->setToolTip(QString::fromLatin1(kFontWaits));  // greyed, it says why
  QTimer::singleShot(0, this, &TForm4::ReadOnWhileIdle);
}

void TForm4::ReadOnWhileIdle() {
  guarded([this] {
    if (reading_ == nullptr) return;
    bool done = false;
    try {
      done = reading_->ReadUntil(QDeadlineTimer(kReadingStep));
    } catch (...) {
      EndReading(set_aside_.data());  // the editor as it was before
      throw;
    }
    if (!done) {
      QTimer::singleShot(0, this, &TForm4::ReadOnWhileIdle);
      return;
    }
    EndReading(reading_->TakeDocument());
  });
}

void TForm4::EndReading(QTextDocument* document) {
  QTextDocument* old = set_aside_.data();
  UseDocument(document);
  if (old != document) delete old;
  set_aside_ = nullptr;
  reading_.reset();
  RichEdit1->setPlaceholderText(QString());
  RichEdit1->setReadOnly(false);
  Font1->setEnabled(true);
  Font1->setToolTip(QString());
}

// Shows `document` in the editor; the one it replaces is deleted unless it
// is the one set aside.
void TForm4::UseDocument(QTextDocument* document) {
  const QPointer<QTextDocument> old = RichEdit1->document();
  document->setParent(this);
  RichEdit1->setDocument(document);
  document->setModified(false);
  // The editor deletes its first document itself; a set-aside one is kept.
  if (old != document && old != set_aside_) delete old.data();
}

void TForm4::Save1Click() {
  // Only part of the note is in: never write that over the file, and never
  // let a click on Save pass as a save.
  if (reading_ != nullptr) throw NotesStillReadingError();
  SaveNotes(*RichEdit1->document(), notes_path_);
}

void TForm4::Font1Click() {
  if (FontDlg1->execute()) {
    SetEditorFont(FontDlg1->selectedFont(), FontDlg1->selectedColor(), FontDlg1->selectedCharSet());
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
