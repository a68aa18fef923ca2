#pragma once

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/record_editor.h"
#include "editor/undo_history.h"
#include "settings/profile_store.h"
#include "support/lo_files.h"
#include "support/scripted_host.h"

inline const std::vector<TestEntry> kWorldCatalogue = {
    {0, 0, "Marker"}, {1, 1, "Pine"}, {2, 2, "Rock"}};

// The record editor with its undo history on real files in a scratch folder,
// driven as the window drives it. The desktop is scripted: the folder
// prompts answer the folder itself (Lo files) and its "objdat" (the
// catalogue), the open dialog answers what Open queues. Tests, the fault
// sweeps and the benchmarks all use it.
class EditorWorld {
 public:
  explicit EditorWorld(const std::vector<TestEntry>& catalogue = kWorldCatalogue);
  // Both folders stored in the settings file already, and a file of
  // `records` numbered records open: opening writes no settings.
  explicit EditorWorld(int records);
  EditorWorld(const EditorWorld&) = delete;
  EditorWorld& operator=(const EditorWorld&) = delete;

  // Writes the Lo file and opens it through "Open a Lo File".
  void Open(const std::vector<TLoRecord>& records, const std::string& name = "Forest",
            const std::string& description = "North woods");
  // "Open a Lo File", choosing `path` (the Lo file when none is named).
  void OpenPath(const std::filesystem::path& path);
  void Reopen() { OpenPath(lo); }
  // Writes the folders into the settings file, as a later run finds them.
  void StoreFolders();
  // Backups go to `backups` from now on; the file is opened again as at
  // `opened_at`.
  void SetUpBackups(std::time_t opened_at = 1796655845);  // 2026-12-07 15:04:05 UTC

  // What the window does on the user's events.
  void Click(int row);
  void Type(TField field, const std::string& text);
  void Save() { editor.CommitRecord(TCommitTarget::SelectedRow); }
  void Undo() { history.Undo(); }
  void Redo() { history.Redo(); }

  Bytes File() const { return ReadBytes(lo); }

  TempDir dir;
  std::filesystem::path lo = dir / "LoTest.dat";
  std::filesystem::path objdat = dir / "objdat";
  std::filesystem::path ini = dir / "config" / "zodaZa.INI";
  std::filesystem::path backups = dir / "share" / "rererarovi" / "backups";
  ruriVizid settings{ini};
  ScriptedHost host;
  RecordEditor editor{settings, host};
  TEditorView& view = editor.View();
  TUndoHistory history{editor};
};
