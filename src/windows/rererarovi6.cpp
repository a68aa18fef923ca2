#include "windows/rererarovi6.h"

#include <QCloseEvent>
#include <QCursor>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>

#include "editor/record_editor.h"
#include "effects/outline_effect.h"
#include "fields/column_list_box.h"
#include "fields/masked_edit.h"
#include "fields/two_choice_group.h"
#include "lettering/etched_edge.h"
#include "lettering/gradient_label.h"
#include "lettering/shadow_button.h"
#include "lettering/shadow_group_box.h"
#include "lettering/shadow_label.h"
#include "map/map_view.h"
#include "placement/placement_adapter.h"
#include "qt_convert.h"
#include "settings/folder_settings.h"
#include "settings/window_placement.h"
#include "windows/about_box.h"
#include "windows/desktop_host.h"
#include "windows/editor_map.h"
#include "windows/guarded.h"
#include "windows/program_icon.h"
#include "windows/rererarovi4.h"
#include "windows/window_fonts.h"

namespace {

const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);
const QColor kMaroon(128, 0, 0);
const QColor kBlack(0, 0, 0);

// Where the window opens when no placement is stored: its outer frame.
constexpr int kInitialLeft = 289;
constexpr int kInitialTop = 157;
constexpr int kInitialWidth = 807;
constexpr int kInitialHeight = 603;

constexpr int kOpeningEffectSteps = 40;

// Where each field of the field table sits: its widget and its label. Header
// texts lie in the client area, every other field in the group box.
struct FieldWidgetRow {
  TField field;
  const char* name;
  const char* label_name;  // null: the widget carries its own caption
  QPoint label_at;
  QRect geometry;
};

const FieldWidgetRow kFieldWidgets[] = {
    {TField::RecordNo, "ME1", "LMDSimpleLabel1", {8, 24}, {56, 24, 49, 17}},
    {TField::Class, "ME2", "LMDSimpleLabel2", {112, 24}, {144, 24, 33, 17}},
    {TField::Type, "ME3", "LMDSimpleLabel3", {184, 24}, {216, 24, 33, 17}},
    {TField::Name, "me4", "LMDSimpleLabel4", {288, 8}, {360, 8, 129, 17}},
    {TField::Description, "me5", "LMDSimpleLabel12", {288, 32}, {384, 32, 409, 20}},
    {TField::X, "me6", "LMDSimpleLabel6", {8, 48}, {56, 48, 65, 17}},
    {TField::Y, "me7", "LMDSimpleLabel7", {136, 48}, {184, 48, 65, 17}},
    {TField::Z, "me8", "LMDSimpleLabel8", {8, 72}, {56, 72, 65, 17}},
    {TField::R, "me9", "LMDSimpleLabel9", {136, 72}, {184, 72, 65, 17}},
    {TField::Density, "me10", "LMDSimpleLabel10", {8, 96}, {48, 96, 33, 17}},
    {TField::State, "lmdrg1", nullptr, {}, {112, 96, 137, 29}},
};

const FieldWidgetRow& WidgetRow(TField field) {
  for (const FieldWidgetRow& row : kFieldWidgets) {
    if (row.field == field) return row;
  }
  return kFieldWidgets[0];
}

bool InGroupBox(TField field) { return FieldInfo(field).kind != TFieldKind::HeaderText; }

FieldKind EntryKind(TEntry entry) {
  switch (entry) {
    case TEntry::Integer:
      return FieldKind::Integer;
    case TEntry::Decimal:
      return FieldKind::Decimal;
    default:
      return FieldKind::Text;
  }
}

QColor HighlightColour(THighlight highlight) {
  return highlight == THighlight::Modified ? kRed : kWhite;
}

QStringList RowList(const std::vector<std::string>& rows) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(rows.size()));
  for (const std::string& row : rows) list << BytesToQString(row);
  return list;
}

}  // namespace

TForm6::TForm6(RecordEditor& editor, ruriVizid& settings, DesktopHost& desktop, TForm4* notes,
               QWidget* parent)
    : QMainWindow(parent),
      editor_(editor),
      settings_(settings),
      desktop_(desktop),
      notes_(notes),
      view_(editor.View()) {
  setObjectName(QStringLiteral("Form6"));
  setWindowIcon(ProgramIcon());
  setFont(SansSerifFont(11));
  QPalette face = palette();
  face.setColor(QPalette::Window, face.color(QPalette::Button));
  setPalette(face);

  CreateMenu();
  CreateWidgets();
  SetTabOrder();
  ConnectEvents();

  desktop_.SetEditorWindow(this);
  // Replacing RecordNo's text is ME1's change event.
  view_.SetRecordNumberHook([this] { ME1Change(); });
  view_.SetListener([this](TViewMember member) { Present(member); });
  ApplyLocaleSeparator();
  PresentAll();

  ApplyWindowPlacement(*this, {0, 1,
                               {kInitialLeft, kInitialTop, kInitialLeft + kInitialWidth,
                                kInitialTop + kInitialHeight}});
}

TForm6::~TForm6() {
  // The end of the run, on every way out: the placement goes to the settings.
  guarded([this] { SavePlacement(); });
  view_.SetListener({});
  view_.SetRecordNumberHook({});
}

// ---- Layout -------------------------------------------------------------

void TForm6::CreateMenu() {
  QMenuBar* MainMenu1 = menuBar();
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));

  Open1 = MainMenu1->addMenu(QStringLiteral("Open"));
  Open1->setObjectName(QStringLiteral("Open1"));
  LoFiles1 = Open1->addAction(QStringLiteral("Open a Lo File"));
  LoFiles1->setObjectName(QStringLiteral("LoFiles1"));
  QFont bold = Open1->font();
  bold.setBold(true);
  LoFiles1->setFont(bold);
  Open1->setDefaultAction(LoFiles1);

  Save1 = MainMenu1->addAction(QStringLiteral("Save"));
  Save1->setObjectName(QStringLiteral("Save1"));
  Save1->setEnabled(false);

  Notes1 = MainMenu1->addAction(QStringLiteral("Notes"));
  Notes1->setObjectName(QStringLiteral("Notes1"));

  ChangeFolders1 = MainMenu1->addMenu(QStringLiteral("Change Folders"));
  ChangeFolders1->setObjectName(QStringLiteral("ChangeFolders1"));
  LoFiles2 = ChangeFolders1->addAction(QStringLiteral("Lo Files Location"));
  LoFiles2->setObjectName(QStringLiteral("LoFiles2"));
  OBJDATFolderLocation1 = ChangeFolders1->addAction(QStringLiteral("OBJDAT Folder Location"));
  OBJDATFolderLocation1->setObjectName(QStringLiteral("OBJDATFolderLocation1"));

  About1 = MainMenu1->addAction(QStringLiteral("About"));
  About1->setObjectName(QStringLiteral("About1"));
}

QLabel* TForm6::AddLabel(QWidget* parent, const char* name, const char* text, int left, int top) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setObjectName(QString::fromLatin1(name));
  label->adjustSize();
  label->move(left, top);
  return label;
}

QLabel* TForm6::AddFieldLabel(QWidget* parent, TField field) {
  const FieldWidgetRow& row = WidgetRow(field);
  return AddLabel(parent, row.label_name, FieldInfo(field).label, row.label_at.x(),
                  row.label_at.y());
}

MaskedEdit* TForm6::AddField(QWidget* parent, TField field) {
  const TFieldInfo& info = FieldInfo(field);
  const FieldWidgetRow& row = WidgetRow(field);
  auto* edit = new MaskedEdit(EntryKind(info.entry), static_cast<int>(info.max_length), parent);
  edit->setObjectName(QString::fromLatin1(row.name));
  edit->setGeometry(row.geometry);
  edit->setBackgroundColor(kWhite);
  edit->setTextMargins(0, 0, 0, 0);
  if (info.kind == TFieldKind::RecordNumber) {
    // Follows the row choice; the user does not type into it.
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::ClickFocus);
    edit->setBackgroundColor(palette().color(QPalette::Window));
  }
  fields_[FieldIndex(field)] = edit;
  return edit;
}

// One statement per row of the window's layout table, in painting order.
void TForm6::CreateWidgets() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("ClientArea"));
  client->setAutoFillBackground(true);
  setCentralWidget(client);
  const QFont title_font = SansSerifFont(13, true);

  LMDImage1 = new QFrame(client);
  LMDImage1->setObjectName(QStringLiteral("LMDImage1"));
  LMDImage1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  LMDImage1->setLineWidth(2);
  LMDImage1->setGeometry(288, 56, 489, 489);

  LMDLabel1 = new ShadowLabel(QStringLiteral("Lo File Contents"), client);
  LMDLabel1->setObjectName(QStringLiteral("LMDLabel1"));
  LMDLabel1->setFont(title_font);
  LMDLabel1->setGeometry(8, 0, 265, 25);

  for (TField field : kHeaderTextFields) AddFieldLabel(client, field);
  LMDSimpleLabel5 = AddLabel(client, "LMDSimpleLabel5", "# of Records:", 504, 8);

  LMDLabel2 = new ShadowLabel(QStringLiteral("Object Data List"), client);
  LMDLabel2->setObjectName(QStringLiteral("LMDLabel2"));
  LMDLabel2->setFont(title_font);
  LMDLabel2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  LMDLabel2->setGeometry(8, 376, 265, 20);

  LMDDrawEdge2 = new EtchedEdge(EtchedEdge::Side::Left, client);
  LMDDrawEdge2->setObjectName(QStringLiteral("LMDDrawEdge2"));
  LMDDrawEdge2->setGeometry(280, 0, 3, 553);

  LMDDrawEdge3 = new EtchedEdge(EtchedEdge::Side::Top, client);
  LMDDrawEdge3->setObjectName(QStringLiteral("LMDDrawEdge3"));
  LMDDrawEdge3->setGeometry(0, 0, 657, 3);

  LMDLabelFill1 = new GradientLabel(
      QStringLiteral("Future enhancement area for the Lo file map with drag and drop interface."),
      kMaroon, kBlack, 64, client);
  LMDLabelFill1->setObjectName(QStringLiteral("LMDLabelFill1"));
  LMDLabelFill1->setFont(ArialBlackFont(27));
  LMDLabelFill1->setGeometry(296, 64, 465, 353);
  // The map's strip fills the frame's lower part.
  LoMap = new EditorMap(editor_, LMDLabelFill1, QRect(296, 421, 465, 120));

  LMDLB1 = new ColumnListBox(client);
  LMDLB1->setObjectName(QStringLiteral("LMDLB1"));
  LMDLB1->setSections({{QStringLiteral("Rec#"), 40},
                       {QStringLiteral("Class"), 40},
                       {QStringLiteral("Type"), 40},
                       {QStringLiteral("Object Name"), 140}});
  LMDLB1->setHeaderHeight(17);
  LMDLB1->setGeometry(8, 24, 265, 169);
  LMDLB1->setFocusPolicy(Qt::ClickFocus);

  LMDGroupBox1 = new ShadowGroupBox(QStringLiteral("Placement Information"), client);
  LMDGroupBox1->setObjectName(QStringLiteral("LMDGroupBox1"));
  LMDGroupBox1->setFont(title_font);
  LMDGroupBox1->setGeometry(0, 232, 265, 137);
  CreateGroupWidgets();

  LMDButton2 = new ShadowButton(QStringLiteral("Add Object"), client);
  LMDButton2->setObjectName(QStringLiteral("LMDButton2"));
  LMDButton2->setFont(title_font);
  LMDButton2->setGeometry(8, 200, 97, 25);
  LMDButton2->setEnabled(false);
  LMDButton2->setFocusPolicy(Qt::ClickFocus);

  removeobj = new ShadowButton(QStringLiteral("Remove Object"), client);
  removeobj->setObjectName(QStringLiteral("removeobj"));
  removeobj->setFont(title_font);
  removeobj->setGeometry(152, 200, 121, 25);
  removeobj->setEnabled(false);
  removeobj->setFocusPolicy(Qt::ClickFocus);

  for (TField field : kHeaderTextFields) AddField(client, field);

  Edit1 = new QLineEdit(QStringLiteral("#"), client);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setGeometry(576, 8, 57, 21);
  Edit1->setReadOnly(true);
  Edit1->setFocusPolicy(Qt::ClickFocus);
  QPalette menu_colour = Edit1->palette();
  menu_colour.setColor(QPalette::Base, palette().color(QPalette::Window));
  Edit1->setPalette(menu_colour);

  lb2 = new ColumnListBox(client);
  lb2->setObjectName(QStringLiteral("lb2"));
  lb2->setSections({{QStringLiteral("#"), 40},
                    {QStringLiteral("Class"), 40},
                    {QStringLiteral("Type"), 40},
                    {QStringLiteral("Object Name"), 150}});
  lb2->setHeaderHeight(17);
  lb2->setGeometry(8, 400, 265, 145);
  lb2->setFocusPolicy(Qt::ClickFocus);

  ME1 = FieldWidget(TField::RecordNo);
  ME2 = FieldWidget(TField::Class);
  ME3 = FieldWidget(TField::Type);
  me4 = FieldWidget(TField::Name);
  me5 = FieldWidget(TField::Description);
  me6 = FieldWidget(TField::X);
  me7 = FieldWidget(TField::Y);
  me8 = FieldWidget(TField::Z);
  me9 = FieldWidget(TField::R);
  me10 = FieldWidget(TField::Density);
}

void TForm6::CreateGroupWidgets() {
  QWidget* box = LMDGroupBox1;
  const QFont plain = SansSerifFont(11);
  for (const TFieldInfo& info : kFieldTable) {
    if (!InGroupBox(info.field)) continue;
    if (info.kind == TFieldKind::Choice) {
      lmdrg1 = new TwoChoiceGroup(QString::fromLatin1(info.label), QStringLiteral("State 0"),
                                  QStringLiteral("State 1"), box);
      lmdrg1->setObjectName(QString::fromLatin1(WidgetRow(info.field).name));
      lmdrg1->setChoiceFont(plain);
      lmdrg1->setCaptionFont(ArialFont(11));
      lmdrg1->setGeometry(WidgetRow(info.field).geometry);
      lmdrg1->setChosen(0);
      continue;
    }
    QLabel* label = AddFieldLabel(box, info.field);
    label->setFont(plain);
    label->adjustSize();
    AddField(box, info.field)->setFont(plain);
  }
}

void TForm6::SetTabOrder() {
  for (std::size_t i = 0; i + 1 < kTypedFieldsInCommitOrder.size(); ++i) {
    setTabOrder(FieldWidget(kTypedFieldsInCommitOrder[i]),
                FieldWidget(kTypedFieldsInCommitOrder[i + 1]));
  }
  // The map comes last.
  setTabOrder(FieldWidget(kTypedFieldsInCommitOrder.back()), LoMap->map());
}

// ---- Events -------------------------------------------------------------

void TForm6::ConnectEvents() {
  connect(LMDLB1, &ColumnListBox::rowChosen, this, [this](int row) {
    view_.SetSelectedRowFromUser(row);
    LMDLB1Click();
  });
  for (MaskedEdit* field : fields_) {
    if (field == nullptr) continue;  // the state is a choice group
    // What the user types goes back into the view; it runs no logic.
    connect(field, &QLineEdit::textEdited, this, [this, field](const QString& text) {
      view_.SetTextFromUser(FieldOf(field), QStringToBytes(text));
      LoMap->TextEdited(FieldOf(field));
    });
    connect(field, &MaskedEdit::modifiedChanged, this, [this, field](bool) {
      if (field->kind() == FieldKind::Text) {
        ME4Modified(field);
      } else {
        me6Modified(field);
      }
    });
  }
  connect(lmdrg1, &TwoChoiceGroup::choiceChanged, this, [this](int index) {
    view_.SetStateIndexFromUser(index);
    lmdrg1Change();
  });
  connect(LMDButton2, &QPushButton::clicked, this, &TForm6::LMDButton2Click);
  connect(removeobj, &QPushButton::clicked, this, &TForm6::removeobjClick);
  connect(LoFiles1, &QAction::triggered, this, &TForm6::LoFiles1Click);
  connect(Save1, &QAction::triggered, this, &TForm6::Save1Click);
  connect(Notes1, &QAction::triggered, this, &TForm6::Notes1Click);
  connect(LoFiles2, &QAction::triggered, this, &TForm6::LoFiles2Click);
  connect(OBJDATFolderLocation1, &QAction::triggered, this, &TForm6::OBJDATFolderLocation1Click);
  connect(About1, &QAction::triggered, this, &TForm6::About1Click);
}

void TForm6::LMDLB1Click() {
  guarded([this] { editor_.ShowRecord(); });
}

// Runs inside the operation that replaced the text, so its errors end that
// operation too.
void TForm6::ME1Change() { editor_.GotoRecordNumber(); }

void TForm6::me6Modified(MaskedEdit* field) {
  if (field->kind() == FieldKind::Text) return;
  ReportModified(field);
}

void TForm6::ME4Modified(MaskedEdit* field) {
  if (field->kind() != FieldKind::Text) return;
  ReportModified(field);
}

// A set flag marks the field (red, "Save" on); clearing the flag raises the
// event once more, nested, and that run finds the flag clear.
void TForm6::ReportModified(MaskedEdit* field) {
  if (field->modifiedFlag()) {
    const TField which = FieldOf(field);
    guarded([this, which] { editor_.MarkFieldModified(which); });
  }
  field->setModifiedFlag(false);
}

void TForm6::lmdrg1Change() {
  guarded([this] { editor_.MarkStateModified(); });
}

void TForm6::LMDButton2Click() {
  guarded([this] { editor_.AddObject(); });
}

void TForm6::removeobjClick() {
  guarded([this] { editor_.RemoveLastObject(); });
}

void TForm6::LoFiles1Click() {
  guarded([this] { editor_.OpenLoFile(); });
  LoMap->FitAfterOpen();  // also after a failure: the map shows what is left
}

void TForm6::ShowFromStartup() {
  show();
  if (!start_file_) return;
  const std::filesystem::path file = *start_file_;
  start_file_.reset();  // later opens go through the menu and its dialog
  guarded([this, &file] { editor_.OpenLoFileNamed(file); });
}

void TForm6::Save1Click() {
  guarded([this] { editor_.CommitRecord(TCommitTarget::SelectedRow); });
}

void TForm6::Notes1Click() {
  guarded([this] {
    if (notes_ != nullptr) notes_->ShowNotes();
  });
}

void TForm6::LoFiles2Click() {
  guarded([this] { ChangeLoFolder(settings_, desktop_.LoFolderPrompt()); });
}

void TForm6::OBJDATFolderLocation1Click() {
  guarded([this] { ChangeObjdatFolder(settings_, desktop_.ObjdatFolderPrompt()); });
}

void TForm6::About1Click() {
  guarded([this] { ShowAbout(this, LoAboutSettings()); });
}

void TForm6::FormClose() {
  guarded([this] { editor_.CloseLoFile(); });
}

void TForm6::closeEvent(QCloseEvent* event) {
  event->accept();  // the window hides at once; the program ends from the queue
  FormClose();
}

void TForm6::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LocaleChange) ApplyLocaleSeparator();
  QMainWindow::changeEvent(event);
}

void TForm6::ApplyLocaleSeparator() {
  const QString point = QLocale().decimalPoint();
  const QChar separator = point.size() == 1 && point[0].unicode() < 0x80 ? point[0] : QChar(u'.');
  editor_.SetDecimalSeparator(static_cast<char>(separator.unicode()));
  for (MaskedEdit* field : fields_) {
    if (field != nullptr) field->setDecimalSeparator(separator);
  }
  LoMap->ApplyLocaleSeparator();
}

// ---- Presenting the view -----------------------------------------------

MaskedEdit* TForm6::FieldWidget(TField field) const { return fields_[FieldIndex(field)]; }

TField TForm6::FieldOf(const MaskedEdit* widget) const {
  for (const TFieldInfo& info : kFieldTable) {
    if (FieldWidget(info.field) == widget) return info.field;
  }
  return TField::RecordNo;
}

void TForm6::Present(TViewMember member) {
  LoMap->Present(member);
  switch (member.aspect) {
    case TAspect::Text:
      if (MaskedEdit* field = FieldWidget(member.field)) {
        field->setText(BytesToQString(view_.Text(member.field)));
      }
      break;
    case TAspect::Highlight:
      if (member.field == TField::State) {
        lmdrg1->setChoiceTextColor(view_.StateHighlight() == THighlight::Modified ? kRed
                                                                                  : QColor());
      } else if (member.field != TField::RecordNo) {
        FieldWidget(member.field)
            ->setBackgroundColor(HighlightColour(view_.Highlight(member.field)));
      }
      break;
    case TAspect::Choice:
      lmdrg1->setChosen(view_.StateIndex());
      break;
    case TAspect::SaveEnabled:
      Save1->setEnabled(view_.SaveEnabled());
      break;
    case TAspect::AddRemoveEnabled:
      LMDButton2->setEnabled(view_.AddRemoveEnabled());
      removeobj->setEnabled(view_.AddRemoveEnabled());
      break;
    case TAspect::RecordCountText:
      Edit1->setText(BytesToQString(view_.RecordCountText()));
      break;
    case TAspect::WindowCaption:
      setWindowTitle(ToQString(view_.WindowCaption()));
      break;
    case TAspect::ContentsRows:
      LMDLB1->setRows(RowList(view_.ContentsRows()));
      LMDLB1->setSelectedRow(view_.SelectedRow());
      break;
    case TAspect::SelectedRow:
      LMDLB1->setSelectedRow(view_.SelectedRow());
      break;
    case TAspect::CatalogueRows:
      lb2->setRows(RowList(view_.CatalogueRows()));
      break;
  }
}

void TForm6::PresentAll() {
  for (const TFieldInfo& info : kFieldTable) {
    Present({info.IsText() ? TAspect::Text : TAspect::Choice, info.field});
    Present({TAspect::Highlight, info.field});
  }
  for (TAspect aspect : {TAspect::SaveEnabled, TAspect::AddRemoveEnabled, TAspect::RecordCountText,
                         TAspect::WindowCaption, TAspect::ContentsRows, TAspect::SelectedRow,
                         TAspect::CatalogueRows}) {
    Present({aspect});
  }
}

// ---- Showing and placement ---------------------------------------------

void TForm6::setVisible(bool visible) {
  if (visible && !isVisible()) {
    // The stored placement first; a bad value is reported and the window opens anyway.
    guarded([this] { RestorePlacement(); });
    PlayOpeningEffect();
  }
  QMainWindow::setVisible(visible);
  if (visible) {
    raise();
    activateWindow();
  }
}

void TForm6::RestorePlacement() {
  const TWindowPlacement current = QueryWindowPlacement(*this);
  const TWindowPlacement restored = OpeningPlacement(
      RestoreEditorPlacement(settings_, current, PrimaryScreen()));
  if (restored == current) return;  // nothing stored, or the same
  ApplyWindowPlacement(*this, restored);
}

void TForm6::SavePlacement() {
  SaveEditorPlacement(settings_, QueryWindowPlacement(*this));
}

void TForm6::PlayOpeningEffect() {
  if (!OutlineEffect::isAvailable()) return;
  const TWindowRect frame = QueryWindowPlacement(*this).normal;
  OutlineEffect::play(OpeningEffectOutlines(
      QCursor::pos(),
      QRect(frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top),
      kOpeningEffectSteps));
}
