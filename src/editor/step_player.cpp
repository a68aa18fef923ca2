#include "editor/step_player.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <numeric>
#include <string>
#include <type_traits>
#include <vector>

#include "datafiles/lo_document.h"
#include "datafiles/names_file.h"
#include "errors/app_error.h"

namespace {

// What the user knows the byte at `offset` of the Lo file as.
std::string PartAt(const TLoDocument&, std::uint64_t offset) {
  if (offset >= kFirstRecordOffset) {
    return "Record " + std::to_string((offset - kFirstRecordOffset) / kRecordSize);
  }
  if (offset < kCountOffset) return "The Lo file name";
  if (offset < kCountOffset + kCountWidth) return "The record count";
  if (offset < FieldInfo(TField::Description).offset) return "The file header";
  return "The Lo file description";
}

std::string PartAt(const TNamesFile&, std::uint64_t offset) {
  return "The name of entry " + std::to_string(offset / kObjNameSize);
}

AppError ChangedOutside(const std::string& part, const std::filesystem::path& file, TStepWay way) {
  return AppError(part + " of " + file.filename().string() +
                  " was changed outside the editor; nothing was " +
                  (way == TStepWay::Back ? "undone" : "redone"));
}

// The bytes of the step's writes as the file holds them now (missing where
// it ends before them), kept up to date as the play writes.
using FileBytes = std::map<std::uint64_t, std::uint8_t>;

// Before anything is written: the bytes the step left are still there. A
// byte may hold the step's old or its new value (a step or a play stopped
// part-way leaves such a mix); bytes only one of the two lengths covers may
// be missing.
template <typename File>
FileBytes CheckStillThere(File& document, const TWriteStep& step, TStepWay way) {
  const std::filesystem::path& file = document.Path();
  const std::uint64_t shorter = std::min(step.length_before, step.length_after);
  const std::uint64_t longer = std::max(step.length_before, step.length_after);
  const std::uint64_t length = document.FileLength();
  if (length < shorter || length > longer) throw ChangedOutside("The length", file, way);
  FileBytes held;
  std::vector<std::uint8_t> now;
  for (const TStepWrite& write : step.writes) {
    now.resize(write.width);
    const std::size_t got = document.ReadBytes(write.offset, now.data(), write.width);
    for (std::size_t i = 0; i < write.width; ++i) {
      const std::uint64_t offset = write.offset + i;
      const bool known =
          i < got ? now[i] == step.before[write.at + i] || now[i] == step.after[write.at + i]
                  : offset >= shorter;
      if (!known) throw ChangedOutside(PartAt(document, offset), file, way);
      if (i < got) held[offset] = now[i];
    }
  }
  return held;
}

// Whether the file already holds `bytes` at `offset` up to `end`.
bool AlreadyHeld(const FileBytes& held, std::uint64_t offset, const std::uint8_t* bytes,
                 std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) {
    const auto at = held.find(offset + i);
    if (at == held.end() || at->second != bytes[i]) return false;
  }
  return true;
}

}  // namespace

// The names file is written the same way; a whole replacement is played
// as one again, so it is never left half written.
void TStepPlayer::Play(const TWriteStep& step, TStepWay way) {
  if (!step.WritesFile()) return;
  if (step.file == TStepFile::Names) return PlayOn(names_, step, way);
  PlayOn(document_, step, way);
}

template <typename File>
void TStepPlayer::PlayOn(File& document, const TWriteStep& step, TStepWay way) {
  const bool back = way == TStepWay::Back;
  document.CheckStillAtPath();
  FileBytes held = CheckStillThere(document, step, way);
  const std::vector<std::uint8_t>& bytes = back ? step.before : step.after;
  const std::uint64_t length = back ? step.length_before : step.length_after;
  if constexpr (std::is_same_v<File, TNamesFile>) {
    if (step.whole_file) {
      return document.ReplaceWhole(std::span(bytes).first(static_cast<std::size_t>(length)));
    }
  }
  std::vector<std::size_t> order(step.writes.size());
  std::iota(order.begin(), order.end(), 0);
  // Back goes through the writes in reverse: the count shrinks before the
  // records it named are taken away and grows only after they are in place.
  if (back) std::reverse(order.begin(), order.end());
  for (std::size_t index : order) {
    const TStepWrite& write = step.writes[index];
    // Bytes at or past the step's length are cut off below: never written.
    if (write.offset >= length) continue;
    const std::size_t width =
        static_cast<std::size_t>(std::min<std::uint64_t>(write.width, length - write.offset));
    const std::uint8_t* data = bytes.data() + write.at;
    if (AlreadyHeld(held, write.offset, data, width)) continue;
    document.WriteBytes(write.offset, {data, width});
    for (std::size_t i = 0; i < width; ++i) held[write.offset + i] = data[i];
  }
  if (document.FileLength() > length) document.ShortenTo(length);
  if constexpr (std::is_same_v<File, TLoDocument>) {
    // Memory takes the bytes found in place too.
    for (const TStepWrite& write : step.writes) {
      document.TakeFileBytes(write.offset, {bytes.data() + write.at, write.width});
    }
  } else {
    document.AgreeWithFile();
  }
}
