#include "windows/rererarovi3.h"

TForm3::TForm3(TForm1& startup_window, ruriVizid& settings, QObject* parent)
    : QObject(parent), desktop_(startup_window), session_(settings, desktop_) {
  setObjectName(QStringLiteral("Form3"));
}

TForm3::~TForm3() = default;
