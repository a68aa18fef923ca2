#include "editor/write_journal.h"

#include <algorithm>
#include <utility>

void TWriteJournal::Start(std::uint64_t length) {
  step_ = TWriteStep();
  step_.length_before = step_.length_after = length;
  wrote_ = false;
}

TWriteStep TWriteJournal::Take() { return std::exchange(step_, TWriteStep()); }

// Runs just before each write, after the bytes it replaces were read.
void TWriteJournal::BeforeWrite(std::uint64_t offset, std::span<const std::uint8_t> before,
                                std::span<const std::uint8_t> after) {
  if (!wrote_) {
    if (std::optional<std::string> message = backup_()) notice_(*message);
  }
  wrote_ = true;
  step_.Add(offset, before.data(), after.data(), before.size());
  step_.length_after = std::max<std::uint64_t>(step_.length_after, offset + after.size());
}

// Only after writes: a cut alone is no step.
void TWriteJournal::BeforeShortening(std::uint64_t length) {
  if (step_.WritesFile()) step_.length_after = length;
}
