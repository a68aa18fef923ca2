#include "editor/object_naming.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/editor_world.h"

namespace {

namespace fs = std::filesystem;

Bytes Slots(const std::vector<std::string>& names) {
  Bytes bytes(30 * names.size(), 0);
  for (std::size_t i = 0; i < names.size(); ++i) PutText(bytes, 30 * i, names[i]);
  return bytes;
}

// A file of five numbered records (record 1 is a Pine, class 1 type 1) open
// over the world's catalogue: Marker 0/0, Pine 1/1, Rock 2/2.
struct NamingWorld : EditorWorld {
  NamingWorld() : EditorWorld(5) {}
  fs::path names = objdat / "objdat.nam";
  Bytes Names() const { return ReadBytes(names); }
  TObjectNaming& naming = session.Naming();
};

TEST(ObjectNaming, ANameWritesItsSlotOnlyTheRowsFollowAndUndoRedoGiveTheBytesBack) {
  NamingWorld w;
  w.SetUpBackups();
  const Bytes catalogue = ReadBytes(w.objdat / "objdat.dat");
  const Bytes before = w.Names();
  ASSERT_EQ(before, Slots({"Marker", "Pine", "Rock"}));

  w.naming.NameEntry(1, "Kiefer \xC3\xBC");
  const Bytes after = Slots({"Marker", "Kiefer \xFC", "Rock"});
  EXPECT_EQ(w.Names(), after);
  EXPECT_EQ(w.view.CatalogueRows()[1], "1;1;1;Kiefer \xFC");
  EXPECT_EQ(w.view.ContentsRows()[1], "1;1;1;Kiefer \xFC");
  EXPECT_EQ(w.undo.UndoCaption(), "Name of 1/1");
  EXPECT_EQ(w.naming.NameOf(1), "Kiefer \xC3\xBC");
  // The names file as it was, copied before its first change.
  const std::vector<std::string> copies = NamesIn(w.backups);
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0].rfind("objdat.nam.", 0), 0u);
  EXPECT_EQ(ReadBytes(w.backups / copies[0]), before);

  w.Undo();
  EXPECT_EQ(w.Names(), before);
  EXPECT_EQ(w.view.CatalogueRows()[1], "1;1;1;Pine");
  EXPECT_EQ(w.view.ContentsRows()[1], "1;1;1;Pine");
  w.Redo();
  EXPECT_EQ(w.Names(), after);
  EXPECT_EQ(w.view.ContentsRows()[1], "1;1;1;Kiefer \xFC");

  // The same name again writes nothing; a second name makes no second copy.
  w.naming.NameEntry(1, "Kiefer \xC3\xBC");
  EXPECT_EQ(w.history.Steps().size(), 1u);
  w.naming.NameEntry(2, "Granite");
  EXPECT_EQ(w.Names(), Slots({"Marker", "Kiefer \xFC", "Granite"}));
  EXPECT_EQ(NamesIn(w.backups).size(), 1u);
  EXPECT_EQ(ReadBytes(w.objdat / "objdat.dat"), catalogue);
}

TEST(ObjectNaming, ANameASlotCannotHoldIsRefusedAndNothingIsWritten) {
  NamingWorld w;
  const Bytes before = w.Names();
  for (const std::string& typed : {std::string(30, 'x'), std::string("Euro \xE2\x82\xAC")}) {
    EXPECT_NE(MessageOf([&] { w.naming.NameEntry(1, typed); }), "no error");
  }
  EXPECT_EQ(w.Names(), before);
  EXPECT_TRUE(w.history.Steps().empty());
}

TEST(ObjectNaming, AMissingNamesFileIsRefusedAndNotMadeAgain) {
  NamingWorld w;
  fs::remove(w.names);
  EXPECT_EQ(MessageOf([&] { w.naming.NameEntry(1, "Kiefer"); }),
            w.names.string() + " was replaced or deleted since it was read; open the Lo file again");
  EXPECT_FALSE(fs::exists(w.names));
  EXPECT_TRUE(w.history.Steps().empty());
  EXPECT_EQ(w.view.CatalogueRows()[1], "1;1;1;Pine");
}

TEST(ObjectNamingDeathTest, AReadOnlyNamesFileIsRefusedAndUnchanged) {
  NamingWorld w;
  const Bytes before = w.Names();
  MakeReadOnly(w.names);
  EXPECT_EXIT(
      {
        if (!DropPrivilegesForChild(w.dir.path())) std::exit(2);
        const std::string named = MessageOf([&] { w.naming.NameEntry(1, "Kiefer"); });
        const std::string imported = MessageOf([&] {
          WriteText(w.dir / "names.txt", "1 1 Kiefer\n");
          w.naming.ImportNames(w.dir / "names.txt");
        });
        const bool refused = named == "File access denied" && imported == "File access denied";
        std::exit(refused && w.history.Steps().empty() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(w.Names(), before);
}

TEST(ObjectNaming, ANamesFileCutShortIsExtendedOnlyWhenTheUserSaysSo) {
  NamingWorld w;
  // Another program cut it to one slot after the load.
  fs::resize_file(w.names, 30);
  const Bytes cut = w.Names();
  w.host.answer_yes = false;
  w.naming.NameEntry(2, "Granite");
  ASSERT_EQ(w.host.questions.size(), 1u);
  EXPECT_EQ(w.host.questions[0],
            "objdat.nam holds names for 1 of the 3 entries of the catalogue. Add the 2 missing "
            "names as \"No Name Entered\" and name entry 2?");
  EXPECT_EQ(w.Names(), cut);

  w.host.answer_yes = true;
  w.naming.NameEntry(2, "Granite");
  EXPECT_EQ(w.Names(), Slots({"Marker", "No Name Entered", "Granite"}));
  EXPECT_EQ(w.history.Steps().size(), 1u);
  w.Undo();
  EXPECT_EQ(w.Names(), cut);
}

TEST(ObjectNaming, ExportedNamesComeBackAndAnImportIsOneStep) {
  NamingWorld w;
  const Bytes before = w.Names();
  w.naming.ExportNames(w.dir / "names.txt");
  EXPECT_EQ(ReadText(w.dir / "names.txt"), "0 0 Marker\n1 1 Pine\n2 2 Rock\n");
  w.naming.ImportNames(w.dir / "names.txt");
  EXPECT_EQ(w.Names(), before);
  EXPECT_TRUE(w.history.Steps().empty());
  EXPECT_EQ(w.host.information.back(), "No name changed.");

  WriteText(w.dir / "names.txt", "1 1 Kiefer\n7 7 Nothing\n2 2 Granite\n");
  w.naming.ImportNames(w.dir / "names.txt");
  EXPECT_EQ(w.Names(), Slots({"Marker", "Kiefer", "Granite"}));
  EXPECT_EQ(w.view.ContentsRows()[2], "2;2;2;Granite");
  EXPECT_EQ(w.host.information.back(),
            "2 names changed.\n\nLines not placed:\nline 2: class 7 type 7 is not in the catalogue");
  EXPECT_EQ(w.undo.UndoCaption(), "Import of Names");
  w.Undo();
  EXPECT_EQ(w.Names(), before);
  EXPECT_EQ(w.view.ContentsRows()[2], "2;2;2;Rock");
  w.Redo();
  EXPECT_EQ(w.Names(), Slots({"Marker", "Kiefer", "Granite"}));
}

}  // namespace
