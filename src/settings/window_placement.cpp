#include "settings/window_placement.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "errors/app_error.h"
#include "settings/profile_store.h"

namespace {

const std::string kPlacementSection = "Common";
const std::string kKey = "Form6";
const std::string kFormatMarker = "200";
constexpr std::size_t kPlacementValueCount = 7;

// A field ends at each ","; a "," at the very end starts no further field.
std::vector<std::string> SplitFields(const std::string& value) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (start < value.size()) {
    const std::size_t comma = value.find(',', start);
    if (comma == std::string::npos) {
      fields.push_back(value.substr(start));
      break;
    }
    fields.push_back(value.substr(start, comma - start));
    start = comma + 1;
  }
  return fields;
}

// Signed 32-bit decimal: leading blanks and one sign allowed; an empty text,
// any other character or a value out of range is not a whole number.
int ToInteger(const std::string& text) {
  const ConvertError invalid("'" + text + "' is not a valid integer value");
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) throw invalid;
  std::int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') throw invalid;
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > std::int64_t{INT_MAX} + 1) throw invalid;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > INT_MAX) throw invalid;
  return static_cast<int>(value);
}

int Saturated(std::int64_t value) {
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

// Moves an edge that lies past the screen back onto it, keeping the size.
void ClampToScreen(int& low, int& high, int screen_extent) {
  if (screen_extent < high) {
    const std::int64_t size = std::llabs(std::int64_t{high} - low);
    low = Saturated(std::int64_t{screen_extent} - size);
    high = screen_extent;
  }
}

}  // namespace

void SaveEditorPlacement(ruriVizid& settings, const TWindowPlacement& placement) {
  const TWindowRect& r = placement.normal;
  std::string value = kFormatMarker;
  for (int number : {placement.flags, placement.show_state, r.left, r.top, r.right, r.bottom}) {
    value += ',' + std::to_string(number);
  }
  settings.WriteSetting(kPlacementSection, kKey, value);
  settings.DeleteSetting(kPlacementSection, kKey + "Color");
  settings.DeleteSetting(kPlacementSection, kKey + "Font");
}

TWindowPlacement RestoreEditorPlacement(const ruriVizid& settings, const TWindowPlacement& current,
                                        TScreenSize screen) {
  const std::vector<std::string> fields = SplitFields(settings.ReadSetting(kPlacementSection, kKey, ""));
  if (fields.size() != kPlacementValueCount || fields[0] != kFormatMarker) return current;

  TWindowPlacement placement = current;
  placement.flags = ToInteger(fields[1]);
  placement.show_state = ToInteger(fields[2]);
  TWindowRect& r = placement.normal;
  r.bottom = ToInteger(fields[6]);
  r.right = ToInteger(fields[5]);
  r.top = ToInteger(fields[4]);
  r.left = ToInteger(fields[3]);
  ClampToScreen(r.left, r.right, screen.width);
  ClampToScreen(r.top, r.bottom, screen.height);
  return placement;
}

TWindowPlacement OpeningPlacement(TWindowPlacement placement) {
  using P = TWindowPlacement;
  if (placement.show_state == P::kShowMinimized) {
    placement.show_state =
        (placement.flags & P::kRestoreToMaximized) ? P::kShowMaximized : P::kShowNormal;
  }
  return placement;
}
