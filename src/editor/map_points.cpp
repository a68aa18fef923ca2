#include "editor/map_points.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <span>

#include "datafiles/lo_document.h"
#include "datafiles/obj_catalogue.h"
#include "datafiles/record_fields.h"
#include "editor/editor_view.h"
#include "editor/list_rows.h"
#include "editor/number_text.h"

namespace {

// A tip must never fail: a signalling NaN, which FormatFixed2 refuses, reads "NAN".
std::string TipNumber(float value, char separator) {
  if (std::isnan(value)) return "NAN";
  return FormatFixed2(value, separator);
}

// The fields that place a marker; the selected record's follow their texts.
constexpr std::array kMarkerFields{TField::X, TField::Y, TField::R};

// The tip's two lines: the record with its catalogue key and name, then where
// it stands. Each value is named by its field's short name.
constexpr std::array kTipKeyFields{TField::Class, TField::Type};
constexpr std::array kTipPlaceFields{TField::X, TField::Y, TField::Z, TField::R};
const std::string kTipGap = "   ";

std::string TipValue(const TLoRecord& record, TField field, char separator) {
  const TFieldInfo& info = FieldInfo(field);
  if (info.number != nullptr) return TipNumber(record.*info.number, separator);
  return IntegerText(record.*info.byte);
}

std::string TipItems(const TLoRecord& record, std::span<const TField> fields, char separator) {
  std::string items;
  for (TField field : fields) {
    if (!items.empty()) items += kTipGap;
    items += std::string(FieldInfo(field).key) + " " + TipValue(record, field, separator);
  }
  return items;
}

// `shown` is the record as its marker stands.
std::string Tip(int index, const TLoRecord& shown, const std::string& name, char separator) {
  return std::string(FieldInfo(TField::RecordNo).key) + "# " + IntegerText(index) + kTipGap +
         TipItems(shown, kTipKeyFields, separator) + kTipGap + name + "\n" +
         TipItems(shown, kTipPlaceFields, separator);
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
    TLoRecord shown = record;
    if (i == view.SelectedRow()) {
      for (TField field : kMarkerFields) {
        float TLoRecord::*member = FieldInfo(field).number;
        shown.*member = Shown(view, field, record.*member, separator);
      }
    }
    points.push_back({shown.x, shown.y, shown.r, shown.object_class,
                      Tip(i, shown, ContentsRowName(catalogue, record), separator)});
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
