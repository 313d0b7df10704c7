// Script files on disk, with the platform's code-page detection (MLang) behind the portable
// decision of script_file.h.
#pragma once

#include "ui/script_file.h"

#include <string>

namespace wavelith {

// Needs COM on the calling thread for MLang; without it (or without MLang) the portable
// guesses and MultiByteToWideChar do the work.
DecodedScript readScriptFile(const std::wstring& path);
ScriptSaveResult saveScriptFile(const std::wstring& path, std::u16string_view text);

}  // namespace wavelith
