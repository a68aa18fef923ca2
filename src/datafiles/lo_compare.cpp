#include "datafiles/lo_compare.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "datafiles/little_endian.h"
#include "datafiles/lo_document.h"
#include "datafiles/lo_file_bytes.h"

namespace {

// Each record as a small number, equal for identical records, so the
// match compares numbers rather than 20 bytes.
struct TRecordIds {
  std::vector<std::uint16_t> a;
  std::vector<std::uint16_t> b;
};

TRecordIds NumberRecords(std::span<const TRecordBytes> a, std::span<const TRecordBytes> b) {
  std::vector<const TRecordBytes*> all;
  for (const TRecordBytes& record : a) all.push_back(&record);
  for (const TRecordBytes& record : b) all.push_back(&record);
  std::vector<std::size_t> order(all.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(),
            [&all](std::size_t x, std::size_t y) { return *all[x] < *all[y]; });
  std::vector<std::uint16_t> ids(all.size(), 0);
  std::uint16_t id = 0;
  for (std::size_t k = 0; k < order.size(); ++k) {
    if (k > 0 && *all[order[k]] != *all[order[k - 1]]) ++id;
    ids[order[k]] = id;
  }
  return {
      std::vector<std::uint16_t>(ids.begin(), ids.begin() + static_cast<std::ptrdiff_t>(a.size())),
      std::vector<std::uint16_t>(ids.begin() + static_cast<std::ptrdiff_t>(a.size()), ids.end())};
}

void Pair(TRecordMatch& match, std::size_t i, std::size_t j) {
  match.b_of_a[i] = static_cast<int>(j);
  match.a_of_b[j] = static_cast<int>(i);
}

// The longest common subsequence of identical records, as matched pairs,
// found from the pairs of identical records alone (Hunt and Szymanski):
// files that share most records in another order cost no full table.
void MatchInOrder(const TRecordIds& ids, TRecordMatch& match) {
  std::vector<std::vector<std::size_t>> places_in_b(ids.a.size() + ids.b.size());
  for (std::size_t j = ids.b.size(); j-- > 0;) places_in_b[ids.b[j]].push_back(j);  // descending
  struct TLink {
    std::size_t i;
    std::size_t j;
    int before;  // the link it extends; -1 for none
  };
  std::vector<TLink> links;
  std::vector<std::size_t> end_j;  // [k]: the smallest j a common run of k + 1 ends at
  std::vector<int> end_link;
  for (std::size_t i = 0; i < ids.a.size(); ++i) {
    for (std::size_t j : places_in_b[ids.a[i]]) {
      const auto k =
          static_cast<std::size_t>(std::lower_bound(end_j.begin(), end_j.end(), j) - end_j.begin());
      links.push_back({i, j, k > 0 ? end_link[k - 1] : -1});
      const int link = static_cast<int>(links.size() - 1);
      if (k == end_j.size()) {
        end_j.push_back(j);
        end_link.push_back(link);
      } else {
        end_j[k] = j;
        end_link[k] = link;
      }
    }
  }
  for (int link = end_link.empty() ? -1 : end_link.back(); link >= 0;) {
    const TLink& at = links[static_cast<std::size_t>(link)];
    Pair(match, at.i, at.j);
    link = at.before;
  }
}

// Identical records the ordered match left, moved in the list: each of B's
// takes the first unmatched identical record of A.
void MatchMovedInList(const TRecordIds& ids, TRecordMatch& match) {
  std::vector<std::vector<std::size_t>> unmatched(ids.a.size() + ids.b.size());
  for (std::size_t i = ids.a.size(); i-- > 0;) {
    if (match.b_of_a[i] < 0) unmatched[ids.a[i]].push_back(i);
  }
  for (std::size_t j = 0; j < ids.b.size(); ++j) {
    std::vector<std::size_t>& same = unmatched[ids.b[j]];
    if (match.a_of_b[j] >= 0 || same.empty()) continue;
    Pair(match, same.back(), j);
    same.pop_back();
  }
}

double SquaredDistance(const TRecordBytes& a, const TRecordBytes& b) {
  const TLoRecord ra = UnpackRecord(a);
  const TLoRecord rb = UnpackRecord(b);
  const double dx = static_cast<double>(ra.x) - static_cast<double>(rb.x);
  const double dy = static_cast<double>(ra.y) - static_cast<double>(rb.y);
  const double distance = dx * dx + dy * dy;
  return std::isnan(distance) ? HUGE_VAL : distance;
}

// The records left of the same class and type, nearest pairs first (ties by
// the closer place in the list, then by A's order).
void MatchNearestOfKind(std::span<const TRecordBytes> a, std::span<const TRecordBytes> b,
                        TRecordMatch& match) {
  std::vector<std::size_t> left_in_b;
  for (std::size_t j = 0; j < b.size(); ++j) {
    if (match.a_of_b[j] < 0) left_in_b.push_back(j);
  }
  std::vector<std::tuple<double, int, int, int>> pairs;  // distance, list gap, i, j
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (match.b_of_a[i] >= 0) continue;
    for (std::size_t j : left_in_b) {
      if (a[i][0] != b[j][0] || a[i][1] != b[j][1]) continue;
      const int gap = static_cast<int>(i > j ? i - j : j - i);
      pairs.emplace_back(SquaredDistance(a[i], b[j]), gap, static_cast<int>(i),
                         static_cast<int>(j));
    }
  }
  std::sort(pairs.begin(), pairs.end());
  for (const auto& [distance, gap, i, j] : pairs) {
    if (match.b_of_a[static_cast<std::size_t>(i)] >= 0 ||
        match.a_of_b[static_cast<std::size_t>(j)] >= 0) {
      continue;
    }
    match.b_of_a[static_cast<std::size_t>(i)] = j;
    match.a_of_b[static_cast<std::size_t>(j)] = i;
  }
}

}  // namespace

static_assert(FieldInfo(TField::Class).offset == 0 && FieldInfo(TField::Type).offset == 1,
              "a record's kind is its first two bytes");

TLoFileParts SplitLoFile(std::span<const std::uint8_t> file) {
  const int count = ReadableCount(file);
  TLoFileParts parts;
  const auto copy = [&file](std::uint64_t offset, auto& into) {
    std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(offset), into.size(), into.begin());
  };
  copy(FieldInfo(TField::Name).offset, parts.name);
  copy(kReservedOffset, parts.reserved);
  copy(FieldInfo(TField::Description).offset, parts.description);
  for (int i = 0; i < count; ++i) parts.records.push_back(RecordBytesAt(file, i));
  parts.after.assign(file.begin() + static_cast<std::ptrdiff_t>(LengthForCount(count)), file.end());
  return parts;
}

std::vector<std::uint8_t> JoinLoFile(const TLoFileParts& parts) {
  std::vector<std::uint8_t> file(LengthForCount(static_cast<int>(parts.records.size())), 0);
  std::copy(parts.name.begin(), parts.name.end(), file.begin());
  little_endian::StoreU16(file.data() + kCountOffset,
                          static_cast<std::uint16_t>(parts.records.size()));
  std::copy(parts.reserved.begin(), parts.reserved.end(), file.begin() + kReservedOffset);
  std::copy(parts.description.begin(), parts.description.end(),
            file.begin() + static_cast<std::ptrdiff_t>(FieldInfo(TField::Description).offset));
  for (std::size_t i = 0; i < parts.records.size(); ++i) {
    std::copy(parts.records[i].begin(), parts.records[i].end(),
              file.begin() + static_cast<std::ptrdiff_t>(RecordOffset(static_cast<int>(i))));
  }
  file.insert(file.end(), parts.after.begin(), parts.after.end());
  return file;
}

std::span<const std::uint8_t> HeaderPartBytes(const TLoFileParts& parts, THeaderPart part) {
  switch (part) {
    case THeaderPart::Name:
      return parts.name;
    case THeaderPart::Description:
      return parts.description;
    case THeaderPart::Reserved:
      return parts.reserved;
    case THeaderPart::After:
      break;
  }
  return parts.after;
}

const char* HeaderPartKey(THeaderPart part) {
  switch (part) {
    case THeaderPart::Name:
      return "Name";
    case THeaderPart::Description:
      return "Description";
    case THeaderPart::Reserved:
      return "Reserved";
    case THeaderPart::After:
      break;
  }
  return "After";
}

TRecordMatch MatchRecords(std::span<const TRecordBytes> a, std::span<const TRecordBytes> b) {
  TRecordMatch match{std::vector<int>(a.size(), -1), std::vector<int>(b.size(), -1)};
  const TRecordIds ids = NumberRecords(a, b);
  MatchInOrder(ids, match);
  MatchMovedInList(ids, match);
  MatchNearestOfKind(a, b, match);
  return match;
}

std::span<const std::uint8_t> FieldBytes(const TRecordBytes& record, TField field) {
  const TFieldInfo& info = FieldInfo(field);
  return std::span<const std::uint8_t>(record).subspan(info.offset, info.width);
}

std::vector<TField> DifferingFields(const TRecordBytes& a, const TRecordBytes& b) {
  std::vector<TField> fields;
  for (TField field : kRecordFields) {
    if (!std::ranges::equal(FieldBytes(a, field), FieldBytes(b, field))) fields.push_back(field);
  }
  return fields;
}

std::vector<TLoDifference> CompareLoFiles(const TLoFileParts& a, const TLoFileParts& b) {
  std::vector<TLoDifference> differences;
  for (THeaderPart part : kHeaderParts) {
    if (!std::ranges::equal(HeaderPartBytes(a, part), HeaderPartBytes(b, part))) {
      differences.push_back({TLoDifference::Kind::Header, part, -1, -1, {}});
    }
  }
  const TRecordMatch match = MatchRecords(a.records, b.records);
  int last_b = -1;
  for (int j : match.b_of_a) {
    if (j < 0) continue;
    if (j < last_b) {
      differences.push_back({TLoDifference::Kind::Order, {}, -1, -1, {}});
      break;
    }
    last_b = j;
  }
  for (std::size_t i = 0; i < a.records.size(); ++i) {
    const int j = match.b_of_a[i];
    if (j < 0) {
      differences.push_back({TLoDifference::Kind::Removed, {}, static_cast<int>(i), -1, {}});
      continue;
    }
    std::vector<TField> fields =
        DifferingFields(a.records[i], b.records[static_cast<std::size_t>(j)]);
    if (!fields.empty()) {
      differences.push_back(
          {TLoDifference::Kind::Changed, {}, static_cast<int>(i), j, std::move(fields)});
    }
  }
  for (std::size_t j = 0; j < b.records.size(); ++j) {
    if (match.a_of_b[j] < 0) {
      differences.push_back({TLoDifference::Kind::Added, {}, -1, static_cast<int>(j), {}});
    }
  }
  return differences;
}
