#include "app/status_dialog.h"

namespace wavelith {

// The status dialog arrives with the dialogs work.
void runStatusDialog() {}
void destroyStatusDialog() {}
void refreshStatusDialog() {}

}  // namespace wavelith
