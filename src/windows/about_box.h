#pragma once

#include "about/about_settings.h"

class QWidget;
class SystemInfoSource;

// The fixed settings of the editor window's about box `LMDAboutDlg1`.
AboutSettings LoAboutSettings();

// Builds a new about box from `settings` and the machine's current memory
// and processor facts, plays the opening effect, runs it modally and
// destroys it when it closes. Every way of closing it has the same effect.
void ShowAbout(QWidget* parent, const AboutSettings& settings);
// The same with the memory and processor facts taken from `system`.
void ShowAbout(QWidget* parent, const AboutSettings& settings, const SystemInfoSource& system);
