// The map as a view of the level in the editor window: a backdrop picture
// stored per Lo file, snapping to the grid, and turning by the handle, each
// checked down to the file's bytes.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>

#include "dialogs/backdrop_dialog.h"
#include "editor/editing_session.h"
#include "fields/column_list_box.h"
#include "fields/masked_edit.h"
#include "map/map_strip.h"
#include "map/map_view.h"
#include "settings/map_settings.h"
#include "support/picture_files.h"
#include "support/scoped_env.h"
#include "window_fixture.h"
#include "windows/editor_map.h"

namespace {


bool OnGrid(const QString& text, double step) {
  const double value = text.toDouble();
  return std::abs(value / step - std::round(value / step)) < 1e-9;
}

// Records i lie at (i + 0.25, -i), R 90 (see NumberedRecords).
class LevelViewTest : public EditorWindowTest {
 protected:
  void Open() {
    EditorWindowTest::Open();
    map = form6_->Map()->View();
    strip = form6_->Map()->Strip();
  }
  QString Text(TField field) const { return form6_->FieldWidget(field)->text(); }
  QPoint At(int index) const { return map->screenPosition(index).toPoint(); }
  QPointF ScreenOf(double x, double y) const {
    const ScreenPoint at = map->transform().ToScreen({x, y});
    return {at.x, at.y};
  }
  QColor ColourAt(double x, double y) const {
    const QPointF at = ScreenOf(x, y);
    return map->grab().toImage().pixelColor(qRound(at.x()), qRound(at.y()));
  }
  Bytes FileBytes() const { return ReadBytes(files_.lo_file); }
  // The next modal window is the backdrop dialog; `fill` answers it.
  void AnswerBackdropDialog(std::function<void(BackdropDialog*)> fill) {
    modals_.Then([fill](QWidget* modal) {
      auto* dialog = qobject_cast<BackdropDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      fill(dialog);
    });
  }
  void ChooseGridStep(double step) {
    QComboBox* chooser = strip->gridChooser();
    strip->setGridStep(step);
    emit chooser->activated(chooser->currentIndex());  // as a pick in its list
  }
  // "Open a Lo File" choosing `file` in the dialog's list: a name set into
  // its name box from the program (no key typed) does not replace the
  // name the dialog offers.
  void OpenAnother(const std::filesystem::path& file) {
    modals_.Then([file](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      dialog->selectFile(QString::fromStdString(file.string()));
      QMetaObject::invokeMethod(dialog, "accept");
    });
    form6_->Action(TCommand::OpenLoFile)->trigger();
  }
  // QTest cannot hold modifiers during a move: events are sent as they are.
  void Send(QEvent::Type type, QPointF at, Qt::KeyboardModifiers modifiers = {}) {
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, map->mapToGlobal(at), Qt::LeftButton, buttons, modifiers);
    QApplication::sendEvent(map, &event);
  }
  void Drag(QPointF from, QPointF to, Qt::KeyboardModifiers modifiers = {}, bool release = true) {
    Send(QEvent::MouseButtonPress, from, modifiers);
    Send(QEvent::MouseMove, from + (to - from) / 2, modifiers);
    Send(QEvent::MouseMove, to, modifiers);
    if (release) Send(QEvent::MouseButtonRelease, to, modifiers);
  }

  const ScopedEnv config_home_{"XDG_CONFIG_HOME", (files_.dir / "xdg").c_str()};
  MapView* map = nullptr;
  MapStrip* strip = nullptr;
};

TEST_F(LevelViewTest, ABackdropFromTheDialogLiesAtItsEdgesIsRememberedAndIsRemoved) {
  const std::filesystem::path picture = files_.dir / "level.png";
  ASSERT_TRUE(Quadrants(200, 200).save(QString::fromStdString(picture.string())));
  Open();
  AnswerBackdropDialog([&](BackdropDialog* dialog) {
    // The first time the edges are the markers' extent.
    EXPECT_EQ(dialog->edgeField(0)->text(), QStringLiteral("0.25"));
    EXPECT_EQ(dialog->edgeField(1)->text(), QStringLiteral("-5"));
    EXPECT_EQ(dialog->edgeField(2)->text(), QStringLiteral("5.25"));
    EXPECT_EQ(dialog->edgeField(3)->text(), QStringLiteral("0"));
    EXPECT_FALSE(dialog->removeButton()->isEnabled());
    dialog->fileField()->setText(QString::fromStdString(picture.string()));
    const char* edges[] = {"-1", "-7", "7", "1"};
    for (int i = 0; i < 4; ++i) dialog->edgeField(i)->setText(QString::fromLatin1(edges[i]));
    dialog->opacityField()->setValue(100);
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
  });
  QTest::mouseClick(strip->backdropButton(), Qt::LeftButton);
  ASSERT_TRUE(map->backdrop().IsSet());

  // Quadrants split at (3, -3); the spots lie off the markers and grid lines.
  struct Spot {
    double x, y;
    QColor colour;
  } spots[] = {
      {0.6, -2.4, Qt::red}, {4.6, -0.6, Qt::green}, {0.6, -5.4, Qt::blue}, {4.6, -3.6, Qt::yellow}};
  for (const Spot& spot : spots) {
    EXPECT_TRUE(Near(ColourAt(spot.x, spot.y), spot.colour)) << spot.x << "," << spot.y;
  }
  EXPECT_TRUE(strip->problemLabel()->isHidden());
  EXPECT_TRUE(std::filesystem::exists(files_.dir / "xdg" / "rererarovi" / "maps.ini"));
  const Bytes shared = ReadBytes(SettingsFile());
  const std::string name = "level.png";
  EXPECT_EQ(std::search(shared.begin(), shared.end(), name.begin(), name.end()), shared.end())
      << "the shared settings file is not ours";

  // Opened again, the file shows its backdrop again.
  OpenFile(files_.lo_file);
  ASSERT_TRUE(map->backdrop().IsSet());
  EXPECT_EQ(map->backdrop().Place().left, -1.0);
  EXPECT_EQ(map->backdrop().Place().top, 1.0);
  EXPECT_EQ(map->backdrop().Place().opacity, 100);
  for (const Spot& spot : spots) EXPECT_TRUE(Near(ColourAt(spot.x, spot.y), spot.colour));

  // "Remove" from the map's own menu drops it, for good.
  AnswerBackdropDialog([&](BackdropDialog* dialog) {
    EXPECT_EQ(dialog->fileField()->text(), QString::fromStdString(picture.string()));
    EXPECT_EQ(dialog->edgeField(0)->text(), QStringLiteral("-1"));
    EXPECT_TRUE(dialog->removeButton()->isEnabled());
    QTest::mouseClick(dialog->removeButton(), Qt::LeftButton);
  });
  QTimer::singleShot(0, [] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QAction* entry = menu->findChild<QAction*>(QStringLiteral("MapBackdrop1"));
    ASSERT_NE(entry, nullptr);
    menu->setActiveAction(entry);
    QTest::keyClick(menu, Qt::Key_Return);
  });
  const QPoint at = map->rect().center();
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, map->mapToGlobal(at));
  QApplication::sendEvent(map, &event);
  EXPECT_FALSE(map->backdrop().IsSet());
  EXPECT_FALSE(Near(ColourAt(0.6, -2.4), Qt::red));
  OpenFile(files_.lo_file);
  EXPECT_FALSE(map->backdrop().IsSet());
  EXPECT_EQ(ReadBytes(files_.lo_file), files_.original);
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'|').toStdString();
}

TEST_F(LevelViewTest, APictureThatCannotBeHadIsNamedInTheStripAndTheMapWorksOn) {
  const std::filesystem::path bomb = files_.dir / "bomb.png";
  WriteFile(bomb, PngClaiming(60000, 60000));
  const std::filesystem::path damaged = files_.dir / "damaged.png";
  WriteFile(damaged, DamagedPng());
  struct Case {
    std::filesystem::path file;
    QString reason;
  } cases[] = {
      {files_.dir / "gone.png", QString::fromUtf16(kBackdropMissing)},
      {damaged, QString::fromUtf16(kBackdropDamaged)},
      {bomb, QString::fromUtf16(kBackdropTooLarge) +
                 QStringLiteral(
                     " (60000 x 60000 pixels at 4 bytes each: 13733 MB; the limit is 256 MB)")},
  };
  MapSettingsStore store(DefaultMapSettingsPath());
  StartRun();
  OpenEditor();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file.string());
    store.Save(files_.lo_file, {c.file.string(), {-1, -7, 7, 1}, 60, 5.0});
    ResetPeak();
    const long before = PeakKilobytes();
    OpenFile(files_.lo_file);
    map = form6_->Map()->View();
    strip = form6_->Map()->Strip();
    map->grab();
    const QString& reason = c.reason;
    EXPECT_FALSE(strip->problemLabel()->isHidden());
    EXPECT_TRUE(
        strip->problemLabel()->text().contains(QString::fromStdString(c.file.filename().string())));
    EXPECT_TRUE(strip->problemLabel()->text().endsWith(reason))
        << strip->problemLabel()->text().toStdString();
    EXPECT_LT(PeakKilobytes() - before, 64 * 1024) << "memory stays bounded";
    // Everything else is there: the markers and the grid step stored with it.
    EXPECT_EQ(map->points().size(), 6u);
    EXPECT_EQ(map->gridStep(), 5.0);
    EXPECT_EQ(strip->gridStep(), 5.0);
  }
  // Edges that make no picture are named the same way.
  store.Save(files_.lo_file, {bomb.string(), {7, -7, -1, 1}, 60, 0.0});
  OpenFile(files_.lo_file);
  EXPECT_TRUE(strip->problemLabel()->text().endsWith(
      QStringLiteral("its left edge is not left of its right edge")))
      << strip->problemLabel()->text().toStdString();
  EXPECT_FALSE(map->backdrop().IsSet());
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'|').toStdString();
}

TEST_F(LevelViewTest, SettingsThatCannotBeReadAreNamedAndNeverWrittenOver) {
  // A folder where the settings file should be: it is there, but does not read.
  const std::filesystem::path maps = files_.dir / "xdg" / "rererarovi" / "maps.ini";
  std::filesystem::create_directories(maps);
  Open();
  ASSERT_EQ(errors_.size(), 1);
  EXPECT_TRUE(errors_[0].startsWith(QStringLiteral("Unable to read"))) << errors_[0].toStdString();
  EXPECT_EQ(map->points().size(), 6u) << "the file is open all the same";

  // The step still works for this run; storing it is not even tried.
  ChooseGridStep(5.0);
  EXPECT_EQ(map->gridStep(), 5.0);
  EXPECT_EQ(errors_.size(), 1) << errors_.join(u'|').toStdString();
  EXPECT_TRUE(std::filesystem::is_directory(maps));
}

TEST_F(LevelViewTest, DragsDropsAndArrowsLandOnTheChosenGridUnlessAltIsHeld) {
  const std::filesystem::path other = files_.dir / "LoOTHER.dat";
  WriteBytes(other, LoFileBytes("Other", "Another level", NumberedRecords(3)));
  Open();
  ChooseGridStep(5.0);
  EXPECT_EQ(map->gridStep(), 5.0);
  EXPECT_EQ(form3_->Session().View().GridStep(), 5.0);

  QTest::mouseClick(map, Qt::LeftButton, {}, At(2));
  Drag(At(2), At(2) + QPoint(37, 23));
  EXPECT_TRUE(OnGrid(Text(TField::X), 5.0) && OnGrid(Text(TField::Y), 5.0))
      << Text(TField::X).toStdString() << "," << Text(TField::Y).toStdString();
  Drag(At(2), At(2) + QPoint(-13, 11), Qt::AltModifier);
  EXPECT_FALSE(OnGrid(Text(TField::X), 5.0) && OnGrid(Text(TField::Y), 5.0))
      << "Alt: where the pointer left it";

  QTest::mouseClick(map, Qt::LeftButton, {}, At(3));  // (3.25, -3)
  map->setFocus();
  QTest::keyClick(map, Qt::Key_Right);
  QTest::keyClick(map, Qt::Key_Up);
  EXPECT_EQ(Text(TField::X), QStringLiteral("5.00"));
  EXPECT_EQ(Text(TField::Y), QStringLiteral("0.00"));
  EXPECT_EQ(FileBytes(), files_.original) << "moves are typed, not written";

  // A catalogue row dropped near (2, -4) lands at (0, -5).
  ColumnListBox* catalogue = form6_->CatalogueList();
  QWidget* viewport = catalogue->viewport();
  const QPoint from = catalogue->rowRect(4).center();
  const QPoint over_map = viewport->mapFromGlobal(map->mapToGlobal(ScreenOf(2.0, -4.0).toPoint()));
  QTest::mousePress(viewport, Qt::LeftButton, {}, from);
  QTest::mouseMove(viewport, from + QPoint(30, 0));
  QTest::mouseMove(viewport, over_map);
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, over_map);
  ASSERT_EQ(map->points().size(), 7u);
  EXPECT_EQ(map->points()[6].x, 0.0);
  EXPECT_EQ(map->points()[6].y, -5.0);

  // The step belongs to the file: opened again, it is chosen again.
  ChooseGridStep(2.0);
  ChooseGridStep(10.0);
  OpenAnother(other);
  ASSERT_EQ(form3_->Session().Document().Path(), other);
  EXPECT_EQ(strip->gridStep(), 0.0) << "another file, its own step";
  EXPECT_EQ(map->gridStep(), 0.0);
  EXPECT_EQ(form3_->Session().View().GridStep(), 0.0);
  OpenAnother(files_.lo_file);
  ASSERT_EQ(form3_->Session().Document().Path(), files_.lo_file);
  EXPECT_EQ(strip->gridStep(), 10.0);
  EXPECT_EQ(form3_->Session().View().GridStep(), 10.0);
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'|').toStdString();
}

TEST_F(LevelViewTest, TheHandleTypesRShiftSnapsEscPutsItBackAndSaveWritesOnlyR) {
  Open();
  QTest::mouseClick(map, Qt::LeftButton, {}, At(4));
  ASSERT_EQ(Text(TField::R), QStringLiteral("90.00"));
  const QPointF centre = map->screenPosition(4);
  const QPointF handle = *map->turnHandlePosition();

  // Esc during the drag: R, its colour and Save as they were.
  Drag(handle, centre + QPointF(40, 0), {}, false);
  EXPECT_EQ(Text(TField::R), QStringLiteral("0.00"));
  EXPECT_EQ(form6_->FieldWidget(TField::R)->backgroundColor(), kRed);
  EXPECT_TRUE(form6_->Action(TCommand::Save)->isEnabled());
  QTest::keyClick(map, Qt::Key_Escape);
  Send(QEvent::MouseButtonRelease, centre + QPointF(40, 0));
  EXPECT_EQ(Text(TField::R), QStringLiteral("90.00"));
  EXPECT_EQ(form6_->FieldWidget(TField::R)->backgroundColor(), kWhite);
  EXPECT_FALSE(form6_->Action(TCommand::Save)->isEnabled());

  // Screen y grows downwards: (40, 38) is about -43.5 degrees.
  const QPointF slant = centre + QPointF(40, 38);
  Drag(*map->turnHandlePosition(), slant);
  const double exact = std::atan2(-38.0, 40.0) * 180 / M_PI + 360;
  EXPECT_NEAR(Text(TField::R).toDouble(), exact, 0.6);
  EXPECT_EQ(Text(TField::R).section(u'.', 1).size(), 2);
  Drag(*map->turnHandlePosition(), slant, Qt::ShiftModifier);
  EXPECT_EQ(Text(TField::R), QStringLiteral("315.00"));
  EXPECT_EQ(form6_->FieldWidget(TField::R)->backgroundColor(), kRed);
  EXPECT_EQ(form6_->FieldWidget(TField::X)->backgroundColor(), kWhite);
  EXPECT_EQ(FileBytes(), files_.original);

  form6_->Action(TCommand::Save)->trigger();
  Bytes expected = files_.original;
  PutF32(expected, 100 + 20 * 4 + 15, 315.0f);
  EXPECT_EQ(FileBytes(), expected);
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'|').toStdString();
}

TEST_F(LevelViewTest, AGroupTurnedByNinetyDegreesIsOneStepThatUndoTakesBack) {
  Open();
  QTest::mouseClick(map, Qt::LeftButton, {}, At(0));
  QTest::mouseClick(map, Qt::LeftButton, Qt::ShiftModifier, At(1));
  QTest::mouseClick(map, Qt::LeftButton, Qt::ShiftModifier, At(3));
  ASSERT_EQ(map->groupSize(), 3);
  ASSERT_EQ(map->selected(), 3);
  const std::size_t steps = form6_->History().Steps().size();

  // (0.25, 0), (1.25, -1) and (3.25, -3) turn about (1.75, -1.5); Shift
  // makes the turn exactly a quarter.
  const QPointF handle = *map->turnHandlePosition();
  const WorldPoint at = map->worldAt(handle);
  const QPointF quarter = ScreenOf(1.75 - (at.y + 1.5), -1.5 + (at.x - 1.75));
  Drag(handle, quarter, Qt::ShiftModifier);

  Bytes expected = files_.original;
  for (const auto& [index, x, y] :
       {std::tuple{0, 0.25f, -3.0f}, {1, 1.25f, -2.0f}, {3, 3.25f, 0.0f}}) {
    PutF32(expected, 100 + 20 * index + 3, x);
    PutF32(expected, 100 + 20 * index + 7, y);
    PutF32(expected, 100 + 20 * index + 15, 180.0f);
  }
  EXPECT_EQ(FileBytes(), expected);
  ASSERT_EQ(form6_->History().Steps().size(), steps + 1);
  EXPECT_EQ(form6_->History().Steps().back().description, "Turn of 3 records");
  EXPECT_EQ(Text(TField::R), QStringLiteral("180.00"));
  EXPECT_EQ(map->points()[3].y, 0.0);

  form6_->Action(TCommand::Undo)->trigger();
  EXPECT_EQ(FileBytes(), files_.original);
  EXPECT_EQ(map->points()[3].y, -3.0);
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'|').toStdString();
}

}  // namespace
