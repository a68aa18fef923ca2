#pragma once

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

#include "map/map_transform.h"

// A picture laid under the map: loading it within a fixed memory limit, and
// keeping it decoded once at the resolution the screen needs.

// Decoding never holds more than this many bytes of picture (four bytes a
// pixel): 8192 x 8192 pixels.
inline constexpr qint64 kBackdropByteLimit = qint64(256) << 20;

struct BackdropPicture {
  QImage image;     // null when the picture could not be had
  QSize full_size;  // the picture's own size, when its header could be read
  QString problem;  // empty, or why there is no picture ("missing", ...)
};

// The reasons LoadBackdropPicture gives.
inline constexpr char16_t kBackdropMissing[] = u"missing";
inline constexpr char16_t kBackdropNotReadable[] = u"not readable";
inline constexpr char16_t kBackdropNotAPicture[] = u"not a picture";
// Followed by the picture's size and the limit in brackets.
inline constexpr char16_t kBackdropTooLarge[] = u"too large to decode";
inline constexpr char16_t kBackdropDamaged[] = u"damaged";

enum class BackdropFit {
  Within,  // scaled down to fit within the size, keeping its proportions
  Exact,   // scaled down to the size each way (a stretched backdrop is drawn so)
};

// Reads the picture `file` (any format Qt reads), scaled down to `at_most`
// as `fit` says (never enlarged; an empty `at_most` reads it whole). A
// picture whose full size would take more than `byte_limit` bytes is refused
// from its header alone, before anything is allocated.
BackdropPicture LoadBackdropPicture(const QString& file, QSize at_most,
                                    qint64 byte_limit = kBackdropByteLimit,
                                    BackdropFit fit = BackdropFit::Within);

// Where a backdrop lies: the world coordinates of its four edges.
struct BackdropPlace {
  QString file;
  double left = 0.0;
  double bottom = 0.0;
  double right = 0.0;
  double top = 0.0;
  int opacity = 60;  // percent
};

// The backdrop of one map: what it is, and its picture decoded at the size
// the view shows it (each way, up to the picture's own size), so that
// panning only copies it. It decodes again only when zooming in needs more
// pixels or zooming out leaves it four times too large.
class MapBackdrop {
 public:
  // Reads the picture for `transform` at once, so that a problem shows at once.
  void Set(const BackdropPlace& place, const MapTransform& transform);
  void Clear();

  bool IsSet() const { return set_; }
  const BackdropPlace& Place() const { return place_; }
  // Empty while the picture can be drawn.
  const QString& Problem() const { return problem_; }
  const QImage& Image() const { return image_; }
  // The picture's rectangle in widget pixels under `transform`.
  QRectF ScreenRect(const MapTransform& transform) const;
  // Decodes again when `transform` needs another resolution (false when it
  // cannot: the problem is then set).
  bool Prepare(const MapTransform& transform);

 private:
  QSize NeededSize(const MapTransform& transform) const;

  bool set_ = false;
  BackdropPlace place_;
  QString problem_;
  QImage image_;
  QSize full_size_;
  QSize asked_;  // the size the picture was last read for
};
