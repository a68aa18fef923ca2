#include "editor/write_recorder.h"

#include <algorithm>

#include "datafiles/lo_document.h"
#include "errors/app_error.h"

TWriteRecorder::TWriteRecorder(TLoDocument& document, Notice notice)
    : document_(document), notice_(std::move(notice)) {}

void TWriteRecorder::Run(const std::function<void()>& command,
                         const std::function<void(TWriteStep&)>& describe) {
  recording_.emplace();
  wrote_ = false;
  document_.ObserveWrites(this);
  try {
    command();
  } catch (...) {
    // The writes made so far, and the one that failed, stay in the history.
    Finish(describe);
    throw;
  }
  Finish(describe);
}

// Runs just before each write, after the bytes it replaces were read.
void TWriteRecorder::BeforeWrite(std::uint64_t offset, std::span<const std::uint8_t> before,
                                 std::span<const std::uint8_t> after) {
  TWriteStep& step = *recording_;
  wrote_ = true;
  if (step.writes.empty()) {
    if (std::optional<std::string> message = backups_.BeforeWrite()) notice_(*message);
    step.length_before = document_.FileLength();
    step.length_after = step.length_before;
  }
  step.Add(offset, before.data(), after.data(), before.size());
  step.length_after = std::max<std::uint64_t>(step.length_after, offset + after.size());
}

// Only after writes: a cut alone is no step.
void TWriteRecorder::BeforeShortening(std::uint64_t length) {
  if (recording_->WritesFile()) recording_->length_after = length;
}

void TWriteRecorder::Finish(const std::function<void(TWriteStep&)>& describe) {
  document_.ObserveWrites(nullptr);
  TWriteStep step = std::move(*recording_);
  recording_.reset();
  if (!step.WritesFile()) return;
  describe(step);
  Report(std::move(step));
}

void TWriteRecorder::Report(TWriteStep step) {
  if (listener_ != nullptr) listener_->StepMade(std::move(step));
}

void TWriteRecorder::Opened() {
  try {
    backups_.Opened(document_.Path(), document_.ReadFileBytes());
  } catch (const AppError& error) {
    // Opening goes on; the user hears why there is no copy at the first write.
    backups_.OpenedUnread(document_.Path(), error.what());
  }
  if (listener_ != nullptr) listener_->FileChanged();
}

void TWriteRecorder::Closed() {
  if (listener_ != nullptr) listener_->FileChanged();
}
