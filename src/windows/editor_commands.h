#pragma once

#include <QObject>
#include <filesystem>

#include "datafiles/record_fields.h"
#include "editor/editor_view.h"
#include "windows/editor_widgets.h"

class ComparisonWindow;
class DesktopHost;
class GroupCommands;
class MaskedEdit;
class QWidget;
class TEditingSession;
struct TPastePoint;
class TForm4;
class WorkspaceCommands;
class ruriVizid;

// Turns the editor window's user events into editor operations, each run
// through guarded() so that a failure shows the error box and the window
// goes on. It holds no editing logic and shows nothing: what the operations
// change reaches the widgets through the view and the presenter.
class EditorCommands : public QObject {
  Q_OBJECT

 public:
  // `notes` may be null (no "Notes" window). Everything outlives the commands.
  EditorCommands(QWidget& window, const EditorWidgets& widgets, TEditingSession& session,
                 ruriVizid& settings, DesktopHost& desktop, TForm4* notes);

  // What the command's menu item or button does.
  void Run(TCommand command);
  // The start-up window's button with a file named on the command line: the
  // steps of "Open a Lo File" after its dialog.
  void OpenNamed(const std::filesystem::path& file);
  // The window is closed: closes the Lo file and asks the program to end.
  void Close();
  // "Paste Here" on the map, opened at (x, y) in file units.
  void PasteHere(double x, double y);
  // The clipboard holds something to paste: "Paste Objects" and "Paste Here"
  // are enabled.
  bool PasteAvailable() const { return paste_available_; }
  // Where "Compare With a Lo File..." and "Compare With a Backup..." go.
  void SetComparison(ComparisonWindow* comparison) { comparison_ = comparison; }
  // Where "Levels...", "Find in Lo Files..." and a new Lo folder go.
  void SetWorkspace(WorkspaceCommands* workspace) { workspace_ = workspace; }

  // The object commands, whose keys act only while the contents list or
  // the map has the focus; in a text field they stay the field's own.
  static constexpr TCommand kObjectCommands[] = {TCommand::CopyObjects, TCommand::CutObjects,
                                                 TCommand::PasteObjects, TCommand::DeleteObjects,
                                                 TCommand::SelectAllObjects};
  // The commands on many objects at once.
  GroupCommands* Group() const { return group_; }

 signals:
  void pasteAvailableChanged(bool available);

 protected:
  // Ctrl+Z in a field undoes its typing first, then goes to the file's history.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Connect();
  void RowChosen(int row);
  void TextEdited(TField field, const QString& text);
  void ReportModified(MaskedEdit* field);
  void StateChosen(int index);
  void RestoreBackup();
  bool ObjectsChosen();
  void CopyObjects();
  void CutObjects();
  void ClipboardChanged();
  void Paste(const TPastePoint* at);

  QWidget& window_;
  const EditorWidgets& widgets_;
  TEditingSession& session_;
  ruriVizid& settings_;
  DesktopHost& desktop_;
  TForm4* notes_;
  bool paste_available_ = false;
  GroupCommands* group_ = nullptr;  // a child of this
  ComparisonWindow* comparison_ = nullptr;
  WorkspaceCommands* workspace_ = nullptr;
};
