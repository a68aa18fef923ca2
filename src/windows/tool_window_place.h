#pragma once

class QWidget;

// A tool window shown for the first time stands beside the editor window
// (its parent): to its right where the screen has room, else to its left,
// else over its right part, never beyond the screen.
void PlaceBesideEditor(QWidget& tool);
