#pragma once

#include <string>
#include <vector>

class TEditorView;
class TLoDocument;
class TObjCatalogue;

// What the map shows of one record: its position, direction (R, degrees) and
// class, and the text of its tool tip. X, Y and R may be NaN or infinite as
// stored; the map leaves such records undrawn.
struct TMapRecordPoint {
  double x = 0.0;
  double y = 0.0;
  double r = 0.0;
  int object_class = 0;
  std::string tip;  // file bytes (the object name) and ASCII
};

// One point per record 0 ... LastIndex. The selected record is placed where
// its X, Y and R fields say, for each text that reads as a number, so that
// typing moves its marker before the record is saved.
std::vector<TMapRecordPoint> MapRecordPoints(const TLoDocument& document,
                                             const TObjCatalogue& catalogue,
                                             const TEditorView& view, char separator);

// The name of a class alone: the name of the first catalogue entry of that
// class, whatever its type; empty when the catalogue has none.
std::string ClassOnlyName(const TObjCatalogue& catalogue, int object_class);

struct TMapLegendItem {
  int object_class = 0;
  std::string text;  // "12: Pine", or "12" when the catalogue has no name
};

// The classes of records 0 ... LastIndex, each once, in ascending order.
std::vector<TMapLegendItem> MapLegendItems(const TLoDocument& document,
                                           const TObjCatalogue& catalogue);
