#pragma once

#include <QObject>

#include "editor/record_editor.h"
#include "windows/desktop_host.h"

class TForm1;
class ruriVizid;

// The controller: never shown. It owns the shared editor routines (the record
// editor) and the desktop they run on; the editor window is given both.
class TForm3 : public QObject {
  Q_OBJECT

 public:
  TForm3(TForm1& startup_window, ruriVizid& settings, QObject* parent = nullptr);
  ~TForm3() override;

  RecordEditor& Editor() { return editor_; }
  DesktopHost& Desktop() { return desktop_; }

 private:
  DesktopHost desktop_;
  RecordEditor editor_;  // after desktop_: it keeps a reference to it
};
