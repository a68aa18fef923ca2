#pragma once

#include <array>

#include "windows/editor_widgets.h"

class QAction;
class QMainWindow;

// Creates MainMenu1 on the window's menu bar, as the menu table says: every
// item named, in its submenu, the default items bold, with its shortcuts. The items of the
// commands that are buttons stay null.
std::array<QAction*, kCommandCount> BuildEditorMenu(QMainWindow& window);
