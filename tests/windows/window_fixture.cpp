#include "window_fixture.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "components/column_list_box.h"
#include "components/error_box.h"
#include "components/masked_edit.h"

ModalScript::ModalScript() {
  timer_.setInterval(5);
  QObject::connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
  timer_.start();
  qApp->installEventFilter(this);
}

ModalScript::~ModalScript() { timer_.stop(); }

// A dialog that is hidden and shown again before the next poll is a new one to answer.
bool ModalScript::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Hide && watched == last_) last_ = nullptr;
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

void PutRecord(Bytes& file, int index, std::uint8_t object_class, std::uint8_t type,
               std::uint8_t state, float x, float y, float z, float r, std::uint8_t density) {
  const std::size_t at = 100 + 20 * static_cast<std::size_t>(index);
  if (file.size() < at + 20) file.resize(at + 20, 0);
  file[at] = object_class;
  file[at + 1] = type;
  file[at + 2] = state;
  PutF32(file, at + 3, x);
  PutF32(file, at + 7, y);
  PutF32(file, at + 11, z);
  PutF32(file, at + 15, r);
  file[at + 19] = density;
}

Bytes MakeLoFile(int count) {
  Bytes file(100, 0);
  PutText(file, 0, "Test Level");
  PutU16(file, 20, static_cast<std::uint16_t>(count));
  PutU32(file, 22, 0xA5A5A5A5u);  // never touched by the editor
  PutText(file, 26, "A level for the window tests");
  for (int i = 0; i < count; ++i) {
    PutRecord(file, i, static_cast<std::uint8_t>(i % 3 + 1), static_cast<std::uint8_t>(i % 2),
              static_cast<std::uint8_t>(i % 2), 1.5f + static_cast<float>(i),
              -2.25f * static_cast<float>(i), 0.5f, 90.0f * static_cast<float>(i),
              static_cast<std::uint8_t>(i + 1));
  }
  for (int i = 0; i < 7; ++i) file.push_back(0xEE);  // bytes after the last record
  return file;
}

GameFiles::GameFiles(int count) {
  lo_file = dir / "LoTEST.dat";
  original = MakeLoFile(count);
  WriteBytes(lo_file, original);

  objdat_folder = dir / "objdat";
  std::filesystem::create_directories(objdat_folder);
  const struct {
    std::uint32_t object_class, type;
    const char* name;
  } entries[] = {{0, 0, "Marker"}, {1, 0, "Oak Tree"}, {1, 1, "Pine Tree"}, {2, 0, "Boulder"},
                 {2, 1, "Rock"},   {3, 0, "Crate"},    {3, 1, "Fuel Drum"}};
  const std::size_t n = std::size(entries);
  Bytes catalogue(100 + 100 * n, 0);
  PutU16(catalogue, 20, static_cast<std::uint16_t>(n));
  Bytes names(30 * n, 0);
  for (std::size_t i = 0; i < n; ++i) {
    PutU32(catalogue, 100 + 100 * i, entries[i].object_class);
    PutU32(catalogue, 104 + 100 * i, entries[i].type);
    PutText(names, 30 * i, entries[i].name);
  }
  WriteBytes(objdat_folder / "objdat.dat", catalogue);
  WriteBytes(objdat_folder / "objdat.nam", names);
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
  form3_->EndRequest = [this] { ++end_requests_; };
  form6_ = std::make_unique<TForm6>(*form3_, nullptr);
  form1_->ShowEditor = [this] { form6_->show(); };
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

void EditorWindowTest::OpenFile(const std::filesystem::path& file) {
  modals_.Then([file](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    // Typed into the name box, as a user would (selectFile leaves a focused box alone).
    auto* name_box = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name_box, nullptr);
    name_box->setText(QString::fromStdString(file.string()));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  form6_->LoFiles1->trigger();
}

void EditorWindowTest::ClickRow(int row) {
  ColumnListBox* list = form6_->LMDLB1;
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->rowRect(row).center());
}

void EditorWindowTest::TypeInto(MaskedEdit* field, const QString& text) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(field->window()));
  QTest::mouseClick(field, Qt::LeftButton);  // takes the focus and selects the whole text
  QTest::keyClicks(field, text);
}
