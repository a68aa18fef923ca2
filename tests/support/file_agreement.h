#pragma once

#include <string>
#include <vector>

#include "support/temp_dir.h"

class EditorWorld;
class TEditingSession;
class TEditorView;

// The count in memory, the rows and the record count box say what the file
// holds, and the count names only records the file holds.
void ExpectCountAgreesWithFile(const TEditingSession& session);
// That, and also the header texts and records in memory and a clean
// record's fields (zeros when no record is chosen).
void ExpectAgreesWithFile(const TEditingSession& session);

// While records `deleted` of the file `before` are being deleted (or the
// delete is undone or redone): every other record of `before` stands whole
// at some record place the count of `now` covers, and the count is the old
// one, the new one or 0 (torn: the old count's places are searched then).
void ExpectKeptRecordsWhole(const Bytes& before, const Bytes& now, const std::vector<int>& deleted);

// What the fields show, as one line to compare: every text but the record
// number, a "*" after each red one, the state and whether Save is on.
std::string FieldsShown(const TEditorView& view);
// Edits as a user types them, unless the fields hold some already: the name,
// and the density of the record shown. Returns FieldsShown afterwards.
std::string TypeSomeEdits(EditorWorld& world);
