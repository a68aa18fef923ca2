#include "datafiles/lo_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <functional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "support/lo_files.h"

namespace {

std::vector<std::uint8_t> FromText(const std::string& text) { return LoFileFromExactText(text); }

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const LoTextError& error) {
    EXPECT_EQ(error.what(), "line " + std::to_string(error.line()) + ": " + error.problem());
    return error.what();
  }
  return "no error";
}

TRecordBytes ToRecord(const Bytes& bytes) {
  TRecordBytes record{};
  std::copy(bytes.begin(), bytes.end(), record.begin());
  return record;
}

std::vector<TRecordBytes> RecordsOf(const Bytes& file) {
  std::vector<TRecordBytes> records;
  for (std::size_t at = 100; at + 20 <= file.size(); at += 20) {
    records.push_back(ToRecord(Slice(file, at, 20)));
  }
  return records;
}

// The form itself: the README's example and what the editor pastes rely on it.
TEST(LoText, WritesTheExactForm) {
  std::vector<TLoRecord> records = {
      {12, 3, 0, 1.5f, -2.25f, 0.1f, 90.0f, 4},
      {1, 255, 2, -0.0f, std::bit_cast<float>(1u), std::bit_cast<float>(0x7FC00001u),
       -std::bit_cast<float>(0x7F800000u), 0}};
  Bytes file = LoFileBytes("Pine \"A\\B\"", "North woods", records);
  file.push_back(0x01);
  file.push_back(0xFE);
  EXPECT_EQ(LoFileToExactText(file),
            "Name: \"Pine \\\"A\\\\B\\\"\\x00\\xAB\\xAC\\xAD\\xAE\\xAF\\xA0\\xA1\\xA2\\xA3\"\n"
            "Count: 2\n"
            "Reserved: A6 A7 A8 A9\n"
            "Description: \"North woods\\x00\\xA6\\xA7\\xA8\\xA9\\xAA\\xAB\\xAC\\xAD\\xAE\\xAF"
            "\\xA0\\xA1\\xA2\\xA3\\xA4\\xA5\\xA6\\xA7\\xA8\\xA9\\xAA\\xAB\\xAC\\xAD\\xAE\\xAF"
            "\\xA0\\xA1\\xA2\\xA3\\xA4\\xA5\\xA6\\xA7\\xA8\\xA9\\xAA\\xAB\\xAC\\xAD\\xAE\\xAF"
            "\\xA0\\xA1\\xA2\\xA3\\xA4\\xA5\\xA6\\xA7\\xA8\\xA9\\xAA\\xAB\\xAC\\xAD\\xAE\\xAF"
            "\\xA0\\xA1\\xA2\\xA3\"\n"
            "Record:\tClass=12\tType=3\tX=1.5\tY=-2.25\tZ=0.1\tR=90\tDensity=4\tState=0\n"
            "Record:\tClass=1\tType=255\tX=-0\tY=1e-45\tZ=0x7FC00001\tR=-inf\tDensity=0\tState=2\n"
            "After: 01 FE\n");
  // Trailing zeros of a text are implied; an empty text is "".
  Bytes plain(100, 0);
  EXPECT_EQ(LoFileToExactText(plain),
            "Name: \"\"\nCount: 0\nReserved: 00 00 00 00\nDescription: \"\"\n");
  EXPECT_EQ(ExactRecordLines(RecordsOf(file)),
            LoFileToExactText(file).substr(
                LoFileToExactText(file).find("Record:"),
                LoFileToExactText(file).find("After:") - LoFileToExactText(file).find("Record:")));
}

TEST(LoText, EveryFileTheEditorOpensReadsBackByteForByte) {
  Bytes full_name(100, 0x41);  // texts without a zero: all their bytes are text
  PutU16(full_name, 20, 0);
  std::mt19937 rng(27);
  std::vector<std::pair<std::string, Bytes>> files = {
      {"count 0, header only", Bytes(100, 0)},
      {"texts without a zero", full_name},
      {"odd values", OddLoFile(0)},
      {"bytes after the records", OddLoFile(37)},
      {"a record's worth after them", OddLoFile(20)},
      {"256 records", LoFileBytes("Full", "", NumberedRecords(256))},
  };
  for (int i = 0; i < 200; ++i) {
    const std::size_t count = rng() % 6, after = rng() % 45;
    Bytes bytes(100 + 20 * count + after);
    for (auto& byte : bytes) byte = static_cast<std::uint8_t>(rng());
    PutU16(bytes, 20, static_cast<std::uint16_t>(count));
    files.emplace_back("random " + std::to_string(i), bytes);
  }
  for (const auto& [what, bytes] : files) {
    const std::string text = LoFileToExactText(bytes);
    EXPECT_EQ(FromText(text), bytes) << what << "\n" << text;
    // The counted records, as the clipboard carries them.
    std::vector<TRecordBytes> records = RecordsOf(bytes);
    records.resize(bytes[20] | bytes[21] << 8);
    if (!records.empty()) {
      EXPECT_EQ(ParseRecordLines(ExactRecordLines(records)), records) << what;
    }
  }
}

TEST(LoText, RefusesFilesTheEditorRefuses) {
  Bytes short_records = LoFileBytes("", "", NumberedRecords(3));
  short_records.resize(short_records.size() - 1);
  Bytes too_many(100, 0), negative(100, 0);
  PutU16(too_many, 20, 257);
  PutU16(negative, 20, 0xFFFF);
  const std::vector<std::pair<Bytes, std::string>> cases = {
      {Bytes(21, 0), "Read beyond end of file"},
      {Bytes(99, 0), "Read beyond end of file"},
      {short_records, "Read beyond end of file"},
      {too_many, "Invalid record count 257: a Lo file holds 0 to 256 records"},
      {negative, "Invalid record count -1: a Lo file holds 0 to 256 records"},
  };
  for (const auto& [bytes, message] : cases) {
    EXPECT_EQ(MessageOf([&] { LoFileToExactText(bytes); }), message) << bytes.size();
  }
}

// A text as a user may leave it after editing: other blanks, comments, CRLF
// line ends, the header in another order, numbers in other spellings.
TEST(LoText, ReadsHandEditedText) {
  const Bytes expected = LoFileBytes("Camp", "Two\tfences", {{7, 1, 1, 2.5f, -3.0f, 0, 180, 9}});
  const std::string text = LoFileToExactText(expected);
  // The bytes after the description's zero, copied as lodump gave them.
  const std::size_t rest = text.find("\\x00", text.find("Description:"));
  std::string edited = "# the camp, moved\r\n\r\n  Description:  \"Two\\x09fences" +
                       text.substr(rest, text.find('\n', rest) - rest) + "\r\n";
  edited += text.substr(0, text.find("Description:"));
  edited += "Record: Class=7  Type=1 State=1 X=+2.50 Y=-3 Z=0.0 R=1.8e2\tDensity=9   \r\n";
  EXPECT_EQ(FromText(edited), expected) << edited;

  // Escapes in either letter case; a float given by its bits.
  EXPECT_EQ(FromText("Name: \"\\x41\\xe9\"\nCount: 1\nReserved: aa 00 00 00\nDescription: \"\"\n"
                     "Record: Class=0 Type=0 State=0 X=0x3FC00000 Y=0X80000000 Z=1e-45 R=inf "
                     "Density=0\n"),
            [] {
              Bytes bytes(100, 0);
              bytes[0] = 0x41;
              bytes[1] = 0xE9;
              bytes[20] = 1;
              bytes[22] = 0xAA;
              Bytes record = RecordBytes({0, 0, 0, 1.5f, -0.0f, std::bit_cast<float>(1u),
                                          std::bit_cast<float>(0x7F800000u), 0});
              bytes.insert(bytes.end(), record.begin(), record.end());
              return bytes;
            }());
}

TEST(LoText, NamesTheFirstLineThatDoesNotRead) {
  const std::string head = "Name: \"N\"\nCount: 1\nReserved: 00 00 00 00\nDescription: \"D\"\n";
  const std::string fields = "Class=1 Type=2 X=1 Y=2 Z=3 R=4 Density=5 State=0";
  const auto record = [&](const std::string& from, const std::string& to) {
    std::string line = fields;
    line.replace(line.find(from), from.size(), to);
    return head + "Record: " + line + "\n";
  };
  std::string too_many = "Name: \"\"\nCount: 256\nReserved: 00 00 00 00\nDescription: \"\"\n";
  for (int i = 0; i < 257; ++i) too_many += "Record: " + fields + "\n";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {record("X=1", "X=abc"), "line 5: X: 'abc' is not a number"},
      {record("X=1", "X=1,5"), "line 5: X: '1,5' is not a number"},
      {record("X=1", "X=1e39"), "line 5: X: '1e39' is beyond the range of a single float"},
      {record("X=1", "X=nan"), "line 5: X: a NaN is written as its bits, as in 0x7FC00000"},
      {record("Y=2", "Y=0x7FC0001"),
       "line 5: Y: '0x7FC0001' is not a float's bits (0x and 8 hexadecimal digits)"},
      {record("Class=1", "Class=256"), "line 5: Class: '256' is not a number from 0 to 255"},
      {record("Type=2", "Type=-1"), "line 5: Type: '-1' is not a number from 0 to 255"},
      {record(" State=0", ""), "line 5: State is missing"},
      {record("Z=3", "Z=3 Z=4"), "line 5: Z is given twice"},
      {record("R=4", "R=4 W=1"),
       "line 5: 'W=1' is not a record field (Class=, Type=, X=, Y=, Z=, R=, Density= or State=)"},
      {"Name: N\n", "line 1: Name: the text must be in double quotes"},
      {"\n\nName: \"N\n", "line 3: Name: the closing quote is missing"},
      {"Name: \"a\\qb\"\n",
       "line 1: Name: '\\qb\"' is not an escape (\\\\, \\\" or \\x and two hexadecimal digits)"},
      {"Name: \"a\tb\"\n", "line 1: Name: byte 0x09 must be written as \\x09"},
      {"Name: \"\xE9\"\n", "line 1: Name: byte 0xE9 must be written as \\xE9"},
      {"Name: \"123456789012345678901\"\n",
       "line 1: Name: the text is 21 bytes; the field holds 20"},
      {"Name: \"N\" x\n", "line 1: Name: ' x' follows the closing quote"},
      {"Reserved: 00 00 00\n", "line 1: Reserved: 3 bytes given; the header holds 4 here"},
      {"Reserved: 00 0G 00 00\n", "line 1: '0G' is not a byte in hexadecimal (00 to FF)"},
      {head + "After: 1 2\n", "line 5: '1' is not a byte in hexadecimal (00 to FF)"},
      {head + "Count: 1\n", "line 5: a second Count line (the first is line 2)"},
      {head, "line 2: Count is 1 but 0 record lines follow; make them agree"},
      {"Count: 300\n", "line 1: Count: '300' is not a number from 0 to 256"},
      {"Name: \"N\"\nCount: 0\nReserved: 00 00 00 00\n\n",
       "line 4: the text ends without a Description line"},
      {"", "line 1: the text ends without a Name line"},
      {head + "Hello\x01\n",
       "line 5: 'Hello\\x01' is not a Name, Count, Reserved, Description, Record or After line"},
      {head + "0;1;2;Rock\t" + fields + "\n",
       "line 5: '0;1;2;Rock\\x09Class=1 Type=2 X=1 Y=...' is not a Name, Count, Reserved, "
       "Description, Record or After line"},
      {too_many, "line 261: a Lo file holds at most 256 records"},
  };
  for (const auto& [text, message] : cases) {
    EXPECT_EQ(ErrorOf([&] { FromText(text); }), message) << text;
  }
}

// Lines lodump prints without --exact, as a user copies them from a terminal
// (tabs may have become spaces): their values are taken as they read.
TEST(LoText, ReadsRecordLinesInBothForms) {
  const std::string exact = ExactRecordLines(std::vector<TRecordBytes>{
      ToRecord(RecordBytes({5, 6, 7, std::bit_cast<float>(0x7F800001u), 0.1f, -0.0f, 1, 8}))});
  const std::vector<std::pair<std::string, TLoRecord>> cases = {
      {"0;12;3;Pine\tClass=12\tType=3\tX=1.50\tY=-2.25\tZ=0.13\tR=90.00\tDensity=4\tState=0",
       {12, 3, 0, 1.5f, -2.25f, 0.13f, 90.0f, 4}},
      {"1;1;1;Rock Pile   Class=1 Type=1 X=-1.2345679E8 Y=1E9 Z=0.00 R=0.00 Density=255 State=1",
       {1, 1, 1, -1.2345679e8f, 1e9f, 0.0f, 0.0f, 255}},
      {"17;9;9;Requires Object Data File\tClass=9\tType=9\tX=INF\tY=-INF\tZ=NAN\tR=0.00\t"
       "Density=0\tState=1  ",
       {9, 9, 1, std::bit_cast<float>(0x7F800000u), std::bit_cast<float>(0xFF800000u),
        std::bit_cast<float>(0x7FC00000u), 0.0f, 0}},
  };
  std::string all = exact;
  std::vector<TRecordBytes> expected = {ParseRecordLines(exact).at(0)};
  for (const auto& [line, record] : cases) {
    EXPECT_EQ(ParseRecordLines(line), std::vector<TRecordBytes>{PackRecord(record)}) << line;
    all += "\r\n# a comment\n" + line;
    expected.push_back(PackRecord(record));
  }
  EXPECT_EQ(ParseRecordLines(all), expected);
  EXPECT_EQ(ExactRecordLines(std::span(expected).first(1)), exact);

  const std::vector<std::pair<std::string, std::string>> refused = {
      {"", "line 1: the text holds no records"},
      {"\n  \n# only a comment\n", "line 1: the text holds no records"},
      {exact + "Name: \"Camp\"\n", "line 2: 'Name: \"Camp\"' is not a record line"},
      {exact + "\nhello\n", "line 3: 'hello' is not a record line"},
      {"3;1;1;Rock\tClass=1\tType=1\tX=1.5O\tY=0\tZ=0\tR=0\tDensity=0\tState=0",
       "line 1: X: '1.5O' is not a number"},
      {"3;1;1;Rock\tClass=1\tType=1\tX=1.50", "line 1: Y is missing"},
  };
  for (const auto& [text, message] : refused) {
    EXPECT_EQ(ErrorOf([&] { ParseRecordLines(text); }), message) << text;
  }
}

TEST(LoText, PacksRecordsAsTheFileDoes) {
  const TLoRecord record = {1, 2, 3, std::bit_cast<float>(0x7F800001u), -0.0f, 1e-45f, 4.5f, 6};
  const TRecordBytes packed = PackRecord(record);
  EXPECT_EQ(Bytes(packed.begin(), packed.end()), RecordBytes(record));
  EXPECT_EQ(PackRecord(UnpackRecord(packed)), packed);
}

}  // namespace
