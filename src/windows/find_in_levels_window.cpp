#include "windows/find_in_levels_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "datafiles/obj_catalogue.h"
#include "editor/editing_session.h"
#include "editor/level_catalogue.h"
#include "editor/level_set.h"
#include "qt_convert.h"
#include "settings/profile_store.h"
#include "windows/guarded.h"
#include "windows/level_reader.h"
#include "windows/tool_window_place.h"

namespace {

// What an item of the results stands for.
constexpr int kFileRole = Qt::UserRole;        // a file's item: its path
constexpr int kRecordRole = Qt::UserRole + 1;  // a record's item: its index
constexpr int kKindRole = Qt::UserRole + 2;    // a record's item: class * 256 + type

enum Column { kWhere, kName, kPosition, kFinding };

QString FileCaption(const QString& file, int count) {
  return QStringLiteral("%1 (%2)").arg(file).arg(count);
}

}  // namespace

FindInLevelsWindow::FindInLevelsWindow(TEditingSession& session, const ruriVizid& settings,
                                       std::function<void(const std::filesystem::path&)> open,
                                       QWidget* editor)
    : QWidget(editor, Qt::Tool), session_(session), settings_(settings), open_(std::move(open)) {
  setObjectName(QStringLiteral("FindInLoFiles1"));
  setWindowTitle(QStringLiteral("Find in Lo Files"));
  by_text_ = new QRadioButton(QStringLiteral("&Name or number:"), this);
  by_text_->setObjectName(QStringLiteral("FindByText"));
  by_text_->setChecked(true);
  text_ = new QLineEdit(this);
  text_->setObjectName(QStringLiteral("FindText"));
  text_->setAccessibleName(QStringLiteral("Name or number"));
  text_->setPlaceholderText(QStringLiteral("a part of a name (\"drum\"), or a class or type"));
  by_kind_ = new QRadioButton(QStringLiteral("&Kind, class:"), this);
  by_kind_->setObjectName(QStringLiteral("FindByKind"));
  class_ = new QSpinBox(this);
  class_->setObjectName(QStringLiteral("FindClass"));
  class_->setAccessibleName(QStringLiteral("Class"));
  type_ = new QSpinBox(this);
  type_->setObjectName(QStringLiteral("FindType"));
  type_->setAccessibleName(QStringLiteral("Type"));
  for (QSpinBox* box : {class_, type_}) box->setRange(0, 255);
  by_finding_ = new QRadioButton(QStringLiteral("Every record &Check File names"), this);
  by_finding_->setObjectName(QStringLiteral("FindByFinding"));
  find_ = new QPushButton(QStringLiteral("&Find"), this);
  find_->setObjectName(QStringLiteral("FindStart1"));
  find_->setDefault(true);
  stop_ = new QPushButton(QStringLiteral("&Stop"), this);
  stop_->setObjectName(QStringLiteral("FindStop1"));
  stop_->setEnabled(false);

  auto* question = new QGridLayout;
  question->addWidget(by_text_, 0, 0);
  question->addWidget(text_, 0, 1, 1, 3);
  question->addWidget(by_kind_, 1, 0);
  question->addWidget(class_, 1, 1);
  auto* type_label = new QLabel(QStringLiteral("&type:"), this);
  type_label->setBuddy(type_);
  question->addWidget(type_label, 1, 2, Qt::AlignRight);
  question->addWidget(type_, 1, 3);
  question->addWidget(by_finding_, 2, 0, 1, 4);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(find_);
  buttons->addWidget(stop_);
  buttons->addStretch();
  auto* top = new QHBoxLayout;
  top->addLayout(question, 1);
  top->addLayout(buttons);

  results_ = new QTreeWidget(this);
  results_->setObjectName(QStringLiteral("FindResults"));
  results_->setAccessibleName(QStringLiteral("Records found"));
  results_->setHeaderLabels({QStringLiteral("File / Record"), QStringLiteral("Name"),
                             QStringLiteral("Position (X; Y)"), QStringLiteral("Finding")});
  results_->header()->setStretchLastSection(true);
  results_->setColumnWidth(kWhere, 150);
  results_->setColumnWidth(kName, 170);
  results_->setColumnWidth(kPosition, 130);
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("FindStatus"));
  status_->setWordWrap(true);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(results_, 1);
  layout->addWidget(status_);
  resize(620, 420);

  reader_ = new LevelReader(this);
  connect(find_, &QPushButton::clicked, this, &FindInLevelsWindow::Start);
  connect(stop_, &QPushButton::clicked, this, &FindInLevelsWindow::Stop);
  connect(text_, &QLineEdit::returnPressed, this, &FindInLevelsWindow::Start);
  connect(text_, &QLineEdit::textEdited, by_text_, [this] { by_text_->setChecked(true); });
  for (QSpinBox* box : {class_, type_}) {
    connect(box, &QSpinBox::valueChanged, by_kind_, [this] { by_kind_->setChecked(true); });
  }
  connect(results_, &QTreeWidget::itemClicked, this, &FindInLevelsWindow::ResultClicked);
  connect(results_, &QTreeWidget::itemActivated, this, &FindInLevelsWindow::ResultClicked);
}

FindInLevelsWindow::~FindInLevelsWindow() { reader_->Stop(); }

bool FindInLevelsWindow::Searching() const { return reader_->Running(); }

void FindInLevelsWindow::ShowFind() {
  if (!isVisible()) PlaceBesideEditor(*this);
  show();
  raise();
  activateWindow();
  text_->setFocus();
  text_->selectAll();
}

void FindInLevelsWindow::FindKind(std::uint8_t object_class, std::uint8_t object_type) {
  class_->setValue(object_class);
  type_->setValue(object_type);
  by_kind_->setChecked(true);
  if (!isVisible()) PlaceBesideEditor(*this);
  show();
  raise();
  Start();
}

TLevelQuery FindInLevelsWindow::Query() const {
  TLevelQuery query;
  if (by_kind_->isChecked()) {
    query.kind = TLevelQuery::Kind::ObjectKind;
    query.object_class = static_cast<std::uint8_t>(class_->value());
    query.object_type = static_cast<std::uint8_t>(type_->value());
  } else if (by_finding_->isChecked()) {
    query.kind = TLevelQuery::Kind::Findings;
  } else {
    query.text = QStringToBytes(text_->text());
  }
  return query;
}

// The files are listed here (a few milliseconds); each is read off the
// window's thread with its own copy of the question and the catalogue.
void FindInLevelsWindow::Start() {
  reader_->Stop();
  results_->clear();
  files_ = read_ = found_files_ = found_ = 0;
  stopped_ = false;
  problem_.clear();
  const TLevelQuery query = Query();
  caption_ = BytesToQString(query.Caption());
  std::vector<TLevelFile> files;
  try {
    const std::filesystem::path folder = settings_.ReadSetting("settings", "startdir", "");
    if (folder.empty()) {
      throw AppError(
          "No Lo files folder is chosen yet: \"Change Folders\" > \"Lo Files Location\" chooses "
          "one");
    }
    files = ListLevelFiles(folder);
    catalogue_ = LevelCatalogue(session_, settings_);  // the names as they are now
  } catch (const std::exception& error) {
    problem_ = ToQString(UserMessage(error));
    ShowStatus();
    return;
  }
  files_ = static_cast<int>(files.size());
  auto shared = std::make_shared<const std::vector<TLevelFile>>(std::move(files));
  std::shared_ptr<const TObjCatalogue> catalogue = catalogue_;
  reader_->Start(
      shared->size(),
      [this, shared, catalogue, query](std::size_t i) -> LevelReader::Result {
        TLevelFinds finds = FindInLevel((*shared)[i], query, catalogue.get());
        return [this, finds = std::move(finds)] { TakeFinds(finds); };
      },
      [this] {
        stop_->setEnabled(false);
        ShowStatus();
      });
  stop_->setEnabled(true);
  ShowStatus();
}

void FindInLevelsWindow::Stop() {
  if (!reader_->Running()) return;
  reader_->Stop();
  stopped_ = true;
  stop_->setEnabled(false);
  ShowStatus();
}

void FindInLevelsWindow::TakeFinds(const TLevelFinds& finds) {
  ++read_;
  const QString file = PathToQString(finds.file.path.filename());
  if (finds.problem.empty() && finds.records.empty()) return ShowStatus();
  auto* item = new QTreeWidgetItem(results_);
  item->setData(kWhere, kFileRole, PathToQString(finds.file.path));
  item->setToolTip(kWhere, PathToQString(finds.file.path));
  if (!finds.problem.empty()) {
    item->setText(kWhere, file);
    item->setText(kName, ToQString(UserMessage(finds.problem)));
    item->setFirstColumnSpanned(true);
    return ShowStatus();
  }
  const int count = static_cast<int>(finds.records.size());
  item->setText(kWhere, FileCaption(file, count));
  ++found_files_;
  found_ += count;
  const char separator = session_.View().DecimalSeparator();
  for (const TFoundRecord& found : finds.records) {
    auto* row = new QTreeWidgetItem(item);
    row->setData(kWhere, kRecordRole, found.record);
    row->setData(kWhere, kKindRole, found.values.object_class * 256 + found.values.object_type);
    row->setText(kWhere, found.record < 0 ? QStringLiteral("the file")
                                          : QStringLiteral("Record %1").arg(found.record));
    if (found.record >= 0) {
      row->setText(kName, NameOf(found.values));
      row->setText(kPosition, BytesToQString(FoundPosition(found.values, separator)));
    }
    row->setText(kFinding, BytesToQString(found.findings));
    row->setToolTip(kFinding, BytesToQString(found.findings));
  }
  item->setExpanded(true);
  ShowStatus();
}

QString FindInLevelsWindow::NameOf(const TLoRecord& record) const {
  return BytesToQString(FoundName(catalogue_.get(), record));
}

void FindInLevelsWindow::RenameResults() {
  if (results_->topLevelItemCount() == 0) return;
  catalogue_ = LevelCatalogue(session_, settings_);
  for (int f = 0; f < results_->topLevelItemCount(); ++f) {
    QTreeWidgetItem* file = results_->topLevelItem(f);
    for (int r = 0; r < file->childCount(); ++r) {
      QTreeWidgetItem* row = file->child(r);
      if (row->data(kWhere, kRecordRole).toInt() < 0) continue;
      const int kind = row->data(kWhere, kKindRole).toInt();
      TLoRecord record;
      record.object_class = static_cast<std::uint8_t>(kind / 256);
      record.object_type = static_cast<std::uint8_t>(kind % 256);
      row->setText(kName, NameOf(record));
    }
  }
}

void FindInLevelsWindow::ShowStatus() {
  if (!problem_.isEmpty()) return status_->setText(problem_);
  const QString tally = QStringLiteral("%1 records of %2 in %3 of %4 Lo files")
                            .arg(found_)
                            .arg(caption_)
                            .arg(found_files_)
                            .arg(files_);
  if (reader_->Running()) {
    return status_->setText(QStringLiteral("Reading %1 of %2 Lo files... %3 records so far.")
                                .arg(read_)
                                .arg(files_)
                                .arg(found_));
  }
  if (stopped_) {
    return status_->setText(
        QStringLiteral("Stopped after %1 of %2 Lo files: ").arg(read_).arg(files_) + tally + u'.');
  }
  status_->setText(tally + u'.');
}

void FindInLevelsWindow::ResultClicked(QTreeWidgetItem* item) {
  if (item == nullptr || item->parent() == nullptr) return;
  const std::filesystem::path file =
      QStringToPath(item->parent()->data(kWhere, kFileRole).toString());
  const int record = item->data(kWhere, kRecordRole).toInt();
  guarded([&] {
    auto is_open = [this, &file] {
      const TLoDocument& document = session_.Document();
      return document.IsOpen() &&
             std::filesystem::absolute(document.Path()).lexically_normal() == file;
    };
    if (!is_open()) open_(file);
    if (!is_open()) return;  // the open did not take; an error box said why
    if (record >= 0) session_.Placing().ChooseRecord(record);
  });
}

void FindInLevelsWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    if (reader_->Running()) return Stop();
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}
