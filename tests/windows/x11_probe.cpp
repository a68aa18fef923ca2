#include "x11_probe.h"

#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QWidget>

namespace {

QString Run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(5000) || process.exitCode() != 0) return {};
  return QString::fromLocal8Bit(process.readAllStandardOutput());
}

QString WindowId(const QWidget& window) { return QString::number(window.winId()); }

// "Absolute upper-left X:  482" and the like, from xwininfo.
int InfoNumber(const QString& info, const char* label) {
  const QRegularExpression line(QString::fromLatin1(label) + QStringLiteral(":\\s*(-?\\d+)"));
  const QRegularExpressionMatch match = line.match(info);
  return match.hasMatch() ? match.captured(1).toInt() : 0;
}

}  // namespace

bool UnderWindowManager() {
  if (QGuiApplication::platformName() != QStringLiteral("xcb")) return false;
  return Run(QStringLiteral("xprop"),
             {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
      .contains(QStringLiteral("window id"));
}

QStringList PropertyValues(const QWidget& window, const char* property) {
  const QString out = Run(QStringLiteral("xprop"),
                          {QStringLiteral("-id"), WindowId(window), QString::fromLatin1(property)});
  const qsizetype equals = out.indexOf(QLatin1Char('='));
  const qsizetype hash = out.indexOf(QLatin1Char('#'));
  qsizetype start = equals >= 0 ? equals : hash;  // "WM_TRANSIENT_FOR(WINDOW): window id # 0x..."
  if (start < 0) return {};
  QStringList values;
  for (const QString& value : out.mid(start + 1).split(QLatin1Char(','))) {
    values << value.trimmed();
  }
  return values;
}

QRect MeasuredFrame(const QWidget& window) {
  const QStringList extents = PropertyValues(window, "_NET_FRAME_EXTENTS");
  if (extents.size() != 4) return {};
  const QString info = Run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), WindowId(window)});
  const QRect client(InfoNumber(info, "Absolute upper-left X"),
                     InfoNumber(info, "Absolute upper-left Y"), InfoNumber(info, "Width"),
                     InfoNumber(info, "Height"));
  // _NET_FRAME_EXTENTS lists left, right, top, bottom.
  return client.marginsAdded(
      QMargins(extents[0].toInt(), extents[2].toInt(), extents[1].toInt(), extents[3].toInt()));
}

bool WaitUntilFramed(const QWidget& window) {
  // Steady for a good while: on a busy machine the last move may still be
  // on its way through the server and the window manager.
  QRect last;
  int still = 0;
  for (int i = 0; i < 200 && still < 5; ++i) {
    QTest::qWait(40);
    const QRect now = MeasuredFrame(window);
    still = (!now.isNull() && now == last) ? still + 1 : 0;
    last = now;
  }
  return still >= 5;
}
