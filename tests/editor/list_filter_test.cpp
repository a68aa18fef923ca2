// The find of the two lists: which rows stay for a find text, and how the
// view keeps them, its selection and its notifications.

#include "editor/list_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/editor_view.h"

namespace {

using Rows = std::vector<std::string>;

// An object data list as the catalogue fills it: two entries share a name,
// one has a class only 32 bits hold, names may hold ";" and Latin-1 letters.
const Rows kCatalogue = {
    "0;0;0;Marker",    "1;3;1;Fuel Drum",    "2;12;3;Pine Tree", "3;12;4;pine tree",
    "4;3;12;Crate",    "5;4294967295;0;Odd", "6;7;7;Radar;Dish", "7;9;9;\xC9rable",
    "8;300;5;Tower 3", "9;1;2;ZONE buzz",
};

struct FindCase {
  const char* find;
  std::vector<int> shown;
};

TEST(ListFilter, NamesInAnyCaseAndNumbersEqualToClassOrType) {
  const FindCase cases[] = {
      {"", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},  // no find: exactly the list
      {"pine", {2, 3}},                      // duplicate names both stay, with their own numbers
      {"PINE T", {2, 3}},
      {"e t", {2, 3}},
      {"drum", {1}},
      {"zone", {9}},  // the last letter of the alphabet folds both ways
      {"BUZZ", {9}},
      {"\xE9r", {7}},       // Latin-1 letters fold too
      {"r;d", {6}},         // a ";" in a name is part of the name
      {"12", {2, 3, 4}},    // class 12 or type 12
      {"3", {1, 2, 4, 8}},  // class 3, type 3, and "Tower 3" by name
      {" 12 ", {2, 3, 4}},  // blanks around a number
      {"03", {1, 2, 4}},    // a number equals by value; "03" is in no name
      {"4294967295", {5}},  // the whole class word
      {"300", {8}},         // a class beyond a byte compares as listed
      {"3x", {}},           // not a number, in no name
      {"-3", {}},
      {"zzz", {}},
  };
  for (const FindCase& test : cases) {
    EXPECT_EQ(RowsMatchingFind(kCatalogue, test.find), test.shown) << '"' << test.find << '"';
  }
  EXPECT_TRUE(RowsMatchingFind({}, "pine").empty());
  EXPECT_TRUE(RowsMatchingFind({}, "").empty());
  EXPECT_FALSE(RowMatchesFind("", "a")) << "the empty row of an editor with no file";
}

struct FilterView {
  TEditorView view;
  std::vector<TViewMember> changes;
  FilterView() {
    view.SetListener([this](TViewMember member) { changes.push_back(member); });
  }
  int Count(TAspect aspect) const {
    int n = 0;
    for (const TViewMember& change : changes) n += change.aspect == aspect ? 1 : 0;
    return n;
  }
};

TEST(ListFilter, TheViewKeepsEachListsFindAcrossNewRows) {
  FilterView v;
  v.view.ReplaceCatalogueRows(kCatalogue);
  v.view.ReplaceContentsRows({"0;3;1;Fuel Drum", "1;12;3;Pine Tree", "2;0;0;Marker"});
  EXPECT_EQ(v.view.ShownRows(TList::Catalogue).size(), kCatalogue.size());
  EXPECT_EQ(v.view.ShownRows(TList::Contents), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(v.Count(TAspect::CatalogueFind), 0) << "new rows are named once, as rows";

  v.view.SetFindText(TList::Catalogue, "Pine");
  EXPECT_EQ(v.view.ShownRows(TList::Catalogue), (std::vector<int>{2, 3}));
  EXPECT_EQ(v.view.ShownRows(TList::Contents).size(), 3u) << "each list has its own find";
  EXPECT_EQ(v.Count(TAspect::CatalogueFind), 1);
  v.view.SetFindText(TList::Catalogue, "Pine");
  v.view.SetFindText(TList::Catalogue, "pine");  // another text, the same rows
  EXPECT_EQ(v.Count(TAspect::CatalogueFind), 2);

  // A reload keeps the find and filters the new rows at once.
  v.view.ReplaceCatalogueRows({"0;1;1;Pine", "1;2;2;Rock"});
  EXPECT_EQ(v.view.FindText(TList::Catalogue), "pine");
  EXPECT_EQ(v.view.ShownRows(TList::Catalogue), (std::vector<int>{0}));
  v.view.ReplaceCatalogueRows({});
  EXPECT_TRUE(v.view.ShownRows(TList::Catalogue).empty());
  v.view.SetFindText(TList::Catalogue, "");
  EXPECT_TRUE(v.view.ShownRows(TList::Catalogue).empty()) << "an empty catalogue shows nothing";
}

TEST(ListFilter, TheSelectedRecordStaysSelectedWhenItMatches) {
  FilterView v;
  v.view.ReplaceContentsRows({"0;3;1;Fuel Drum", "1;12;3;Pine Tree", "2;3;1;Fuel Drum"});
  v.view.SetSelectedRow(2);
  v.view.SetFindText(TList::Contents, "drum");
  EXPECT_EQ(v.view.ShownRows(TList::Contents), (std::vector<int>{0, 2}));
  EXPECT_EQ(v.view.SelectedRow(), 2);
  EXPECT_EQ(v.view.ShownSelectedRow(), 1) << "second of the rows shown";

  // Hidden: the list highlights nothing, but the record stays the one shown
  // and saved.
  v.view.SetFindText(TList::Contents, "pine");
  EXPECT_EQ(v.view.ShownSelectedRow(), -1);
  EXPECT_EQ(v.view.SelectedRow(), 2);
  v.view.SetFindText(TList::Contents, "");
  EXPECT_EQ(v.view.ShownSelectedRow(), 2);
}

}  // namespace
