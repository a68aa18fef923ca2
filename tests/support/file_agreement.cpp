#include "support/file_agreement.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "editor/editing_session.h"
#include "editor/number_text.h"
#include "support/editor_world.h"
#include "support/lo_files.h"

namespace {
int CountIn(const Bytes& file) { return static_cast<std::int16_t>(file[20] | file[21] << 8); }
}  // namespace

void ExpectCountAgreesWithFile(const TEditingSession& session) {
  const TLoDocument& document = session.Document();
  ASSERT_TRUE(document.IsOpen());
  const Bytes file = ReadBytes(document.Path());
  const int count = CountIn(file);
  ASSERT_GE(file.size(), 100u + 20u * static_cast<std::size_t>(count))
      << "the count names a record the file lacks";
  EXPECT_EQ(document.LastIndex + 1, count);
  EXPECT_EQ(static_cast<int>(session.View().ContentsRows().size()), count);
  EXPECT_EQ(session.View().RecordCountText(), IntegerText(count));
}

void ExpectAgreesWithFile(const TEditingSession& session) {
  ExpectCountAgreesWithFile(session);
  if (::testing::Test::HasFatalFailure()) return;
  const TLoDocument& document = session.Document();
  const Bytes file = ReadBytes(document.Path());
  const int count = CountIn(file);
  EXPECT_EQ(Bytes(document.header.name.begin(), document.header.name.end()), Slice(file, 0, 20));
  EXPECT_EQ(Bytes(document.header.description.begin(), document.header.description.begin() + 74),
            Slice(file, 26, 74));
  for (int i = 0; i < count; ++i) {
    ASSERT_EQ(RecordBytes(document.LoRecordTable[static_cast<std::size_t>(i)]),
              Slice(file, 100 + 20 * static_cast<std::size_t>(i), 20))
        << "record " << i;
  }
  const int row = session.View().SelectedRow();
  if (row < 0 && !session.View().SaveEnabled()) {
    // None chosen: the zeros an open shows, not a record the file may lack.
    EXPECT_EQ(session.View().Text(TField::RecordNo), "0");
    EXPECT_EQ(session.View().Text(TField::Class) + session.View().Text(TField::Density), "00");
    EXPECT_EQ(ParseFloat(session.View().Text(TField::X), session.View().DecimalSeparator()), 0.0f);
  }
  if (row >= 0 && !session.View().SaveEnabled()) {
    ASSERT_LT(row, count);
    const TLoRecord& record = document.LoRecordTable[static_cast<std::size_t>(row)];
    EXPECT_EQ(session.View().Text(TField::RecordNo), IntegerText(row));
    // A saved 300 still shows as typed; it stores 44.
    EXPECT_EQ(ParseByte(session.View().Text(TField::Class)), record.object_class);
    // Shown rounded to two decimals, or "0.0" for a new record.
    EXPECT_EQ(
        FormatFixed2(ParseFloat(session.View().Text(TField::X), session.View().DecimalSeparator()),
                     session.View().DecimalSeparator()),
        FormatFixed2(record.x, session.View().DecimalSeparator()));
    EXPECT_EQ(session.View().Text(TField::Name), document.NameText());
  }
}

void ExpectKeptRecordsWhole(const Bytes& before, const Bytes& now,
                            const std::vector<int>& deleted) {
  const int count = CountIn(before);
  const int count_now = CountIn(now);
  EXPECT_TRUE(count_now == count || count_now == count - static_cast<int>(deleted.size()) ||
              count_now == 0)
      << "count " << count_now;
  ASSERT_GE(now.size(), 100u + 20u * static_cast<std::size_t>(count));
  // Only where the file's count reaches: a record past it is lost to the
  // reader. A count torn half-written (256 to 255) reads 0: the old one then.
  const int reached = count_now == 0 ? count : count_now;
  for (int kept = 0; kept < count; ++kept) {
    if (std::find(deleted.begin(), deleted.end(), kept) != deleted.end()) continue;
    const auto record = before.begin() + 100 + 20 * kept;
    bool whole = false;
    for (int place = 0; place < reached && !whole; ++place) {
      whole = std::equal(record, record + 20, now.begin() + 100 + 20 * place);
    }
    EXPECT_TRUE(whole) << "record " << kept << " is missing (count " << count_now << ")";
  }
}

std::string FieldsShown(const TEditorView& view) {
  std::string shown;
  for (const TFieldInfo& info : kFieldTable) {
    if (info.kind == TFieldKind::RecordNumber) continue;
    shown += std::string(info.key) + "=" +
             (info.IsText() ? view.Text(info.field) : IntegerText(view.StateIndex())) +
             (view.Highlight(info.field) == THighlight::Modified ? "* " : " ");
  }
  return shown + (view.SaveEnabled() ? "Save on" : "Save off");
}

std::string TypeSomeEdits(EditorWorld& world) {
  if (!world.view.SaveEnabled()) {
    world.Type(TField::Name, "Typed");
    if (world.view.SelectedRow() >= 0) world.Type(TField::Density, "7");
  }
  return FieldsShown(world.view);
}
