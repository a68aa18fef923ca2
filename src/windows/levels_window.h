#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "editor/level_set.h"
#include "settings/tool_windows.h"

class LevelReader;
class LevelsModel;
class QFileSystemWatcher;
class QLabel;
class QLineEdit;
class QTableView;
class QTimer;
class TEditingSession;
class TObjCatalogue;
class ruriVizid;

// "Open" > "Levels...": every Lo file of the Lo folder with its header,
// record count, last change and Check File's findings, sortable by any
// column and found by file or level name as the user types. Double-click or
// Enter opens a file; the open file's row is marked. It follows the folder:
// files another program adds, changes or removes show at once. The files
// are read by the core off the window's thread (LevelReader); the window
// shows the rows as they come. It comes back where it was in the next run.
class LevelsWindow : public QWidget {
  Q_OBJECT

 public:
  // `open` opens a file as "Open a Lo File" does.
  LevelsWindow(TEditingSession& session, const ruriVizid& settings,
               std::function<void(const std::filesystem::path&)> open, QWidget* editor);
  ~LevelsWindow() override;

  // "Levels...": shows the window, reading the folder afresh.
  void ShowLevels();
  // Shows the window when the last run ended with it shown.
  void RestoreFromLastRun();
  // The Lo folder setting, the open file or the catalogue may have changed.
  void Update();

  QTableView* List() const { return list_; }
  QLineEdit* FindField() const { return find_; }
  QLabel* Status() const { return status_; }
  const TLevelSet& Levels() const { return levels_; }
  bool Reading() const;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Rescan();
  void ReadFiles(std::vector<TLevelFile> files);
  void WatchFolder();
  void ShowRows();
  void ShowStatus();
  void OpenRow(const QModelIndex& index);
  void StorePlace();

  TEditingSession& session_;
  const ruriVizid& settings_;
  std::function<void(const std::filesystem::path&)> open_;
  TLevelSet levels_;
  std::shared_ptr<const TObjCatalogue> catalogue_;
  ToolWindowStore places_;
  LevelsModel* model_ = nullptr;
  QTableView* list_ = nullptr;
  QLineEdit* find_ = nullptr;
  QLabel* status_ = nullptr;
  QFileSystemWatcher* watcher_ = nullptr;
  QTimer* rescan_ = nullptr;     // a burst of folder changes rescans once
  QTimer* show_rows_ = nullptr;  // rows arriving show a few times a second
  LevelReader* reader_ = nullptr;
  int to_read_ = 0;
  int read_ = 0;
  // What the next run restores: shown until the user closes the window.
  bool shown_ = false;
  std::optional<TWindowRect> frame_;
  std::optional<TToolWindowPlace> stored_;  // as last read or written
};
