#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "datafiles/record_fields.h"

class TEditorHost;
class TEditorView;
class TFieldForm;
class TLoDocument;
class TObjCatalogue;
class TWriteTransaction;

// Rows of copies: `count` copies of the group, copy k of a record at its
// X, Y and R plus k times the offsets.
struct TArrayPlan {
  int count = 0;
  double dx = 0.0, dy = 0.0, dr = 0.0;
};

enum class TAxis { X, Y };
enum class TAlignTo { Least, Middle, Greatest };

// Many objects at once: selecting the map group by kind, setting fields for
// the whole group, rows of copies, align and spread.
// The group is the map group, or the shown record when there is none. Each
// writing command is one step of the history and shows the shown record as
// stored afterwards.
class TGroupEdits {
 public:
  TGroupEdits(TEditorHost& host, TEditorView& view, const TLoDocument& document, TFieldForm& form,
              TWriteTransaction& transaction);
  TGroupEdits(const TGroupEdits&) = delete;
  TGroupEdits& operator=(const TGroupEdits&) = delete;

  // "Select All Objects": every record is in the map group; the fields show
  // record 0 when they showed none.
  void SelectAll();
  // "Select Same Kind": every record of the shown record's stored class and
  // type; kNoItemSelected without a shown record.
  void SelectSameKind();
  // The records the group commands act on, in record order.
  std::vector<int> Members() const;

  // "Set for Group": each record of the group takes the given texts (Class,
  // Type, Z, R, Density; State as "0" or "1"), read as Save reads them (the
  // same ConvertError messages, raised before anything is written). Only
  // those fields are written; kNoItemSelected without a group.
  void SetForGroup(const std::vector<std::pair<TField, std::string>>& texts);

  // The copies "Array..." would append, in the order it appends them: for
  // k = 1..count, each member plus k times the offsets (X and Y on the
  // grid when there is one), computed in double and rounded to float once.
  // Empty when a value would not be a finite float.
  std::vector<TLoRecord> ArrayCopies(const TArrayPlan& plan) const;
  // The plan that spreads `count` copies evenly from the middle of the
  // group's extent to (x, y), the last copy landing there.
  TArrayPlan ArrayTowards(int count, double x, double y) const;
  // "Array...": appends ArrayCopies as one step ("Array of <count>"); the
  // group then holds the members and their copies. Refused before any write
  // when the file has no room for them, saying how many copies would fit.
  void Array(const TArrayPlan& plan);
  // While the dialog is open: the view's array preview shows ArrayCopies
  // (PreviewArray), or nothing again (EndPreview).
  void PreviewArray(const TArrayPlan& plan);
  void EndPreview();

  // The group's X or Y all take their least, middle or greatest value.
  void Align(TAxis axis, TAlignTo to);
  // The group's members in the order of their X (or Y) spread evenly between
  // the two outermost, which stay. Needs three members.
  void Spread(TAxis axis);

 private:
  void WriteFields(const std::vector<std::pair<int, TLoRecord>>& values,
                   const std::vector<TField>& fields, const std::string& caption);
  bool FitsFloat(double value) const;

  TEditorHost& host_;
  TEditorView& view_;
  const TLoDocument& document_;  // written only through the transaction
  TFieldForm& form_;
  TWriteTransaction& transaction_;
};

// The message when `copies` copies of `members` records do not fit the
// `room` records a file has left.
std::string ArrayTooLong(int copies, int members, int room);
