#include "window_fixture.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "dialogs/error_box.h"
#include "fields/column_list_box.h"
#include "fields/masked_edit.h"

ModalScript::ModalScript() {
  timer_.setInterval(5);
  QObject::connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
  timer_.start();
  qApp->installEventFilter(this);
}

ModalScript::~ModalScript() { timer_.stop(); }

// A dialog that is hidden and shown again before the next poll is a new one to
// answer; one the window manager minimised and gave back is the same.
bool ModalScript::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Hide && !event->spontaneous() && watched == last_) last_ = nullptr;
  return false;
}

void ModalScript::Poll() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr || !modal->isVisible()) {
    last_ = nullptr;
    return;
  }
  if (modal == last_) return;
  last_ = modal;
  if (answers_.empty()) {
    // Nobody expected it: close it so the test cannot hang.
    ++unexpected_;
    modal->close();
    return;
  }
  Answer answer = std::move(answers_.front());
  answers_.pop_front();
  answer(modal);
}

GameFiles::GameFiles(int count) {
  lo_file = dir / "LoTEST.dat";
  original = LoFileBytes("Test Level", "A level for the window tests", NumberedRecords(count));
  original.insert(original.end(), 7, 0xEE);  // bytes after the last record
  WriteBytes(lo_file, original);
  objdat_folder = dir / "objdat";
  WriteCatalogue(objdat_folder, {{0, 0, "Marker"},
                                 {1, 0, "Oak Tree"},
                                 {1, 1, "Pine Tree"},
                                 {2, 2, "Boulder"},
                                 {3, 0, "Crate"},
                                 {4, 1, "Rock"},
                                 {5, 2, "Fuel Drum"}});
}

void EditorWindowTest::SetUp() {
  previous_presenter_ =
      SetErrorBoxPresenter([this](const QString&, const QString& text) { errors_ << text; });
}

void EditorWindowTest::TearDown() {
  EndRun();
  SetErrorBoxPresenter(previous_presenter_);
  EXPECT_EQ(modals_.Pending(), 0u) << "a modal window that was expected never came up";
  EXPECT_EQ(modals_.Unexpected(), 0) << "a modal window came up that no test expected";
}

void EditorWindowTest::StartRun(bool store_folders) {
  std::filesystem::create_directories(SettingsFile().parent_path());
  settings_ = std::make_unique<ruriVizid>(SettingsFile());
  if (store_folders) {
    settings_->WriteSetting("settings", "startdir", files_.dir.path().string());
    settings_->WriteSetting("settings", "objdir", files_.objdat_folder.string());
  }
  form1_ = std::make_unique<TForm1>();
  form3_ = std::make_unique<TForm3>(*form1_, *settings_);
  form3_->Desktop().EndRequest = [this] { ++end_requests_; };
  form6_ = std::make_unique<TForm6>(form3_->Session(), *settings_, form3_->Desktop(), nullptr);
  form1_->ShowEditor = [this] { form6_->ShowFromStartup(); };  // as the program wires it
}

void EditorWindowTest::EndRun() {
  form6_.reset();
  form3_.reset();
  form1_.reset();
  settings_.reset();
}

void EditorWindowTest::OpenEditor() {
  form1_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form1_.get()));
  QTest::mouseClick(form1_->Button5, Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form6_.get()));
  form6_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form6_.get()));
}

void EditorWindowTest::AnswerFileDialog(const std::filesystem::path& file,
                                        std::function<void(QFileDialog*)> examine) {
  modals_.Then([file, examine](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    if (examine) examine(dialog);
    // Typed into the name box, as a user would (selectFile leaves a focused box alone).
    auto* name_box = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name_box, nullptr);
    name_box->setText(QString::fromStdString(file.string()));
    QMetaObject::invokeMethod(dialog, "accept");
  });
}

void EditorWindowTest::OpenFile(const std::filesystem::path& file) {
  AnswerFileDialog(file);
  form6_->Action(TCommand::OpenLoFile)->trigger();
}

void EditorWindowTest::Open() {
  StartRun();
  OpenEditor();
  OpenFile(files_.lo_file);
}

void EditorWindowTest::ClickRow(int row) {
  ColumnListBox* list = form6_->ContentsList();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->rowRect(row).center());
}

void EditorWindowTest::TypeInto(MaskedEdit* field, const QString& text) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(field->window()));
  QTest::mouseClick(field, Qt::LeftButton);  // takes the focus and selects the whole text
  QTest::keyClicks(field, text);
}
