#include "rtf/byte_source.h"

#include <algorithm>
#include <cstring>

namespace {

// Large enough that a 20 MB note takes a few dozen reads, small enough to
// be nothing beside the document.
constexpr qsizetype kPieceSize = 256 * 1024;

}  // namespace

qsizetype MemorySource::read(char* buffer, qsizetype size) {
  const qsizetype count = std::min(size, bytes_.size() - position_);
  if (count > 0) std::memcpy(buffer, bytes_.data() + position_, static_cast<std::size_t>(count));
  position_ += count;
  return count;
}

SourceBuffer::SourceBuffer(ByteSource& source) : source_(source) { bytes_.reserve(2 * kPieceSize); }

bool SourceBuffer::has(qsizetype count) {
  while (bytes_.size() - position_ < count) {
    if (!refill()) return false;
  }
  return true;
}

void SourceBuffer::skip(qsizetype count) {
  while (count > 0 && !atEnd()) {
    const qsizetype step = std::min(count, bytes_.size() - position_);
    position_ += step;
    count -= step;
  }
}

bool SourceBuffer::refill() {
  bytes_.remove(0, position_);
  position_ = 0;
  const qsizetype kept = bytes_.size();
  bytes_.resize(kept + kPieceSize);
  const qsizetype got = source_.read(bytes_.data() + kept, kPieceSize);
  bytes_.resize(kept + std::max<qsizetype>(got, 0));
  return got > 0;
}
