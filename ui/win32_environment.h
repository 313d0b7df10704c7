// What KTRVLite asks Windows: the program's version strings and the facts of the environment
// report (the dark-application setting comes from dark_mode.h).
#pragma once

#include "ui/environment_report.h"

#include <windows.h>

#include <optional>

namespace wavelith {

// The "041104b0" table of this program's version resource; nothing when there is none.
std::optional<VersionStrings> readVersionStrings();
// Everything but the dark-mode flag and the client line, which the dialog knows.
EnvironmentInputs gatherEnvironment();

}  // namespace wavelith
