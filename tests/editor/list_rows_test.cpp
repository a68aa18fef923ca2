#include "editor/list_rows.h"

#include <gtest/gtest.h>

#include "datafiles/lo_document.h"
#include "editor/editor_view.h"
#include "editor/lo_test_files.h"
#include "errors/app_error.h"

namespace {

TEST(ListRows, ContentsRowsTakeTheFirstMatchingCatalogueName) {
  TObjCatalogue catalogue;
  catalogue.ObjLastIndex = 99;
  auto name = [&](int i, const std::string& text) {
    std::copy(text.begin(), text.end(), catalogue.ObjNameTable[i].begin());
  };
  catalogue.ObjEntryTable[40].words = {12, 3};
  name(40, "Oak");
  catalogue.ObjEntryTable[77].words = {12, 3};
  name(77, "Second oak");
  catalogue.ObjEntryTable[99].words = {300, 0};
  catalogue.ObjEntryTable[100].words = {5, 5};  // beyond ObjLastIndex

  TLoDocument document;
  document.LastIndex = 3;
  document.LoRecordTable[0] = {12, 3};
  document.LoRecordTable[1] = {44, 0};  // matches no entry (300 is no byte's value)
  document.LoRecordTable[2] = {5, 5};
  document.LoRecordTable[3] = {0, 0};  // entries 0..39 are zeros with empty names

  TEditorView view;
  view.SetSelectedRow(0);
  RefreshContentsRows(document, catalogue, view);
  EXPECT_EQ(view.ContentsRows(),
            (std::vector<std::string>{"0;12;3;Oak", "1;44;0;Requires Object Data File",
                                      "2;5;5;Requires Object Data File", "3;0;0;"}));
  EXPECT_EQ(view.SelectedRow(), -1);

  FillPlaceholderRows(document, view);
  EXPECT_EQ(view.ContentsRows()[0], "0;12;3;Requires Object Data File");
}

TEST(ListRows, EmptyFileAndEmptyCatalogue) {
  TObjCatalogue catalogue;
  catalogue.ObjLastIndex = -1;
  TLoDocument document;
  document.LastIndex = 1;
  TEditorView view;
  RefreshContentsRows(document, catalogue, view);
  EXPECT_EQ(view.ContentsRows(), (std::vector<std::string>{"0;0;0;Requires Object Data File",
                                                           "1;0;0;Requires Object Data File"}));
  document.LastIndex = -1;
  RefreshContentsRows(document, catalogue, view);
  EXPECT_TRUE(view.ContentsRows().empty());
}

TEST(ListRows, CatalogueRowsComeFromTheLoadOneByOne) {
  TempDir dir;
  WriteCatalogue(
      dir.path(),
      {{0xFFFFFFFFu, 2, "Huge"}, {7, 0x80000000u, std::string(30, 'n')}, {1, 1, "Third"}});
  TObjCatalogue catalogue;
  TEditorView view;
  view.AppendCatalogueRow("stale");
  catalogue.Load(dir.path().string(), FillCatalogueRows(catalogue, view));
  EXPECT_EQ(view.CatalogueRows(),
            (std::vector<std::string>{"0;4294967295;2;Huge",
                                      "1;7;2147483648;" + std::string(30, 'n'), "2;1;1;Third"}));

  // A names file one slot short: the rows read before the failure stay.
  Bytes names = ReadBytes(dir / "objdat.nam");
  names.resize(60);
  WriteBytes(dir / "objdat.nam", names);
  EXPECT_THROW(catalogue.Load(dir.path().string(), FillCatalogueRows(catalogue, view)), InOutError);
  EXPECT_EQ(view.CatalogueRows().size(), 2u);
}

}  // namespace
