#pragma once

#include "fields/masked_edit_rules.h"
#include "windows/editor_widgets.h"

class QMainWindow;

// Creates the menu bar and every widget of the client area, named, placed,
// lettered and in tab order, as the window's layout table says. The widgets
// show nothing of the view yet.
EditorWidgets BuildEditorLayout(QMainWindow& window);
// The masked edit's kind for a field's typing (the dialogs' fields too).
FieldKind EntryKind(TEntry entry);
