// The reference for start-up time and memory: a bare Qt Widgets window of
// the start-up window's size, built with the same compiler, flags and Qt.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Bare window"));
  window.resize(314, 192);
  window.show();
  return QApplication::exec();
}
