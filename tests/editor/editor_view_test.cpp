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
  for (const auto& [field, max] : {std::pair{TField::RecordNo, 6},
                                   {TField::Type, 6},
                                   {TField::Name, 19},
                                   {TField::Description, 73},
                                   {TField::R, 11},
                                   {TField::Density, 11}}) {
    v.view.SetText(field, std::string(80, '7'));
    EXPECT_EQ(v.view.Text(field), std::string(max, '7'));
  }
  EXPECT_EQ(v.changes.size(), 6u);

  // Cut to the text it already holds, or set to the same: no change, no notification.
  v.view.SetText(TField::RecordNo, std::string(7, '7'));
  v.view.SetText(TField::Name, std::string(25, '7'));
  v.view.SetSaveEnabled(false);
  v.view.SetHighlight(TField::X, THighlight::Normal);
  EXPECT_EQ(v.changes.size(), 6u);
  v.view.SetHighlight(TField::Density, THighlight::Modified);
  EXPECT_EQ(v.changes.back(), (TViewMember{TAspect::Highlight, TField::Density}));

  // What the user typed is stored with the same limits, silently.
  v.view.SetTextFromUser(TField::Type, "99999999");
  v.view.SetTextFromUser(TField::RecordNo, "5");
  v.view.SetStateIndexFromUser(5);
  EXPECT_EQ(v.view.Text(TField::Type), "999999");
  EXPECT_EQ(v.view.StateIndex(), 1);
  EXPECT_EQ(v.changes.size(), 7u);
}

TEST(EditorView, SelectionFollowsTheRowsAndStateIsLimitedToTheChoices) {
  TEditorView view;
  view.SetSelectedRow(0);  // the one empty row
  EXPECT_EQ(view.SelectedRow(), 0);
  view.ReplaceContentsRows({"0;1;2;a", "1;1;2;b", "2;1;2;c"});
  EXPECT_EQ(view.SelectedRow(), -1);
  view.SetSelectedRow(3);  // no such row
  EXPECT_EQ(view.SelectedRow(), -1);
  view.SetSelectedRow(1);
  view.ReplaceContentsRows(view.ContentsRows());  // the same rows: still unselected
  EXPECT_EQ(view.SelectedRow(), -1);
  for (const auto& [given, stored] : {std::pair{2, 1}, {-9, -1}, {0, 0}, {-1, -1}}) {
    view.SetStateIndex(given);
    EXPECT_EQ(view.StateIndex(), stored) << given;
  }
}

}  // namespace
