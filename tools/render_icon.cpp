// render_icon PICTURE OUTPUT_FOLDER SIZE...
//
// Writes the program icon as OUTPUT_FOLDER/<SIZE>x<SIZE>/rererarovi.png for
// each SIZE, from the one 32 x 32 picture. Sizes are whole multiples of the
// picture's size and every pixel becomes a square block, so the larger
// renderings stay as sharp as the original.

#include <QDir>
#include <QImage>
#include <QString>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fputs("usage: render_icon PICTURE OUTPUT_FOLDER SIZE...\n", stderr);
    return 2;
  }
  const QImage picture =
      QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_ARGB32);
  if (picture.isNull() || picture.width() != picture.height()) {
    std::fprintf(stderr, "render_icon: %s is not a square picture\n", argv[1]);
    return 1;
  }
  const QDir output(QString::fromLocal8Bit(argv[2]));
  for (int i = 3; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    if (size < picture.width() || size % picture.width() != 0) {
      std::fprintf(stderr, "render_icon: %s is not a multiple of %d\n", argv[i], picture.width());
      return 1;
    }
    const QString folder = QStringLiteral("%1x%1").arg(size);
    const QString file = output.filePath(folder + QStringLiteral("/rererarovi.png"));
    const QImage rendering =
        picture.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (!output.mkpath(folder) || !rendering.save(file, "PNG")) {
      std::fprintf(stderr, "render_icon: cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
