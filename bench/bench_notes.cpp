// The notes window with a 20 MB note: reading the file into the editor and
// saving it, against references measured in the same run (reading the same
// bytes from disk, building a plain document from the same text, inserting
// the same runs). Each case
// reports its peak memory above the memory in use before it started, and
// the note's size, as counters.

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "notes/notes_saving.h"
#include "platform/whole_file.h"
#include "rtf/plain_text.h"
#include "rtf/rich_or_plain.h"
#include "rtf/rtf_writer.h"
#include "windows/rererarovi4.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kNoteSize = 20u << 20;

// A note as word processors write it: paragraphs of about 90 characters
// with bold, italic, coloured and non-ASCII runs.
std::string FormattedNote() {
  std::string rtf =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Liberation Sans;}"
      "{\\f1\\fmodern\\fcharset0 Liberation Mono;}}\r\n"
      "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
      "\\viewkind4\\uc1\\pard\\f0\\fs20 ";
  for (int line = 0; rtf.size() < kNoteSize; ++line) {
    rtf += "Object " + std::to_string(line) + " placed near the {\\b bridge} at ";
    rtf += "{\\i caf\\'e9} {\\cf1 red} marker {\\f1\\fs18 X=12.50} \\u8364? costs {\\cf2 blue}";
    rtf += " and more plain words.\\par\r\n";
  }
  return rtf + "}";
}

// The costliest shape per byte: short lines of 8-bit text, one paragraph each.
std::string ShortLinesNote() {
  std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs16 ";
  while (rtf.size() < kNoteSize) rtf += "caf\\'e9 \\'e0\\par\r\n";
  return rtf + "}";
}

// A hostile note: a colour table of ten million empty entries (10 MB of ";")
// and one line of text.
std::string ColourFloodNote() {
  return "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;" + std::string(10'000'000, ';') +
         "}Flooded {\\cf1 colour} table\\par}";
}

// The note's text alone, for the plain-document reference.
std::string PlainNote() {
  std::string text;
  for (int line = 0; text.size() < kNoteSize; ++line) {
    text += "Object " + std::to_string(line) +
            " placed near the bridge at caf\xC3\xA9 red marker X=12.50 \xE2\x82\xAC costs blue"
            " and more plain words.\n";
  }
  return text;
}

long StatusKilobytes(const char* field) {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) return 0;
  char line[256];
  long value = 0;
  const std::size_t length = std::strlen(field);
  while (std::fgets(line, sizeof line, status) != nullptr) {
    if (std::strncmp(line, field, length) == 0) value = std::atol(line + length);
  }
  std::fclose(status);
  return value;
}

// Bytes the allocator has handed out and not had back: exact, where the
// kernel's resident-set figures below are counted in batches.
double HeapMegabytes() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd) / (1 << 20);
}

// Peak memory of one step: the kernel's high-water mark is reset first
// (writing 5 to clear_refs), then read back after the step.
class PeakMemory {
 public:
  PeakMemory() {
    malloc_trim(0);  // freed memory the allocator kept would hide the step's own
    if (std::FILE* clear = std::fopen("/proc/self/clear_refs", "w")) {
      std::fputs("5", clear);
      std::fclose(clear);
    }
    before_ = StatusKilobytes("VmRSS:");
    heap_before_ = HeapMegabytes();
  }
  double HeapMegabytesAdded() const { return HeapMegabytes() - heap_before_; }
  double MegabytesAbove() const {
    return static_cast<double>(StatusKilobytes("VmHWM:") - before_) / 1024.0;
  }

 private:
  long before_ = 0;
  double heap_before_ = 0;
};

struct NoteFile {
  fs::path path;
  std::size_t size = 0;
};

NoteFile WriteNote(const std::string& name, const std::string& bytes) {
  const fs::path path =
      fs::temp_directory_path() / ("bench_notes_" + std::to_string(getpid()) + "_" + name);
  std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
  return {path, bytes.size()};
}

const NoteFile& Formatted() {
  static const NoteFile note = WriteNote("formatted.rtf", FormattedNote());
  return note;
}
const NoteFile& ShortLines() {
  static const NoteFile note = WriteNote("short_lines.rtf", ShortLinesNote());
  return note;
}
const NoteFile& ColourFlood() {
  static const NoteFile note = WriteNote("colour_flood.rtf", ColourFloodNote());
  return note;
}
const NoteFile& Plain() {
  static const NoteFile note = WriteNote("plain.txt", PlainNote());
  return note;
}

void Report(benchmark::State& state, const NoteFile& note, double peak_megabytes) {
  state.counters["file_MB"] = static_cast<double>(note.size) / (1 << 20);
  state.counters["peak_MB"] = peak_megabytes;
  state.counters["peak_x_file"] = peak_megabytes * (1 << 20) / static_cast<double>(note.size);
}

// Reference: the bytes from disk, nothing more.
void BM_ReadBytesReference(benchmark::State& state) {
  const NoteFile& note = Formatted();
  double peak = 0;
  for (auto _ : state) {
    PeakMemory memory;
    std::string bytes = ReadWholeFile(note.path);
    benchmark::DoNotOptimize(bytes.data());
    peak = memory.MegabytesAbove();
  }
  Report(state, note, peak);
}

// Reference: Qt's own plain document from the same text.
void BM_PlainDocumentReference(benchmark::State& state) {
  const NoteFile& note = Plain();
  double peak = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto editor = std::make_unique<QTextEdit>();
    PeakMemory memory;
    state.ResumeTiming();
    const std::string bytes = ReadWholeFile(note.path);
    editor->document()->setPlainText(QString::fromUtf8(bytes.data(), qsizetype(bytes.size())));
    state.PauseTiming();
    peak = memory.MegabytesAbove();
    editor.reset();
    state.ResumeTiming();
  }
  Report(state, note, peak);
}

// Reference: the text document taking the formatted note's runs as they
// are, one insertion each, with nothing read or decoded: the least any
// reader handing runs to the document can cost.
void BM_InsertRunsReference(benchmark::State& state) {
  const NoteFile& note = Formatted();
  std::vector<std::pair<QString, QTextCharFormat>> runs;
  {
    QTextDocument read;
    const std::string bytes = ReadWholeFile(note.path);
    ReadRichOrPlainText(QByteArrayView(bytes.data(), qsizetype(bytes.size())), read);
    for (QTextBlock block = read.begin(); block.isValid(); block = block.next()) {
      for (auto it = block.begin(); !it.atEnd(); ++it) {
        runs.emplace_back(it.fragment().text(), it.fragment().charFormat());
      }
      if (block.next().isValid()) runs.back().first += QChar::ParagraphSeparator;
    }
  }
  for (auto _ : state) {
    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(false);
    QTextCursor cursor(document.get());
    cursor.beginEditBlock();
    for (const auto& [text, format] : runs) cursor.insertText(text, format);
    cursor.endEditBlock();
    state.PauseTiming();
    document.reset();
    state.ResumeTiming();
  }
  state.counters["runs"] = static_cast<double>(runs.size());
}

// What "Notes" does: the notes window reads the file into its editor, a
// large one in steps between user events. The longest time the program
// went without looking at its events is reported beside the total.
void ReadIntoEditor(benchmark::State& state, const NoteFile& note) {
  double peak = 0;
  double kept = 0;
  double longest_stall = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto form = std::make_unique<TForm4>(note.path);
    PeakMemory memory;
    state.ResumeTiming();
    QElapsedTimer stall;
    stall.start();
    form->ShowNotes();
    longest_stall = static_cast<double>(stall.nsecsElapsed()) / 1e6;
    while (form->IsReading()) {
      stall.restart();
      QCoreApplication::processEvents();
      longest_stall = std::max(longest_stall, static_cast<double>(stall.nsecsElapsed()) / 1e6);
    }
    state.PauseTiming();
    peak = memory.MegabytesAbove();
    kept = memory.HeapMegabytesAdded();
    form.reset();
    state.ResumeTiming();
  }
  Report(state, note, peak);
  state.counters["heap_kept_MB"] = kept;  // the document and the window
  state.counters["longest_stall_ms"] = longest_stall;
}

void BM_ReadFormattedNote(benchmark::State& state) { ReadIntoEditor(state, Formatted()); }
void BM_ReadShortLinesNote(benchmark::State& state) { ReadIntoEditor(state, ShortLines()); }
void BM_ReadPlainTextNote(benchmark::State& state) { ReadIntoEditor(state, Plain()); }

// What "Save" does: the whole document as RTF, written to the notes file.
void BM_SaveFormattedNote(benchmark::State& state) {
  const NoteFile& note = Formatted();
  QTextEdit editor;
  const std::string bytes = ReadWholeFile(note.path);
  ReadRichOrPlainText(QByteArrayView(bytes.data(), qsizetype(bytes.size())), *editor.document());
  const fs::path saved = note.path.string() + ".saved";
  double peak = 0;
  for (auto _ : state) {
    PeakMemory memory;
    const QByteArray rtf = DocumentToRtf(*editor.document());
    ReplaceWholeFile(saved, std::string_view(rtf.constData(), std::size_t(rtf.size())));
    peak = memory.MegabytesAbove();
  }
  Report(state, note, peak);
  fs::remove(saved);
}

// "Notes", then "Save" of the colour flood: the save's size and peak
// memory against the read's. A save more than twice the note's size fails.
void BM_SaveColourFloodNote(benchmark::State& state) {
  const NoteFile& note = ColourFlood();
  const fs::path saved = note.path.string() + ".saved";
  double read_peak = 0;
  double save_peak = 0;
  for (auto _ : state) {
    auto form = std::make_unique<TForm4>(note.path);
    PeakMemory read_memory;
    form->ShowNotes();
    while (form->IsReading()) QCoreApplication::processEvents();
    read_peak = read_memory.MegabytesAbove();
    PeakMemory save_memory;
    SaveNotes(*form->RichEdit1->document(), saved);
    save_peak = save_memory.MegabytesAbove();
  }
  const double saved_x_file =
      static_cast<double>(fs::file_size(saved)) / static_cast<double>(note.size);
  fs::remove(saved);
  Report(state, note, save_peak);
  state.counters["read_peak_MB"] = read_peak;
  state.counters["saved_x_file"] = saved_x_file;
  if (saved_x_file > 2) state.SkipWithError("the save is more than twice the note");
}

BENCHMARK(BM_ReadBytesReference)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PlainDocumentReference)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReadFormattedNote)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReadShortLinesNote)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReadPlainTextNote)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SaveFormattedNote)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SaveColourFloodNote)->Unit(benchmark::kMillisecond)->Iterations(3);
// Last: its million small strings leave the heap in pieces, which would
// count in the peaks of whatever ran after it.
BENCHMARK(BM_InsertRunsReference)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // A fixed threshold: large blocks always come from mmap and go back when freed.
  mallopt(M_MMAP_THRESHOLD, 1 << 20);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  for (const NoteFile* note : {&Formatted(), &ShortLines(), &Plain(), &ColourFlood()}) {
    fs::remove(note->path);
  }
  return 0;
}
