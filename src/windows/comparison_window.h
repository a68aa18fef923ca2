#pragma once

#include <QWidget>
#include <filesystem>
#include <string>

class DesktopHost;
class MapView;
class QListWidget;
class QPushButton;
class TEditingSession;

// "Compare With a Lo File..." and "Compare With a Backup...": the list of
// differences in a tool window beside the editor, with "Take This
// Difference", "Take All Differences" and "End Comparison", and the other
// file's records laid over the map. A click on a difference selects its
// record on the map and in the contents list. Esc here or on the map ends
// the comparison. It holds no data: each change of the file shows the
// session's comparison again.
class ComparisonWindow : public QWidget {
  Q_OBJECT

 public:
  ComparisonWindow(TEditingSession& session, DesktopHost& desktop, MapView& map, QWidget* editor);

  // The menu items: a file-open dialog, the backup list.
  void CompareWithFile();
  void CompareWithBackup();
  // Compares the open file with `other` and shows the differences, naming
  // the other file `other_name` (its file name when empty).
  void CompareWith(const std::filesystem::path& other, const std::string& other_name = {});
  // The file changed (a step of the history, another file opened).
  void Update();
  void End();

  QListWidget* List() const { return list_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowMarks();
  void RowClicked(int row);

  TEditingSession& session_;
  DesktopHost& desktop_;
  MapView& map_;
  QListWidget* list_ = nullptr;
  QPushButton* take_ = nullptr;
  QPushButton* take_all_ = nullptr;
};
