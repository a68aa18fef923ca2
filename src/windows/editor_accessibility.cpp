#include "windows/editor_accessibility.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "accessible_roles.h"
#include "fields/column_list_box.h"
#include "fields/masked_edit.h"
#include "fields/two_choice_group.h"
#include "map/map_view.h"
#include "windows/editor_widgets.h"

namespace {

// A label's text as it reads aloud: "Object X:" says "Object X".
QString Spoken(QString label) {
  if (label.endsWith(QLatin1Char(':'))) label.chop(1);
  return label.trimmed();
}

QString TitleOf(const EditorWidgets& widgets, TEditorWidget title) {
  return widgets.Widget(title)->property("text").toString();
}

void NameFindField(QWidget& window, const char* name, const QString& list_title) {
  if (auto* field = window.findChild<QLineEdit*>(QString::fromLatin1(name))) {
    field->setAccessibleName(QStringLiteral("Find in ") + list_title);
  }
}

}  // namespace

void NameForScreenReaders(QWidget& window, const EditorWidgets& widgets, MapView& map) {
  InstallAccessibleRoles();
  for (const TFieldInfo& info : kFieldTable) {
    if (MaskedEdit* field = widgets.FieldWidget(info.field)) {
      field->setAccessibleName(Spoken(QString::fromLatin1(info.label)));
    }
  }
  TwoChoiceGroup* state = widgets.StateGroup();
  state->setAccessibleName(state->caption());

  const QString contents = TitleOf(widgets, TEditorWidget::ContentsTitle);
  const QString catalogue = TitleOf(widgets, TEditorWidget::CatalogueTitle);
  widgets.ContentsList()->setAccessibleName(contents);
  widgets.CatalogueList()->setAccessibleName(catalogue);
  NameFindField(window, "LMDLB1Find", contents);
  NameFindField(window, "lb2Find", catalogue);

  const auto* count_label = static_cast<QLabel*>(widgets.Widget(TEditorWidget::RecordCountLabel));
  widgets.RecordCountBox()->setAccessibleName(Spoken(count_label->text()));
  // Its description follows the selected marker (see MapView).
  map.setAccessibleName(QStringLiteral("Lo file map"));
}

void NameForScreenReaders(QPlainTextEdit& warning) {
  InstallAccessibleRoles();
  // The words without the line breaks the box was laid out with.
  warning.setAccessibleName(warning.toPlainText().simplified());
}
