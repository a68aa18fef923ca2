#include "editor/editor_view.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct RecordingView {
  TEditorView view;
  std::vector<TViewMember> changes;
  RecordingView() {
    view.SetListener([this](TViewMember member) { changes.push_back(member); });
  }
};

TEST(EditorView, TextsAreCutLikeTheFieldsAndEqualTextsChangeNothing) {
  RecordingView v;
  v.view.SetText(TField::Name, std::string(20, 'n'));
  v.view.SetText(TField::Description, std::string(80, 'd'));
  v.view.SetText(TField::Class, "1234567");
  v.view.SetText(TField::X, "-1.2345679E8");
  v.view.SetText(TField::Density, "123456789012");
  EXPECT_EQ(v.view.Text(TField::Name), std::string(19, 'n'));
  EXPECT_EQ(v.view.Text(TField::Description), std::string(73, 'd'));
  EXPECT_EQ(v.view.Text(TField::Class), "123456");
  EXPECT_EQ(v.view.Text(TField::X), "-1.2345679E");
  EXPECT_EQ(v.view.Text(TField::Density), "12345678901");
  EXPECT_EQ(v.changes.size(), 5u);

  // Cut to the same text as before: no change, no notification.
  v.view.SetText(TField::Name, std::string(25, 'n'));
  v.view.SetText(TField::Class, "123456");
  v.view.SetSaveEnabled(false);
  v.view.SetHighlight(TField::X, THighlight::Normal);
  EXPECT_EQ(v.changes.size(), 5u);

  v.view.SetHighlight(TField::Density, THighlight::Modified);
  v.view.SetHighlight(TField::Name, THighlight::Modified);
  EXPECT_EQ(v.changes.back(), TViewMember::NameHighlight);
  EXPECT_EQ(v.changes[v.changes.size() - 2], TViewMember::DensityHighlight);
}

TEST(EditorView, UserWritesApplyLimitsButNotifyNothing) {
  RecordingView v;
  int hook_runs = 0;
  v.view.SetRecordNumberHook([&] { ++hook_runs; });
  v.view.SetTextFromUser(TField::Type, "99999999");
  v.view.SetTextFromUser(TField::RecordNo, "7");
  v.view.SetStateIndexFromUser(5);
  v.view.SetSelectedRowFromUser(3);  // no such row
  EXPECT_EQ(v.view.Text(TField::Type), "999999");
  EXPECT_EQ(v.view.StateIndex(), 1);
  EXPECT_EQ(v.view.SelectedRow(), -1);
  EXPECT_TRUE(v.changes.empty());
  EXPECT_EQ(hook_runs, 0);
}

TEST(EditorView, RecordNumberHookRunsAfterTheTextIsStored) {
  TEditorView view;
  std::vector<std::string> seen;
  view.SetRecordNumberHook([&] { seen.push_back(view.Text(TField::RecordNo)); });
  view.SetText(TField::RecordNo, "4");
  view.SetText(TField::RecordNo, "4");
  view.SetText(TField::Class, "4");
  EXPECT_EQ(seen, std::vector<std::string>{"4"});
}

TEST(EditorView, SelectionFollowsTheRows) {
  RecordingView v;
  v.view.SetSelectedRow(0);  // the one empty row
  EXPECT_EQ(v.view.SelectedRow(), 0);
  v.view.ReplaceContentsRows({"0;1;2;a", "1;1;2;b", "2;1;2;c"});
  EXPECT_EQ(v.view.SelectedRow(), -1);
  v.view.SetSelectedRow(2);
  v.view.SetSelectedRow(3);
  EXPECT_EQ(v.view.SelectedRow(), -1);
  v.view.SetSelectedRow(1);
  v.view.ReplaceContentsRows(v.view.ContentsRows());  // same rows: still unselected
  EXPECT_EQ(v.view.SelectedRow(), -1);
  v.view.SetSelectedRow(1);
  v.view.AppendContentsRow("3;0;0;d");
  EXPECT_EQ(v.view.SelectedRow(), 1);
  v.view.ClearContentsRows();
  EXPECT_EQ(v.view.SelectedRow(), -1);
  EXPECT_TRUE(v.view.ContentsRows().empty());
  v.view.SetSelectedRow(-7);
  EXPECT_EQ(v.view.SelectedRow(), -1);

  v.view.AppendCatalogueRow("0;1;1;x");
  v.view.ClearCatalogueRows();
  EXPECT_TRUE(v.view.CatalogueRows().empty());
  EXPECT_EQ(v.changes.back(), TViewMember::CatalogueRows);
}

TEST(EditorView, StateIndexIsLimitedToTheChoices) {
  TEditorView view;
  view.SetStateIndex(2);
  EXPECT_EQ(view.StateIndex(), 1);
  view.SetStateIndex(-1);
  EXPECT_EQ(view.StateIndex(), -1);
  view.SetStateIndex(-9);
  EXPECT_EQ(view.StateIndex(), -1);
  view.SetStateIndex(0);
  EXPECT_EQ(view.StateIndex(), 0);
}

}  // namespace
