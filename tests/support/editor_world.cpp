#include "support/editor_world.h"

EditorWorld::EditorWorld(const std::vector<TestEntry>& catalogue) {
  host.lo_prompt.answer = dir.path().string();
  host.objdat_prompt.answer = objdat.string();
  WriteCatalogue(objdat, catalogue);
}

EditorWorld::EditorWorld(int records) : EditorWorld(kWorldCatalogue) {
  StoreFolders();
  Open(NumberedRecords(records));
}

void EditorWorld::Open(const std::vector<TLoRecord>& records, const std::string& name,
                       const std::string& description) {
  WriteBytes(lo, LoFileBytes(name, description, records));
  OpenPath(lo);
}

void EditorWorld::OpenPath(const std::filesystem::path& path) {
  host.open_answers.push_back(path);
  session.Files().OpenLoFile();
}

void EditorWorld::StoreFolders() {
  std::filesystem::create_directories(ini.parent_path());
  WriteText(ini,
            "[settings]\nstartdir=" + dir.path().string() + "\nobjdir=" + objdat.string() + "\n");
}

void EditorWorld::SetUpBackups(std::time_t opened_at) {
  session.BackupRestore().Keeper().SetFolder(backups);
  session.BackupRestore().Keeper().SetClock([opened_at] { return opened_at; });
  Reopen();
}
