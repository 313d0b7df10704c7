// Refusing the end of the Windows session while the program runs.
#pragma once

#include <windows.h>

namespace wavelith {

LRESULT onQueryEndSession();
void onEndSession(bool ending);

}  // namespace wavelith
