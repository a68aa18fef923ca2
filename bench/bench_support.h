#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "editor/editing_session.h"
#include "settings/folder_settings.h"
#include "support/editor_world.h"
#include "support/temp_dir.h"

// What the benchmarks share: a full Lo file, a full catalogue, and a desktop
// that answers every question at once.

// `count` records (at most 256); half of them name a catalogue entry near
// its end, half none, so the name scans are long.
void WriteBenchLoFile(const std::filesystem::path& path, int count = 256);
// objdat.dat and objdat.nam with 512 entries: class i % 256, type i / 256,
// each named "Object i".
void WriteBenchCatalogue(const std::filesystem::path& folder);

// A temporary folder holding LoBench.dat and the catalogue, removed at the end.
struct BenchWorkspace {
  BenchWorkspace();

  TempDir dir;
  std::filesystem::path folder = dir.path();
  std::filesystem::path LoFile() const { return folder / "LoBench.dat"; }
};

// A folder prompt the user always confirms.
class FixedPrompt : public TFolderPrompt {
 public:
  bool Run() override { return true; }
};

// The desktop of the editor logic without dialogs: the open dialog picks
// `file`, the folder prompts confirm, the editor window counts as shown.
class BenchHost : public TEditorHost {
 public:
  std::filesystem::path file;
  FixedPrompt lo_prompt;
  FixedPrompt objdat_prompt;
  std::optional<std::filesystem::path> RunOpenDialog(const TOpenDialogRequest&) override {
    return file;
  }
  TFolderPrompt& LoFolderPrompt() override { return lo_prompt; }
  TFolderPrompt& ObjdatFolderPrompt() override { return objdat_prompt; }
  void ShowInformation(const std::string&) override {}
  bool AskQuestion(const std::string&) override { return true; }
  void HideStartupWindow() override {}
  void RequestEnd() override {}
  bool IsEditorVisible() const override { return true; }
};

// The editor with its history on the full bench files, opened as after
// "Open a Lo File" (the tests' world, on bigger files).
struct BenchEditor : EditorWorld {
  BenchEditor();
  // A Save of `row` with X and the name changed.
  void SaveChanged(int row, int value);
};
