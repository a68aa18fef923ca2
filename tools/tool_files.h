#pragma once

#include <filesystem>
#include <string>

#include "datafiles/lo_compare.h"
#include "datafiles/obj_catalogue.h"

// What the command-line tools share when they read Lo files and catalogues.

// The catalogue loader creates objdat.nam when it is missing; a tool must
// not, so without a names file it loads nothing and returns false.
bool LoadCatalogueWithoutCreating(const std::string& folder, TObjCatalogue& catalogue);

// The whole Lo file, cut into its parts. Raises with the editor's messages
// (a missing file, a folder in its place, a damaged file).
TLoFileParts ReadLoFileParts(const std::filesystem::path& path);
