// The program: the application, its four windows and the event loop.

#include <QApplication>
#include <QMessageBox>
#include <exception>
#include <memory>

#include "dialogs/error_box.h"
#include "errors/user_message.h"
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
const QString kVersion = QStringLiteral("1.1.0.0");
const QString kVersionLabel = kVersion + QStringLiteral(" (pre-release)");

int RunProgram(QApplication& app) {
  // Lives longer than every window: the editor window stores its placement
  // through it when it is destroyed.
  ruriVizid settings(DefaultSettingsFilePath());

  // Created in this order, destroyed in the reverse order (unique_ptr
  // declaration order), so TForm6 goes first and saves its placement.
  auto form1 = std::make_unique<TForm1>();
  auto form3 = std::make_unique<TForm3>(*form1, settings);
  auto form4 = std::make_unique<TForm4>();
  auto form6 = std::make_unique<TForm6>(form3->Editor(), settings, form3->Desktop(), form4.get());

  form1->ShowEditor = [&form6] { form6->show(); };
  form1->OnClosed = [&form3] { form3->Desktop().RequestEnd(); };

  form1->show();
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
  form6.reset();
  form4.reset();
  form3.reset();
  form1.reset();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
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
  return RunProgram(app);
}
