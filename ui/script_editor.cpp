#include "ui/script_editor.h"

namespace wavelith {

// Placeholder until the editor lands.
INT_PTR runScriptEditor(HWND) { return IDCANCEL; }

}  // namespace wavelith
