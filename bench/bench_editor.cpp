// Editor logic over real files: opening a full Lo file with a full catalogue,
// committing one record, and rebuilding the contents rows.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "editor/list_rows.h"
#include "editor/record_editor.h"
#include "settings/folder_settings.h"
#include "settings/profile_store.h"

namespace {

namespace fs = std::filesystem;

void Put(std::vector<char>& bytes, std::size_t offset, const void* data, std::size_t size) {
  std::memcpy(bytes.data() + offset, data, size);
}

void Save(const fs::path& path, const std::vector<char>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// 256 records; half of them name a catalogue entry near its end, half none,
// so the name scans are long.
void WriteLoFile(const fs::path& path) {
  std::vector<char> bytes(100 + 20 * 256, 0);
  const std::int16_t count = 256;
  Put(bytes, 20, &count, 2);
  std::memcpy(bytes.data(), "Bench", 6);
  std::memcpy(bytes.data() + 26, "Full table", 11);
  for (int i = 0; i < 256; ++i) {
    char* record = bytes.data() + 100 + 20 * i;
    record[0] = static_cast<char>(i % 2 == 0 ? 200 + i % 50 : 255);
    record[1] = static_cast<char>(i % 2 == 0 ? 1 : 255);
    const float values[4] = {i * 1.25f, -i * 0.5f, 100.0f + i, 45.0f};
    std::memcpy(record + 3, values, sizeof values);
    record[19] = static_cast<char>(i);
  }
  Save(path, bytes);
}

// 512 entries: class i % 256, type i / 256, each with a name.
void WriteCatalogue(const fs::path& folder) {
  std::vector<char> catalogue(100 + 100 * 512, 0);
  std::vector<char> names(30 * 512, 0);
  const std::int16_t count = 512;
  Put(catalogue, 20, &count, 2);
  for (std::uint32_t i = 0; i < 512; ++i) {
    const std::uint32_t object_class = i % 256;
    const std::uint32_t type = i / 256;
    Put(catalogue, 100 + 100 * i, &object_class, 4);
    Put(catalogue, 104 + 100 * i, &type, 4);
    const std::string name = "Object " + std::to_string(i);
    Put(names, 30 * i, name.data(), name.size());
  }
  Save(folder / "objdat.dat", catalogue);
  Save(folder / "objdat.nam", names);
}

class FixedPrompt : public TFolderPrompt {
 public:
  bool Run() override { return true; }
};

class BenchHost : public TEditorHost {
 public:
  fs::path file;
  FixedPrompt lo_prompt;
  FixedPrompt objdat_prompt;
  std::optional<fs::path> RunOpenDialog(const TOpenDialogRequest&) override { return file; }
  TFolderPrompt& LoFolderPrompt() override { return lo_prompt; }
  TFolderPrompt& ObjdatFolderPrompt() override { return objdat_prompt; }
  void ShowInformation(const std::string&) override {}
  void HideStartupWindow() override {}
  void RequestEnd() override {}
  bool IsEditorVisible() const override { return true; }
};

struct Workspace {
  fs::path folder;
  Workspace() {
    std::string pattern = (fs::temp_directory_path() / "lo-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    folder = pattern;
    WriteLoFile(folder / "LoBench.dat");
    WriteCatalogue(folder);
  }
  ~Workspace() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
};

// One editor with the file open, as after "Open a Lo File".
struct OpenEditor {
  Workspace workspace;
  ruriVizid settings{workspace.folder / "zodaZa.INI"};
  BenchHost host;
  RecordEditor editor{settings, host};
  OpenEditor() {
    host.file = workspace.folder / "LoBench.dat";
    host.lo_prompt.SelectedFolder = workspace.folder.string();
    host.objdat_prompt.SelectedFolder = workspace.folder.string();
    editor.OpenLoFile();
  }
};

void BM_OpenLoFile(benchmark::State& state) {
  OpenEditor open;
  for (auto _ : state) open.editor.OpenLoFile();
  benchmark::DoNotOptimize(open.editor.View().ContentsRows().size());
}

void BM_CommitRecord(benchmark::State& state) {
  OpenEditor open;
  open.editor.View().SetSelectedRowFromUser(128);
  open.editor.ShowRecord();
  for (auto _ : state) open.editor.CommitRecord(TCommitTarget::SelectedRow);
}

void BM_RefreshContentsRows(benchmark::State& state) {
  OpenEditor open;
  TEditorView view;
  for (auto _ : state) {
    RefreshContentsRows(open.editor.Document(), open.editor.Catalogue(), view);
  }
  benchmark::DoNotOptimize(view.ContentsRows().data());
}

BENCHMARK(BM_OpenLoFile)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly();
BENCHMARK(BM_CommitRecord)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly();
BENCHMARK(BM_RefreshContentsRows)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();

}  // namespace
