#include "windows/desktop_host.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QSettings>

#include "dialogs/message_box.h"
#include "platform/program_folder.h"
#include "qt_convert.h"
#include "windows/rererarovi1.h"

namespace {

// Qt's file dialog keeps its history, last folder and view in a settings file
// of Qt's own beside ours. The settings file is the program's only store, so
// Qt's settings go where no file can be written.
void KeepNoToolkitSettings() {
  const QString nowhere = PathToQString(NowhereFolder());
  for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
    for (const QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope}) {
      QSettings::setPath(format, scope, nowhere);
    }
  }
}

}  // namespace

DesktopHost::DesktopHost(TForm1& startup_window)
    : LoFolderPrompt1(LoFolderPromptOptions()),
      ObjdatFolderPrompt1(ObjdatFolderPromptOptions()),
      EndRequest(&DesktopHost::QueueProgramEnd),
      startup_window_(startup_window) {
  LoFolderPrompt1.SetOwner(&startup_window);
  LoFolderPrompt1.AfterRun = [this] { ReactivateEditor(); };
  ObjdatFolderPrompt1.AfterRun = [this] { ReactivateEditor(); };
}

DesktopHost::~DesktopHost() = default;

void DesktopHost::SetEditorWindow(QWidget* editor_window) {
  editor_window_ = editor_window;
  ObjdatFolderPrompt1.SetOwner(editor_window);
}

QStringList OpenDialogNameFilters(const std::string& filter) {
  const QStringList parts = ToQString(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    filters << parts[i] + QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
  }
  return filters;
}

// Built for each run: it is the costliest widget of the program (icons, a
// file system model), and many runs never open a file.
QFileDialog& DesktopHost::OpenDialog() {
  if (daduduve == nullptr) {
    KeepNoToolkitSettings();
    daduduve = new QFileDialog(&startup_window_);
    daduduve->setObjectName(QStringLiteral("daduduve"));
    // Our own dialog: its name filters match without regard to letter case,
    // as the game's files come from a case-insensitive file system.
    daduduve->setOption(QFileDialog::DontUseNativeDialog);
    daduduve->setFileMode(QFileDialog::ExistingFile);
    daduduve->setAcceptMode(QFileDialog::AcceptOpen);
  }
  return *daduduve;
}

std::optional<std::filesystem::path> DesktopHost::RunOpenDialog(const TOpenDialogRequest& request) {
  QFileDialog& dialog = OpenDialog();
  dialog.setWindowTitle(ToQString(request.title));
  const QStringList filters = OpenDialogNameFilters(request.filter);
  dialog.setNameFilters(filters);
  if (!filters.isEmpty()) dialog.selectNameFilter(filters.front());
  dialog.setDefaultSuffix(ToQString(request.default_extension));
  if (!request.initial_folder.empty()) dialog.setDirectory(ToQString(request.initial_folder));
  if (!request.file_name.empty()) dialog.selectFile(PathToQString(request.file_name.filename()));
  // The last chosen name is offered selected, so typing a new one replaces it.
  if (auto* name_box = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
    name_box->selectAll();
  }

  const bool chosen = dialog.exec() == QDialog::Accepted;
  dialog.hide();  // an application quit ends exec() but leaves the dialog up
  CloseLeftoverPopups();
  ReactivateEditor();
  std::optional<std::filesystem::path> file;
  if (chosen && !dialog.selectedFiles().isEmpty())
    file = QStringToPath(dialog.selectedFiles().front());
  // Built again for the next run: a kept dialog holds a megabyte or two of
  // icons, models and window buffer for the rest of the run. What it must
  // remember (folder, chosen file) comes with every request.
  delete daduduve;
  daduduve = nullptr;
  return file;
}

// The name box's completion list can stay up after the dialog has closed; it
// would swallow the user's next click in the editor window.
void DesktopHost::CloseLeftoverPopups() {
  for (int guard = 0; guard < 8; ++guard) {
    QWidget* popup = QApplication::activePopupWidget();
    if (popup == nullptr) break;
    popup->close();
  }
}

void DesktopHost::ShowInformation(const std::string& text) {
  // Centred on the screen, above the editor window it belongs to.
  MessageBox box(QMessageBox::Information, QStringLiteral("Information"), ToQString(text),
                 editor_window_);
  box.setObjectName(QStringLiteral("InformationBox"));
  box.exec();
  ReactivateEditor();
}

bool DesktopHost::AskQuestion(const std::string& text) {
  MessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), ToQString(text), editor_window_);
  box.setObjectName(QStringLiteral("QuestionBox"));
  box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
  box.setDefaultButton(QMessageBox::Yes);
  const bool yes = box.exec() == QMessageBox::Yes;
  ReactivateEditor();
  return yes;
}

void DesktopHost::ReactivateEditor() {
  if (editor_window_ && editor_window_->isVisible()) editor_window_->activateWindow();
}

void DesktopHost::HideStartupWindow() { startup_window_.hide(); }

void DesktopHost::RequestEnd() {
  if (EndRequest) EndRequest();
}

void DesktopHost::QueueProgramEnd() {
  // Taken from the queue by whichever event loop runs next; a modal window
  // of ours then closes as cancelled (hidden, as exit() leaves it up).
  QMetaObject::invokeMethod(
      qApp,
      [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->hide();
        QCoreApplication::exit(0);
      },
      Qt::QueuedConnection);
}

bool DesktopHost::IsEditorVisible() const { return editor_window_ && editor_window_->isVisible(); }
