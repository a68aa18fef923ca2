#include "windows/set_for_group_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

#include "datafiles/obj_catalogue.h"
#include "editor/editing_session.h"
#include "editor/list_rows.h"
#include "fields/masked_edit.h"
#include "qt_convert.h"
#include "windows/editor_layout.h"

namespace {

constexpr TField kGroupFields[] = {TField::Class, TField::Type,    TField::Z,
                                   TField::R,     TField::Density, TField::State};

QString Caption(TField field) {
  QString label = QString::fromLatin1(FieldInfo(field).label);
  if (field == TField::State) return QStringLiteral("State:");
  return label;
}

}  // namespace

std::vector<std::pair<TField, std::string>> AskGroupFields(QWidget* parent,
                                                           const TEditingSession& session) {
  const TEditorView& view = session.View();
  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("SetForGroupDialog"));
  dialog.setWindowTitle(QStringLiteral("Set for Group"));
  auto* grid = new QGridLayout(&dialog);
  grid->addWidget(new QLabel(QStringLiteral("Checked fields are written into every record of the "
                                            "group; the others keep their values."),
                             &dialog),
                  0, 0, 1, 2);
  std::vector<std::pair<TField, QCheckBox*>> checks;
  std::vector<MaskedEdit*> edits(kFieldCount, nullptr);
  QComboBox* state = nullptr;
  int row = 1;
  for (TField field : kGroupFields) {
    const TFieldInfo& info = FieldInfo(field);
    auto* check = new QCheckBox(Caption(field), &dialog);
    check->setObjectName(QStringLiteral("Check") + QString::fromLatin1(info.key));
    QWidget* input = nullptr;
    if (field == TField::State) {
      state = new QComboBox(&dialog);
      state->addItems({QStringLiteral("State 0"), QStringLiteral("State 1")});
      state->setCurrentIndex(view.StateIndex() == 1 ? 1 : 0);
      QObject::connect(state, &QComboBox::activated, check, [check] { check->setChecked(true); });
      input = state;
    } else {
      auto* edit =
          new MaskedEdit(EntryKind(info.entry), static_cast<int>(info.max_length), &dialog);
      edit->setDecimalSeparator(QLatin1Char(view.DecimalSeparator()));
      edit->setText(BytesToQString(view.Text(field)));
      QObject::connect(edit, &QLineEdit::textEdited, check, [check] { check->setChecked(true); });
      edits[FieldIndex(field)] = edit;
      input = edit;
    }
    input->setObjectName(QStringLiteral("Group") + QString::fromLatin1(info.key));
    check->setAccessibleName(Caption(field));
    input->setAccessibleName(Caption(field).chopped(1));
    grid->addWidget(check, row, 0);
    grid->addWidget(input, row++, 1);
    checks.emplace_back(field, check);
  }
  // A catalogue entry: Class and Type take its low bytes, as a pick does.
  const TObjCatalogue& catalogue = session.Catalogue();
  auto* entries = new QComboBox(&dialog);
  entries->setObjectName(QStringLiteral("GroupCatalogue"));
  entries->setAccessibleName(QStringLiteral("Class and type from the catalogue"));
  entries->addItem(QStringLiteral("Class and type from the catalogue..."));
  for (int i = 0; i <= catalogue.ObjLastIndex && i < kObjCatalogueCapacity; ++i) {
    entries->addItem(BytesToQString(CatalogueRow(catalogue, i)));
  }
  QObject::connect(entries, &QComboBox::activated, &dialog, [&](int index) {
    if (index < 1) return;
    const TObjEntry& entry = catalogue.ObjEntryTable[static_cast<std::size_t>(index - 1)];
    edits[FieldIndex(TField::Class)]->setText(QString::number(entry.words[0] & 0xFF));
    edits[FieldIndex(TField::Type)]->setText(QString::number(entry.words[1] & 0xFF));
    for (auto& [field, check] : checks) {
      if (field == TField::Class || field == TField::Type) check->setChecked(true);
    }
  });
  grid->addWidget(entries, row++, 0, 1, 2);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  grid->addWidget(buttons, row, 0, 1, 2);

  std::vector<std::pair<TField, std::string>> texts;
  if (dialog.exec() != QDialog::Accepted) return texts;
  for (const auto& [field, check] : checks) {
    if (!check->isChecked()) continue;
    texts.emplace_back(field, field == TField::State
                                  ? std::to_string(state->currentIndex())
                                  : QStringToBytes(edits[FieldIndex(field)]->text()));
  }
  return texts;
}
