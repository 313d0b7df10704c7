// The policy as the administrator set it in the registry.
#pragma once

#include "settings/policy.h"

namespace wavelith {

// Reads the policy key under HKEY_LOCAL_MACHINE, then under HKEY_CURRENT_USER.
Policy readSystemPolicy();

}  // namespace wavelith
