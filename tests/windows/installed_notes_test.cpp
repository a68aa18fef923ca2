#include <gtest/gtest.h>

#include <QTextEdit>

#include "notes/notes_location.h"
#include "platform/program_folder.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "windows/rererarovi4.h"

namespace {

namespace fs = std::filesystem;

// An installed program keeps its notes in the user's data folder, which the
// first "Save" creates; the next run finds them there.
TEST(InstalledNotes, FirstSaveCreatesTheDataFolderAndTheNextRunReadsIt) {
  TempDir dir;
  const ScopedEnv xdg("XDG_DATA_HOME", (dir / "share").c_str());
  const fs::path notes = ChooseNotesFile({"/usr/bin", false, false, UserDataFolder()});
  ASSERT_EQ(notes, dir / "share" / "rererarovi" / "loinfo.txt");

  {
    TForm4 form(notes);
    form.ShowNotes();
    EXPECT_FALSE(fs::exists(dir / "share"));  // showing creates nothing
    form.RichEdit1->setPlainText(QStringLiteral("Tower moved to the river"));
    form.Save1Click();
  }
  ASSERT_TRUE(fs::is_regular_file(notes));
  TForm4 next_run(notes);
  next_run.ShowNotes();
  EXPECT_EQ(next_run.RichEdit1->toPlainText(), QStringLiteral("Tower moved to the river"));
}

}  // namespace
