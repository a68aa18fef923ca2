#include "windows/level_reader.h"

#include <QMetaObject>

LevelReader::LevelReader(QObject* parent) : QObject(parent) {}

LevelReader::~LevelReader() { Stop(); }

void LevelReader::Start(std::size_t count, Read read, std::function<void()> done) {
  Stop();
  stop_ = false;
  running_ = true;
  const unsigned run = ++run_;
  // A result is taken only while its run is the current one.
  auto deliver = [this, run](Result result) {
    QMetaObject::invokeMethod(
        this,
        [this, run, result = std::move(result)] {
          if (run == run_ && running_) result();
        },
        Qt::QueuedConnection);
  };
  Result finish = [this, done = std::move(done)] {
    running_ = false;
    if (done) done();
  };
  thread_ = std::thread([this, count, read = std::move(read), finish, deliver] {
    for (std::size_t i = 0; i < count && !stop_; ++i) {
      try {
        deliver(read(i));
      } catch (const std::exception&) {
        // The core's readers report a file's failure in its result; only
        // memory running out lands here, and the other files still go on.
      }
    }
    if (!stop_) deliver(finish);
  });
}

void LevelReader::Stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  running_ = false;
}
