#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "editor/record_editor.h"
#include "settings/profile_store.h"
#include "support/lo_files.h"
#include "support/scripted_host.h"

// The record editor on a scratch folder with a scripted desktop: the folder
// prompts answer the folder itself (Lo files) and its "objdat" (the
// catalogue). The helpers do what the window does on the user's events.
class EditorFixture : public ::testing::Test {
 protected:
  explicit EditorFixture(const std::vector<TestEntry>& catalogue) {
    host.lo_prompt.answer = dir.path().string();
    host.objdat_prompt.answer = (dir / "objdat").string();
    WriteCatalogue(dir / "objdat", catalogue);
  }

  void Open(const std::vector<TLoRecord>& records, const std::string& name = "Forest",
            const std::string& description = "North woods") {
    WriteBytes(lo_path, LoFileBytes(name, description, records));
    host.open_answers.push_back(lo_path);
    editor.OpenLoFile();
  }
  // The user chooses a row.
  void Click(int row) {
    view.SetSelectedRowFromUser(row);
    editor.ShowRecord();
  }
  // The user edits a field.
  void Type(TField field, const std::string& text) {
    view.SetTextFromUser(field, text);
    editor.MarkFieldModified(field);
  }
  void Save() { editor.CommitRecord(TCommitTarget::SelectedRow); }
  Bytes FileBytes() const { return ReadBytes(lo_path); }

  TempDir dir;
  ruriVizid settings{dir / "zodaZa.INI"};
  ScriptedHost host;
  RecordEditor editor{settings, host};
  TEditorView& view = editor.View();
  std::filesystem::path lo_path = dir / "LoTest.dat";
};
