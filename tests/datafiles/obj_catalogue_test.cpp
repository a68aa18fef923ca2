#include "datafiles/obj_catalogue.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "editor/editor_view.h"
#include "editor/list_rows.h"
#include "platform/binary_file.h"
#include "support/lo_files.h"

namespace {

constexpr std::size_t kWordAt[8] = {0, 4, 16, 20, 24, 28, 32, 36};
constexpr std::uint32_t kSentinelWord = 0xEEEEEEEE;

std::uint32_t U32At(const Bytes& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

// Random bytes everywhere (a word read from a wrong offset shows), `count` in
// the header and room for `entries` entries.
Bytes MakeCatalogue(std::mt19937& rng, int count, int entries) {
  Bytes bytes(100 + 100 * static_cast<std::size_t>(entries));
  for (auto& b : bytes) b = static_cast<std::uint8_t>(rng());
  PutU16(bytes, 20, static_cast<std::uint16_t>(count));
  return bytes;
}

void PutWords(Bytes& catalogue, int entry, std::uint32_t object_class, std::uint32_t type) {
  PutU32(catalogue, 100 + 100 * entry, object_class);
  PutU32(catalogue, 104 + 100 * entry, type);
}

Bytes NamesFile(const std::vector<std::string>& names) {
  Bytes bytes(30 * names.size(), 0);
  for (std::size_t i = 0; i < names.size(); ++i) PutText(bytes, 30 * i, names[i]);
  return bytes;
}

Bytes PlaceholderNames(int count) {
  return NamesFile(std::vector<std::string>(static_cast<std::size_t>(count), "No Name Entered"));
}

void FillWithSentinel(TObjCatalogue& catalogue) {
  for (auto& entry : catalogue.ObjEntryTable) entry.words.fill(kSentinelWord);
  for (auto& slot : catalogue.ObjNameTable) slot.fill(0xEE);
  catalogue.ObjLastIndex = 77;
}

// What Load tells its row sink, in order: -1 for clear, else the entry index.
struct SinkLog {
  std::vector<int> calls;
  TObjCatalogue::RowSink Sink() {
    return {[this] { calls.push_back(-1); }, [this](int i) { calls.push_back(i); }};
  }
};

class ObjCatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override { file_faults::Reset(); }
  void TearDown() override { file_faults::Reset(); }
  TempDir dir;
  std::string folder = dir.path().string();
  std::mt19937 rng{4242};
};

TEST_F(ObjCatalogueTest, CreatesPlaceholderNamesOnceAndNeverRewritesThem) {
  WriteBytes(dir / "objdat.dat", MakeCatalogue(rng, 6, 6));
  TObjCatalogue catalogue;
  SinkLog log;
  catalogue.Load(folder + "/", log.Sink());
  EXPECT_EQ(ReadBytes(dir / "objdat.nam"), PlaceholderNames(6));
  EXPECT_EQ(catalogue.ObjLastIndex, 5);
  EXPECT_EQ(catalogue.NameText(5), "No Name Entered");
  EXPECT_EQ(log.calls, (std::vector<int>{-1, 0, 1, 2, 3, 4, 5}));

  // A user's own names, even one slot too many, stay exactly as they are.
  const Bytes names = NamesFile({"Tree", "Rock", "House", "Well", "Fence", "Lamp", "Extra"});
  WriteBytes(dir / "objdat.nam", names);
  catalogue.Load(folder);
  EXPECT_EQ(ReadBytes(dir / "objdat.nam"), names);
  EXPECT_EQ(catalogue.NameText(2), "House");
}

TEST_F(ObjCatalogueTest, ReadsEveryWordOnceInOrderAtItsOffset) {
  const int count = 3;
  const Bytes file = MakeCatalogue(rng, count, count);
  Bytes names(30 * count);
  for (auto& b : names) b = static_cast<std::uint8_t>(rng());
  WriteBytes(dir / "objdat.dat", file);
  WriteBytes(dir / "objdat.nam", names);
  // Failing operation k leaves everything from k on unread (k past the end: no failure).
  const int before_entries = kCatalogueFindOperations + kCatalogueOpenOperations +
                             kCatalogueCountReads + kNamesFindOperations + kNamesOpenOperations;
  const int operations = before_entries + kEntryReads * count + kCatalogueCloseOperations;
  for (int k = 1; k <= operations + 1; ++k) {
    SCOPED_TRACE("failing operation " + std::to_string(k));
    TObjCatalogue catalogue;
    FillWithSentinel(catalogue);
    SinkLog log;
    file_faults::FailOperation(k, 32);
    EXPECT_EQ(MessageOf([&] { catalogue.Load(folder, log.Sink()); }),
              k > operations ? "no error" : "I/O error 32");
    file_faults::Reset();

    EXPECT_EQ(catalogue.ObjLastIndex, k > before_entries ? count - 1 : 77);
    std::vector<int> expected_calls;
    if (k > before_entries) expected_calls.push_back(-1);
    for (int i = 0; i < count; ++i) {
      const int name_op = before_entries + 1 + kEntryReads * i;
      const auto& slot = catalogue.ObjNameTable[i];
      EXPECT_EQ(Bytes(slot.begin(), slot.end()),
                k > name_op ? Slice(names, 30 * i, 30) : Bytes(30, 0xEE));
      for (int w = 0; w < 8; ++w) {
        const std::uint32_t expected =
            k > name_op + 1 + w ? U32At(file, 100 + 100 * i + kWordAt[w]) : kSentinelWord;
        EXPECT_EQ(catalogue.ObjEntryTable[i].words[w], expected) << "entry " << i << " word " << w;
      }
      if (k > name_op + 8) expected_calls.push_back(i);
    }
    EXPECT_EQ(log.calls, expected_calls);
  }
  EXPECT_EQ(ReadBytes(dir / "objdat.nam"), names);
}

TEST_F(ObjCatalogueTest, WordsAreUnsignedAndTheFirstMatchingEntryNamesTheObject) {
  Bytes file = MakeCatalogue(rng, 5, 5);
  PutWords(file, 0, 300, 4);  // 300 is 44 in a byte: must never match class 44
  PutWords(file, 1, 44, 4);
  PutWords(file, 2, 44, 4);
  PutWords(file, 3, 0x80000000u, 0xFFFFFFFFu);
  PutWords(file, 4, 9, 9);
  WriteBytes(dir / "objdat.dat", file);
  const std::string thirty(30, 'N');
  WriteBytes(dir / "objdat.nam",
             NamesFile({"Three hundred", "Crate", "Second crate", "Big", thirty}));
  TObjCatalogue catalogue;
  TEditorView view;
  LoadCatalogueRows(catalogue, folder, view);
  EXPECT_EQ(catalogue.FindName(44, 4), "Crate");
  EXPECT_EQ(catalogue.FindName(9, 9), thirty);  // a 30-byte name has no zero
  EXPECT_EQ(view.CatalogueRows()[3], "3;2147483648;4294967295;Big");
  EXPECT_EQ(view.CatalogueRows()[4], "4;9;9;" + thirty);

  // Entries past ObjLastIndex, left over from a larger catalogue, are not searched.
  Bytes smaller = MakeCatalogue(rng, 1, 1);
  PutWords(smaller, 0, 1, 1);
  WriteBytes(dir / "objdat.dat", smaller);
  catalogue.Load(folder);
  EXPECT_EQ(catalogue.FindName(44, 4), std::nullopt);
  EXPECT_EQ(catalogue.FindName(1, 1), "Three hundred");
}

TEST_F(ObjCatalogueTest, CountsUpTo512LoadAndAboveAreRefusedBeforeTheNamesFileIsTouched) {
  Bytes file = MakeCatalogue(rng, 512, 513);
  PutWords(file, 0, 1, 2);
  PutWords(file, 511, 255, 255);
  TObjCatalogue catalogue;
  for (int count : {512, 0, -32768, 513}) {  // 0 or less: an empty catalogue
    SCOPED_TRACE(count);
    std::filesystem::remove(dir / "objdat.nam");
    PutU16(file, 20, static_cast<std::uint16_t>(count));
    WriteBytes(dir / "objdat.dat", file);
    FillWithSentinel(catalogue);
    SinkLog log;
    const std::string message = MessageOf([&] { catalogue.Load(folder, log.Sink()); });
    if (count > 512) {
      EXPECT_EQ(message, "Invalid entry count 513: objdat.dat holds at most 512 entries");
      EXPECT_EQ(NamesIn(dir.path()), std::vector<std::string>{"objdat.dat"});
      EXPECT_EQ(catalogue.ObjLastIndex, 77);
      EXPECT_EQ(catalogue.ObjEntryTable[0].words[0], kSentinelWord);
      EXPECT_TRUE(log.calls.empty());
    } else {
      const int entries = std::max(count, 0);
      EXPECT_EQ(catalogue.ObjLastIndex, entries - 1);
      EXPECT_EQ(log.calls.size(), static_cast<std::size_t>(entries + 1));
      EXPECT_EQ(ReadBytes(dir / "objdat.nam").size(), 30u * entries);
      EXPECT_EQ(catalogue.FindName(255, 255).has_value(), entries == 512);
      EXPECT_EQ(catalogue.FindName(1, 2).has_value(), entries == 512);
    }
  }
}

TEST_F(ObjCatalogueTest, FilesAreFoundWhateverTheirCaseAndTheRootKeepsItsSeparator) {
  Bytes file = MakeCatalogue(rng, 2, 2);
  PutWords(file, 1, 5, 6);
  WriteBytes(dir / "OBJDAT.DAT", file);
  WriteBytes(dir / "OBJDAT.NAM", NamesFile({"Pier", "Boat"}));
  TObjCatalogue catalogue;
  catalogue.Load(folder);
  EXPECT_EQ(catalogue.FindName(5, 6), "Boat");
  EXPECT_EQ(NamesIn(dir.path()), (std::vector<std::string>{"OBJDAT.DAT", "OBJDAT.NAM"}));

  // A names file to create takes the catalogue's own base name; Windows
  // finds the catalogue under the name as asked for, so it is "objdat.nam".
  TempDir other;
  WriteBytes(other / "ObjDat.Dat", file);
  catalogue.Load(other.path().string());
#ifdef _WIN32
  const std::string created = "objdat.nam";
#else
  const std::string created = "ObjDat.nam";
#endif
  EXPECT_EQ(NamesIn(other.path()), (std::vector<std::string>{"ObjDat.Dat", created}));

  EXPECT_EQ(TObjCatalogue::CataloguePath("/games/data/"), "/games/data/objdat.dat");
  EXPECT_EQ(TObjCatalogue::CataloguePath("/"), "//objdat.dat");
}

TEST_F(ObjCatalogueTest, FailuresNameTheirCauseAndKeepWhatWasRead) {
  EXPECT_EQ(MessageOf([&] { TObjCatalogue().Load(folder); }), "File not found");
  EXPECT_EQ(MessageOf([&] { TObjCatalogue().Load(folder + "/missing"); }), "Invalid filename");

  // A names file with one slot for three entries fails at the second name.
  WriteBytes(dir / "objdat.dat", MakeCatalogue(rng, 3, 3));
  WriteBytes(dir / "objdat.nam", NamesFile({"Only one"}));
  TObjCatalogue catalogue;
  SinkLog log;
  EXPECT_EQ(MessageOf([&] { catalogue.Load(folder, log.Sink()); }), "Read beyond end of file");
  EXPECT_EQ(log.calls, (std::vector<int>{-1, 0}));
  EXPECT_EQ(catalogue.NameText(0), "Only one");
  EXPECT_EQ(ReadBytes(dir / "objdat.nam"), NamesFile({"Only one"}));
}

TEST(ObjCatalogueDeathTest, ReadOnlyFilesAreAccessDenied) {
  for (const char* read_only : {"objdat.dat", "objdat.nam"}) {
    TempDir dir;
    WriteCatalogue(dir.path(), {{1, 1, "x"}});
    MakeReadOnly(dir / read_only);
    EXPECT_EXIT(
        {
          if (!DropPrivilegesForChild(dir.path())) std::exit(2);
          const std::string message = MessageOf([&] { TObjCatalogue().Load(dir.path().string()); });
          std::exit(message == "File access denied" ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "")
        << read_only;
  }
}

}  // namespace
