#include "datafiles/lo_document.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdlib>
#include <random>

#include "support/lo_files.h"

namespace {

// Record fields in file order: offset in the record and width.
struct Field {
  std::size_t at;
  std::size_t width;
};
constexpr Field kFields[8] = {{0, 1}, {1, 1}, {2, 1}, {3, 4}, {7, 4}, {11, 4}, {15, 4}, {19, 1}};
constexpr std::uint8_t kSentinel = 0xEE;

Bytes RandomBytes(std::mt19937& rng, std::size_t size) {
  Bytes bytes(size);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(rng());
  return bytes;
}

// Random bytes everywhere (a field read from a wrong offset shows), the given
// count, and `extra` bytes after the last record.
Bytes MakeLoFile(std::mt19937& rng, int count, std::size_t extra = 0) {
  Bytes bytes = RandomBytes(rng, 100 + 20 * static_cast<std::size_t>(std::max(count, 0)) + extra);
  PutU16(bytes, 20, static_cast<std::uint16_t>(count));
  return bytes;
}

// Bytes from the low bits of words 0, 1, 2 and 7, floats from the bits of
// words 3..6: any pattern, signalling NaNs included, must travel unchanged.
TLoRecord RecordFromWords(const std::array<std::uint32_t, 8>& w) {
  auto b = [&](int i) { return static_cast<std::uint8_t>(w[i]); };
  auto f = [&](int i) { return std::bit_cast<float>(w[i]); };
  return {b(0), b(1), b(2), f(3), f(4), f(5), f(6), b(7)};
}

TLoRecord RandomRecord(std::mt19937& rng) {
  std::array<std::uint32_t, 8> words;
  for (auto& w : words) w = static_cast<std::uint32_t>(rng());
  return RecordFromWords(words);
}

// Every byte of the in-memory document set to the sentinel, so what a read
// stored can be told from what it left alone.
void FillWithSentinel(TLoDocument& doc) {
  doc.header.name.fill(kSentinel);
  std::fill_n(doc.header.description.begin(), 74, kSentinel);  // the last two always stay zero
  doc.LastIndex = 77;
  std::array<std::uint32_t, 8> sentinel;
  sentinel.fill(0xEEEEEEEE);
  doc.LoRecordTable.fill(RecordFromWords(sentinel));
}

class LoDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override { file_faults::Reset(); }
  void TearDown() override { file_faults::Reset(); }
  TempDir dir;
  std::filesystem::path lo = dir / "LoTEST01.dat";
  std::mt19937 rng{12345};
};

TEST_F(LoDocumentTest, ReadsEveryFieldOnceInOrderAtItsOffset) {
  const int count = 3;
  const Bytes file = MakeLoFile(rng, count, 7);
  WriteBytes(lo, file);
  const int reads = 3 + 8 * count;  // count, name, description, then eight per record
  // Failing read k leaves exactly reads k, k+1, ... unstored; k = reads + 1 fails nothing.
  for (int k = 1; k <= reads + 1; ++k) {
    SCOPED_TRACE("failing read " + std::to_string(k));
    TLoDocument doc;
    FillWithSentinel(doc);
    doc.Open(lo);
    file_faults::FailOperation(k, 32);
    EXPECT_EQ(MessageOf([&] { doc.ReadAll(); }), k > reads ? "no error" : "I/O error 32");

    EXPECT_EQ(Bytes(doc.header.name.begin(), doc.header.name.end()),
              k > 2 ? Slice(file, 0, 20) : Bytes(20, kSentinel));
    EXPECT_EQ(Bytes(doc.header.description.begin(), doc.header.description.begin() + 74),
              k > 3 ? Slice(file, 26, 74) : Bytes(74, kSentinel));
    EXPECT_EQ(doc.LastIndex, k > 3 ? count - 1 : 77);
    for (int i = 0; i < count; ++i) {
      Bytes expected = Slice(file, 100 + 20 * i, 20);
      for (int f = 0; f < 8; ++f) {
        if (4 + 8 * i + f >= k)
          std::fill_n(expected.begin() + kFields[f].at, kFields[f].width, kSentinel);
      }
      EXPECT_EQ(RecordBytes(doc.LoRecordTable[i]), expected) << "record " << i;
    }
    EXPECT_EQ(RecordBytes(doc.LoRecordTable[count]), Bytes(20, kSentinel));
  }
}

TEST_F(LoDocumentTest, EmptyFileWithFullLengthTextsReadsThemAndWritesThemBackCut) {
  Bytes file(100);
  PutText(file, 0, "ABCDEFGHIJKLMNOPQRST");  // 20 characters, no zero
  PutText(file, 26, std::string(74, 'd'));
  PutU16(file, 20, 0);
  WriteBytes(lo, file);
  TLoDocument doc;
  FillWithSentinel(doc);
  doc.Open(lo);
  EXPECT_EQ(doc.ReadAll(), 0);
  EXPECT_EQ(doc.LastIndex, -1);
  EXPECT_EQ(doc.NameText(), "ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(doc.DescriptionText(), std::string(74, 'd'));
  EXPECT_EQ(RecordBytes(doc.LoRecordTable[0]), Bytes(20, kSentinel));

  // The fields hold 19 and 73 characters, so a commit stores those and a zero.
  doc.SetNameText(doc.NameText());
  doc.SetDescriptionText(doc.DescriptionText());
  doc.WriteHeaderTexts();
  file[19] = 0;
  file[26 + 73] = 0;
  EXPECT_EQ(ReadBytes(lo), file);
}

// Random records and texts of any length (shorter ones must keep the bytes
// after their zero): only the named fields change, bytes 22..25 and the tail never.
TEST_F(LoDocumentTest, ManyRandomCommitsTouchOnlyTheirFields) {
  const int count = 37;
  const Bytes original = MakeLoFile(rng, count, 29);
  WriteBytes(lo, original);
  Bytes model = original;
  TLoDocument doc;
  doc.Open(lo);
  doc.ReadAll();
  auto random_text = [&](std::size_t max) {
    std::string text(rng() % (max + 1), ' ');
    for (auto& c : text) c = static_cast<char>(1 + rng() % 255);
    return text;
  };
  auto model_text = [&](const std::string& text, std::size_t at, std::size_t max) {
    const std::size_t length = std::min(text.size(), max);
    PutText(model, at, text.substr(0, length));
    model[at + length] = 0;
  };
  for (int step = 1; step <= 400; ++step) {
    const int i = static_cast<int>(rng() % count);
    doc.LoRecordTable[i] = RandomRecord(rng);
    const std::string name = random_text(25);
    const std::string description = random_text(80);
    doc.SetNameText(name);
    doc.SetDescriptionText(description);
    doc.WriteRecord(i);
    doc.WriteHeaderTexts();

    const Bytes record = RecordBytes(doc.LoRecordTable[i]);
    std::copy(record.begin(), record.end(), model.begin() + 100 + 20 * i);
    model_text(name, 0, 19);
    model_text(description, 26, 73);
    if (step % 50 == 0) {
      ASSERT_EQ(ReadBytes(lo), model) << "after commit " << step;
    }
  }
  EXPECT_EQ(Slice(ReadBytes(lo), 20, 6), Slice(original, 20, 6));
}

TEST_F(LoDocumentTest, ShortFileFailsWithEarlierRecordsInTheTable) {
  // Count 3, but the file ends three bytes into record 1's Y.
  const Bytes file = MakeLoFile(rng, 3);
  WriteBytes(lo, Slice(file, 0, 130));
  TLoDocument doc;
  FillWithSentinel(doc);
  doc.Open(lo);
  EXPECT_EQ(MessageOf([&] { doc.ReadAll(); }), "Read beyond end of file");
  EXPECT_EQ(doc.LastIndex, 2);
  EXPECT_EQ(RecordBytes(doc.LoRecordTable[0]), Slice(file, 100, 20));
  Bytes expected = Slice(file, 120, 20);
  std::fill(expected.begin() + 10, expected.end(), kSentinel);  // Y's last byte onwards
  EXPECT_EQ(RecordBytes(doc.LoRecordTable[1]), expected);
}

TEST_F(LoDocumentTest, RefusedCountsChangeNothingAndCloseTheFile) {
  for (int count : {257, -1, -32768}) {
    SCOPED_TRACE(count);
    Bytes file = MakeLoFile(rng, 2);
    PutU16(file, 20, static_cast<std::uint16_t>(count));
    WriteBytes(lo, file);
    TLoDocument doc;
    FillWithSentinel(doc);
    doc.Open(lo);
    EXPECT_EQ(MessageOf([&] { doc.ReadAll(); }), "Invalid record count " + std::to_string(count) +
                                                     ": a Lo file holds 0 to 256 records");
    EXPECT_EQ(doc.LastIndex, 77);
    EXPECT_EQ(doc.header.name[0], kSentinel);
    EXPECT_EQ(doc.header.description[0], kSentinel);
    EXPECT_EQ(RecordBytes(doc.LoRecordTable[0]), Bytes(20, kSentinel));
    EXPECT_EQ(MessageOf([&] { doc.WriteHeaderTexts(); }), "I/O error 103");
    EXPECT_EQ(ReadBytes(lo), file);
  }
  // Nor is a record past the table ever written (appending at the count is the editor's).
  TLoDocument doc;
  EXPECT_EQ(MessageOf([&] { doc.WriteRecord(256); }),
            "Invalid record index 256: a Lo file holds records 0 to 255");
}

TEST_F(LoDocumentTest, AFailureAtAnyWriteLeavesLaterFieldsUntouched) {
  const Bytes file = MakeLoFile(rng, 4, 13);
  const TLoRecord fresh = RandomRecord(rng);
  const Bytes fresh_bytes = RecordBytes(fresh);
  const std::size_t base = 100 + 20 * 2;
  for (int k = 1; k <= 9; ++k) {  // k = 9: no write fails
    for (bool short_write : {false, true}) {
      SCOPED_TRACE("write " + std::to_string(k) + (short_write ? " short" : " failed"));
      WriteBytes(lo, file);
      TLoDocument doc;
      doc.Open(lo);
      doc.LoRecordTable[2] = fresh;
      const Field failing = kFields[std::min(k, 8) - 1];
      if (short_write) {
        file_faults::ShortWrite(k, failing.width - 1);
      } else {
        file_faults::FailOperation(k, 101);
      }
      EXPECT_EQ(MessageOf([&] { doc.WriteRecord(2); }), k > 8 ? "no error" : "Disk full");
      file_faults::Reset();

      Bytes expected = file;
      for (int f = 0; f < std::min(k - 1, 8); ++f) {
        std::copy_n(fresh_bytes.begin() + kFields[f].at, kFields[f].width,
                    expected.begin() + base + kFields[f].at);
      }
      if (short_write && k <= 8) {
        std::copy_n(fresh_bytes.begin() + failing.at, failing.width - 1,
                    expected.begin() + base + failing.at);
      }
      EXPECT_EQ(ReadBytes(lo), expected);
    }
  }
}

TEST(LoDocumentDeathTest, ReadOnlyFileIsAccessDenied) {
  TempDir dir;
  WriteBytes(dir / "LoRO.dat", LoFileBytes("Ro", "", NumberedRecords(1)));
  MakeReadOnly(dir / "LoRO.dat");
  EXPECT_EXIT(
      {
        if (!DropPrivilegesForChild(dir.path())) std::exit(2);
        TLoDocument doc;
        std::exit(MessageOf([&] { doc.Open(dir / "LoRO.dat"); }) == "File access denied" ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
