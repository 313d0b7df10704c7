// Start-up's self-check of the program file (see app/integrity.h for how it works).
#pragma once

namespace wavelith {

bool programFileIntact();

}  // namespace wavelith
