#pragma once

class EditorWidgets;
class MapView;
class QPlainTextEdit;
class QWidget;

// Names what a screen reader announces: each field by its label, each list
// by its title, the state choice by its caption, the map, the find fields
// (children of `window`). Call once the window's widgets stand.
void NameForScreenReaders(QWidget& window, const EditorWidgets& widgets, MapView& map);
// The start-up warning by its words.
void NameForScreenReaders(QPlainTextEdit& warning);
