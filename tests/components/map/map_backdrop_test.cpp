#include "map/map_backdrop.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <fstream>
#include <string>

#include "map/map_strip.h"
#include "map/map_view.h"
#include "support/picture_files.h"
#include "support/temp_dir.h"

namespace {

QString BackdropPath(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

struct BackdropFixture {
  TempDir dir;
  MapView map;
  MapStrip strip;
  BackdropFixture() {
    map.resize(465, 353);
    // Markers only in the far corners, away from the spots sampled.
    map.setPoints({{-100, -50, 0, 0, {}}, {100, 50, 0, 0, {}}});
    map.fit();
    strip.resize(465, 120);
    ConnectMapStrip(map, strip);
    map.show();
  }
  QColor At(double x, double y) {
    const QImage picture = map.grab().toImage();
    const ScreenPoint at = map.transform().ToScreen({x, y});
    return picture.pixelColor(qRound(at.x), qRound(at.y));
  }
};

TEST(MapBackdrop, LiesWhereItsEdgesSayAndMovesWithTheMap) {
  BackdropFixture f;
  const auto file = f.dir / "level.png";
  ASSERT_TRUE(Quadrants(800, 400).save(BackdropPath(file)));
  f.map.setBackdrop({BackdropPath(file), -100, -50, 100, 50, 100});
  EXPECT_TRUE(f.map.backdrop().Problem().isEmpty());
  EXPECT_TRUE(f.strip.problemLabel()->isHidden());

  struct Spot {
    double x, y;
    QColor colour;
  } spots[] = {{-60, 30, Qt::red},    {60, 30, Qt::green}, {-60, -30, Qt::blue},
               {60, -30, Qt::yellow}, {-3, 3, Qt::red},    {3, -3, Qt::yellow}};
  for (const Spot& spot : spots) {
    EXPECT_TRUE(Near(f.At(spot.x, spot.y), spot.colour))
        << spot.x << "," << spot.y << " is " << f.At(spot.x, spot.y).name().toStdString();
  }
  // Beyond its edges the map's own background shows.
  for (const Spot& outside : {Spot{-108, 20, {}}, Spot{25, 60, {}}}) {
    const QColor colour = f.At(outside.x, outside.y);
    EXPECT_LT(colour.green(), 60) << colour.name().toStdString();
  }
  // It is kept at the size the screen shows it, not at its own 800 x 400.
  const int shown = f.map.backdrop().Image().width();
  EXPECT_NEAR(shown, 200 * f.map.transform().Scale(), 2.0);
  EXPECT_NEAR(f.map.backdrop().Image().height(), 100 * f.map.transform().Scale(), 2.0);

  // Panning and zooming carry it along; zooming in reads it sharper.
  QTest::mousePress(&f.map, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseMove(&f.map, QPoint(25, 15));
  QTest::mouseMove(&f.map, QPoint(45, 25));
  QTest::mouseRelease(&f.map, Qt::LeftButton, {}, QPoint(45, 25));
  QTest::keyClick(&f.map, Qt::Key_Plus);
  for (const Spot& spot : spots) EXPECT_TRUE(Near(f.At(spot.x, spot.y), spot.colour)) << spot.x;
  EXPECT_GT(f.map.backdrop().Image().width(), shown);

  // Half opacity lets the background through; clearing drops it.
  f.map.setBackdrop({BackdropPath(file), -100, -50, 100, 50, 50});
  const QColor half = f.At(-60, 30);
  EXPECT_GT(half.red(), 100);
  EXPECT_LT(half.red(), 230);
  f.map.clearBackdrop();
  EXPECT_LT(f.At(-60, 30).red(), 140);
}

TEST(MapBackdrop, APictureThatCannotBeHadIsNamedWithItsReasonAndTheMapWorksOn) {
  BackdropFixture f;
  const auto bomb = f.dir / "bomb.png";
  WriteFile(bomb, PngClaiming(60000, 60000));
  const auto damaged = f.dir / "damaged.png";
  QByteArray bytes;
  {
    // Noise, so that the image data is most of the file.
    QImage image(64, 64, QImage::Format_RGB32);
    std::uint32_t seed = 1;
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 64; ++x) image.setPixel(x, y, seed = seed * 1664525u + 1013904223u);
    }
    ASSERT_TRUE(image.save(BackdropPath(f.dir / "whole.png")));
    QFile in(BackdropPath(f.dir / "whole.png"));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    bytes = in.readAll();
  }
  WriteFile(damaged, bytes.left(bytes.size() / 2));
  const auto text = f.dir / "notes.png";
  WriteFile(text, QByteArray("this is not a picture at all\n"));
  std::filesystem::create_directory(f.dir / "folder.png");

  // A 16-bit picture decodes at 8 bytes a pixel: within the limit at 4, not at 8.
  const auto deep = f.dir / "deep.png";
  WriteFile(deep, PngClaiming(6000, 6000, 16));
  const QString too_large = QString::fromUtf16(kBackdropTooLarge);
  struct Case {
    std::filesystem::path file;
    QString reason;
  } cases[] = {
      {f.dir / "gone.png", QString::fromUtf16(kBackdropMissing)},
      {f.dir / "folder.png", QString::fromUtf16(kBackdropNotReadable)},
      {text, QString::fromUtf16(kBackdropNotAPicture)},
      {damaged, QString::fromUtf16(kBackdropDamaged)},
      {bomb,
       too_large + QStringLiteral(
                       " (60000 x 60000 pixels at 4 bytes each: 13733 MB; the limit is 256 MB)")},
      {deep, too_large + QStringLiteral(
                             " (6000 x 6000 pixels at 8 bytes each: 275 MB; the limit is 256 MB)")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file.string());
    ResetPeak();
    const long before = PeakKilobytes();
    f.map.setBackdrop({BackdropPath(c.file), -100, -50, 100, 50, 60});
    f.map.grab();
    const QString& reason = c.reason;
    EXPECT_EQ(f.map.backdrop().Problem(), reason);
    EXPECT_TRUE(f.map.backdrop().Image().isNull());
    EXPECT_FALSE(f.strip.problemLabel()->isHidden());
    EXPECT_TRUE(f.strip.problemLabel()->text().contains(
        QString::fromStdString(c.file.filename().string())));
    EXPECT_TRUE(f.strip.problemLabel()->text().endsWith(reason))
        << f.strip.problemLabel()->text().toStdString();
    EXPECT_LT(PeakKilobytes() - before, 64 * 1024) << "memory stays bounded";
  }
  // The markers are still there and still react.
  EXPECT_EQ(f.map.points().size(), 2u);
  f.map.clearBackdrop();
  EXPECT_TRUE(f.strip.problemLabel()->isHidden());

  // The limit is ours, decided from the header: a picture just over it is
  // refused, one within it read.
  const auto small = f.dir / "small.png";
  ASSERT_TRUE(Quadrants(100, 100).save(BackdropPath(small)));
  EXPECT_TRUE(
      LoadBackdropPicture(BackdropPath(small), {}, 100 * 100 * 4 - 1).problem.startsWith(too_large));
  const BackdropPicture read = LoadBackdropPicture(BackdropPath(small), QSize(50, 80), 100 * 100 * 4);
  EXPECT_TRUE(read.problem.isEmpty());
  EXPECT_EQ(read.image.size(), QSize(50, 50)) << "fitted within, proportions kept";
  EXPECT_EQ(read.full_size, QSize(100, 100));
  const BackdropPicture stretched =
      LoadBackdropPicture(BackdropPath(small), QSize(50, 80), kBackdropByteLimit, BackdropFit::Exact);
  EXPECT_EQ(stretched.image.size(), QSize(50, 80));
}

}  // namespace
