// Saves pictures of the components for the README into the folder given:
//   QT_QPA_PLATFORM=xcb DISPLAY=:N component_gallery docs
// Needs a real display: the pictures are taken from the screen.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "dialogs/error_box.h"
#include "effects/outline_effect.h"
#include "fields/column_list_box.h"
#include "fields/two_choice_group.h"

namespace {

QFont PixelFont(const QString& family, int pixels) {
  QFont font(family);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixels);
  return font;
}

QPixmap GrabScreen(const QRect& area) {
  return QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(),
                                                      area.height());
}

void Settle() {
  for (int i = 0; i < 10; ++i) {
    QCoreApplication::processEvents();
    QTest::qWait(30);
  }
}

bool SaveListsAndChoices(const QDir& folder) {
  QWidget window;
  window.setWindowTitle(QStringLiteral("Components"));
  window.setFont(PixelFont(QStringLiteral("MS Sans Serif"), 11));
  window.resize(560, 230);
  window.move(40, 40);

  auto* records = new ColumnListBox(&window);
  records->setSections({{QStringLiteral("Rec#"), 40},
                        {QStringLiteral("Class"), 40},
                        {QStringLiteral("Type"), 40},
                        {QStringLiteral("Object Name"), 140}});
  records->setGeometry(8, 24, 265, 169);
  QStringList rows;
  rows << QStringLiteral("0;12;3;Tree") << QStringLiteral("1;1;;x")
       << QStringLiteral("2;4;1;Requires Object Data File") << QStringLiteral("3;7;2;Big;Rock")
       << QStringLiteral("4;2");
  for (int i = 5; i < 14; ++i) rows << QStringLiteral("%1;0;0;Requires Object Data File").arg(i);
  records->setRows(rows);
  records->setSelectedRow(2);

  auto* catalogue = new ColumnListBox(&window);
  catalogue->setSections({{QStringLiteral("#"), 40},
                          {QStringLiteral("Class"), 40},
                          {QStringLiteral("Type"), 40},
                          {QStringLiteral("Object Name"), 150}});
  catalogue->setGeometry(288, 24, 265, 100);
  catalogue->setRows({QStringLiteral("0;12;3;Tree"), QStringLiteral("1;4294967295;1;Long name")});
  catalogue->setSectionWidth(3, 50);

  auto* blank = new ColumnListBox(&window);
  blank->setSections({{QStringLiteral("Rec#"), 40}, {QStringLiteral("Object Name"), 140}});
  blank->setGeometry(288, 130, 180, 60);
  blank->setRows({QString()});

  const QFont caption = PixelFont(QStringLiteral("Arial"), 11);
  for (int i = 0; i < 2; ++i) {
    auto* state = new TwoChoiceGroup(QStringLiteral("State-???"), QStringLiteral("State 0"),
                                     QStringLiteral("State 1"), &window);
    state->setCaptionFont(caption);
    state->setChoiceFont(window.font());
    state->setGeometry(8 + 150 * i, 196, 137, 29);
    state->setChosen(i);
    if (i == 1) state->setChoiceTextColor(QColor(255, 0, 0));
  }

  window.show();
  Settle();
  return GrabScreen(window.frameGeometry())
      .save(folder.filePath(QStringLiteral("lists_and_choices.png")));
}

// The opening effect half way through: twenty of forty outlines on screen.
bool SaveOutlineEffect(const QDir& folder) {
  const QList<QRect> outlines = OpeningEffectOutlines(QPoint(60, 60), QRect(300, 320, 400, 260));
  OutlineEffect overlay(QGuiApplication::primaryScreen()->virtualGeometry());
  overlay.setVisibleOutlines(outlines.first(20));
  overlay.show();
  Settle();
  const bool saved =
      GrabScreen(QRect(0, 0, 720, 600)).save(folder.filePath(QStringLiteral("outline_effect.png")));
  overlay.hide();
  // The whole effect runs and leaves nothing on screen.
  OutlineEffect::play(outlines);
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->isVisible() && qobject_cast<OutlineEffect*>(top) != nullptr) {
      std::fprintf(stderr, "component_gallery: the outline effect stayed on screen\n");
      return false;
    }
  }
  return saved;
}

bool SaveErrorBox(const QDir& folder) {
  bool saved = false;
  std::function<void()> shoot = [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) {
      QTimer::singleShot(50, shoot);
      return;
    }
    Settle();
    saved = GrabScreen(box->frameGeometry()).save(folder.filePath(QStringLiteral("error_box.png")));
    box->button(QMessageBox::Ok)->click();
  };
  QTimer::singleShot(0, shoot);
  ShowErrorBox(QStringLiteral("'12a' is not a valid integer value."));
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Orvo Ri Dizo Rirori"));
  if (argc != 2) {
    std::fprintf(stderr, "usage: component_gallery FOLDER\n");
    return 2;
  }
  if (!OutlineEffect::isAvailable()) {
    std::fprintf(stderr, "component_gallery: needs a real display (QT_QPA_PLATFORM=xcb)\n");
    return 1;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!QDir().mkpath(folder.path())) {
    std::fprintf(stderr, "component_gallery: cannot make folder %s\n", argv[1]);
    return 1;
  }
  const bool saved =
      SaveListsAndChoices(folder) && SaveOutlineEffect(folder) && SaveErrorBox(folder);
  if (!saved) std::fprintf(stderr, "component_gallery: a picture could not be saved\n");
  return saved ? 0 : 1;
}
