#include "windows/rererarovi6.h"

#include <QCloseEvent>
#include <QCursor>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>

#include "dialogs/guarded.h"
#include "effects/outline_effect.h"
#include "fields/column_list_box.h"
#include "fields/masked_edit.h"
#include "fields/two_choice_group.h"
#include "lettering/etched_edge.h"
#include "lettering/gradient_label.h"
#include "lettering/shadow_button.h"
#include "lettering/shadow_group_box.h"
#include "lettering/shadow_label.h"
#include "qt_convert.h"
#include "settings/window_placement.h"
#include "windows/about_box.h"
#include "windows/placement_bridge.h"
#include "windows/program_icon.h"
#include "windows/rererarovi3.h"
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

TForm6::TForm6(TForm3& controller, TForm4* notes, QWidget* parent)
    : QMainWindow(parent),
      controller_(controller),
      notes_(notes),
      view_(controller.Editor().View()) {
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

  controller_.SetEditorWindow(this);
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

MaskedEdit* TForm6::AddField(QWidget* parent, const char* name, int kind, int max_length,
                             const QRect& geometry) {
  auto* field = new MaskedEdit(static_cast<FieldKind>(kind), max_length, parent);
  field->setObjectName(QString::fromLatin1(name));
  field->setGeometry(geometry);
  field->setBackgroundColor(kWhite);
  field->setTextMargins(0, 0, 0, 0);
  return field;
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

  LMDSimpleLabel4 = AddLabel(client, "LMDSimpleLabel4", "Lo File Name:", 288, 8);
  LMDSimpleLabel12 = AddLabel(client, "LMDSimpleLabel12", "Lo File Description:", 288, 32);
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

  me4 = AddField(client, "me4", int(FieldKind::Text), 19, QRect(360, 8, 129, 17));
  me5 = AddField(client, "me5", int(FieldKind::Text), 73, QRect(384, 32, 409, 20));

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

  fields_ = {ME1, ME2, ME3, me4, me5, me6, me7, me8, me9, me10};
}

void TForm6::CreateGroupWidgets() {
  QWidget* box = LMDGroupBox1;
  const QFont plain = SansSerifFont(11);
  auto label = [&](const char* name, const char* text, int left, int top) {
    QLabel* l = AddLabel(box, name, text, left, top);
    l->setFont(plain);
    l->adjustSize();
    return l;
  };
  auto field = [&](const char* name, FieldKind kind, int max_length, const QRect& geometry) {
    MaskedEdit* f = AddField(box, name, int(kind), max_length, geometry);
    f->setFont(plain);
    return f;
  };

  LMDSimpleLabel1 = label("LMDSimpleLabel1", "Record#:", 8, 24);
  ME1 = field("ME1", FieldKind::Integer, 6, QRect(56, 24, 49, 17));
  ME1->setReadOnly(true);
  ME1->setFocusPolicy(Qt::ClickFocus);
  ME1->setBackgroundColor(palette().color(QPalette::Window));
  LMDSimpleLabel2 = label("LMDSimpleLabel2", "Class:", 112, 24);
  ME2 = field("ME2", FieldKind::Integer, 6, QRect(144, 24, 33, 17));
  LMDSimpleLabel3 = label("LMDSimpleLabel3", "Type:", 184, 24);
  ME3 = field("ME3", FieldKind::Integer, 6, QRect(216, 24, 33, 17));
  LMDSimpleLabel6 = label("LMDSimpleLabel6", "Object X:", 8, 48);
  me6 = field("me6", FieldKind::Decimal, 11, QRect(56, 48, 65, 17));
  LMDSimpleLabel7 = label("LMDSimpleLabel7", "Object Y:", 136, 48);
  me7 = field("me7", FieldKind::Decimal, 11, QRect(184, 48, 65, 17));
  LMDSimpleLabel8 = label("LMDSimpleLabel8", "Object Z:", 8, 72);
  me8 = field("me8", FieldKind::Decimal, 11, QRect(56, 72, 65, 17));
  LMDSimpleLabel9 = label("LMDSimpleLabel9", "Object R:", 136, 72);
  me9 = field("me9", FieldKind::Decimal, 11, QRect(184, 72, 65, 17));
  LMDSimpleLabel10 = label("LMDSimpleLabel10", "Density:", 8, 96);
  me10 = field("me10", FieldKind::Decimal, 11, QRect(48, 96, 33, 17));

  lmdrg1 = new TwoChoiceGroup(QStringLiteral("State-???"), QStringLiteral("State 0"),
                              QStringLiteral("State 1"), box);
  lmdrg1->setObjectName(QStringLiteral("lmdrg1"));
  lmdrg1->setChoiceFont(plain);
  lmdrg1->setCaptionFont(ArialFont(11));
  lmdrg1->setGeometry(112, 96, 137, 29);
  lmdrg1->setChosen(0);
}

void TForm6::SetTabOrder() {
  const QWidget* order[] = {me4, me5, ME2, ME3, me6, me7, me8, me9, me10};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
    setTabOrder(const_cast<QWidget*>(order[i]), const_cast<QWidget*>(order[i + 1]));
  }
}

// ---- Events -------------------------------------------------------------

void TForm6::ConnectEvents() {
  connect(LMDLB1, &ColumnListBox::rowChosen, this, [this](int row) {
    view_.SetSelectedRowFromUser(row);
    LMDLB1Click();
  });
  for (MaskedEdit* field : fields_) {
    // What the user types goes back into the view; it runs no logic.
    connect(field, &QLineEdit::textEdited, this, [this, field](const QString& text) {
      view_.SetTextFromUser(FieldOf(field), QStringToBytes(text));
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
  guarded([this] { controller_.Editor().ShowRecord(); });
}

// Runs inside the operation that replaced the text, so its errors end that
// operation too.
void TForm6::ME1Change() { controller_.Editor().GotoRecordNumber(); }

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
    guarded([this, which] { controller_.Editor().MarkFieldModified(which); });
  }
  field->setModifiedFlag(false);
}

void TForm6::lmdrg1Change() {
  guarded([this] { controller_.Editor().MarkStateModified(); });
}

void TForm6::LMDButton2Click() {
  guarded([this] { controller_.Editor().AddObject(); });
}

void TForm6::removeobjClick() {
  guarded([this] { controller_.Editor().RemoveLastObject(); });
}

void TForm6::LoFiles1Click() {
  guarded([this] { controller_.Editor().OpenLoFile(); });
}

void TForm6::Save1Click() {
  guarded([this] { controller_.Editor().CommitRecord(TCommitTarget::SelectedRow); });
}

void TForm6::Notes1Click() {
  guarded([this] {
    if (notes_ != nullptr) notes_->ShowNotes();
  });
}

void TForm6::LoFiles2Click() {
  guarded([this] { ChangeLoFolder(controller_.Settings(), controller_.LoFolderPrompt()); });
}

void TForm6::OBJDATFolderLocation1Click() {
  guarded([this] { ChangeObjdatFolder(controller_.Settings(), controller_.ObjdatFolderPrompt()); });
}

void TForm6::About1Click() {
  guarded([this] { ShowAbout(this, LoAboutSettings()); });
}

void TForm6::FormClose() {
  guarded([this] { controller_.Editor().CloseLoFile(); });
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
  controller_.Editor().SetDecimalSeparator(static_cast<char>(separator.unicode()));
  for (MaskedEdit* field : fields_) field->setDecimalSeparator(separator);
}

// ---- Presenting the view -----------------------------------------------

MaskedEdit* TForm6::FieldWidget(TField field) const {
  return fields_[static_cast<std::size_t>(field)];
}

TField TForm6::FieldOf(const MaskedEdit* widget) const {
  for (int i = 0; i < kFieldCount; ++i) {
    if (fields_[static_cast<std::size_t>(i)] == widget) return static_cast<TField>(i);
  }
  return TField::RecordNo;
}

void TForm6::Present(TViewMember member) {
  const int index = static_cast<int>(member);
  if (index <= static_cast<int>(TViewMember::Density)) {
    const auto field = static_cast<TField>(index);
    FieldWidget(field)->setText(BytesToQString(view_.Text(field)));
    return;
  }
  if (index <= static_cast<int>(TViewMember::DensityHighlight)) {
    const auto field =
        static_cast<TField>(index - static_cast<int>(TViewMember::ClassHighlight) + 1);
    FieldWidget(field)->setBackgroundColor(HighlightColour(view_.Highlight(field)));
    return;
  }
  switch (member) {
    case TViewMember::StateIndex:
      lmdrg1->setChosen(view_.StateIndex());
      break;
    case TViewMember::StateHighlight:
      lmdrg1->setChoiceTextColor(view_.StateHighlight() == THighlight::Modified ? kRed : QColor());
      break;
    case TViewMember::SaveEnabled:
      Save1->setEnabled(view_.SaveEnabled());
      break;
    case TViewMember::AddRemoveEnabled:
      LMDButton2->setEnabled(view_.AddRemoveEnabled());
      removeobj->setEnabled(view_.AddRemoveEnabled());
      break;
    case TViewMember::RecordCountText:
      Edit1->setText(BytesToQString(view_.RecordCountText()));
      break;
    case TViewMember::WindowCaption:
      setWindowTitle(ToQString(view_.WindowCaption()));
      break;
    case TViewMember::ContentsRows:
      LMDLB1->setRows(RowList(view_.ContentsRows()));
      LMDLB1->setSelectedRow(view_.SelectedRow());
      break;
    case TViewMember::SelectedRow:
      LMDLB1->setSelectedRow(view_.SelectedRow());
      break;
    case TViewMember::CatalogueRows:
      lb2->setRows(RowList(view_.CatalogueRows()));
      break;
    default:
      break;
  }
}

void TForm6::PresentAll() {
  for (int i = 0; i <= static_cast<int>(TViewMember::CatalogueRows); ++i) {
    Present(static_cast<TViewMember>(i));
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
      RestoreEditorPlacement(controller_.Settings(), current, PrimaryScreen()));
  if (restored == current) return;  // nothing stored, or the same
  ApplyWindowPlacement(*this, restored);
}

void TForm6::SavePlacement() {
  SaveEditorPlacement(controller_.Settings(), QueryWindowPlacement(*this));
}

void TForm6::PlayOpeningEffect() {
  if (!OutlineEffect::IsAvailable()) return;
  const TWindowRect frame = QueryWindowPlacement(*this).normal;
  OutlineEffect::Play(OpeningEffectOutlines(
      QCursor::pos(),
      QRect(frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top),
      kOpeningEffectSteps));
}
