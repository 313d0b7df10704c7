// The interpreter's text conversions are the platform's.
#pragma once

#include "platform/text.h"

namespace wavelith::script {
using wavelith::utf16ToUtf8;
using wavelith::utf8ToUtf16;
}  // namespace wavelith::script
