#include "editor/write_step.h"

void TWriteStep::Add(std::uint64_t offset, const std::uint8_t* old_bytes,
                     const std::uint8_t* new_bytes, std::size_t width) {
  writes.push_back({static_cast<std::uint32_t>(offset), static_cast<std::uint16_t>(width),
                    static_cast<std::uint32_t>(before.size())});
  before.insert(before.end(), old_bytes, old_bytes + width);
  after.insert(after.end(), new_bytes, new_bytes + width);
}

std::size_t TWriteStep::MemoryBytes() const {
  std::size_t bytes = sizeof *this + description.capacity() + before.capacity() + after.capacity() +
                      writes.capacity() * sizeof(TStepWrite) +
                      (group_before.capacity() + group_after.capacity()) * sizeof(int);
  if (edits) {
    bytes += sizeof *edits;
    for (const std::string& text : edits->texts) bytes += text.capacity();
  }
  return bytes;
}
