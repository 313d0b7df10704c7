// Loading and saving the program's settings in the storage mode chosen at start.
#pragma once

namespace wavelith {

void loadAllSettings();
// Writes nothing in no-save mode; re-registers the pause hotkey either way, since the
// settings just saved may carry a new one. True when every counted write succeeded.
bool saveAllSettings();

}  // namespace wavelith
