#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>

#include "dialogs/error_box.h"
#include "settings/profile_store.h"
#include "support/lo_files.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "windows/rererarovi1.h"
#include "windows/rererarovi3.h"
#include "windows/rererarovi6.h"

// A field's background while it holds an edit not yet saved, and otherwise.
inline const QColor kRed(255, 0, 0);
inline const QColor kWhite(255, 255, 255);

class MaskedEdit;
class QFileDialog;

// Answers the program's modal windows in turn: each function gets the next
// modal window that comes up and must close it.
class ModalScript : public QObject {
 public:
  using Answer = std::function<void(QWidget*)>;
  ModalScript();
  ~ModalScript() override;
  void Then(Answer answer) { answers_.push_back(std::move(answer)); }
  std::size_t Pending() const { return answers_.size(); }
  int Unexpected() const { return unexpected_; }

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void Poll();
  QTimer timer_;
  std::deque<Answer> answers_;
  QPointer<QWidget> last_;
  int unexpected_ = 0;
};

// A Lo file of `count` numbered records (see NumberedRecords) and a catalogue
// naming each of them, in a temporary folder.
struct GameFiles {
  explicit GameFiles(int count = 6);
  TempDir dir;
  std::filesystem::path lo_file;
  std::filesystem::path objdat_folder;
  Bytes original;
};

// The four pieces of a run (settings, start-up window, controller, editor
// window) over GameFiles, with both folders stored and the end of the program
// counted instead of quitting the test's event loop.
class EditorWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Creates the windows; `store_folders` writes startdir and objdir first.
  void StartRun(bool store_folders = true);
  void EndRun();
  // Shows the editor window as the start-up window's button does.
  void OpenEditor();
  // Answers the next modal window, a file-open dialog, with `file` typed into
  // its name box, after `examine` has looked at it.
  void AnswerFileDialog(const std::filesystem::path& file,
                        std::function<void(QFileDialog*)> examine = nullptr);
  // "Open a Lo File", answering the file-open dialog with `file`.
  void OpenFile(const std::filesystem::path& file);
  // A run with both folders stored, the editor window shown and the game
  // files' Lo file open.
  void Open();
  void ClickRow(int row);
  void TypeInto(MaskedEdit* field, const QString& text);
  std::filesystem::path SettingsFile() const { return files_.dir / "config" / "zodaZa.INI"; }
  // A widget or action of the editor window by its object name ("me9", "LoMap", "Save1").
  template <typename Child>
  Child* Find(const char* name) const {
    Child* child = form6_->findChild<Child*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }

  GameFiles files_;
  // The program's own settings files (recent files, tool windows) stay in the test's folder.
  const ScopedEnv config_home_{"XDG_CONFIG_HOME", (files_.dir / "xdg").c_str()};
  std::unique_ptr<ruriVizid> settings_;
  std::unique_ptr<TForm1> form1_;
  std::unique_ptr<TForm3> form3_;
  std::unique_ptr<TForm6> form6_;
  int end_requests_ = 0;
  QStringList errors_;  // error box texts
  ErrorBoxPresenter previous_presenter_;
  ModalScript modals_;
};
