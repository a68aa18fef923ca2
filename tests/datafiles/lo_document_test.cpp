#include "datafiles/lo_document.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>

#include "errors/app_error.h"
#include "support/temp_dir.h"

namespace {

// Record field layout in the file: offset in record and width, in file order.
struct Field {
  std::size_t at;
  std::size_t width;
};
constexpr Field kFields[8] = {{0, 1}, {1, 1}, {2, 1}, {3, 4}, {7, 4}, {11, 4}, {15, 4}, {19, 1}};
constexpr std::uint8_t kSentinel = 0xEE;

std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const AppError& e) {
    return e.what();
  }
  return "(no error)";
}

Bytes RandomBytes(std::mt19937& rng, std::size_t size) {
  Bytes bytes(size);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(rng());
  return bytes;
}

// A Lo file with random bytes everywhere (so a field read from a wrong offset
// shows), the given count and `extra` bytes after the last record.
Bytes MakeLoFile(std::mt19937& rng, int count, std::size_t extra = 0) {
  Bytes bytes = RandomBytes(rng, 100 + 20 * static_cast<std::size_t>(std::max(count, 0)) + extra);
  PutU16(bytes, 20, static_cast<std::uint16_t>(count));
  return bytes;
}

// The record as the file packs it.
Bytes Packed(const TLoRecord& r) {
  Bytes bytes(20);
  bytes[0] = r.object_class;
  bytes[1] = r.object_type;
  bytes[2] = r.state;
  PutU32(bytes, 3, std::bit_cast<std::uint32_t>(r.x));
  PutU32(bytes, 7, std::bit_cast<std::uint32_t>(r.y));
  PutU32(bytes, 11, std::bit_cast<std::uint32_t>(r.z));
  PutU32(bytes, 15, std::bit_cast<std::uint32_t>(r.r));
  bytes[19] = r.density;
  return bytes;
}

TLoRecord Unpacked(const Bytes& b, std::size_t at) {
  auto u32 = [&](std::size_t o) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | b[at + o + i];
    return v;
  };
  return TLoRecord{b[at],
                   b[at + 1],
                   b[at + 2],
                   std::bit_cast<float>(u32(3)),
                   std::bit_cast<float>(u32(7)),
                   std::bit_cast<float>(u32(11)),
                   std::bit_cast<float>(u32(15)),
                   b[at + 19]};
}

Bytes Slice(const Bytes& bytes, std::size_t at, std::size_t size) {
  return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(at),
               bytes.begin() + static_cast<std::ptrdiff_t>(at + size));
}

// Every byte of the in-memory document set to the sentinel, so what a read
// stored can be told from what it left alone.
void FillWithSentinel(TLoDocument& doc) {
  doc.header.name.fill(kSentinel);
  doc.header.description.fill(kSentinel);
  doc.LastIndex = 77;
  const Bytes sentinel(20, kSentinel);
  for (auto& record : doc.LoRecordTable) record = Unpacked(sentinel, 0);
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

  TLoDocument doc;
  doc.Open(lo);
  const int before = file_faults::OperationCount();
  EXPECT_EQ(doc.ReadAll(), count);
  EXPECT_EQ(file_faults::OperationCount() - before, reads);

  // Failing read k must leave exactly reads k, k+1, ... unstored.
  for (int k = 1; k <= reads; ++k) {
    SCOPED_TRACE("failing read " + std::to_string(k));
    TLoDocument partial;
    FillWithSentinel(partial);
    partial.Open(lo);
    file_faults::FailOperation(k, 32);
    EXPECT_EQ(MessageOf([&] { partial.ReadAll(); }), "I/O error 32");

    const Bytes name(partial.header.name.begin(), partial.header.name.end());
    EXPECT_EQ(name, k > 2 ? Slice(file, 0, 20) : Bytes(20, kSentinel));
    const Bytes description(partial.header.description.begin(),
                            partial.header.description.begin() + 74);
    EXPECT_EQ(description, k > 3 ? Slice(file, 26, 74) : Bytes(74, kSentinel));
    EXPECT_EQ(partial.LastIndex, k > 3 ? count - 1 : 77);
    for (int i = 0; i < count; ++i) {
      Bytes expected = Slice(file, 100 + 20 * i, 20);
      for (int f = 0; f < 8; ++f) {
        const int read_number = 4 + 8 * i + f;
        if (read_number >= k) {
          std::fill_n(expected.begin() + kFields[f].at, kFields[f].width, kSentinel);
        }
      }
      EXPECT_EQ(Packed(partial.LoRecordTable[i]), expected) << "record " << i;
    }
    EXPECT_EQ(Packed(partial.LoRecordTable[count]), Bytes(20, kSentinel));
    partial.Close();
  }
}

TEST_F(LoDocumentTest, ReadThenWriteBackLeavesTheFileByteIdentical) {
  // Random bytes include signalling NaNs: floats must travel as their bytes.
  const Bytes file = MakeLoFile(rng, 40, 33);
  WriteBytes(lo, file);
  TLoDocument doc;
  doc.Open(lo);
  doc.ReadAll();
  for (int i = 0; i <= doc.LastIndex; ++i) doc.WriteRecord(i);
  doc.WriteHeaderTexts();
  doc.WriteCount(40);
  doc.Close();
  EXPECT_EQ(ReadBytes(lo), file);
}

TEST_F(LoDocumentTest, EmptyFileStillReadsItsHeaderTexts) {
  Bytes file(100, 0);
  PutText(file, 0, "Empty");
  PutText(file, 26, "Nothing placed here");
  WriteBytes(lo, file);
  TLoDocument doc;
  FillWithSentinel(doc);
  doc.Open(lo);
  EXPECT_EQ(doc.ReadAll(), 0);
  EXPECT_EQ(doc.LastIndex, -1);
  EXPECT_EQ(doc.NameText(), "Empty");
  EXPECT_EQ(doc.DescriptionText(), "Nothing placed here");
  EXPECT_EQ(Packed(doc.LoRecordTable[0]), Bytes(20, kSentinel));
}

TEST_F(LoDocumentTest, FullLengthTextsHaveNoZeroAndAreCutWhenWrittenBack) {
  Bytes file = MakeLoFile(rng, 1);
  const std::string name = "ABCDEFGHIJKLMNOPQRST";  // 20 characters, no zero
  const std::string description(74, 'd');
  PutText(file, 0, name);
  PutText(file, 26, description);
  WriteBytes(lo, file);
  TLoDocument doc;
  doc.Open(lo);
  doc.ReadAll();
  EXPECT_EQ(doc.NameText(), name);
  EXPECT_EQ(doc.DescriptionText(), description);

  doc.SetNameText(doc.NameText());
  doc.SetDescriptionText(doc.DescriptionText());
  EXPECT_EQ(doc.NameText(), name.substr(0, 19));
  EXPECT_EQ(doc.DescriptionText(), description.substr(0, 73));
  doc.WriteHeaderTexts();
  doc.Close();

  Bytes expected = file;
  expected[19] = 0;
  expected[26 + 73] = 0;
  EXPECT_EQ(ReadBytes(lo), expected);
}

TEST_F(LoDocumentTest, ShorterTextsKeepTheBytesAfterTheirZero) {
  Bytes file = MakeLoFile(rng, 2);
  PutText(file, 0, std::string("LongerName\0tail-bytes", 20));
  PutText(file, 26, std::string("A long description\0rest", 23));
  WriteBytes(lo, file);
  TLoDocument doc;
  doc.Open(lo);
  doc.ReadAll();
  EXPECT_EQ(doc.NameText(), "LongerName");
  doc.SetNameText("abc");
  doc.SetDescriptionText("Short");
  doc.WriteHeaderTexts();
  doc.Close();

  Bytes expected = file;
  PutText(expected, 0, std::string("abc\0", 4));
  PutText(expected, 26, std::string("Short\0", 6));
  EXPECT_EQ(ReadBytes(lo), expected);
}

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
  for (int step = 1; step <= 400; ++step) {
    const int i = static_cast<int>(rng() % count);
    const Bytes fresh = RandomBytes(rng, 20);
    doc.LoRecordTable[i] = Unpacked(fresh, 0);
    const std::string name = random_text(25);
    const std::string description = random_text(80);
    doc.SetNameText(name);
    doc.SetDescriptionText(description);
    doc.WriteRecord(i);
    doc.WriteHeaderTexts();

    std::copy(fresh.begin(), fresh.end(), model.begin() + 100 + 20 * i);
    const std::size_t name_length = std::min<std::size_t>(name.size(), 19);
    PutText(model, 0, name.substr(0, name_length));
    model[name_length] = 0;
    const std::size_t description_length = std::min<std::size_t>(description.size(), 73);
    PutText(model, 26, description.substr(0, description_length));
    model[26 + description_length] = 0;
    if (step % 50 == 0) {
      ASSERT_EQ(ReadBytes(lo), model) << "after commit " << step;
    }
  }
  doc.Close();
  const Bytes after = ReadBytes(lo);
  EXPECT_EQ(Slice(after, 20, 6), Slice(original, 20, 6));
  EXPECT_EQ(Slice(after, 100 + 20 * count, 29), Slice(original, 100 + 20 * count, 29));
}

TEST_F(LoDocumentTest, WritingRecordCountAppendsExactlyOneRecord) {
  const Bytes file = MakeLoFile(rng, 5);
  WriteBytes(lo, file);
  TLoDocument doc;
  doc.Open(lo);
  doc.ReadAll();
  const Bytes appended = RandomBytes(rng, 20);
  doc.LoRecordTable[5] = Unpacked(appended, 0);
  doc.WriteRecord(5);
  doc.Close();
  Bytes expected = file;
  expected.insert(expected.end(), appended.begin(), appended.end());
  EXPECT_EQ(ReadBytes(lo), expected);
}

TEST_F(LoDocumentTest, WriteCountWritesTwoSignedBytes) {
  const Bytes file = MakeLoFile(rng, 3);
  WriteBytes(lo, file);
  TLoDocument doc;
  doc.Open(lo);
  doc.WriteCount(-2);
  doc.Close();
  Bytes expected = file;
  PutU16(expected, 20, 0xFFFE);
  EXPECT_EQ(ReadBytes(lo), expected);
}

TEST_F(LoDocumentTest, ShortFileFailsWithEarlierRecordsInTheTable) {
  // Count 3, but the file ends three bytes into record 1's Y.
  const Bytes file = MakeLoFile(rng, 3);
  const Bytes truncated = Slice(file, 0, 130);
  WriteBytes(lo, truncated);
  TLoDocument doc;
  FillWithSentinel(doc);
  doc.Open(lo);
  EXPECT_EQ(MessageOf([&] { doc.ReadAll(); }), "Read beyond end of file");
  EXPECT_EQ(doc.LastIndex, 2);
  EXPECT_EQ(Packed(doc.LoRecordTable[0]), Slice(file, 100, 20));
  Bytes expected = Slice(file, 120, 20);
  std::fill(expected.begin() + 10, expected.end(), kSentinel);  // Y's last byte onwards
  EXPECT_EQ(Packed(doc.LoRecordTable[1]), expected);
  EXPECT_EQ(Packed(doc.LoRecordTable[2]), Bytes(20, kSentinel));
}

TEST_F(LoDocumentTest, RefusedCountsChangeNothingAndCloseTheFile) {
  for (int count : {257, -1, -32768, 32767}) {
    SCOPED_TRACE(count);
    const Bytes file = MakeLoFile(rng, 2);
    Bytes bad = file;
    PutU16(bad, 20, static_cast<std::uint16_t>(count));
    WriteBytes(lo, bad);
    TLoDocument doc;
    FillWithSentinel(doc);
    doc.Open(lo);
    EXPECT_EQ(MessageOf([&] { doc.ReadAll(); }), "Invalid record count " + std::to_string(count) +
                                                     ": a Lo file holds 0 to 256 records");
    EXPECT_EQ(doc.LastIndex, 77);
    EXPECT_EQ(doc.header.name[0], kSentinel);
    EXPECT_EQ(doc.header.description[0], kSentinel);
    EXPECT_EQ(Packed(doc.LoRecordTable[0]), Bytes(20, kSentinel));
    EXPECT_FALSE(doc.IsOpen());
    EXPECT_EQ(MessageOf([&] { doc.WriteRecord(0); }), "I/O error 103");
    EXPECT_EQ(MessageOf([&] { doc.WriteHeaderTexts(); }), "I/O error 103");
    EXPECT_EQ(ReadBytes(lo), bad);
  }
}

TEST_F(LoDocumentTest, FullTableOf256RecordsIsAccepted) {
  const Bytes file = MakeLoFile(rng, 256);
  WriteBytes(lo, file);
  TLoDocument doc;
  doc.Open(lo);
  EXPECT_EQ(doc.ReadAll(), 256);
  EXPECT_EQ(doc.LastIndex, 255);
  EXPECT_EQ(Packed(doc.LoRecordTable[255]), Slice(file, 100 + 20 * 255, 20));
}

TEST_F(LoDocumentTest, RecordIndexOutsideTheTableIsRefusedWithoutAnyAccess) {
  const Bytes file = MakeLoFile(rng, 2);
  WriteBytes(lo, file);
  TLoDocument doc;
  doc.Open(lo);
  const int before = file_faults::OperationCount();
  EXPECT_EQ(MessageOf([&] { doc.WriteRecord(256); }),
            "Invalid record index 256: a Lo file holds records 0 to 255");
  EXPECT_EQ(MessageOf([&] { doc.WriteRecord(-1); }),
            "Invalid record index -1: a Lo file holds records 0 to 255");
  EXPECT_EQ(file_faults::OperationCount(), before);
  doc.Close();
  EXPECT_EQ(ReadBytes(lo), file);
}

TEST_F(LoDocumentTest, AFailureAtAnyWriteLeavesLaterFieldsUntouched) {
  const int count = 4;
  const Bytes file = MakeLoFile(rng, count, 13);
  const Bytes fresh = RandomBytes(rng, 20);
  const std::size_t base = 100 + 20 * 2;
  for (int k = 1; k <= 8; ++k) {
    for (bool short_write : {false, true}) {
      SCOPED_TRACE("write " + std::to_string(k) + (short_write ? " short" : " failed"));
      WriteBytes(lo, file);
      TLoDocument doc;
      doc.Open(lo);
      doc.LoRecordTable[2] = Unpacked(fresh, 0);
      const Field failing = kFields[k - 1];
      if (short_write) {
        file_faults::ShortWrite(k, failing.width - 1);
      } else {
        file_faults::FailOperation(k, 101);
      }
      EXPECT_EQ(MessageOf([&] { doc.WriteRecord(2); }), "Disk full");
      doc.Close();

      Bytes expected = file;
      for (int f = 0; f < k - 1; ++f) {
        std::copy_n(fresh.begin() + kFields[f].at, kFields[f].width,
                    expected.begin() + base + kFields[f].at);
      }
      if (short_write) {
        std::copy_n(fresh.begin() + failing.at, failing.width - 1,
                    expected.begin() + base + failing.at);
      }
      EXPECT_EQ(ReadBytes(lo), expected);
    }
  }
  // And without a fault: exactly eight writes.
  WriteBytes(lo, file);
  TLoDocument doc;
  doc.Open(lo);
  const int before = file_faults::OperationCount();
  doc.WriteRecord(2);
  EXPECT_EQ(file_faults::OperationCount() - before, 8);
}

TEST_F(LoDocumentTest, OpenFailuresAndGivingUpTheEarlierFile) {
  const Bytes file = MakeLoFile(rng, 1);
  WriteBytes(lo, file);
  TLoDocument doc;
  EXPECT_EQ(MessageOf([&] { doc.Open(dir / "no-such-folder" / "Lo1.dat"); }), "Invalid filename");
  EXPECT_EQ(MessageOf([&] { doc.Open(dir / "LoMISSING.dat"); }), "File not found");
  EXPECT_EQ(MessageOf([&] { doc.Close(); }), "I/O error 103");

  // A failed open gives up the file opened before: writes can no longer reach it.
  doc.Open(lo);
  doc.ReadAll();
  EXPECT_EQ(MessageOf([&] { doc.Open(dir / "LoMISSING.dat"); }), "File not found");
  EXPECT_FALSE(doc.IsOpen());
  EXPECT_EQ(MessageOf([&] { doc.WriteRecord(0); }), "I/O error 103");
  EXPECT_EQ(ReadBytes(lo), file);
}

TEST_F(LoDocumentTest, ReadOnlyCopyIsReadableButNotWritable) {
  const Bytes file = MakeLoFile(rng, 2);
  WriteBytes(lo, file);
  TLoDocument doc;
  doc.OpenReadOnly(lo);
  EXPECT_EQ(doc.ReadAll(), 2);
  EXPECT_NE(MessageOf([&] { doc.WriteRecord(0); }), "(no error)");
  doc.Close();
  EXPECT_EQ(ReadBytes(lo), file);
}

TEST(LoDocumentDeathTest, ReadOnlyFileIsAccessDenied) {
  TempDir dir;
  std::mt19937 rng{7};
  WriteBytes(dir / "LoRO.dat", MakeLoFile(rng, 1));
  std::filesystem::permissions(dir / "LoRO.dat", std::filesystem::perms::owner_read |
                                                     std::filesystem::perms::group_read |
                                                     std::filesystem::perms::others_read);
  EXPECT_EXIT(
      {
        if (!DropPrivilegesForChild(dir.path())) std::exit(2);
        TLoDocument doc;
        std::exit(MessageOf([&] { doc.Open(dir / "LoRO.dat"); }) == "File access denied" ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
