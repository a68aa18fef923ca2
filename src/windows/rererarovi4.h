#pragma once

#include <QColor>
#include <QMainWindow>
#include <QPointer>
#include <filesystem>
#include <memory>

#include "notes/notes_location.h"

// "Font"'s tool tip while it waits for the note to be read.
inline constexpr char kFontWaits[] = "Font waits until the notes file is read.";

class FontDialog;
class NotesFileReading;
class QAction;
class QTextDocument;
class QTextEdit;

// The notes window: shows the notes file (where it is, how it is read and
// saved: src/notes/) in a rich-text editor. Created hidden; the editor
// window's "Notes" command shows it through ShowNotes. Closing it only hides it.
class TForm4 : public QMainWindow {
  Q_OBJECT

 public:
  // `notes_path` is the notes file; tests point it into a temporary folder.
  explicit TForm4(std::filesystem::path notes_path = NotesFilePath(), QWidget* parent = nullptr);
  ~TForm4() override;

  // Loads the notes file when one exists (replacing the content), then shows
  // the window and brings it to the front. Raises AppError "Cannot open file
  // %s" or "Failed to Load Stream"; the window is then not shown. A large
  // file is read on after the window shows, between user events (see
  // IsReading); a failure then shows in the error box and leaves the
  // content as it was.
  void ShowNotes();
  // Writes the whole text to the notes file (SaveNotes). Raises AppError
  // "Cannot create file %s" or "Failed to Save Stream", leaving the old file
  // as it was; while a large note is being read it writes nothing and raises
  // NotesStillReadingError.
  void Save1Click();
  // Runs the font dialog; on OK the selection, or the text typed next when
  // nothing is selected, takes its font.
  void Font1Click();
  // The dialog's "Apply": the same with the font chosen in the open dialog.
  void FontDlg1Apply();

  const std::filesystem::path& NotesPath() const { return notes_path_; }
  // True while a large note is being read: the text is read-only and says so,
  // Font is off, Save raises NotesStillReadingError.
  bool IsReading() const { return reading_ != nullptr; }

  QAction* Save1 = nullptr;
  QAction* Font1 = nullptr;
  QTextEdit* RichEdit1 = nullptr;
  FontDialog* FontDlg1 = nullptr;

 private:
  void CreateWidgets();
  void PlaceOnFirstShow();
  void LoadNotes();
  void ReadOnWhileIdle();
  void EndReading(QTextDocument* document);
  void UseDocument(QTextDocument* document);
  void SetEditorFont(const QFont& font, const QColor& color, int char_set);

  std::filesystem::path notes_path_;
  bool placed_ = false;
  std::unique_ptr<NotesFileReading> reading_;  // a large note being read
  QPointer<QTextDocument> set_aside_;          // the content it replaces
};
