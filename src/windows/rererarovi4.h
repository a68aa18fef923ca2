#pragma once

#include <QColor>
#include <QMainWindow>
#include <filesystem>

#include "platform/program_folder.h"

class FontDialog;
class QAction;
class QTextEdit;

// The notes window: free-form rich-text notes kept in "loinfo.txt" beside
// the program, or in the user's data folder when the program's folder is
// not writable (see NotesFilePath). Created hidden; the editor window's
// "Notes" command shows it through ShowNotes. Closing it only hides it.
class TForm4 : public QMainWindow {
  Q_OBJECT

 public:
  // `notes_path` is the notes file; tests point it into a temporary folder.
  explicit TForm4(std::filesystem::path notes_path = NotesFilePath(), QWidget* parent = nullptr);

  // Loads the notes file when one exists (replacing the content), then shows
  // the window and brings it to the front. Raises AppError "Cannot open file
  // %s" or "Failed to Load Stream"; the window is then not shown.
  void ShowNotes();
  // Writes the whole text to the notes file as RTF; the old file is replaced
  // only once the new one is complete. Raises AppError "Cannot create file
  // %s" or "Failed to Save Stream", leaving the old file as it was.
  void Save1Click();
  // Runs the font dialog; on OK the selection, or the text typed next when
  // nothing is selected, takes its font.
  void Font1Click();
  // The dialog's "Apply": the same with the font chosen in the open dialog.
  void FontDlg1Apply();

  const std::filesystem::path& notesPath() const { return notes_path_; }

  QAction* Save1 = nullptr;
  QAction* Font1 = nullptr;
  QTextEdit* RichEdit1 = nullptr;
  FontDialog* FontDlg1 = nullptr;

 private:
  void CreateWidgets();
  void PlaceOnFirstShow();
  void LoadNotes();
  void SetEditorFont(const QFont& font, const QColor& color, int char_set);

  std::filesystem::path notes_path_;
  bool placed_ = false;
};
