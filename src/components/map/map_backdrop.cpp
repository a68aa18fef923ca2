#include "map/map_backdrop.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
#include <cmath>

namespace {

// Qt's own limit applies to every picture the program reads; it is ours only
// while a backdrop is read.
class AllocationLimit {
 public:
  explicit AllocationLimit(qint64 bytes) : saved_(QImageReader::allocationLimit()) {
    QImageReader::setAllocationLimit(static_cast<int>(std::max<qint64>(1, bytes >> 20)));
  }
  ~AllocationLimit() { QImageReader::setAllocationLimit(saved_); }
  AllocationLimit(const AllocationLimit&) = delete;
  AllocationLimit& operator=(const AllocationLimit&) = delete;

 private:
  int saved_;
};

QString Reason(const char16_t* text) { return QString::fromUtf16(text); }

// "too large to decode (9000 x 9000 pixels at 8 bytes each: 618 MB; the limit is 256 MB)".
QString TooLarge(QSize size, qint64 pixel_bytes, qint64 byte_limit) {
  const auto megabytes = [](qint64 bytes) {
    return QString::number((bytes + (1 << 20) - 1) >> 20);
  };
  QString need;
  if (size.isValid() && pixel_bytes > 0) {
    need = QStringLiteral("%1 x %2 pixels at %3 bytes each: %4 MB; ")
               .arg(size.width())
               .arg(size.height())
               .arg(pixel_bytes)
               .arg(megabytes(qint64(size.width()) * size.height() * pixel_bytes));
  }
  return Reason(kBackdropTooLarge) + QStringLiteral(" (") + need + QStringLiteral("the limit is ") +
         megabytes(byte_limit) + QStringLiteral(" MB)");
}

QSize FitWithin(QSize size, QSize at_most, BackdropFit fit) {
  if (at_most.isEmpty() || (size.width() <= at_most.width() && size.height() <= at_most.height())) {
    return size;
  }
  if (fit == BackdropFit::Exact) return size.boundedTo(at_most);
  const double scale =
      std::min(double(at_most.width()) / size.width(), double(at_most.height()) / size.height());
  return QSize(std::max(1, int(std::lround(size.width() * scale))),
               std::max(1, int(std::lround(size.height() * scale))));
}

}  // namespace

BackdropPicture LoadBackdropPicture(const QString& file, QSize at_most, qint64 byte_limit,
                                    BackdropFit fit) {
  BackdropPicture result;
  const QFileInfo info(file);
  if (file.isEmpty() || !info.exists()) {
    result.problem = Reason(kBackdropMissing);
    return result;
  }
  QFile device(file);
  if (!info.isFile() || !device.open(QIODevice::ReadOnly)) {
    result.problem = Reason(kBackdropNotReadable);
    return result;
  }
  const AllocationLimit limit(byte_limit);
  QImageReader reader(&device);
  // Turning by the file's orientation tag would swap the size asked for.
  reader.setAutoTransform(false);
  if (!reader.canRead()) {
    result.problem = Reason(kBackdropNotAPicture);
    return result;
  }
  // The header's size decides before any pixel is allocated: a small file
  // may claim a picture of many gigabytes.
  const QSize size = reader.size();
  if (size.isValid()) {
    result.full_size = size;
    // At the depth it decodes to: a 16-bit picture takes 8 bytes a pixel.
    const int depth = QImage::toPixelFormat(reader.imageFormat()).bitsPerPixel();
    const qint64 pixel_bytes = std::max(4, depth / 8);
    if (size.isEmpty()) {
      result.problem = Reason(kBackdropDamaged);
      return result;
    }
    if (qint64(size.width()) * size.height() * pixel_bytes > byte_limit) {
      result.problem = TooLarge(size, pixel_bytes, byte_limit);
      return result;
    }
    const QSize scaled = FitWithin(size, at_most, fit);
    if (scaled != size) reader.setScaledSize(scaled);
  }
  QImage image = reader.read();
  if (image.isNull()) {
    const bool refused =
        reader.errorString().contains(QStringLiteral("limit"), Qt::CaseInsensitive);
    result.problem = refused ? TooLarge(size, 0, byte_limit) : Reason(kBackdropDamaged);
    return result;
  }
  if (!size.isValid()) {
    // Formats that do not tell their size first are read whole, then scaled.
    result.full_size = image.size();
    const QSize scaled = FitWithin(image.size(), at_most, fit);
    if (scaled != image.size()) {
      image = image.scaled(scaled, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
  }
  // Drawn many times: in the form the painter blends fastest.
  const QImage::Format format =
      image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
  if (image.format() != format) image.convertTo(format);
  result.image = std::move(image);
  return result;
}

void MapBackdrop::Set(const BackdropPlace& place, const MapTransform& transform) {
  Clear();
  set_ = true;
  place_ = place;
  place_.opacity = std::clamp(place.opacity, 0, 100);
  const double edges[] = {place.left, place.bottom, place.right, place.top};
  if (!std::all_of(std::begin(edges), std::end(edges), [](double v) { return std::isfinite(v); }) ||
      !(place.left < place.right) || !(place.bottom < place.top)) {
    problem_ = QStringLiteral("its edges make no rectangle");
    return;
  }
  Prepare(transform);
}

void MapBackdrop::Clear() {
  set_ = false;
  place_ = {};
  problem_.clear();
  image_ = QImage();
  full_size_ = QSize();
  asked_ = QSize();
}

QRectF MapBackdrop::ScreenRect(const MapTransform& transform) const {
  const ScreenPoint top_left = transform.ToScreen({place_.left, place_.top});
  const ScreenPoint bottom_right = transform.ToScreen({place_.right, place_.bottom});
  return QRectF(QPointF(top_left.x, top_left.y), QPointF(bottom_right.x, bottom_right.y));
}

// The picture's size on the screen, no larger than the picture itself.
QSize MapBackdrop::NeededSize(const MapTransform& transform) const {
  const QRectF on_screen = ScreenRect(transform);
  const double limit = 1 << 20;  // beyond any screen
  QSize needed(int(std::ceil(std::clamp(on_screen.width(), 1.0, limit))),
               int(std::ceil(std::clamp(on_screen.height(), 1.0, limit))));
  if (full_size_.isValid()) needed = needed.boundedTo(full_size_);
  return needed;
}

bool MapBackdrop::Prepare(const MapTransform& transform) {
  if (!set_ || !problem_.isEmpty()) return false;
  const QSize needed = NeededSize(transform);
  if (!image_.isNull()) {
    // A picture that gave less than was asked is as good as it gets: asking
    // again at every paint would only read it again.
    const bool enough = (image_.width() >= needed.width() && image_.height() >= needed.height()) ||
                        (asked_.width() >= needed.width() && asked_.height() >= needed.height());
    const bool far_too_large =
        qint64(image_.width()) * image_.height() > 4 * qint64(needed.width()) * needed.height();
    if (enough && !far_too_large) return true;
  }
  image_ = QImage();  // the old picture goes before the new one is read
  asked_ = needed;
  BackdropPicture picture =
      LoadBackdropPicture(place_.file, needed, kBackdropByteLimit, BackdropFit::Exact);
  full_size_ = picture.full_size;
  problem_ = picture.problem;
  image_ = std::move(picture.image);
  return problem_.isEmpty();
}
