#pragma once

class TForm1;
class TForm6;

// Names what a screen reader announces: each field by its label, each list
// by its title, the state choice by its caption, the map, the find fields,
// the start-up warning by its words. Call once the window's widgets stand.
void NameForScreenReaders(TForm6& window);
void NameForScreenReaders(TForm1& window);
