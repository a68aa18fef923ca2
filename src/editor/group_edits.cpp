// Many objects at once: the group by kind, fields set for it, rows of
// copies, align and spread, and the file check.

#include "editor/group_edits.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "datafiles/lo_document.h"
#include "editor/editor_host.h"
#include "editor/editor_view.h"
#include "editor/field_form.h"
#include "editor/number_text.h"
#include "editor/write_transaction.h"
#include "shared/map_geometry.h"

namespace {

const std::string kNotFinite = "A record of the group has no finite position on that axis";

float TLoRecord::*AxisMember(TAxis axis) {
  return axis == TAxis::X ? &TLoRecord::x : &TLoRecord::y;
}
TField AxisField(TAxis axis) { return axis == TAxis::X ? TField::X : TField::Y; }

}  // namespace

std::string ArrayTooLong(int copies, int members, int room) {
  return "A Lo file holds at most 256 records: there is room for " + IntegerText(room) +
         " more, so at most " + IntegerText(members > 0 ? room / members : 0) +
         " copies fit, not " + IntegerText(copies);
}

TGroupEdits::TGroupEdits(TEditorHost& host, TEditorView& view, const TLoDocument& document,
                         TFieldForm& form, TWriteTransaction& transaction)
    : host_(host), view_(view), document_(document), form_(form), transaction_(transaction) {}

void TGroupEdits::SelectAll() {
  if (!document_.IsOpen() || document_.LastIndex < 0) return;
  std::vector<int> all(static_cast<std::size_t>(document_.LastIndex) + 1);
  std::iota(all.begin(), all.end(), 0);
  const int shown = view_.SelectedRow();
  view_.SetMapGroup(std::move(all));
  if (shown < 0 || shown > document_.LastIndex) {
    view_.SetSelectedRow(0);
    form_.ShowRecord();
  }
}

void TGroupEdits::SelectSameKind() {
  const int shown = view_.SelectedRow();
  if (shown < 0 || shown > document_.LastIndex) {
    host_.ShowInformation(kNoItemSelected);
    return;
  }
  const TLoRecord& kind = document_.LoRecordTable[static_cast<std::size_t>(shown)];
  std::vector<int> same;
  for (int row = 0; row <= document_.LastIndex; ++row) {
    const TLoRecord& record = document_.LoRecordTable[static_cast<std::size_t>(row)];
    if (record.object_class == kind.object_class && record.object_type == kind.object_type) {
      same.push_back(row);
    }
  }
  view_.SetMapGroup(std::move(same));
}

std::vector<int> TGroupEdits::Members() const {
  std::vector<int> rows;
  for (int row : view_.MapGroup()) {
    if (row >= 0 && row <= document_.LastIndex) rows.push_back(row);
  }
  const int shown = view_.SelectedRow();
  if (rows.empty() && shown >= 0 && shown <= document_.LastIndex) rows.push_back(shown);
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

void TGroupEdits::SetForGroup(const std::vector<std::pair<TField, std::string>>& texts) {
  const std::vector<int> rows = Members();
  if (rows.empty()) {
    host_.ShowInformation(kNoItemSelected);
    return;
  }
  // Every text is read before anything is written.
  TLoRecord values;
  std::vector<TField> fields;
  for (const auto& [field, text] : texts) {
    const TFieldInfo& info = FieldInfo(field);
    if (!info.InRecord() || field == TField::X || field == TField::Y) continue;
    if (info.kind == TFieldKind::Float) {
      values.*info.number = ParseFloat(text, view_.DecimalSeparator());
    } else if (info.kind == TFieldKind::Choice) {
      values.*info.byte = ParseInteger(text) == 0 ? 0 : 1;
    } else {
      values.*info.byte = ParseByte(text);
    }
    fields.push_back(field);
  }
  if (fields.empty()) return;
  std::vector<std::pair<int, TLoRecord>> writes;
  for (int row : rows) writes.emplace_back(row, values);
  WriteFields(writes, fields, "Set for Group");
}

// Each record takes only `fields`, in one step; the fields then show the
// shown record as stored.
void TGroupEdits::WriteFields(const std::vector<std::pair<int, TLoRecord>>& values,
                              const std::vector<TField>& fields, const std::string& caption) {
  const int shown = view_.SelectedRow();
  transaction_.Run({TStepKind::GroupFields, caption, shown, shown}, [&](TLoDocument& document) {
    for (const auto& [row, record] : values) document.WriteRecordFields(row, record, fields);
  });
}

bool TGroupEdits::FitsFloat(double value) const {
  return std::isfinite(value) && std::abs(value) <= std::numeric_limits<float>::max();
}

std::vector<TLoRecord> TGroupEdits::ArrayCopies(const TArrayPlan& plan) const {
  std::vector<TLoRecord> copies;
  if (plan.count < 1 || plan.count > kLoRecordCapacity) return copies;
  const std::vector<int> rows = Members();
  const double step = view_.GridStep();
  for (int k = 1; k <= plan.count; ++k) {
    for (int row : rows) {
      TLoRecord copy = document_.LoRecordTable[static_cast<std::size_t>(row)];
      const double x = SnapToGrid(copy.x + k * plan.dx, step);
      const double y = SnapToGrid(copy.y + k * plan.dy, step);
      const double r = copy.r + k * plan.dr;
      if (!FitsFloat(x) || !FitsFloat(y) || !FitsFloat(r)) return {};
      copy.x = static_cast<float>(x);
      copy.y = static_cast<float>(y);
      copy.r = static_cast<float>(r);
      copies.push_back(copy);
    }
  }
  return copies;
}

TArrayPlan TGroupEdits::ArrayTowards(int count, double x, double y) const {
  std::vector<TTurnPoint> points;
  for (int row : Members()) {
    const TLoRecord& record = document_.LoRecordTable[static_cast<std::size_t>(row)];
    points.push_back({record.x, record.y, record.r});
  }
  if (points.empty() || count < 1) return {count, 0.0, 0.0, 0.0};
  const TTurnPoint from = TurnCentre(points);
  return {count, (x - from.x) / count, (y - from.y) / count, 0.0};
}

void TGroupEdits::Array(const TArrayPlan& plan) {
  const std::vector<int> rows = Members();
  view_.SetArrayPreview({});
  if (rows.empty()) {
    host_.ShowInformation(kNoItemSelected);
    return;
  }
  if (plan.count < 1) return;
  const int room = kLoRecordCapacity - (document_.LastIndex + 1);
  if (static_cast<long long>(plan.count) * static_cast<long long>(rows.size()) > room) {
    host_.ShowInformation(ArrayTooLong(plan.count, static_cast<int>(rows.size()), room));
    return;
  }
  const std::vector<TLoRecord> copies = ArrayCopies(plan);
  if (copies.empty()) {
    host_.ShowInformation("The copies would lie beyond the numbers a record holds");
    return;
  }
  // The group then holds the members and their copies.
  const int shown = view_.SelectedRow();
  std::vector<int> group = rows;
  for (std::size_t i = 0; i < copies.size(); ++i) {
    group.push_back(document_.LastIndex + 1 + static_cast<int>(i));
  }
  transaction_.Run({TStepKind::ArrayCopies, "Array of " + IntegerText(plan.count), shown, shown,
                    TFieldsAfter::StoredRecord, std::move(group)},
                   [&](TLoDocument& document) { document.AppendRecords(copies); });
}

void TGroupEdits::PreviewArray(const TArrayPlan& plan) { view_.SetArrayPreview(ArrayCopies(plan)); }

void TGroupEdits::EndPreview() { view_.SetArrayPreview({}); }

void TGroupEdits::Align(TAxis axis, TAlignTo to) {
  const std::vector<int> rows = Members();
  if (rows.size() < 2) return;
  float TLoRecord::*member = AxisMember(axis);
  double least = std::numeric_limits<double>::infinity();
  double greatest = -least;
  for (int row : rows) {
    const double value = document_.LoRecordTable[static_cast<std::size_t>(row)].*member;
    if (!std::isfinite(value)) return host_.ShowInformation(kNotFinite);
    least = std::min(least, value);
    greatest = std::max(greatest, value);
  }
  const double target = to == TAlignTo::Least      ? least
                        : to == TAlignTo::Greatest ? greatest
                                                   : least + (greatest - least) / 2.0;
  std::vector<std::pair<int, TLoRecord>> writes;
  for (int row : rows) {
    TLoRecord values;
    values.*member = static_cast<float>(target);
    writes.emplace_back(row, values);
  }
  WriteFields(writes, {AxisField(axis)}, std::string("Align ") + FieldInfo(AxisField(axis)).key);
}

void TGroupEdits::Spread(TAxis axis) {
  std::vector<int> rows = Members();
  if (rows.size() < 3) return;
  float TLoRecord::*member = AxisMember(axis);
  auto value = [&](int row) {
    return document_.LoRecordTable[static_cast<std::size_t>(row)].*member;
  };
  for (int row : rows) {
    if (!std::isfinite(value(row))) return host_.ShowInformation(kNotFinite);
  }
  std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) { return value(a) < value(b); });
  const double from = value(rows.front());
  const double span = double{value(rows.back())} - from;
  const double last = static_cast<double>(rows.size() - 1);
  std::vector<std::pair<int, TLoRecord>> writes;
  for (std::size_t i = 1; i + 1 < rows.size(); ++i) {
    TLoRecord values;
    values.*member = static_cast<float>(from + span * (static_cast<double>(i) / last));
    writes.emplace_back(rows[i], values);
  }
  WriteFields(writes, {AxisField(axis)}, std::string("Spread ") + FieldInfo(AxisField(axis)).key);
}
