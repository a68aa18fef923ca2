#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>

#include "windows/editor_widgets.h"

class ArrayDialog;
class QDialog;
class QWidget;
class TEditingSession;

// The commands on many objects at once, from the menu and the map's context
// menu: selecting, "Set for Group...", "Array..." (its dialog stays open
// beside the map), align and spread, and "Check File" with its findings
// list, whose rows choose their record. Each runs through guarded().
class GroupCommands : public QObject {
  Q_OBJECT

 public:
  GroupCommands(QWidget& window, TEditingSession& session);

  // The commands this part runs, in menu order.
  static constexpr TCommand kCommands[] = {
      TCommand::SelectAllObjects, TCommand::SelectSameKind, TCommand::SetForGroup,
      TCommand::ArrayCopies,      TCommand::AlignXLeast,    TCommand::AlignXMiddle,
      TCommand::AlignXGreatest,   TCommand::AlignYLeast,    TCommand::AlignYMiddle,
      TCommand::AlignYGreatest,   TCommand::SpreadX,        TCommand::SpreadY,
      TCommand::CheckFile};
  static bool Runs(TCommand command);
  void Run(TCommand command);
  // A click on the map while the array dialog picks a point.
  void PointPicked(double x, double y);

 signals:
  // Whether the map's next click picks a point for the array dialog.
  void pickingPoint(bool picking);

 private:
  void OpenArrayDialog();
  QPoint BesideTheMap() const;
  void CheckFile();

  QWidget& window_;
  TEditingSession& session_;
  QPointer<ArrayDialog> array_;
  QPointer<QDialog> findings_;
};
