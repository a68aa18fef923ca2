#pragma once

class QWidget;

// A fixed-size window whose title bar has a close box only can be neither
// minimised nor maximised. The window manager is told so (fixed size, no
// minimise or maximise in the window's hints), but some (openbox) still offer
// to minimise dialogs; such a window that gets minimised anyway is shown
// again at once: on a desktop without a task bar there would be no way back
// to it, nor to the windows a modal box minimises with it.
void KeepFromMinimising(QWidget& window);
