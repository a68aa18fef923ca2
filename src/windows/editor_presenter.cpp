#include "windows/editor_presenter.h"

#include <QAction>
#include <QLineEdit>

#include "fields/column_list_box.h"
#include "fields/masked_edit.h"
#include "fields/two_choice_group.h"
#include "lettering/shadow_button.h"
#include "qt_convert.h"
#include "windows/editor_map.h"
#include "windows/editor_widgets.h"

namespace {

const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);

QStringList RowList(const std::vector<std::string>& rows) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(rows.size()));
  for (const std::string& row : rows) list << BytesToQString(row);
  return list;
}

}  // namespace

void EditorPresenter::Present(TViewMember member) {
  if (widgets_.map != nullptr) widgets_.map->Present(member);
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
        widgets_.FieldWidget(member.field)->setBackgroundColor(modified ? kRed : kWhite);
      }
      break;
    }
    case TAspect::Choice:
      widgets_.StateGroup()->setChosen(view_.StateIndex());
      break;
    case TAspect::SaveEnabled:
      widgets_.Action(TCommand::Save)->setEnabled(view_.SaveEnabled());
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
      widgets_.ContentsList()->setRows(RowList(view_.ContentsRows()));
      widgets_.ContentsList()->setSelectedRow(view_.SelectedRow());
      break;
    case TAspect::SelectedRow:
      widgets_.ContentsList()->setSelectedRow(view_.SelectedRow());
      break;
    case TAspect::CatalogueRows:
      widgets_.CatalogueList()->setRows(RowList(view_.CatalogueRows()));
      break;
  }
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
}
