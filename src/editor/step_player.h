#pragma once

#include "editor/write_step.h"

class TLoDocument;
class TNamesFile;

// Which way a step is taken: back (undo) or again (redo).
enum class TStepWay { Back, Again };

// Takes a step of the open Lo file (or of the names file) back or does it again, on the file and
// (through the document's writes) in its memory. It shows nothing.
class TStepPlayer {
 public:
  TStepPlayer(TLoDocument& document, TNamesFile& names) : document_(document), names_(names) {}

  // First checks that the path still names the opened file (as commands
  // do), then reads every byte the step wrote: when one holds neither the
  // step's old nor its new byte, or the file's length is neither of its
  // two, raises AppError naming the record or header text changed outside
  // the editor, having written nothing. Then writes the bytes back with one
  // positioned write per write of the step (taken back in reverse order),
  // leaving out writes whose bytes already hold their value and bytes the
  // file is about to lose, and cuts the file to the step's length last. So
  // a step that only shortens the file, or finds its bytes in place, needs
  // no new space. A failure stops at the failing write; the same call
  // completes it once the fault is gone.
  void Play(const TWriteStep& step, TStepWay way);

 private:
  template <typename File>
  void PlayOn(File& file, const TWriteStep& step, TStepWay way);

  TLoDocument& document_;
  TNamesFile& names_;
};
