#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class FolderTreeModel;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QTreeView;

// What one folder prompt looks like and what it lets the user confirm.
struct FolderPromptOptions {
  QString title;
  QString description;          // text above the tree
  bool listFiles = false;       // files appear in the tree beside the folders
  bool foldersOnly = false;     // only folders may be confirmed
  bool nameEdit = false;        // an edit box for typing a name, checked on OK
  bool statusLine = false;      // shows the highlighted item's path
  bool okEnabledAtOpen = true;  // OK's state until the highlight first moves
  QStringList roots;            // top-level folders; empty: home, then "/"
};

// A modal folder browser. It keeps the folder it holds between runs: setting
// it before run() highlights that item; run() replaces it when the user
// confirms and leaves it alone otherwise. A typed name that names nothing on
// disk closes the prompt as cancelled.
class FolderPromptDialog : public QDialog {
  Q_OBJECT

 public:
  using PathFormatter = std::function<QString(const QString&)>;

  explicit FolderPromptDialog(const FolderPromptOptions& options, QWidget* parent = nullptr);

  // Turns the highlighted path into the status line's text (for example a
  // shortened path). Without one the path is shown as it is.
  void setStatusFormatter(PathFormatter formatter) { formatter_ = std::move(formatter); }

  const QString& selectedFolder() const { return selectedFolder_; }
  void setSelectedFolder(const QString& folder) { selectedFolder_ = folder; }

  // Shows the prompt modally over the active window; true when the user
  // confirmed an item, whose path is then selectedFolder().
  bool run();

  // What run() does before showing: lists the tree afresh, highlights the
  // held folder and sets OK, the edit box and the status line.
  void prepare();

  // The item the user has highlighted (empty when none) and moving it, as a
  // click in the tree would.
  QString highlightedPath() const;
  void highlightPath(const QString& path);

  bool okEnabled() const;
  QString statusText() const;
  QTreeView* tree() const { return tree_; }
  QLineEdit* nameEdit() const { return nameEdit_; }

  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void onHighlightMoved(const QModelIndex& current);
  void placeOverActiveWindow();
  std::optional<QString> resolveTypedName(const QString& typed) const;

  FolderPromptOptions options_;
  PathFormatter formatter_;
  QString selectedFolder_;
  QString confirmed_;
  FolderTreeModel* model_;
  QTreeView* tree_;
  QLabel* status_ = nullptr;
  QLineEdit* nameEdit_ = nullptr;
  QDialogButtonBox* buttons_;
};
