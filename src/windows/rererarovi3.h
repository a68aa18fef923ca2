#pragma once

#include <QObject>

#include "editor/editing_session.h"
#include "windows/desktop_host.h"

class TForm1;
class ruriVizid;

// The controller: never shown. It owns the editing session and the desktop
// it runs on; the editor window is given both.
class TForm3 : public QObject {
  Q_OBJECT

 public:
  TForm3(TForm1& startup_window, ruriVizid& settings, QObject* parent = nullptr);
  ~TForm3() override;

  TEditingSession& Session() { return session_; }
  DesktopHost& Desktop() { return desktop_; }

 private:
  DesktopHost desktop_;
  TEditingSession session_;  // after desktop_: it keeps a reference to it
};
