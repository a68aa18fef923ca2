#include "windows/editor_widgets.h"

#include <QLineEdit>

#include "fields/column_list_box.h"
#include "fields/list_find_field.h"
#include "fields/masked_edit.h"

ColumnListBox* EditorWidgets::ContentsList() const {
  return static_cast<ColumnListBox*>(Widget(TEditorWidget::ContentsList));
}

ColumnListBox* EditorWidgets::CatalogueList() const {
  return static_cast<ColumnListBox*>(Widget(TEditorWidget::CatalogueList));
}

QLineEdit* EditorWidgets::RecordCountBox() const {
  return static_cast<QLineEdit*>(Widget(TEditorWidget::RecordCountBox));
}

ListFindField* EditorWidgets::FindField(TList list) const {
  return static_cast<ListFindField*>(
      Widget(list == TList::Contents ? TEditorWidget::ContentsFind : TEditorWidget::CatalogueFind));
}

bool EditorWidgets::FieldOf(const QWidget* widget, TField& field) const {
  for (const TFieldInfo& info : kFieldTable) {
    if (FieldWidget(info.field) != nullptr && FieldWidget(info.field) == widget) {
      field = info.field;
      return true;
    }
  }
  return false;
}
