#include "editor/map_points.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "datafiles/lo_document.h"
#include "datafiles/obj_catalogue.h"
#include "editor/editor_view.h"
#include "editor/list_rows.h"
#include "editor/number_text.h"

namespace {

// A tip must never fail: a signalling NaN, which FormatFixed2 refuses, reads "NAN".
std::string TipNumber(float value, char separator) {
  if (std::isnan(value)) return "NAN";
  return FormatFixed2(value, separator);
}

std::string Tip(int index, const TLoRecord& record, const std::string& name, float x, float y,
                float r, char separator) {
  return "Rec# " + IntegerText(index) + "   Class " + IntegerText(record.object_class) +
         "   Type " + IntegerText(record.object_type) + "   " + name + "\nX " +
         TipNumber(x, separator) + "   Y " + TipNumber(y, separator) + "   Z " +
         TipNumber(record.z, separator) + "   R " + TipNumber(r, separator);
}

// The value a field shows when its text reads as a number, else the stored one.
float Shown(const TEditorView& view, TField field, float stored, char separator) {
  const std::optional<float> typed = TryParseFloat(view.Text(field), separator);
  return typed ? *typed : stored;
}

}  // namespace

std::vector<TMapRecordPoint> MapRecordPoints(const TLoDocument& document,
                                             const TObjCatalogue& catalogue,
                                             const TEditorView& view, char separator) {
  std::vector<TMapRecordPoint> points;
  const int count = std::min<int>(document.LastIndex + 1, kLoRecordCapacity);
  for (int i = 0; i < count; ++i) {
    const TLoRecord& record = document.LoRecordTable[static_cast<std::size_t>(i)];
    float x = record.x;
    float y = record.y;
    float r = record.r;
    if (i == view.SelectedRow()) {
      x = Shown(view, TField::X, x, separator);
      y = Shown(view, TField::Y, y, separator);
      r = Shown(view, TField::R, r, separator);
    }
    points.push_back({x, y, r, record.object_class,
                      Tip(i, record, ContentsRowName(catalogue, record), x, y, r, separator)});
  }
  return points;
}

std::string ClassOnlyName(const TObjCatalogue& catalogue, int object_class) {
  for (int i = 0; i <= catalogue.ObjLastIndex && i < kObjCatalogueCapacity; ++i) {
    if (catalogue.ObjEntryTable[static_cast<std::size_t>(i)].words[0] ==
        static_cast<std::uint32_t>(object_class)) {
      return catalogue.NameText(i);
    }
  }
  return {};
}

std::vector<TMapLegendItem> MapLegendItems(const TLoDocument& document,
                                           const TObjCatalogue& catalogue) {
  std::array<bool, 256> present{};
  const int count = std::min<int>(document.LastIndex + 1, kLoRecordCapacity);
  for (int i = 0; i < count; ++i) {
    present[document.LoRecordTable[static_cast<std::size_t>(i)].object_class] = true;
  }
  std::vector<TMapLegendItem> items;
  for (int object_class = 0; object_class < 256; ++object_class) {
    if (!present[static_cast<std::size_t>(object_class)]) continue;
    const std::string name = ClassOnlyName(catalogue, object_class);
    items.push_back({object_class, name.empty() ? IntegerText(object_class)
                                                : IntegerText(object_class) + ": " + name});
  }
  return items;
}
