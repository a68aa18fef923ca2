#include "editor/write_recorder.h"

#include "datafiles/lo_document.h"
#include "datafiles/names_file.h"
#include "errors/app_error.h"

TWriteRecorder::TWriteRecorder(TLoDocument& document, TNamesFile& names, Notice notice)
    : document_(document),
      names_(names),
      journal_(backups_, notice),
      names_journal_([this] { return backups_.BeforeWriteTo(names_.Path()); }, notice) {}

void TWriteRecorder::Run(const std::function<void()>& command,
                         const std::function<void(TWriteStep&)>& describe, TStepFile file,
                         std::optional<TWriteStep> leading) {
  if (file == TStepFile::Names) {
    names_journal_.Start(names_.FileLength());
    names_.ObserveWrites(&names_journal_);
  } else {
    journal_.Start(document_.FileLength());
    document_.ObserveWrites(&journal_);
  }
  try {
    command();
  } catch (...) {
    // The writes made so far, and the one that failed, stay in the history;
    // the edits in `leading` are the fields' again, not the history's.
    Finish(describe, file);
    throw;
  }
  if (leading) Report(std::move(*leading));
  Finish(describe, file);
}

void TWriteRecorder::Finish(const std::function<void(TWriteStep&)>& describe, TStepFile file) {
  const bool names = file == TStepFile::Names;
  if (names) {
    names_.ObserveWrites(nullptr);
  } else {
    document_.ObserveWrites(nullptr);
  }
  TWriteStep step = names ? names_journal_.Take() : journal_.Take();
  if (!step.WritesFile()) return;
  step.file = file;
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
