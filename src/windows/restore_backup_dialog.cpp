#include "windows/restore_backup_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "qt_convert.h"

std::optional<std::filesystem::path> ChooseBackupCopy(QWidget* parent,
                                                      const std::vector<TBackupCopy>& copies,
                                                      const std::filesystem::path& folder) {
  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("RestoreBackupDialog"));
  dialog.setWindowTitle(QStringLiteral("Restore a Backup"));
  auto* layout = new QVBoxLayout(&dialog);

  const QString where = PathToQString(folder);
  auto* text = new QLabel(
      copies.empty()
          ? QStringLiteral("There is no copy of this file in %1.").arg(where)
          : QStringLiteral("Copies of this file as it was when opened, the newest %1 kept in %2. "
                           "The chosen copy is written over the file; Undo takes it back.")
                .arg(kKeptCopies)
                .arg(where),
      &dialog);
  text->setWordWrap(true);
  layout->addWidget(text);

  auto* list = new QTreeWidget(&dialog);
  list->setObjectName(QStringLiteral("BackupList"));
  list->setRootIsDecorated(false);
  list->setHeaderLabels(
      {QStringLiteral("Opened"), QStringLiteral("Size"), QStringLiteral("Records that differ")});
  for (const TBackupCopy& copy : copies) {
    auto* row = new QTreeWidgetItem(
        list, {ToQString(copy.time_text), QStringLiteral("%1 bytes").arg(copy.size),
               QString::number(copy.differing_records)});
    row->setTextAlignment(1, Qt::AlignRight);
    row->setTextAlignment(2, Qt::AlignRight);
  }
  list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  if (list->topLevelItemCount() > 0) list->setCurrentItem(list->topLevelItem(0));
  layout->addWidget(list);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QPushButton* restore = buttons->button(QDialogButtonBox::Ok);
  restore->setText(QStringLiteral("Restore"));
  restore->setEnabled(!copies.empty());
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  QObject::connect(list, &QTreeWidget::itemActivated, &dialog, &QDialog::accept);
  layout->addWidget(buttons);
  dialog.resize(460, 300);

  if (dialog.exec() != QDialog::Accepted || copies.empty()) return std::nullopt;
  const int chosen = list->indexOfTopLevelItem(list->currentItem());
  if (chosen < 0) return std::nullopt;
  return copies[static_cast<std::size_t>(chosen)].path;
}
