#include "editor/list_rows.h"

#include <gtest/gtest.h>

#include "editor/editor_view.h"
#include "support/lo_files.h"

namespace {

TEST(ListRows, ContentsRowsTakeTheFirstMatchingCatalogueNameOrThePlaceholder) {
  TObjCatalogue catalogue;
  catalogue.ObjLastIndex = 99;
  catalogue.ObjEntryTable[40].words = {12, 3};
  catalogue.ObjNameTable[40][0] = 'A';
  catalogue.ObjEntryTable[77].words = {12, 3};
  catalogue.ObjNameTable[77][0] = 'B';
  catalogue.ObjEntryTable[100].words = {5, 5};  // beyond ObjLastIndex

  TLoDocument document;
  document.LastIndex = 2;
  document.LoRecordTable[0] = {12, 3};
  document.LoRecordTable[1] = {5, 5};
  document.LoRecordTable[2] = {0, 0};  // entries 0..39 are zeros with empty names
  TEditorView view;
  view.SetSelectedRow(0);
  RefreshContentsRows(document, catalogue, view);
  EXPECT_EQ(view.ContentsRows(),
            (std::vector<std::string>{"0;12;3;A", "1;5;5;Requires Object Data File", "2;0;0;"}));
  EXPECT_EQ(view.SelectedRow(), -1);
  FillPlaceholderRows(document, view);
  EXPECT_EQ(view.ContentsRows()[0], "0;12;3;Requires Object Data File");

  document.LastIndex = -1;
  RefreshContentsRows(document, catalogue, view);
  EXPECT_TRUE(view.ContentsRows().empty());
}

TEST(ListRows, CatalogueRowsShowWordsUnsignedAndReplaceTheOldRows) {
  TempDir dir;
  WriteCatalogue(dir.path(), {{0xFFFFFFFFu, 2, "Huge"}, {7, 0x80000000u, std::string(30, 'n')}});
  TObjCatalogue catalogue;
  TEditorView view;
  view.AppendCatalogueRow("stale");
  catalogue.Load(dir.path().string(), FillCatalogueRows(catalogue, view));
  EXPECT_EQ(
      view.CatalogueRows(),
      (std::vector<std::string>{"0;4294967295;2;Huge", "1;7;2147483648;" + std::string(30, 'n')}));
}

}  // namespace
