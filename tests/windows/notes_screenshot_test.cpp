// Saves pictures of the notes window and its font dialog for the README.
// Runs only when LO_SCREENSHOT_DIR names a folder, on a real display:
//   LO_SCREENSHOT_DIR=docs QT_QPA_PLATFORM=xcb DISPLAY=:16 window_tests
//   --gtest_filter='NotesGallery*'
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include "components/font_dialog.h"
#include "support/temp_dir.h"
#include "windows/rererarovi4.h"

namespace {

void Settle() {
  for (int i = 0; i < 10; ++i) {
    QCoreApplication::processEvents();
    QTest::qWait(30);
  }
}

bool Grab(const QWidget& window, const QString& path) {
  const QRect frame = window.frameGeometry();
  return QGuiApplication::primaryScreen()
      ->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
      .save(path);
}

TEST(NotesGallery, NotesWindowAndFontDialog) {
  const QString folder = qEnvironmentVariable("LO_SCREENSHOT_DIR");
  if (folder.isEmpty() || QGuiApplication::platformName() == QStringLiteral("offscreen")) {
    GTEST_SKIP() << "set LO_SCREENSHOT_DIR and run on a display";
  }
  QDir().mkpath(folder);
  TempDir dir;
  WriteText(dir / "loinfo.txt",
            "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset0 Liberation Sans;}"
            "{\\f1\\fcharset0 Liberation Mono;}}{\\colortbl ;\\red192\\green0\\blue0;"
            "\\red0\\green0\\blue160;}\\f0\\fs20{\\b Lo file notes}\\par "
            "Lo0012.dat: {\\cf1 record 14 has a \\i wrong\\i0  Z} (was 12.50)\\par "
            "Class 4 = {\\ul trees}, class 7 = {\\strike rocks} {\\cf2 boulders}\\par "
            "{\\f1\\fs18 objdat.nam: 512 names of 30 bytes}\\par "
            "\\u8364? prices, \\u937?\\u956?\\u941?\\u947?\\u945? test\\par}");
  TForm4 form(dir / "loinfo.txt");
  form.ShowNotes();
  Settle();
  ASSERT_TRUE(Grab(form, QDir(folder).filePath(QStringLiteral("notes-window.png"))));

  bool saved = false;
  QTimer::singleShot(200, form.FontDlg1, [&] {
    FontDialog* dialog = form.FontDlg1;
    dialog->findChild<QComboBox*>(QStringLiteral("family"))
        ->setEditText(QStringLiteral("Liberation Serif"));
    auto* size = dialog->findChild<QComboBox*>(QStringLiteral("size"));
    size->setCurrentIndex(size->findData(12));
    Settle();
    saved = Grab(*dialog, QDir(folder).filePath(QStringLiteral("notes-font-dialog.png")));
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
  });
  form.Font1Click();
  EXPECT_TRUE(saved);
}

}  // namespace
