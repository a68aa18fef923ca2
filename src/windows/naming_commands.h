#pragma once

#include <QObject>

class ColumnListBox;
class QAction;
class QWidget;
class TEditingSession;
class TEditorHost;

// The object data list's names: "Name This Object Kind..." (F2) edits the
// chosen entry's name in place and writes it on Enter; "Export Names..." and
// "Import Names..." carry the names as text. The three are the list's
// context menu; each runs through guarded().
class NamingCommands : public QObject {
  Q_OBJECT

 public:
  NamingCommands(QWidget& window, ColumnListBox& list, TEditingSession& session,
                 TEditorHost& host);

  // The names the context menu's items carry.
  static constexpr const char* kNameItem = "NameObjectKind1";
  static constexpr const char* kExportItem = "ExportNames1";
  static constexpr const char* kImportItem = "ImportNames1";

  void NameChosenKind();
  void ExportNames();
  void ImportNames();

 private:
  QAction* AddItem(const char* name, const QString& caption);
  void EditName(int position, int index, const QString& text);

  QWidget& window_;
  ColumnListBox& list_;
  TEditingSession& session_;
  TEditorHost& host_;
};
