#include "windows/editor_presenter.h"

#include <QAction>
#include <QLineEdit>
#include <QScrollBar>
#include <algorithm>

#include "editor/undo_commands.h"
#include "fields/column_list_box.h"
#include "fields/masked_edit.h"
#include "fields/two_choice_group.h"
#include "lettering/shadow_button.h"
#include "qt_convert.h"
#include "windows/editor_map.h"
#include "windows/editor_widgets.h"

namespace {

const QColor kUnchangedWhite(255, 255, 255);
const QColor kRed(255, 0, 0);

// The rows a list's find leaves, in list order.
QStringList RowList(const std::vector<std::string>& rows, const std::vector<int>& shown) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(shown.size()));
  for (int row : shown) list << BytesToQString(rows[static_cast<std::size_t>(row)]);
  return list;
}

// Where the group's records are among the rows shown.
QList<int> ShownPositions(const std::vector<int>& shown, const std::vector<int>& rows) {
  QList<int> positions;
  for (int row : rows) {
    const auto at = std::lower_bound(shown.begin(), shown.end(), row);
    if (at != shown.end() && *at == row) positions << static_cast<int>(at - shown.begin());
  }
  return positions;
}

}  // namespace

void EditorPresenter::Present(TViewMember member) {
  map_.Present(member);
  switch (member.aspect) {
    case TAspect::Text:
      if (MaskedEdit* field = widgets_.FieldWidget(member.field)) {
        field->setText(BytesToQString(view_.Text(member.field)));
      }
      break;
    case TAspect::Highlight: {
      const bool modified = view_.Highlight(member.field) == THighlight::Modified;
      if (member.field == TField::State) {
        // The labels' own colour (window text) when not modified.
        widgets_.StateGroup()->setChoiceTextColor(modified ? kRed : QColor());
      } else if (member.field != TField::RecordNo) {
        widgets_.FieldWidget(member.field)->setBackgroundColor(modified ? kRed : kUnchangedWhite);
      }
      break;
    }
    case TAspect::Choice:
      widgets_.StateGroup()->setChosen(view_.StateIndex());
      break;
    case TAspect::SaveEnabled:
      widgets_.Action(TCommand::Save)->setEnabled(view_.SaveEnabled());
      PresentHistory();  // unsaved edits are what Undo takes first
      break;
    case TAspect::AddRemoveEnabled:
      widgets_.Button(TCommand::AddObject)->setEnabled(view_.AddRemoveEnabled());
      widgets_.Button(TCommand::RemoveObject)->setEnabled(view_.AddRemoveEnabled());
      break;
    case TAspect::RecordCountText:
      widgets_.RecordCountBox()->setText(BytesToQString(view_.RecordCountText()));
      break;
    case TAspect::WindowCaption:
      window_.setWindowTitle(ToQString(view_.WindowCaption()));
      break;
    case TAspect::ContentsRows:
    case TAspect::ContentsFind:
      widgets_.ContentsList()->setRows(
          RowList(view_.ContentsRows(), view_.ShownRows(TList::Contents)));
      widgets_.ContentsList()->setSelectedRow(view_.ShownSelectedRow());
      [[fallthrough]];
    case TAspect::MapGroup:  // the map draws it too; the list highlights its rows
      widgets_.ContentsList()->setHighlightedRows(
          ShownPositions(view_.ShownRows(TList::Contents), view_.MapGroup()));
      break;
    case TAspect::SelectedRow:
      widgets_.ContentsList()->setSelectedRow(view_.ShownSelectedRow());
      break;
    case TAspect::CatalogueRows:
    case TAspect::CatalogueFind: {
      ColumnListBox* list = widgets_.CatalogueList();
      const QStringList rows = RowList(view_.CatalogueRows(), view_.ShownRows(TList::Catalogue));
      // A name written changes no row's place: the list stays where it was.
      const bool renamed = member.aspect == TAspect::CatalogueRows && rows.size() == list->rowCount();
      const int selected = list->selectedRow();
      const int scrolled = list->verticalScrollBar()->value();
      list->setRows(rows);
      if (renamed) {
        list->verticalScrollBar()->setValue(scrolled);
        list->setSelectedRow(selected);
      }
      break;
    }
    case TAspect::TypedText:
      PresentHistory();  // typing over edits the history showed ends Redo
      break;
    case TAspect::RecordValues:
    case TAspect::OpenFileChanged:
    case TAspect::ArrayPreview:
      break;  // the map presents these
  }
}

void EditorPresenter::PresentHistory() {
  QAction* undo = widgets_.Action(TCommand::Undo);
  QAction* redo = widgets_.Action(TCommand::Redo);
  undo->setText(history_.CanUndo() ? QStringLiteral("Undo ") + ToQString(history_.UndoCaption())
                                   : QStringLiteral("Undo"));
  redo->setText(history_.CanRedo() ? QStringLiteral("Redo ") + ToQString(history_.RedoCaption())
                                   : QStringLiteral("Redo"));
  undo->setEnabled(history_.CanUndo());
  redo->setEnabled(history_.CanRedo());
}

void EditorPresenter::PresentAll() {
  for (const TFieldInfo& info : kFieldTable) {
    Present({info.IsText() ? TAspect::Text : TAspect::Choice, info.field});
    Present({TAspect::Highlight, info.field});
  }
  for (TAspect aspect : {TAspect::SaveEnabled, TAspect::AddRemoveEnabled, TAspect::RecordCountText,
                         TAspect::WindowCaption, TAspect::ContentsRows, TAspect::SelectedRow,
                         TAspect::CatalogueRows}) {
    Present({aspect});
  }
  PresentHistory();
}
