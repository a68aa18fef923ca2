#include "windows/rererarovi6.h"

#include <QCloseEvent>
#include <QCursor>
#include <QEvent>
#include <QLocale>
#include <QRadioButton>

#include "editor/editing_session.h"
#include "effects/outline_effect.h"
#include "fields/column_list_box.h"
#include "fields/masked_edit.h"
#include "fields/two_choice_group.h"
#include "map/map_strip.h"
#include "map/map_view.h"
#include "placement/placement_adapter.h"
#include "settings/window_placement.h"
#include "windows/comparison_window.h"
#include "windows/desktop_host.h"
#include "windows/editor_accessibility.h"
#include "windows/editor_commands.h"
#include "windows/editor_layout.h"
#include "windows/editor_map.h"
#include "windows/editor_presenter.h"
#include "windows/group_commands.h"
#include "windows/naming_commands.h"
#include "windows/guarded.h"
#include "windows/program_icon.h"
#include "windows/window_fonts.h"
#include "windows/workspace_commands.h"

namespace {

// Where the window opens when no placement is stored: its outer frame.
constexpr int kInitialLeft = 289;
constexpr int kInitialTop = 157;
constexpr int kInitialWidth = 807;
constexpr int kInitialHeight = 603;

constexpr int kOpeningEffectSteps = 40;

// The map's strip fills the frame's lower part, below the reserved area.
const QRect kMapStripArea(296, 421, 465, 120);

}  // namespace

TForm6::TForm6(TEditingSession& session, ruriVizid& settings, DesktopHost& desktop, TForm4* notes,
               QWidget* parent)
    : QMainWindow(parent), session_(session), settings_(settings) {
  setObjectName(QStringLiteral("Form6"));
  setWindowIcon(ProgramIcon());
  setFont(SansSerifFont(11));
  QPalette face = palette();
  face.setColor(QPalette::Window, face.color(QPalette::Button));
  setPalette(face);

  widgets_ = BuildEditorLayout(*this);
  map_ = new EditorMap(session_, Widget(TEditorWidget::Placeholder), kMapStripArea);
  // The record's group ends with its state choice; the map and its grid chooser come last.
  setTabOrder(FieldWidget(kTypedFieldsInCommitOrder.back()), StateGroup()->choiceButton(0));
  setTabOrder(StateGroup()->choiceButton(0), StateGroup()->choiceButton(1));
  setTabOrder(StateGroup()->choiceButton(1), map_->View());
  setTabOrder(map_->View(), map_->Strip()->findChild<QWidget*>(QStringLiteral("MapGridStep")));
  CatalogueList()->setRowDragEnabled(true);
  connect(CatalogueList(), &ColumnListBox::rowDropped, map_, &EditorMap::DropCatalogueRow);
  commands_ = new EditorCommands(*this, widgets_, session_, settings_, desktop, notes);
  // Objects travel from the map as from the contents list.
  MapView* map_view = map_->View();
  for (TCommand command : EditorCommands::kObjectCommands) map_view->addAction(Action(command));
  map_view->setPasteHereEnabled(commands_->PasteAvailable());
  connect(commands_, &EditorCommands::pasteAvailableChanged, map_view,
          &MapView::setPasteHereEnabled);
  connect(map_view, &MapView::pasteHereRequested, commands_, &EditorCommands::PasteHere);
  // Many objects at once: on the map's context menu, and its clicks for "Array...".
  QList<QAction*> group_actions;
  for (TCommand command : GroupCommands::kCommands) group_actions << Action(command);
  map_view->setContextActions(group_actions);
  connect(commands_->Group(), &GroupCommands::pickingPoint, map_view, &MapView::setPickingPoint);
  connect(map_view, &MapView::pointPicked, commands_->Group(), &GroupCommands::PointPicked);
  new NamingCommands(*this, *CatalogueList(), session_, desktop);  // the list's context menu
  comparison_ = new ComparisonWindow(session_, desktop, *map_view, this);
  commands_->SetComparison(comparison_);
  workspace_ = new WorkspaceCommands(*this, widgets_, session_, settings_, desktop);
  commands_->SetWorkspace(workspace_);
  presenter_ =
      std::make_unique<EditorPresenter>(*this, widgets_, session_.View(), *map_, session_.Undo());
  NameForScreenReaders(*this, widgets_, *map_view);

  desktop.SetEditorWindow(this);
  session_.View().SetListener([this](TViewMember member) {
    presenter_->Present(member);
    if (member.aspect == TAspect::OpenFileChanged) {
      comparison_->Update();
      workspace_->OpenFileChanged();
    }
    if (member.aspect == TAspect::CatalogueRows) workspace_->CatalogueChanged();
  });
  session_.Undo().SetChangeListener([this] {
    presenter_->PresentHistory();
    comparison_->Update();
  });
  ApplyLocaleSeparator();
  presenter_->PresentAll();

  ApplyWindowPlacement(*this, {0,
                               1,
                               {kInitialLeft, kInitialTop, kInitialLeft + kInitialWidth,
                                kInitialTop + kInitialHeight}});
}

TForm6::~TForm6() {
  // The end of the run, on every way out: the placement goes to the settings.
  guarded([this] { SavePlacement(); });
  session_.View().SetListener({});
  session_.Undo().SetChangeListener({});
}

void TForm6::ShowFromStartup() {
  show();
  workspace_->RestoreFromLastRun();
  if (!start_file_) return;
  const std::filesystem::path file = *start_file_;
  start_file_.reset();  // later opens go through the menu and its dialog
  commands_->OpenNamed(file);
}

void TForm6::closeEvent(QCloseEvent* event) {
  event->accept();  // the window hides at once; the program ends from the queue
  commands_->Close();
}

void TForm6::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LocaleChange) ApplyLocaleSeparator();
  QMainWindow::changeEvent(event);
}

// The session and the decimal fields take the locale's separator; one that
// is not a single ASCII character falls back to ".".
void TForm6::ApplyLocaleSeparator() {
  const QString point = QLocale().decimalPoint();
  const QChar separator = point.size() == 1 && point[0].unicode() < 0x80 ? point[0] : QChar(u'.');
  session_.View().SetDecimalSeparator(static_cast<char>(separator.unicode()));
  for (const TFieldInfo& info : kFieldTable) {
    if (MaskedEdit* field = FieldWidget(info.field)) field->setDecimalSeparator(separator);
  }
  map_->ApplyLocaleSeparator();
}

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
  const TWindowPlacement restored =
      OpeningPlacement(RestoreEditorPlacement(settings_, current, PrimaryScreen()));
  if (restored == current) return;  // nothing stored, or the same
  ApplyWindowPlacement(*this, restored);
}

void TForm6::SavePlacement() { SaveEditorPlacement(settings_, QueryWindowPlacement(*this)); }

void TForm6::PlayOpeningEffect() {
  if (!OutlineEffect::isAvailable()) return;
  const TWindowRect frame = QueryWindowPlacement(*this).normal;
  OutlineEffect::play(OpeningEffectOutlines(
      QCursor::pos(),
      QRect(frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top),
      kOpeningEffectSteps));
}
