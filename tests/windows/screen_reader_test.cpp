// What a screen reader reads of the windows, through the desktop's real
// accessibility bus: the test runs itself again inside a private session bus
// with Qt's accessibility on, and a pyatspi script (as Orca uses) reads the
// tree of that running process.

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <algorithm>
#include <utility>
#include <vector>

#include "fields/column_list_box.h"
#include "fields/masked_edit.h"
#include "fields/row_text.h"
#include "map/map_view.h"
#include "window_fixture.h"
#include "windows/editor_map.h"
#include "x11_probe.h"

namespace {

// Set in the copy of this test that runs on the private bus.
constexpr char kOnPrivateBus[] = "LO_TEST_ON_ACCESSIBILITY_BUS";

struct Accessible {
  QString role;
  QString name;
  QString description;
  bool selected = false;
};

// The objects of this process's accessibility tree, as the bus reports them.
std::vector<Accessible> ReadTree() {
  QProcess reader;
  reader.start(QStringLiteral("/usr/bin/python3"),
               {QStringLiteral(ACCESSIBLE_TREE_SCRIPT),
                QString::number(QCoreApplication::applicationPid()), QStringLiteral("60")});
  // The event loop must run: this process answers the reader's questions.
  const bool done = QTest::qWaitFor([&] { return reader.state() == QProcess::NotRunning; }, 90000);
  if (!done) reader.kill();
  EXPECT_TRUE(done && reader.exitStatus() == QProcess::NormalExit && reader.exitCode() == 0)
      << "reading the tree failed: " << reader.readAllStandardError().toStdString();
  std::vector<Accessible> tree;
  for (const QString& line : QString::fromUtf8(reader.readAllStandardOutput()).split(u'\n')) {
    const QStringList parts = line.split(u'\t');
    if (parts.size() == 5) {
      tree.push_back({parts[1], parts[2], parts[3], parts[4] == QLatin1String("selected")});
    }
  }
  return tree;
}

const Accessible* Named(const std::vector<Accessible>& tree, const QString& role,
                        const QString& name) {
  for (const Accessible& object : tree) {
    if (object.role == role && object.name == name) return &object;
  }
  return nullptr;
}

QString Listing(const std::vector<Accessible>& tree) {
  QString text;
  for (const Accessible& object : tree) {
    if (!object.name.isEmpty()) text += object.role + u'\t' + object.name + u'\n';
  }
  return text;
}

class ScreenReaderTest : public EditorWindowTest {
 protected:
  void SetUp() override {
    if (!UnderWindowManager()) GTEST_SKIP() << "needs an X display with a window manager";
    EditorWindowTest::SetUp();
  }
};

TEST_F(ScreenReaderTest, EveryFieldListAndTheMapIsNamedOnTheAccessibilityBus) {
  if (!qEnvironmentVariableIsSet(kOnPrivateBus)) {
    // This copy only starts the bus and the copy that is read.
    const QString session = QStandardPaths::findExecutable(QStringLiteral("dbus-run-session"));
    if (session.isEmpty() ||
        QProcess::execute(session, {QStringLiteral("--"), QStringLiteral("true")}) != 0) {
      GTEST_SKIP() << "no D-Bus session bus can be started (dbus-run-session)";
    }
    QProcess copy;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kOnPrivateBus), QStringLiteral("1"));
    environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    copy.setProcessEnvironment(environment);
    copy.setProcessChannelMode(QProcess::MergedChannels);
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    copy.start(session, {QStringLiteral("--"), QCoreApplication::applicationFilePath(),
                         QStringLiteral("--gtest_filter=%1.%2")
                             .arg(QString::fromLatin1(test->test_suite_name()),
                                  QString::fromLatin1(test->name()))});
    ASSERT_TRUE(copy.waitForFinished(180000)) << "the copy on the private bus hangs";
    const QString output = QString::fromLocal8Bit(copy.readAll());
    EXPECT_EQ(copy.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();
    return;
  }

  StartRun();
  form1_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form1_.get()));
  const std::vector<Accessible> startup = ReadTree();
  EXPECT_NE(Named(startup, QStringLiteral("frame"), form1_->windowTitle()), nullptr)
      << Listing(startup).toStdString();
  bool warning_read = false;
  for (const Accessible& object : startup) {
    warning_read |= object.name.startsWith(QStringLiteral("Use this editor at your own risk. ")) &&
                    object.name.endsWith(QStringLiteral(" Good luck!"));
  }
  EXPECT_TRUE(warning_read) << Listing(startup).toStdString();

  OpenEditor();
  OpenFile(files_.lo_file);
  ClickRow(2);
  const std::vector<Accessible> tree = ReadTree();
  const QString text = QStringLiteral("text");
  const std::pair<QString, QString> expected[] = {
      {text, QStringLiteral("Record#")},
      {text, QStringLiteral("Class")},
      {text, QStringLiteral("Type")},
      {text, QStringLiteral("Object X")},
      {text, QStringLiteral("Object Y")},
      {text, QStringLiteral("Object Z")},
      {text, QStringLiteral("Object R")},
      {text, QStringLiteral("Density")},
      {text, QStringLiteral("Lo File Name")},
      {text, QStringLiteral("Lo File Description")},
      {text, QStringLiteral("# of Records")},
      {text, QStringLiteral("Find in Lo File Contents")},
      {text, QStringLiteral("Find in Object Data List")},
      {QStringLiteral("push button"), QStringLiteral("Clear")},
      {QStringLiteral("table"), QStringLiteral("Lo File Contents")},
      {QStringLiteral("table"), QStringLiteral("Object Data List")},
      {QStringLiteral("panel"), QStringLiteral("State-???")},
      {QStringLiteral("image"), QStringLiteral("Lo file map")},
  };
  for (const auto& [role, name] : expected) {
    EXPECT_NE(Named(tree, role, name), nullptr)
        << "no " << role.toStdString() << " named \"" << name.toStdString() << "\" in\n"
        << Listing(tree).toStdString();
  }

  // The chosen row's cells are read in order, selected.
  const QStringList cells = SplitRowText(form6_->ContentsList()->rows().at(2));
  const auto row = std::search(tree.begin(), tree.end(), cells.begin(), cells.end(),
                               [](const Accessible& object, const QString& cell) {
                                 return object.role == QStringLiteral("table cell") &&
                                        object.name == cell && object.selected;
                               });
  EXPECT_NE(row, tree.end()) << cells.join(u'|').toStdString() << " not among\n"
                             << Listing(tree).toStdString();

  // The map says which record is selected and where it stands.
  const Accessible* map = Named(tree, QStringLiteral("image"), QStringLiteral("Lo file map"));
  ASSERT_NE(map, nullptr);
  const QString x = form6_->FieldWidget(TField::X)->text();
  EXPECT_TRUE(map->description.startsWith(QStringLiteral("Selected: Rec# 2 ")))
      << map->description.toStdString();
  EXPECT_TRUE(map->description.contains(QStringLiteral(" X ") + x + u' '))
      << map->description.toStdString();
}

}  // namespace
