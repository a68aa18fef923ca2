#pragma once

// Tells screen readers what the custom widgets are: a ColumnListBox is a
// table of cells, a TwoChoiceGroup a group of choices, a MapView a picture, a window
// built on a plain QWidget a window. Qt would otherwise report each as a
// plain panel. Call before the widgets are first
// asked for (any time before the window shows); calling again does nothing.
void InstallAccessibleRoles();
