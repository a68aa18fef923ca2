#pragma once

#include <QObject>
#include <atomic>
#include <cstddef>
#include <functional>
#include <thread>

// Reads the files of the level set off the window's thread: `read(i)` runs
// on a thread of its own for i = 0 ... count-1, one file at a time, and the
// closure it returns runs on the window's thread as soon as that is free, so
// results grow while the reading goes on and the window keeps answering.
// The reading holds no widget and nothing the window changes: it gets its
// files and its catalogue as copies.
class LevelReader : public QObject {
  Q_OBJECT

 public:
  using Result = std::function<void()>;
  using Read = std::function<Result(std::size_t index)>;

  explicit LevelReader(QObject* parent = nullptr);
  ~LevelReader() override;

  // Stops a reading in progress, then starts this one; `done` runs on the
  // window's thread after the last result (not after a stop).
  void Start(std::size_t count, Read read, std::function<void()> done);
  // Stops the reading after the file it is at; no result of it arrives
  // afterwards.
  void Stop();
  bool Running() const { return running_; }

 private:
  std::thread thread_;
  std::atomic<bool> stop_{false};
  unsigned run_ = 0;  // results of an earlier run are dropped
  bool running_ = false;
};
