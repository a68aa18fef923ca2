#pragma once

#include <cstdint>
#include <string>

#include "datafiles/obj_catalogue.h"

class TLoDocument;
class TEditorView;
struct TLoRecord;

// Name shown for a record whose class and type no catalogue entry has.
inline const std::string kPlaceholderName = "Requires Object Data File";

// Four columns joined by ";" with no spaces: first;class;type;name.
std::string JoinRow(long long first, unsigned long long object_class, unsigned long long type,
                    const std::string& name);

// The contents row of record `index` with the given name.
std::string ContentsRow(int index, const TLoRecord& record, const std::string& name);
// The name a contents row shows: the first matching catalogue name, else the placeholder.
std::string ContentsRowName(const TObjCatalogue& catalogue, const TLoRecord& record);
// The object data row of catalogue entry `index`: index, word 0, word 1, name slot.
std::string CatalogueRow(const TObjCatalogue& catalogue, int index);

// One row per record 0 ... LastIndex, each named with the placeholder.
// Leaves no row selected.
void FillPlaceholderRows(const TLoDocument& document, TEditorView& view);
// One row per record 0 ... LastIndex, each named from the catalogue.
// Leaves no row selected.
void RefreshContentsRows(const TLoDocument& document, const TObjCatalogue& catalogue,
                         TEditorView& view);
// The object data list again, one row per entry the last load read (its
// names changed).
void ShowCatalogueNames(const TObjCatalogue& catalogue, TEditorView& view);
// Loads the catalogue from `folder` and shows its rows in the object data list
// in one update. A load that fails once it has reached the entries shows the
// rows read before the failure; one that fails before them leaves the list as
// it was. Raises what TObjCatalogue::Load raises.
void LoadCatalogueRows(TObjCatalogue& catalogue, const std::string& folder, TEditorView& view,
                       TObjCatalogue::Access access = TObjCatalogue::Access::ReadWrite);
