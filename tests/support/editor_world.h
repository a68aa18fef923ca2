#pragma once

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/editing_session.h"
#include "settings/profile_store.h"
#include "support/lo_files.h"
#include "support/scripted_host.h"

inline const std::vector<TestEntry> kWorldCatalogue = {
    {0, 0, "Marker"}, {1, 1, "Pine"}, {2, 2, "Rock"}};

// The editing session on real files in a scratch folder, driven through the
// functions the window's commands call. The desktop is scripted: the folder
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
  void Click(int row) { session.ClickRow(row); }
  void Type(TField field, const std::string& text) { session.TypeText(field, text); }
  void Save() { session.Records().CommitRecord(TCommitTarget::SelectedRow); }
  void Undo() { undo.Undo(); }
  void Redo() { undo.Redo(); }

  Bytes File() const { return ReadBytes(lo); }

  TempDir dir;
  std::filesystem::path lo = dir / "LoTest.dat";
  std::filesystem::path objdat = dir / "objdat";
  std::filesystem::path ini = dir / "config" / "zodaZa.INI";
  std::filesystem::path backups = dir / "share" / "rererarovi" / "backups";
  ruriVizid settings{ini};
  ScriptedHost host;
  TEditingSession session{settings, host};
  TEditorView& view = session.View();
  TUndoCommands& undo = session.Undo();
  const TUndoHistory& history = session.History();
};
