#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>

#include "editor/level_find.h"

class LevelReader;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;
class TEditingSession;
class TObjCatalogue;
class ruriVizid;

// "Open" > "Find in Lo Files...": the records of every Lo file of the Lo
// folder of a kind, of a name part or a class or type number, or that Check
// File names. The core reads the files one at a time off the window's thread;
// results grow while it reads, with a count per file, and "Stop" ends it. A
// click on a record opens its file (as "Open a Lo File" does, unless it is
// the open one) and chooses the record in the list and on the map.
class FindInLevelsWindow : public QWidget {
  Q_OBJECT

 public:
  // `open` opens a file as "Open a Lo File" does.
  FindInLevelsWindow(TEditingSession& session, const ruriVizid& settings,
                     std::function<void(const std::filesystem::path&)> open, QWidget* editor);
  ~FindInLevelsWindow() override;

  // The menu item: shows the window with the last question.
  void ShowFind();
  // "Find This Kind in Lo Files": finds every record of this kind.
  void FindKind(std::uint8_t object_class, std::uint8_t object_type);
  // Finds what the window's fields ask.
  void Start();
  void Stop();
  // The catalogue's names changed: the results show the new ones.
  void RenameResults();

  QTreeWidget* Results() const { return results_; }
  QLabel* Status() const { return status_; }
  bool Searching() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  TLevelQuery Query() const;
  void TakeFinds(const TLevelFinds& finds);
  void ShowStatus();
  void ResultClicked(QTreeWidgetItem* item);
  QString NameOf(const TLoRecord& record) const;

  TEditingSession& session_;
  const ruriVizid& settings_;
  std::function<void(const std::filesystem::path&)> open_;
  std::shared_ptr<const TObjCatalogue> catalogue_;
  QRadioButton* by_text_ = nullptr;
  QRadioButton* by_kind_ = nullptr;
  QRadioButton* by_finding_ = nullptr;
  QLineEdit* text_ = nullptr;
  QSpinBox* class_ = nullptr;
  QSpinBox* type_ = nullptr;
  QPushButton* find_ = nullptr;
  QPushButton* stop_ = nullptr;
  QTreeWidget* results_ = nullptr;
  QLabel* status_ = nullptr;
  LevelReader* reader_ = nullptr;
  QString caption_;  // what the results are of
  QString problem_;  // the folder does not list
  int files_ = 0;
  int read_ = 0;
  int found_files_ = 0;
  int found_ = 0;
  bool stopped_ = false;
};
