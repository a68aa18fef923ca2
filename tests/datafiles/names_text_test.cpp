#include "datafiles/names_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/lo_files.h"

namespace {

Bytes Slots(const std::vector<std::string>& names) {
  Bytes bytes(30 * names.size(), 0);
  for (std::size_t i = 0; i < names.size(); ++i) PutText(bytes, 30 * i, names[i]);
  return bytes;
}

TEST(NamesText, TypedNamesBecomeSlotBytesOrAreRefusedWithTheCharacterNamed) {
  const std::string limit(29, 'x');
  const std::string over = limit + "y";
  std::string letters(28, 'a');
  letters.append("\xC3\xBC\xC3\xBC");  // 30 bytes once stored
  const struct {
    std::string typed;
    std::string bytes_or_message;
  } cases[] = {
      {"Radar Dish", "Radar Dish"},
      {"", ""},
      {limit, limit},
      {"Eiche \xC3\xBC", "Eiche \xFC"},  // an 8-bit letter: one byte
      {over, "A name holds at most 29 bytes; \"" + over + "\" has 30"},
      {letters, "A name holds at most 29 bytes; \"" + letters + "\" has 30"},
      {"Euro \xE2\x82\xAC sign",
       "The character \"\xE2\x82\xAC\" (U+20AC) cannot be part of a name: names hold the 8-bit "
       "characters of the header texts (Latin-1), without control characters"},
      {"Tab\there",
       "The character (U+0009) cannot be part of a name: names hold the 8-bit characters of "
       "the header texts (Latin-1), without control characters"},
  };
  for (const auto& c : cases) {
    std::string got;
    const std::string message = MessageOf([&] { got = NameBytesFromUtf8(c.typed); });
    EXPECT_EQ(message == "no error" ? got : message, c.bytes_or_message) << c.typed;
  }
  const TNameSlot slot = NameSlot("Eiche \xFC");
  EXPECT_EQ(Bytes(slot.begin(), slot.end()), Slots({"Eiche \xFC"}));
}

TEST(NamesText, ImportPlacesTheKthLineOfAKindAndListsWhatItCannotPlace) {
  // Two entries of kind 4/0, one of 1/1; the names file has only two slots.
  const std::vector<TObjKind> kinds = {{4, 0}, {1, 1}, {4, 0}};
  const Bytes names = Slots({"Tower", "Pine"});
  const std::string text =
      "# shared by the builders\n"
      "4 0 Watch Tower\r\n"
      "\n"
      "4 0 Second Tower\n"
      "4 0 Third Tower\n"
      "9 3 Radar Dish\n"
      "1 1 " + std::string(30, 'n') + "\n"
      "1 x Pine\n"
      "1 1\n";
  const TNamesImport result = ImportNamesText(text, kinds, names);
  // A line refused still stands for its entry: the lines after it keep theirs.
  EXPECT_EQ(result.file, Slots({"Watch Tower", "Pine", "Second Tower"}));
  EXPECT_EQ(result.named, 2);
  EXPECT_EQ(result.problems,
            (std::vector<std::string>{
                "line 5: one line more for class 4 type 0 than the catalogue has entries of it (2)",
                "line 6: class 9 type 3 is not in the catalogue",
                "line 7: A name holds at most 29 bytes; \"" + std::string(30, 'n') + "\" has 30",
                "line 8: \"1 x Pine\" does not read as class, type and name",
                "line 9: one line more for class 1 type 1 than the catalogue has entries of it (1)"}));

  // A text that is not UTF-8 is 8-bit; missing slots come as placeholders.
  const TNamesImport latin = ImportNamesText("1 1 Kiefer \xFC\n", kinds, {});
  EXPECT_EQ(latin.file, Slots({"No Name Entered", "Kiefer \xFC", "No Name Entered"}));
  EXPECT_TRUE(latin.problems.empty());
}

TEST(NamesText, ExportThenImportGivesTheNamesFileBackByteForByte) {
  // Old bytes after a name's zero, a name of 30 bytes without a zero, an
  // 8-bit letter, a control character, a kind twice, bytes after the last slot.
  const std::vector<TObjKind> kinds = {{4, 0}, {1, 1}, {4, 0}, {0xFFFFFFFF, 7}, {2, 2}};
  Bytes names = Slots({"Tower", "Pine", "Tower", "Eiche \xFC", "Bell\x07"});
  PutText(names, 6, "junk");
  for (int i = 30; i < 60; ++i) names[static_cast<std::size_t>(i)] = 'p';
  names.push_back(0x42);
  const std::string text = NamesText(kinds, names);
  EXPECT_EQ(text.substr(0, 45), "4 0 Tower\n1 1 " + std::string(30, 'p') + "\n");
  const TNamesImport back = ImportNamesText(text, kinds, names);
  EXPECT_EQ(back.file, names);
  EXPECT_FALSE(back.Changes(names));
  EXPECT_EQ(back.named, 0);
  EXPECT_TRUE(back.problems.empty());
}

}  // namespace
