#pragma once

#include <vector>

#include "datafiles/lo_check.h"

class TLoDocument;
class TObjCatalogue;

// "Check File": the findings of the open file as it is on disk, with the
// catalogue when one is loaded. Raises InOutError when the file cannot be
// read.
std::vector<TLoFinding> CheckOpenFile(TLoDocument& document, const TObjCatalogue& catalogue);
