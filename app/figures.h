// The two figures of the opening and already-running dialogs, the notification area of
// Windows 7/8/8.1 and of Windows 10/11: PNG files in the resources (drawn by
// tools/draw-figures.sh), turned into GDI bitmaps once at start.
#pragma once

#include <windows.h>

namespace wavelith {

// Decodes figure resources 137 and 138 (type "RT_RCDATA" by name); a figure that cannot be
// had is left null, and its dialog then shows none.
void loadFigures(HINSTANCE instance, HBITMAP (&figures)[2]);
void deleteFigures(HBITMAP (&figures)[2]);

}  // namespace wavelith
