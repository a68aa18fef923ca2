#include "editor/level_catalogue.h"

#include "datafiles/obj_catalogue.h"
#include "editor/editing_session.h"
#include "settings/profile_store.h"

std::shared_ptr<const TObjCatalogue> LevelCatalogue(const TEditingSession& session,
                                                    const ruriVizid& settings) {
  if (!session.View().CatalogueRows().empty()) {
    return std::make_shared<const TObjCatalogue>(session.Catalogue());
  }
  try {
    const std::string folder = settings.ReadSetting("settings", "objdir", "");
    if (folder.empty()) return nullptr;
    auto stored = std::make_shared<TObjCatalogue>();
    stored->Load(folder, {}, TObjCatalogue::Access::ReadOnly);
    return stored;
  } catch (const std::exception&) {
    return nullptr;  // a catalogue that does not read checks nothing here
  }
}
