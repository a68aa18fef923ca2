#include "windows/array_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "editor/editing_session.h"
#include "editor/number_text.h"
#include "fields/masked_edit.h"
#include "qt_convert.h"
#include "windows/guarded.h"

ArrayDialog::ArrayDialog(QWidget* parent, TEditingSession& session)
    : QDialog(parent), session_(session) {
  setObjectName(QStringLiteral("ArrayDialog"));
  setWindowTitle(QStringLiteral("Array"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* grid = new QGridLayout(this);
  count_ = AddField("ArrayCount", QStringLiteral("Copies:"), true, 0);
  offsets_ = new QRadioButton(QStringLiteral("Each copy offset from the one before"), this);
  offsets_->setObjectName(QStringLiteral("ArrayByOffsets"));
  offsets_->setChecked(true);
  grid->addWidget(offsets_, 1, 0, 1, 2);
  dx_ = AddField("ArrayDX", QStringLiteral("\u0394X:"), false, 2);
  dy_ = AddField("ArrayDY", QStringLiteral("\u0394Y:"), false, 3);
  dr_ = AddField("ArrayDR", QStringLiteral("\u0394R:"), false, 4);
  towards_ = new QRadioButton(QStringLiteral("Spread evenly to a point"), this);
  towards_->setObjectName(QStringLiteral("ArrayTowards"));
  grid->addWidget(towards_, 5, 0, 1, 2);
  to_x_ = AddField("ArrayToX", QStringLiteral("To X:"), false, 6);
  to_y_ = AddField("ArrayToY", QStringLiteral("To Y:"), false, 7);
  pick_ = new QPushButton(QStringLiteral("Pick on Map"), this);
  pick_->setObjectName(QStringLiteral("ArrayPick"));
  pick_->setCheckable(true);
  grid->addWidget(pick_, 8, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  grid->addWidget(buttons, 9, 0, 1, 2);

  count_->setText(QStringLiteral("1"));
  for (MaskedEdit* field : {dx_, dy_, dr_, to_x_, to_y_}) {
    field->setText(BytesToQString(FormatFixed2(0.0f, session_.View().DecimalSeparator())));
  }
  connect(buttons, &QDialogButtonBox::accepted, this, &ArrayDialog::Append);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(offsets_, &QRadioButton::toggled, this, &ArrayDialog::Preview);
  connect(pick_, &QPushButton::toggled, this, [this](bool on) {
    if (on) towards_->setChecked(true);
    emit pickingPoint(on);
  });
  Preview();
}

MaskedEdit* ArrayDialog::AddField(const char* name, const QString& caption, bool integer, int row) {
  auto* label = new QLabel(caption, this);
  auto* field = new MaskedEdit(integer ? FieldKind::Integer : FieldKind::Decimal, 11, this);
  field->setObjectName(QString::fromLatin1(name));
  field->setDecimalSeparator(QLatin1Char(session_.View().DecimalSeparator()));
  field->setAccessibleName(caption.chopped(1));
  label->setBuddy(field);
  auto* grid = static_cast<QGridLayout*>(layout());
  grid->addWidget(label, row, 0);
  grid->addWidget(field, row, 1);
  connect(field, &QLineEdit::textChanged, this, &ArrayDialog::Preview);
  return field;
}

std::optional<TArrayPlan> ArrayDialog::Plan() const {
  const char separator = session_.View().DecimalSeparator();
  auto number = [separator](const MaskedEdit* field) {
    return TryParseFloat(QStringToBytes(field->text()), separator);
  };
  bool counted = false;
  const int count = count_->text().trimmed().toInt(&counted);
  if (!counted) return std::nullopt;
  if (towards_->isChecked()) {
    const std::optional<float> x = number(to_x_), y = number(to_y_);
    if (!x || !y) return std::nullopt;
    return session_.Group().ArrayTowards(count, *x, *y);
  }
  const std::optional<float> dx = number(dx_), dy = number(dy_), dr = number(dr_);
  if (!dx || !dy || !dr) return std::nullopt;
  return TArrayPlan{count, *dx, *dy, *dr};
}

void ArrayDialog::Preview() {
  const std::optional<TArrayPlan> plan = Plan();
  guarded([&] {
    if (plan) {
      session_.Group().PreviewArray(*plan);
    } else {
      session_.Group().EndPreview();
    }
  });
}

void ArrayDialog::PointPicked(double x, double y) {
  const char separator = session_.View().DecimalSeparator();
  to_x_->setText(BytesToQString(FormatFixed2(static_cast<float>(x), separator)));
  to_y_->setText(BytesToQString(FormatFixed2(static_cast<float>(y), separator)));
  towards_->setChecked(true);
  pick_->setChecked(false);
}

// A text that does not read says so as Save would; the dialog stays open.
void ArrayDialog::Append() {
  bool ran = false;
  guarded([&] {
    const char separator = session_.View().DecimalSeparator();
    const int count = ParseInteger(QStringToBytes(count_->text()));
    TArrayPlan plan;
    if (towards_->isChecked()) {
      plan =
          session_.Group().ArrayTowards(count, ParseFloat(QStringToBytes(to_x_->text()), separator),
                                        ParseFloat(QStringToBytes(to_y_->text()), separator));
    } else {
      plan = {count, ParseFloat(QStringToBytes(dx_->text()), separator),
              ParseFloat(QStringToBytes(dy_->text()), separator),
              ParseFloat(QStringToBytes(dr_->text()), separator)};
    }
    ran = true;  // whatever the command says, the dialog has done its job
    session_.Group().Array(plan);
  });
  if (ran) accept();
}

void ArrayDialog::done(int result) {
  pick_->setChecked(false);
  session_.Group().EndPreview();
  QDialog::done(result);
}
