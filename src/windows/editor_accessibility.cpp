#include "windows/editor_accessibility.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "accessible_roles.h"
#include "fields/column_list_box.h"
#include "fields/masked_edit.h"
#include "fields/two_choice_group.h"
#include "map/map_view.h"
#include "windows/editor_map.h"
#include "windows/rererarovi1.h"
#include "windows/rererarovi6.h"

namespace {

// A label's text as it reads aloud: "Object X:" says "Object X".
QString Spoken(QString label) {
  if (label.endsWith(QLatin1Char(':'))) label.chop(1);
  return label.trimmed();
}

QString TitleOf(const TForm6& window, TEditorWidget title) {
  return window.Widget(title)->property("text").toString();
}

void NameFindField(TForm6& window, const char* name, const QString& list_title) {
  if (auto* field = window.findChild<QLineEdit*>(QString::fromLatin1(name))) {
    field->setAccessibleName(QStringLiteral("Find in ") + list_title);
  }
}

}  // namespace

void NameForScreenReaders(TForm6& window) {
  InstallAccessibleRoles();
  for (const TFieldInfo& info : kFieldTable) {
    if (MaskedEdit* field = window.FieldWidget(info.field)) {
      field->setAccessibleName(Spoken(QString::fromLatin1(info.label)));
    }
  }
  TwoChoiceGroup* state = window.StateGroup();
  state->setAccessibleName(state->caption());

  const QString contents = TitleOf(window, TEditorWidget::ContentsTitle);
  const QString catalogue = TitleOf(window, TEditorWidget::CatalogueTitle);
  window.ContentsList()->setAccessibleName(contents);
  window.CatalogueList()->setAccessibleName(catalogue);
  NameFindField(window, "LMDLB1Find", contents);
  NameFindField(window, "lb2Find", catalogue);

  const auto* count_label = static_cast<QLabel*>(window.Widget(TEditorWidget::RecordCountLabel));
  window.RecordCountBox()->setAccessibleName(Spoken(count_label->text()));
  // Its description follows the selected marker (see MapView).
  window.Map()->View()->setAccessibleName(QStringLiteral("Lo file map"));
}

void NameForScreenReaders(TForm1& window) {
  InstallAccessibleRoles();
  // The words without the line breaks the box was laid out with.
  window.Memo1->setAccessibleName(window.Memo1->toPlainText().simplified());
}
