// The script editor: edits qx_script, loads it from files of any common encoding, saves it as
// UTF-8 with a byte-order mark.
#pragma once

#include <windows.h>

namespace wavelith {

// Modal over `owner` (the settings dialog); IDOK when the text became the script.
INT_PTR runScriptEditor(HWND owner);

}  // namespace wavelith
