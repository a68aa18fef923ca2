#pragma once

#include <filesystem>
#include <string>

class TEditorHost;
class TEditorView;
class TNamesFile;
class TObjCatalogue;
class TWriteTransaction;

// Names of object kinds, written into objdat.nam by the user's commands
// only: a name typed on the object data list, or a text of names imported.
// Each is one step of the history through the write transaction (the names
// file copied to the backups folder before its first change); objdat.dat
// is only read.
class TObjectNaming {
 public:
  TObjectNaming(TEditorHost& host, TEditorView& view, const TObjCatalogue& catalogue,
                TNamesFile& names, TWriteTransaction& transaction)
      : host_(host), view_(view), catalogue_(catalogue), names_(names), transaction_(transaction) {}
  TObjectNaming(const TObjectNaming&) = delete;
  TObjectNaming& operator=(const TObjectNaming&) = delete;

  // The name of entry `index` as the user edits it (UTF-8).
  std::string NameOf(int index) const;
  // Writes `name` (UTF-8) into entry `index`'s slot: the text, a zero, zeros;
  // nothing when it is the name the entry has. A name a slot cannot hold is
  // refused (AppError) before anything is written. When the names file ends
  // before the slot, the user is asked first whether to add the missing
  // slots with "No Name Entered"; they go in the same step.
  void NameEntry(int index, const std::string& name);
  // "Export Names...": a line "class type name" per entry into `text_file`,
  // replaced in one step.
  void ExportNames(const std::filesystem::path& text_file);
  // "Import Names...": names the entries the lines of `text_file` place,
  // writing the whole names file in one step (when anything changes), then
  // tells the user how many names changed and which lines were not placed.
  void ImportNames(const std::filesystem::path& text_file);

 private:
  TEditorHost& host_;
  TEditorView& view_;
  const TObjCatalogue& catalogue_;
  TNamesFile& names_;
  TWriteTransaction& transaction_;
};
