// The program: the application, its four windows and the event loop.

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>

#include "dialogs/error_box.h"
#include "editor/backups.h"
#include "errors/user_message.h"
#include "program_version.h"
#include "qt_convert.h"
#include "settings/profile_store.h"
#include "windows/program_icon.h"
#include "windows/rererarovi1.h"
#include "windows/rererarovi3.h"
#include "windows/rererarovi4.h"
#include "windows/rererarovi6.h"
#include "windows/window_fonts.h"

namespace {

const QString kApplicationTitle = QStringLiteral("Orvo Ri Dizo Rirori");
// File and product version; the program is a pre-release build.
const QString kVersionLabel = QStringLiteral(LO_PROGRAM_VERSION_LABEL);

void Print(std::FILE* stream, const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), stream);
}

// Reads the command line before any window exists, so --help and --version
// work without a display. Returns the exit status when the program is to end
// here (0 after help or version, 2 for a wrong command line); otherwise
// `file` receives the Lo file to open, if one was given, as an absolute path.
std::optional<int> ReadCommandLine(int argc, char** argv,
                                   std::optional<std::filesystem::path>& file) {
  const QCoreApplication parsing(argc, argv);  // the parser reads its arguments
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Orvo Ri Dizo Rirori: an editor for the object placement files (Lo*.dat) "
                     "of the game.\nWith FILE, the start-up window's button opens the editor "
                     "with that Lo file."));
  // Our own help option: the parser's would offer --help-all with Qt's
  // options, which this program does not take on its command line.
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Displays help on commandline options."));
  parser.addOption(help);
  const QCommandLineOption version = parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("the Lo file to open"),
                               QStringLiteral("[FILE]"));
  if (!parser.parse(QCoreApplication::arguments())) {
    Print(stderr, QStringLiteral("rererarovi: ") + parser.errorText() + QStringLiteral("\n"));
    return 2;
  }
  if (parser.isSet(help)) {
    Print(stdout, parser.helpText());
    return 0;
  }
  if (parser.isSet(version)) {
    Print(stdout, QStringLiteral("rererarovi ") + kVersionLabel + QStringLiteral("\n"));
    return 0;
  }
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) {
    Print(stderr, QStringLiteral("rererarovi: one FILE at most (see rererarovi --help)\n"));
    return 2;
  }
  if (!files.isEmpty()) {
    // Relative to the folder the program was started in, as the user meant it.
    std::error_code ignored;
    const std::filesystem::path given(QFile::encodeName(files.front()).toStdString());
    file = std::filesystem::absolute(given, ignored);
    if (file->empty()) file = given;
  }
  return std::nullopt;
}

int RunProgram(QApplication& app, const std::optional<std::filesystem::path>& file) {
  // Lives longer than every window: the editor window stores its placement
  // through it when it is destroyed.
  ruriVizid settings(DefaultSettingsFilePath());

  // Created in this order, destroyed in the reverse order, so TForm6 goes
  // first and saves its placement.
  auto form1 = std::make_unique<TForm1>();
  auto form3 = std::make_unique<TForm3>(*form1, settings);
  // Copies of each Lo file as opened, before its first write.
  form3->Session().BackupRestore().Keeper().SetFolder(BackupFolderFromEnvironment());
  std::unique_ptr<TForm4> form4;
  std::unique_ptr<TForm6> form6;
  // The hidden notes and editor windows are built once the start-up window
  // is on its way to the screen, so that it shows as soon as it can.
  const auto create_hidden_windows = [&] {
    if (form6) return;
    form4 = std::make_unique<TForm4>();
    form6 = std::make_unique<TForm6>(form3->Session(), settings, form3->Desktop(), form4.get());
    if (file) form6->SetStartFile(*file);
  };

  form1->ShowEditor = [&] {
    create_hidden_windows();  // when the button beats the queued creation
    form6->ShowFromStartup();
  };
  form1->OnClosed = [&form3] { form3->Desktop().RequestEnd(); };

  form1->show();
  // A zero timer runs after the event loop has sent the window's map request.
  QTimer::singleShot(0, form1.get(), create_hidden_windows);
  int status = 0;
  try {
    status = app.exec();
  } catch (const std::exception& error) {
    // Handlers catch their own errors; this is the last resort.
    ShowErrorBox(ToQString(UserMessage(error)));
    status = 1;
  } catch (...) {
    ShowErrorBox(ToQString(UserMessage(kUnknownErrorMessage)));
    status = 1;
  }
  // Errors raised while the program was ending, then those of the windows'
  // own ends (the placement write): each one is seen.
  ShowPendingErrorBoxes();
  form6.reset();
  form4.reset();
  form3.reset();
  form1.reset();
  ShowPendingErrorBoxes();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<std::filesystem::path> file;
  if (const std::optional<int> status = ReadCommandLine(argc, argv, file)) return *status;

  QApplication app(argc, argv);
  // The application name only: a display name would be appended to every
  // window's caption ("... — Orvo Ri Dizo Rirori") on this desktop.
  QApplication::setApplicationName(kApplicationTitle);
  QApplication::setApplicationVersion(kVersionLabel);
  QApplication::setDesktopFileName(QStringLiteral("rererarovi"));
  QApplication::setWindowIcon(ProgramIcon());
  // The start-up window's close and the editor's close end the program
  // through the same queued request; hidden windows never end it.
  QApplication::setQuitOnLastWindowClosed(false);
  InstallFontSubstitutions();
  return RunProgram(app, file);
}
