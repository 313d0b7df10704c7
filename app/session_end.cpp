#include "app/session_end.h"

namespace wavelith {

// Blocking arrives with the session-end work; until then every session end is accepted.
LRESULT onQueryEndSession() { return TRUE; }
void onEndSession(bool) {}

}  // namespace wavelith
