#include "windows/naming_commands.h"

#include <QAction>
#include <QFileDialog>

#include "editor/editing_session.h"
#include "fields/cell_editor.h"
#include "fields/column_list_box.h"
#include "windows/guarded.h"

namespace {

constexpr int kNameSection = 3;
constexpr int kNameLimit = 29;  // a slot holds 29 bytes of 8-bit text and its zero
const QString kTextFilter = QStringLiteral("Text Files (*.txt);;All Files (*)");

}  // namespace

NamingCommands::NamingCommands(QWidget& window, ColumnListBox& list, TEditingSession& session,
                               TEditorHost& host)
    : QObject(&window), window_(window), list_(list), session_(session), host_(host) {
  QAction* name = AddItem(kNameItem, QStringLiteral("Name This Object Kind..."));
  name->setShortcut(QKeySequence(Qt::Key_F2));
  connect(name, &QAction::triggered, this, &NamingCommands::NameChosenKind);
  connect(AddItem(kExportItem, QStringLiteral("Export Names...")), &QAction::triggered, this,
          &NamingCommands::ExportNames);
  connect(AddItem(kImportItem, QStringLiteral("Import Names...")), &QAction::triggered, this,
          &NamingCommands::ImportNames);
  list_.setContextMenuPolicy(Qt::ActionsContextMenu);
  list_.setRightClickChoosesRow(true);
}

// The list's own items: its context menu, their keys while it has the focus.
QAction* NamingCommands::AddItem(const char* name, const QString& caption) {
  auto* action = new QAction(caption, &list_);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  list_.addAction(action);
  return action;
}

void NamingCommands::NameChosenKind() {
  const int position = list_.selectedRow();
  if (position < 0) return guarded([this] { host_.ShowInformation(kNoItemSelected); });
  const int index = session_.View().FileRow(TList::Catalogue, position);
  EditName(position, index, ToQString(session_.Naming().NameOf(index)));
}

// A name refused (a character a slot cannot hold) is shown again as typed,
// so nothing the user typed is lost.
void NamingCommands::EditName(int position, int index, const QString& text) {
  CellEditor* editor = CellEditor::edit(&list_, position, kNameSection, text, kNameLimit);
  connect(editor, &CellEditor::accepted, this, [this, position, index](const QString& typed) {
    bool written = false;
    guarded([&] {
      session_.Naming().NameEntry(index, ToStdString(typed));
      written = true;
    });
    if (!written && position < list_.rowCount()) EditName(position, index, typed);
  });
}

void NamingCommands::ExportNames() {
  const QString file = QFileDialog::getSaveFileName(&window_, QStringLiteral("Export Names"),
                                                    QStringLiteral("names.txt"), kTextFilter);
  if (file.isEmpty()) return;
  guarded([&] { session_.Naming().ExportNames(QStringToPath(file)); });
}

void NamingCommands::ImportNames() {
  const QString file =
      QFileDialog::getOpenFileName(&window_, QStringLiteral("Import Names"), QString(), kTextFilter);
  if (file.isEmpty()) return;
  guarded([&] { session_.Naming().ImportNames(QStringToPath(file)); });
}
