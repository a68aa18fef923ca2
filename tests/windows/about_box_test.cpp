#include "windows/about_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>

#include "about/about_dialog.h"
#include "about/engraved_label.h"
#include "placement/outer_frame.h"
#include "platform/system_info.h"

namespace {

class FakeSystem : public SystemInfoSource {
 public:
  SystemFacts Read() const override { return {1536, 1, 586}; }
};

// Runs `action` on the about box once its modal loop is up.
void WhenAboutIsUp(const std::function<void(AboutDialog*)>& action) {
  QTimer::singleShot(0, [action] {
    auto* dialog = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) {
      ADD_FAILURE() << "no about box is running";
      // Close whatever runs so the test cannot hang.
      if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
      return;
    }
    action(dialog);
  });
}

struct Shown {
  QString title, name, version, description, credits, captions, values;
  QPoint position;
  QPoint centred;  // where a box of its size lies centred on its screen
  bool operator==(const Shown&) const = default;
};

Shown Capture(AboutDialog* dialog) {
  auto text = [dialog](const char* name) {
    return dialog->findChild<QLabel*>(QLatin1String(name))->text();
  };
  return {dialog->windowTitle(),
          dialog->findChild<EngravedLabel*>(QStringLiteral("programName"))->text(),
          text("version"),
          text("description"),
          text("credits"),
          text("captions"),
          text("values"),
          dialog->pos(),
          CentredInside(dialog->frameGeometry().size(), dialog->screen()->availableGeometry())};
}

TEST(AboutBoxTest, EachOpeningIsANewModalBoxWithTheSameTextsCentredOnTheScreen) {
  QWidget editor;
  editor.setGeometry(10, 10, 300, 200);
  editor.show();
  std::vector<Shown> shown;
  std::vector<QPointer<AboutDialog>> dialogs;
  for (const QPoint editor_at : {QPoint(0, 0), QPoint(600, 500)}) {
    editor.move(editor_at);
    WhenAboutIsUp([&](AboutDialog* dialog) {
      EXPECT_TRUE(dialog->isVisible());
      EXPECT_EQ(dialog->windowModality(), Qt::ApplicationModal);
      EXPECT_EQ(dialog->parentWidget(), &editor);
      shown.push_back(Capture(dialog));
      dialogs.emplace_back(dialog);
      dialog->okButton()->click();
    });
    ShowAbout(&editor, LoAboutSettings(), FakeSystem());
  }
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0], shown[1]);
  EXPECT_EQ(dialogs[0], nullptr);  // destroyed on close
  EXPECT_EQ(dialogs[1], nullptr);
  EXPECT_EQ(shown[0].title, QStringLiteral("About the Ri Dizo Rirori"));
  EXPECT_EQ(shown[0].name, QStringLiteral("Orvo Lo File Data Editor"));
  EXPECT_EQ(shown[0].version, QStringLiteral("Version: 2  Build:1"));
  EXPECT_EQ(shown[0].description, QStringLiteral("A fine little tool for editing Orvo Lo files."));
  EXPECT_FALSE(shown[0].credits.isEmpty());
  EXPECT_EQ(shown[0].captions, QStringLiteral("Available Memory:\nPlatform, CPU:"));
  EXPECT_EQ(shown[0].values, QStringLiteral("2 KB\n1x Intel Pentium or compatible"));
  EXPECT_EQ(shown[0].position, shown[0].centred);
}

TEST(AboutBoxTest, EveryWayOfClosingHasTheSameEffect) {
  struct Way {
    const char* name;
    std::function<void(AboutDialog*)> close;
  };
  auto key = [](Qt::Key k) {
    return [k](AboutDialog* dialog) {
      // The window manager activates a new window; offscreen nobody does.
      QApplication::setActiveWindow(dialog);
      QWidget* target = QApplication::focusWidget();
      EXPECT_EQ(target, dialog->okButton());
      QTest::keyClick(target != nullptr ? target : dialog, k);
    };
  };
  const std::vector<Way> ways = {
      {"OK", [](AboutDialog* d) { QTest::mouseClick(d->okButton(), Qt::LeftButton); }},
      {"Enter", key(Qt::Key_Return)},
      {"Esc", key(Qt::Key_Escape)},
      {"close box", [](AboutDialog* d) { d->close(); }},
  };
  for (const Way& way : ways) {
    std::vector<int> results;
    QPointer<AboutDialog> dialog;
    WhenAboutIsUp([&](AboutDialog* d) {
      dialog = d;
      QObject::connect(d, &QDialog::finished, [&results](int r) { results.push_back(r); });
      way.close(d);
    });
    ShowAbout(nullptr, LoAboutSettings(), FakeSystem());
    EXPECT_EQ(results, std::vector<int>{QDialog::Accepted}) << way.name;
    EXPECT_EQ(dialog, nullptr) << way.name;
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << way.name;
  }
}

}  // namespace
