#include "windows/editor_commands.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <optional>

#include "editor/editing_session.h"
#include "errors/app_error.h"
#include "fields/column_list_box.h"
#include "fields/list_find_field.h"
#include "fields/masked_edit.h"
#include "fields/two_choice_group.h"
#include "lettering/shadow_button.h"
#include "qt_convert.h"
#include "settings/folder_settings.h"
#include "windows/about_box.h"
#include "windows/comparison_window.h"
#include "windows/desktop_host.h"
#include "windows/foreign_clipboard.h"
#include "windows/group_commands.h"
#include "windows/guarded.h"
#include "windows/object_clipboard.h"
#include "windows/rererarovi4.h"
#include "windows/restore_backup_dialog.h"
#include "windows/workspace_commands.h"

EditorCommands::EditorCommands(QWidget& window, const EditorWidgets& widgets,
                               TEditingSession& session, ruriVizid& settings, DesktopHost& desktop,
                               TForm4* notes)
    : QObject(&window),
      window_(window),
      widgets_(widgets),
      session_(session),
      settings_(settings),
      desktop_(desktop),
      notes_(notes),
      group_(new GroupCommands(window, session)) {
  group_->setParent(this);
  Connect();
}

void EditorCommands::Connect() {
  for (std::size_t i = 0; i < kCommandCount; ++i) {
    const auto command = static_cast<TCommand>(i);
    if (QAction* action = widgets_.Action(command)) {
      connect(action, &QAction::triggered, this, [this, command] { Run(command); });
    }
    if (ShadowButton* button = widgets_.Button(command)) {
      connect(button, &QPushButton::clicked, this, [this, command] { Run(command); });
    }
  }
  connect(widgets_.ContentsList(), &ColumnListBox::rowChosen, this, &EditorCommands::RowChosen);
  connect(widgets_.ContentsList(), &ColumnListBox::rowToggled, this, [this](int position) {
    const int row = session_.View().FileRow(TList::Contents, position);
    guarded([this, row] { session_.ToggleRow(row); });
  });
  connect(widgets_.ContentsList(), &ColumnListBox::rowExtended, this, [this](int position) {
    const int row = session_.View().FileRow(TList::Contents, position);
    guarded([this, row] { session_.ExtendSelectionToRow(row); });
  });
  ColumnListBox* catalogue = widgets_.CatalogueList();
  connect(catalogue, &ColumnListBox::rowActivated, this, [this](int position) {
    guarded([&] {
      session_.Placing().PickCatalogueEntry(session_.View().FileRow(TList::Catalogue, position));
    });
  });
  for (TList list : {TList::Contents, TList::Catalogue}) {
    connect(widgets_.FindField(list), &ListFindField::findTextChanged, this,
            [this, list](const QString& text) {
              session_.View().SetFindText(list, QStringToBytes(text));
            });
  }
  for (const TFieldInfo& info : kFieldTable) {
    MaskedEdit* field = widgets_.FieldWidget(info.field);
    if (field == nullptr) continue;  // the state is a choice group
    const TField which = info.field;
    connect(field, &QLineEdit::textEdited, this,
            [this, which](const QString& text) { TextEdited(which, text); });
    connect(field, &MaskedEdit::modifiedChanged, this,
            [this, field](bool) { ReportModified(field); });
    field->installEventFilter(this);
  }
  connect(widgets_.StateGroup(), &TwoChoiceGroup::choiceChanged, this,
          &EditorCommands::StateChosen);
  for (TCommand command : kObjectCommands) {
    QAction* action = widgets_.Action(command);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    widgets_.ContentsList()->addAction(action);
  }
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
          &EditorCommands::ClipboardChanged);
  if (auto* edit = window_.findChild<QMenu*>(QStringLiteral("EditMenu"))) {
    connect(edit, &QMenu::aboutToShow, this, &EditorCommands::ClipboardChanged);
  }
  ClipboardChanged();
}

void EditorCommands::Run(TCommand command) {
  if (GroupCommands::Runs(command)) return group_->Run(command);
  if (WorkspaceCommands::Runs(command)) {
    if (workspace_ != nullptr) workspace_->Run(command);
    return;
  }
  switch (command) {
    case TCommand::OpenLoFile:
      guarded([this] { session_.Files().OpenLoFile(); });
      break;
    case TCommand::RestoreBackup:
      RestoreBackup();
      break;
    case TCommand::Undo:
      guarded([this] { session_.Undo().Undo(); });
      break;
    case TCommand::Redo:
      guarded([this] { session_.Undo().Redo(); });
      break;
    case TCommand::Save:
      guarded([this] { session_.Records().CommitRecord(TCommitTarget::SelectedRow); });
      break;
    case TCommand::Notes:
      guarded([this] {
        if (notes_ != nullptr) notes_->ShowNotes();
      });
      break;
    case TCommand::LoFolder:
      guarded([this] { ChangeLoFolder(settings_, desktop_.LoFolderPrompt()); });
      if (workspace_ != nullptr) workspace_->LoFolderChanged();
      break;
    case TCommand::ObjdatFolder:
      guarded([this] { ChangeObjdatFolder(settings_, desktop_.ObjdatFolderPrompt()); });
      break;
    case TCommand::About:
      guarded([this] { ShowAbout(&window_, LoAboutSettings()); });
      break;
    case TCommand::AddObject:
      guarded([this] { session_.Records().AddObject(); });
      break;
    case TCommand::RemoveObject:
      guarded([this] { session_.Records().RemoveLastObject(); });
      break;
    case TCommand::DuplicateObject:
      guarded([this] { session_.Placing().DuplicateRecord(); });
      break;
    case TCommand::CopyObjects:
      CopyObjects();
      break;
    case TCommand::CutObjects:
      CutObjects();
      break;
    case TCommand::PasteObjects:
      Paste(nullptr);
      break;
    case TCommand::DeleteObjects:
      if (ObjectsChosen()) guarded([this] { session_.Objects().DeleteObjects(); });
      break;
    case TCommand::CompareWithFile:
      if (comparison_ != nullptr) comparison_->CompareWithFile();
      break;
    case TCommand::CompareWithBackup:
      if (comparison_ != nullptr) comparison_->CompareWithBackup();
      break;
    default:  // the group's commands, run above
      break;
  }
}

// Without objects the user is told, as "Remove Object" tells it.
bool EditorCommands::ObjectsChosen() {
  if (!session_.Objects().ChosenObjects().empty()) return true;
  guarded([this] { desktop_.ShowInformation(kNoItemSelected); });
  return false;
}

void EditorCommands::CopyObjects() {
  if (!ObjectsChosen()) return;
  guarded([this] { PutObjectsOnClipboard(session_.Objects().CopyObjects()); });
}

// The clipboard takes the objects before the delete, which is the one step.
void EditorCommands::CutObjects() {
  if (!ObjectsChosen()) return;
  guarded([this] {
    PutObjectsOnClipboard(session_.Objects().CopyObjects());
    session_.Objects().CutObjects();
  });
}

void EditorCommands::PasteHere(double x, double y) {
  const TPastePoint at{x, y};
  Paste(&at);
}

// Another program's clipboard is asked off the window's thread; the paste
// follows its answer, or the user is told it gave none.
void EditorCommands::Paste(const TPastePoint* at) {
  if (!ClipboardHeldElsewhere()) {
    return guarded([&] { session_.Objects().PasteObjects(ObjectsOnClipboard(), at); });
  }
  const std::optional<TPastePoint> where = at ? std::optional(*at) : std::nullopt;
  // The answer may come after another file was opened: it was not meant for that one.
  const std::filesystem::path file = session_.Document().Path();
  ReadForeignClipboard(this, [this, where, file](const ForeignClipboard& read) {
    guarded([&] {
      if (session_.Document().Path() != file) {
        throw AppError(
            "Another Lo file was opened while the clipboard was read; nothing was pasted");
      }
      if (!read.answered) throw AppError(kClipboardSilent);
      if (read.records.isEmpty() && read.text.isEmpty()) throw AppError(kClipboardHoldsNoObjects);
      session_.Objects().PasteObjects(ObjectsFrom(read.records, QString::fromUtf8(read.text)),
                                      where ? &*where : nullptr);
    });
  });
}

// Never waits on another program: what it holds is asked for only on a paste.
void EditorCommands::ClipboardChanged() {
  const bool available = ClipboardHeldElsewhere() || ClipboardHasObjects();
  widgets_.Action(TCommand::PasteObjects)->setEnabled(available);
  if (available == paste_available_) return;
  paste_available_ = available;
  emit pasteAvailableChanged(available);
}

void EditorCommands::OpenNamed(const std::filesystem::path& file) {
  guarded([this, &file] { session_.Files().OpenLoFileNamed(file); });
}

void EditorCommands::RestoreBackup() {
  guarded([this] {
    const std::vector<TBackupCopy> copies = session_.BackupRestore().Copies();
    if (auto copy =
            ChooseBackupCopy(&window_, copies, session_.BackupRestore().Keeper().Folder())) {
      session_.BackupRestore().Restore(*copy);
    }
  });
}

bool EditorCommands::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ShortcutOverride) return QObject::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  const auto* field = static_cast<MaskedEdit*>(watched);
  const QKeySequence pressed(key->keyCombination());
  const bool file_undo = key->matches(QKeySequence::Undo) && !field->canUndoEdit();
  // A field has no redo of its own.
  const bool file_redo = widgets_.Action(TCommand::Redo)->shortcuts().contains(pressed);
  if (!file_undo && !file_redo) return false;
  event->ignore();  // not the field's: the window's shortcut runs
  return true;
}

void EditorCommands::Close() {
  guarded([this] { session_.Files().CloseLoFile(); });
}

void EditorCommands::RowChosen(int position) {
  const int row = session_.View().FileRow(TList::Contents, position);
  guarded([this, row] { session_.ClickRow(row); });
}

// What the user types goes to the session, which marks the field.
void EditorCommands::TextEdited(TField field, const QString& text) {
  guarded([this, field, &text] { session_.TypeText(field, QStringToBytes(text)); });
}

// The field's flag is raised with every edit the user makes; TextEdited has
// marked it already. Clearing it raises the event once more, nested, and
// that run finds the flag clear.
void EditorCommands::ReportModified(MaskedEdit* field) { field->setModifiedFlag(false); }

void EditorCommands::StateChosen(int index) {
  guarded([this, index] { session_.ChooseState(index); });
}
