#pragma once

#include <QDialog>
#include <optional>

#include "editor/group_edits.h"

class MaskedEdit;
class QPushButton;
class QRadioButton;
class TEditingSession;

// "Array...": how many copies of the group, and either the offsets from one
// copy to the next (ΔX, ΔY, ΔR) or a point the last copy lands on (typed,
// or clicked on the map after "Pick on Map"). It stays open beside the map,
// which previews the copies on every change; OK appends them.
class ArrayDialog : public QDialog {
  Q_OBJECT

 public:
  ArrayDialog(QWidget* parent, TEditingSession& session);
  // A click on the map while picking: the point the copies spread to.
  void PointPicked(double x, double y);
  // The map previews the copies of the group as it is now.
  void Preview();

 signals:
  // The next click on the map is wanted (true) or no longer (false).
  void pickingPoint(bool picking);

 protected:
  void done(int result) override;

 private:
  MaskedEdit* AddField(const char* name, const QString& caption, bool integer, int row);
  // The plan the fields describe; nothing while one does not read.
  std::optional<TArrayPlan> Plan() const;
  void Append();

  TEditingSession& session_;
  MaskedEdit* count_ = nullptr;
  MaskedEdit* dx_ = nullptr;
  MaskedEdit* dy_ = nullptr;
  MaskedEdit* dr_ = nullptr;
  MaskedEdit* to_x_ = nullptr;
  MaskedEdit* to_y_ = nullptr;
  QRadioButton* offsets_ = nullptr;
  QRadioButton* towards_ = nullptr;
  QPushButton* pick_ = nullptr;
};
