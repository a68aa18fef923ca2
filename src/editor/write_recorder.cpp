#include "editor/write_recorder.h"

#include "datafiles/lo_document.h"
#include "errors/app_error.h"

TWriteRecorder::TWriteRecorder(TLoDocument& document, Notice notice)
    : document_(document), journal_(backups_, std::move(notice)) {}

void TWriteRecorder::Run(const std::function<void()>& command,
                         const std::function<void(TWriteStep&)>& describe,
                         std::optional<TWriteStep> leading) {
  journal_.Start(document_.FileLength());
  document_.ObserveWrites(&journal_);
  try {
    command();
  } catch (...) {
    // The writes made so far, and the one that failed, stay in the history;
    // the edits in `leading` are the fields' again, not the history's.
    Finish(describe);
    throw;
  }
  if (leading) Report(std::move(*leading));
  Finish(describe);
}

void TWriteRecorder::Finish(const std::function<void(TWriteStep&)>& describe) {
  document_.ObserveWrites(nullptr);
  TWriteStep step = journal_.Take();
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
