#pragma once

#include <QByteArrayView>
#include <algorithm>
#include <cstring>

#include "rtf/byte_source.h"

// Hands out at most `piece` bytes per read, so that pieces end anywhere: in
// a word, between a lead and a trail byte, inside a CR LF.
class TrickleSource : public ByteSource {
 public:
  TrickleSource(QByteArrayView bytes, qsizetype piece) : bytes_(bytes), piece_(piece) {}
  qsizetype read(char* buffer, qsizetype size) override {
    const qsizetype count = std::min({size, piece_, bytes_.size() - position_});
    std::memcpy(buffer, bytes_.data() + position_, static_cast<std::size_t>(count));
    position_ += count;
    return count;
  }
  void rewind() override { position_ = 0; }

 private:
  QByteArrayView bytes_;
  qsizetype piece_;
  qsizetype position_ = 0;
};
