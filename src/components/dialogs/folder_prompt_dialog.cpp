#include "dialogs/folder_prompt_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>
#include <QVBoxLayout>

#include "dialogs/folder_tree_model.h"
#include "dialogs/prompt_position.h"
#include "placement/outer_frame.h"

FolderPromptDialog::FolderPromptDialog(const FolderPromptOptions& options, QWidget* parent)
    : QDialog(parent), options_(options) {
  setWindowTitle(options_.title);
  setModal(true);

  auto* layout = new QVBoxLayout(this);
  auto* description = new QLabel(options_.description, this);
  description->setObjectName(QStringLiteral("descriptionLabel"));
  description->setWordWrap(true);
  layout->addWidget(description);

  if (options_.statusLine) {
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("statusLabel"));
    status_->setTextFormat(Qt::PlainText);
    layout->addWidget(status_);
  }

  model_ = new FolderTreeModel(options_.listFiles, this);
  tree_ = new QTreeView(this);
  tree_->setObjectName(QStringLiteral("folderTree"));
  tree_->setModel(model_);
  tree_->setHeaderHidden(true);
  tree_->setUniformRowHeights(true);
  tree_->setSelectionMode(QAbstractItemView::SingleSelection);
  tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  layout->addWidget(tree_, 1);
  connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) { onHighlightMoved(current); });
  // A click on the item that is current but not selected selects it.
  connect(tree_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { onHighlightMoved(tree_->currentIndex()); });

  if (options_.nameEdit) {
    auto* row = new QFormLayout;
    nameEdit_ = new QLineEdit(this);
    nameEdit_->setObjectName(QStringLiteral("nameEdit"));
    row->addRow(QStringLiteral("Folder:"), nameEdit_);
    layout->addLayout(row);
  }

  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons_);
  connect(buttons_, &QDialogButtonBox::accepted, this, &FolderPromptDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &FolderPromptDialog::reject);

  resize(340, 400);
}

void FolderPromptDialog::prepare() {
  QStringList roots = options_.roots;
  if (roots.isEmpty()) roots = {QDir::homePath(), QDir::rootPath()};
  model_->setRoots(roots);
  if (status_) status_->clear();
  if (nameEdit_) nameEdit_->clear();
  highlightPath(selectedFolder_);
  if (!tree_->currentIndex().isValid()) tree_->scrollToTop();
  // Highlighting the held folder does not count: OK starts as configured.
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(options_.okEnabledAtOpen);
}

bool FolderPromptDialog::run() {
  prepare();
  placeOverActiveWindow();
  const bool confirmed = exec() == QDialog::Accepted;
  hide();  // an application quit ends exec() but leaves the dialog up
  if (confirmed) selectedFolder_ = confirmed_;
  return confirmed;
}

QString FolderPromptDialog::highlightedPath() const {
  return model_->pathOf(tree_->currentIndex());
}

void FolderPromptDialog::highlightPath(const QString& path) {
  const QModelIndex index = model_->indexOfPath(path);
  if (!index.isValid()) return;
  for (QModelIndex up = index.parent(); up.isValid(); up = up.parent()) tree_->expand(up);
  tree_->setCurrentIndex(index);
  tree_->scrollTo(index);
}

bool FolderPromptDialog::okEnabled() const {
  return buttons_->button(QDialogButtonBox::Ok)->isEnabled();
}

QString FolderPromptDialog::statusText() const { return status_ ? status_->text() : QString(); }

void FolderPromptDialog::onHighlightMoved(const QModelIndex& current) {
  const QString path = model_->pathOf(current);
  if (status_) status_->setText(formatter_ ? formatter_(path) : path);
  if (nameEdit_) nameEdit_->setText(current.data().toString());
  // The tree makes its first item current when it takes the focus, without
  // selecting it: only an item the user (or the held folder) selected counts.
  if (!tree_->selectionModel()->isSelected(current)) return;
  const bool confirmable = !options_.foldersOnly || model_->isFolder(current);
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(confirmable);
}

std::optional<QString> FolderPromptDialog::resolveTypedName(const QString& typed) const {
  QString candidate = typed;
  if (candidate == QLatin1String("~") || candidate.startsWith(QLatin1String("~/"))) {
    candidate = QDir::homePath() + candidate.mid(1);
  }
  if (QDir::isRelativePath(candidate)) {
    // The edit box shows the highlighted item's name, so a typed name stands
    // beside it: it is looked up in the folder that holds that item.
    const QString highlighted = highlightedPath();
    const QString base =
        highlighted.isEmpty() ? QDir::homePath() : QFileInfo(highlighted).absolutePath();
    candidate = QDir(base).filePath(candidate);
  }
  const QFileInfo info(candidate);
  if (!info.exists()) return std::nullopt;
  if (options_.foldersOnly && !info.isDir()) return std::nullopt;
  return QDir::cleanPath(info.absoluteFilePath());
}

void FolderPromptDialog::accept() {
  QString target = highlightedPath();
  if (nameEdit_) {
    const QString typed = nameEdit_->text().trimmed();
    const QString shown = tree_->currentIndex().data().toString();
    if (!typed.isEmpty() && typed != shown) {
      const std::optional<QString> resolved = resolveTypedName(typed);
      if (!resolved) {
        reject();
        return;
      }
      target = *resolved;
    }
  }
  if (options_.foldersOnly && !QFileInfo(target).isDir()) return;
  confirmed_ = target;
  QDialog::accept();
}

void FolderPromptDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Only now does the tree know its height: bring the highlight to the middle.
  if (tree_->currentIndex().isValid()) {
    tree_->scrollTo(tree_->currentIndex(), QAbstractItemView::PositionAtCenter);
  }
}

void FolderPromptDialog::placeOverActiveWindow() {
  QWidget* active = QApplication::activeWindow();
  if (!active || active == this) active = parentWidget() ? parentWidget()->window() : nullptr;
  if (!active || !active->isVisible()) return;  // the platform places it
  const QScreen* screen = active->screen();
  if (!screen) return;
  const QRect over = OuterFrame(*active);
  const QRect area = screen->geometry();
  PlaceOuterFrame(*this, [over, area](const QSize& frame) { return PromptPosition(over, frame, area); });
}
