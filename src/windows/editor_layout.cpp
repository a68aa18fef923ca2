#include "windows/editor_layout.h"

#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

#include "fields/column_list_box.h"
#include "fields/list_find_field.h"
#include "fields/masked_edit.h"
#include "fields/two_choice_group.h"
#include "lettering/etched_edge.h"
#include "lettering/gradient_label.h"
#include "lettering/shadow_button.h"
#include "lettering/shadow_group_box.h"
#include "lettering/shadow_label.h"
#include "windows/editor_menu.h"
#include "windows/window_fonts.h"

namespace {

// What a row of the layout table creates.
enum class Kind {
  Frame,        // an empty raised frame
  Title,        // raised, shadowed caption, centred
  TitleAtTop,   // the same, its text at the top
  Label,        // plain text, as wide as its text
  EdgeLeft,     // etched line on its left side
  EdgeTop,      // etched line on its top side
  Placeholder,  // gradient panel with its caption
  List,         // column list; its sections in kListSections
  Find,         // a list's find field, placed by the list it is in
  Group,        // group box; the rows placed InGroup lie inside it
  Button,       // push button of a command
  CountBox,     // read-only text box
  FieldLabel,   // a field's label, its text from the field table
  Field,        // a field's edit, its kind and length from the field table
  Choice,       // the two-choice group of a choice field
};

// Inherit: the parent's font (the choice group sets its own fonts).
enum class Letters { Inherit, Plain, Bold13, ArialBlack27 };
enum class Place { Client, InGroup, InList };  // InList: the list above it
// Default: the widget's own policy (labels and frames take no focus).
enum class Focus { Default, Tab, ClickOnly };

struct LayoutRow {
  Kind kind;
  const char* name;  // objectName
  const char* text;  // caption; field rows take the field table's label
  QRect geometry;    // width and height 0: sized to the text
  Letters letters;
  Place place;
  Focus focus;
  TEditorWidget role = TEditorWidget::MapFrame;  // rows that are no field
  TField field = TField::RecordNo;               // FieldLabel, Field and Choice rows
  TCommand command = TCommand::AddObject;        // Button rows
};

using K = Kind;
using L = Letters;
using P = Place;
using Fo = Focus;
using W = TEditorWidget;
using F = TField;
using C = TCommand;

const char kPlaceholderText[] =
    "Future enhancement area for the Lo file map with drag and drop interface.";

// The editor window, in painting order (later rows lie on top). Geometry is
// in the client area, or in the group box for rows placed InGroup.
// clang-format off
const LayoutRow kLayout[] = {
 // kind           name                text                     geometry            letters          place       focus         role, field or command
  {K::Frame,       "LMDImage1",        nullptr,                {288, 56, 489, 489}, L::Plain,        P::Client,  Fo::Default,   W::MapFrame},
  {K::Title,       "LMDLabel1",        "Lo File Contents",     {8, 0, 265, 25},     L::Bold13,       P::Client,  Fo::Default,   W::ContentsTitle},
  {K::FieldLabel,  "LMDSimpleLabel4",  nullptr,                {288, 8, 0, 0},      L::Plain,        P::Client,  Fo::Default,   {}, F::Name},
  {K::FieldLabel,  "LMDSimpleLabel12", nullptr,                {288, 32, 0, 0},     L::Plain,        P::Client,  Fo::Default,   {}, F::Description},
  {K::Label,       "LMDSimpleLabel5",  "# of Records:",        {504, 8, 0, 0},      L::Plain,        P::Client,  Fo::Default,   W::RecordCountLabel},
  {K::TitleAtTop,  "LMDLabel2",        "Object Data List",     {8, 376, 265, 20},   L::Bold13,       P::Client,  Fo::Default,   W::CatalogueTitle},
  {K::EdgeLeft,    "LMDDrawEdge2",     nullptr,                {280, 0, 3, 553},    L::Plain,        P::Client,  Fo::Default,   W::ListsEdge},
  {K::EdgeTop,     "LMDDrawEdge3",     nullptr,                {0, 0, 657, 3},      L::Plain,        P::Client,  Fo::Default,   W::TopEdge},
  {K::Placeholder, "LMDLabelFill1",    kPlaceholderText,       {296, 64, 465, 353}, L::ArialBlack27, P::Client,  Fo::Default,   W::Placeholder},
  {K::List,        "LMDLB1",           nullptr,                {8, 24, 265, 169},   L::Plain,        P::Client,  Fo::ClickOnly, W::ContentsList},
  {K::Find,        "LMDLB1Find",       nullptr,                {},                  L::Plain,        P::InList,  Fo::Default,   W::ContentsFind},
  {K::Group,       "LMDGroupBox1",     "Placement Information", {0, 232, 265, 137}, L::Bold13,       P::Client,  Fo::Default,   W::PlacementGroup},
  {K::FieldLabel,  "LMDSimpleLabel1",  nullptr,                {8, 24, 0, 0},       L::Plain,        P::InGroup, Fo::Default,   {}, F::RecordNo},
  {K::Field,       "ME1",              nullptr,                {56, 24, 49, 17},    L::Plain,        P::InGroup, Fo::ClickOnly, {}, F::RecordNo},
  {K::FieldLabel,  "LMDSimpleLabel2",  nullptr,                {112, 24, 0, 0},     L::Plain,        P::InGroup, Fo::Default,   {}, F::Class},
  {K::Field,       "ME2",              nullptr,                {144, 24, 33, 17},   L::Plain,        P::InGroup, Fo::Tab,       {}, F::Class},
  {K::FieldLabel,  "LMDSimpleLabel3",  nullptr,                {184, 24, 0, 0},     L::Plain,        P::InGroup, Fo::Default,   {}, F::Type},
  {K::Field,       "ME3",              nullptr,                {216, 24, 33, 17},   L::Plain,        P::InGroup, Fo::Tab,       {}, F::Type},
  {K::FieldLabel,  "LMDSimpleLabel6",  nullptr,                {8, 48, 0, 0},       L::Plain,        P::InGroup, Fo::Default,   {}, F::X},
  {K::Field,       "me6",              nullptr,                {56, 48, 65, 17},    L::Plain,        P::InGroup, Fo::Tab,       {}, F::X},
  {K::FieldLabel,  "LMDSimpleLabel7",  nullptr,                {136, 48, 0, 0},     L::Plain,        P::InGroup, Fo::Default,   {}, F::Y},
  {K::Field,       "me7",              nullptr,                {184, 48, 65, 17},   L::Plain,        P::InGroup, Fo::Tab,       {}, F::Y},
  {K::FieldLabel,  "LMDSimpleLabel8",  nullptr,                {8, 72, 0, 0},       L::Plain,        P::InGroup, Fo::Default,   {}, F::Z},
  {K::Field,       "me8",              nullptr,                {56, 72, 65, 17},    L::Plain,        P::InGroup, Fo::Tab,       {}, F::Z},
  {K::FieldLabel,  "LMDSimpleLabel9",  nullptr,                {136, 72, 0, 0},     L::Plain,        P::InGroup, Fo::Default,   {}, F::R},
  {K::Field,       "me9",              nullptr,                {184, 72, 65, 17},   L::Plain,        P::InGroup, Fo::Tab,       {}, F::R},
  {K::FieldLabel,  "LMDSimpleLabel10", nullptr,                {8, 96, 0, 0},       L::Plain,        P::InGroup, Fo::Default,   {}, F::Density},
  {K::Field,       "me10",             nullptr,                {48, 96, 33, 17},    L::Plain,        P::InGroup, Fo::Tab,       {}, F::Density},
  {K::Choice,      "lmdrg1",           nullptr,                {112, 96, 137, 29},  L::Inherit,      P::InGroup, Fo::Default,   {}, F::State},
  {K::Button,      "LMDButton2",       "Add Object",           {8, 200, 97, 25},    L::Bold13,       P::Client,  Fo::ClickOnly, W::AddObjectButton, {}, C::AddObject},
  {K::Button,      "removeobj",        "Remove Object",        {152, 200, 121, 25}, L::Bold13,       P::Client,  Fo::ClickOnly, W::RemoveObjectButton, {}, C::RemoveObject},
  {K::Field,       "me4",              nullptr,                {360, 8, 129, 17},   L::Plain,        P::Client,  Fo::Tab,       {}, F::Name},
  {K::Field,       "me5",              nullptr,                {384, 32, 409, 20},  L::Plain,        P::Client,  Fo::Tab,       {}, F::Description},
  {K::CountBox,    "Edit1",            "#",                    {576, 8, 57, 21},    L::Plain,        P::Client,  Fo::ClickOnly, W::RecordCountBox},
  {K::List,        "lb2",              nullptr,                {8, 400, 265, 145},  L::Plain,        P::Client,  Fo::ClickOnly, W::CatalogueList},
  {K::Find,        "lb2Find",          nullptr,                {},                  L::Plain,        P::InList,  Fo::Default,   W::CatalogueFind},
};
// clang-format on

// The header sections of the two lists: caption and (maximum) width.
struct ListSection {
  const char* caption;
  int width;
};
struct ListSections {
  TEditorWidget list;
  ListSection sections[4];
};
const ListSections kListSections[] = {
    {W::ContentsList, {{"Rec#", 40}, {"Class", 40}, {"Type", 40}, {"Object Name", 140}}},
    {W::CatalogueList, {{"#", 40}, {"Class", 40}, {"Type", 40}, {"Object Name", 150}}},
};
constexpr int kListHeaderHeight = 17;

const QColor kWhite(255, 255, 255);
const QColor kMaroon(128, 0, 0);
const QColor kBlack(0, 0, 0);
constexpr int kPlaceholderSteps = 64;

QString Latin1(const char* text) { return QString::fromLatin1(text); }

QFont FontOf(Letters letters) {
  if (letters == Letters::Bold13) return SansSerifFont(13, true);
  return letters == Letters::ArialBlack27 ? ArialBlackFont(27) : SansSerifFont(11);
}

ColumnListBox* CreateList(TEditorWidget role, QWidget* parent) {
  auto* list = new ColumnListBox(parent);
  for (const ListSections& table : kListSections) {
    if (table.list != role) continue;
    QList<ColumnSection> sections;
    for (const ListSection& section : table.sections) {
      sections.append({Latin1(section.caption), section.width});
    }
    list->setSections(sections);
  }
  list->setHeaderHeight(kListHeaderHeight);
  return list;
}

MaskedEdit* CreateField(TField field, QWidget* parent, const QColor& window_colour) {
  const TFieldInfo& info = FieldInfo(field);
  auto* edit = new MaskedEdit(EntryKind(info.entry), static_cast<int>(info.max_length), parent);
  edit->setTextMargins(0, 0, 0, 0);
  edit->setBackgroundColor(kWhite);
  if (info.kind == TFieldKind::RecordNumber) {
    // Follows the row choice; the user does not type into it.
    edit->setReadOnly(true);
    edit->setBackgroundColor(window_colour);
  }
  return edit;
}

TwoChoiceGroup* CreateChoice(TField field, QWidget* parent) {
  auto* group = new TwoChoiceGroup(Latin1(FieldInfo(field).label), QStringLiteral("State 0"),
                                   QStringLiteral("State 1"), parent);
  group->setChoiceFont(SansSerifFont(11));
  group->setCaptionFont(ArialFont(11));
  group->setChosen(0);
  return group;
}

QLineEdit* CreateCountBox(const char* text, QWidget* parent, const QColor& window_colour) {
  auto* box = new QLineEdit(Latin1(text), parent);
  box->setReadOnly(true);
  QPalette menu_colour = box->palette();
  menu_colour.setColor(QPalette::Base, window_colour);
  box->setPalette(menu_colour);
  return box;
}

QWidget* CreateWidget(const LayoutRow& row, QWidget* parent, const QColor& window_colour) {
  switch (row.kind) {
    case Kind::Frame: {
      auto* frame = new QFrame(parent);
      frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
      frame->setLineWidth(2);
      return frame;
    }
    case Kind::Title:
      return new ShadowLabel(Latin1(row.text), parent);
    case Kind::TitleAtTop: {
      auto* title = new ShadowLabel(Latin1(row.text), parent);
      title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
      return title;
    }
    case Kind::Label:
      return new QLabel(Latin1(row.text), parent);
    case Kind::FieldLabel:
      return new QLabel(Latin1(FieldInfo(row.field).label), parent);
    case Kind::EdgeLeft:
      return new EtchedEdge(EtchedEdge::Side::Left, parent);
    case Kind::EdgeTop:
      return new EtchedEdge(EtchedEdge::Side::Top, parent);
    case Kind::Placeholder:
      return new GradientLabel(Latin1(row.text), kMaroon, kBlack, kPlaceholderSteps, parent);
    case Kind::List:
      return CreateList(row.role, parent);
    case Kind::Find:
      return new ListFindField(static_cast<ColumnListBox*>(parent));
    case Kind::Group:
      return new ShadowGroupBox(Latin1(row.text), parent);
    case Kind::Button: {
      auto* button = new ShadowButton(Latin1(row.text), parent);
      button->setEnabled(false);
      return button;
    }
    case Kind::CountBox:
      return CreateCountBox(row.text, parent, window_colour);
    case Kind::Field:
      return CreateField(row.field, parent, window_colour);
    case Kind::Choice:
      return CreateChoice(row.field, parent);
  }
  return nullptr;
}

// A label wider than the space before its field takes the same family a
// pixel smaller at a time, so that it never runs under the field.
void FitBefore(QLabel* label, const QWidget* next) {
  const int space = next->x() - label->x();
  QFont font = label->font();
  while (QFontMetrics(font).horizontalAdvance(label->text()) > space && font.pixelSize() > 6) {
    font.setPixelSize(font.pixelSize() - 1);
  }
  label->setFont(font);
  label->adjustSize();
}

}  // namespace

FieldKind EntryKind(TEntry entry) {
  if (entry == TEntry::Integer) return FieldKind::Integer;
  return entry == TEntry::Decimal ? FieldKind::Decimal : FieldKind::Text;
}

EditorWidgets BuildEditorLayout(QMainWindow& window) {
  EditorWidgets widgets;
  widgets.actions_ = BuildEditorMenu(window);

  auto* client = new QWidget(&window);
  client->setObjectName(QStringLiteral("ClientArea"));
  client->setAutoFillBackground(true);
  window.setCentralWidget(client);
  const QColor window_colour = window.palette().color(QPalette::Window);

  QWidget* group = nullptr;
  QWidget* list = nullptr;
  for (const LayoutRow& row : kLayout) {
    QWidget* parent = row.place == Place::InGroup  ? group
                      : row.place == Place::InList ? list
                                                   : client;
    QWidget* widget = CreateWidget(row, parent, window_colour);
    widget->setObjectName(Latin1(row.name));
    if (row.letters != Letters::Inherit) widget->setFont(FontOf(row.letters));
    if (row.focus != Focus::Default) {
      widget->setFocusPolicy(row.focus == Focus::Tab ? Qt::StrongFocus : Qt::ClickFocus);
    }
    if (row.kind == Kind::Find) {
      // placed by its list
    } else if (row.geometry.isEmpty()) {
      widget->adjustSize();
      widget->move(row.geometry.topLeft());
    } else {
      widget->setGeometry(row.geometry);
    }
    switch (row.kind) {
      case Kind::FieldLabel:
        widgets.labels_[FieldIndex(row.field)] = static_cast<QLabel*>(widget);
        break;
      case Kind::Field:
        widgets.fields_[FieldIndex(row.field)] = static_cast<MaskedEdit*>(widget);
        break;
      case Kind::Choice:
        widgets.state_ = static_cast<TwoChoiceGroup*>(widget);
        break;
      case Kind::Button:
        widgets.buttons_[EditorWidgets::Index(row.command)] = static_cast<ShadowButton*>(widget);
        widgets.widgets_[EditorWidgets::Index(row.role)] = widget;
        break;
      default:
        widgets.widgets_[EditorWidgets::Index(row.role)] = widget;
        if (row.kind == Kind::Group) group = widget;
        if (row.kind == Kind::List) list = widget;
        break;
    }
  }

  for (const TFieldInfo& info : kFieldTable) {
    if (QLabel* label = widgets.labels_[FieldIndex(info.field)]) {
      FitBefore(label, widgets.fields_[FieldIndex(info.field)]);
    }
  }
  FitBefore(static_cast<QLabel*>(widgets.Widget(W::RecordCountLabel)), widgets.RecordCountBox());

  // Name, Description, then the group's fields; the record number is skipped.
  for (std::size_t i = 0; i + 1 < kTypedFieldsInCommitOrder.size(); ++i) {
    QWidget::setTabOrder(widgets.FieldWidget(kTypedFieldsInCommitOrder[i]),
                         widgets.FieldWidget(kTypedFieldsInCommitOrder[i + 1]));
  }
  return widgets;
}
