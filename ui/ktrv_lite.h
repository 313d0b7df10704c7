// KTRVLite: the About dialog and its environment report, as a module that knows nothing of
// the program but what its parameter record tells it.
#pragma once

#include "ui/environment_report.h"

#include <windows.h>

#include <string>

namespace wavelith {

using MessageBoxFunction = int (*)(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style);

struct KTRVLiteParameters {
    bool japanese = false;
    HINSTANCE instance = nullptr;
    WORD iconId = 0;
    HWND owner = nullptr;
    std::u16string programName;
    MakerAddresses addresses;  // an empty feedback or contribution address hides its link
    std::u16string licenceText;
    HWND* windowSlot = nullptr;               // holds the dialog while it is open
    MessageBoxFunction messageBox = nullptr;  // the system's message box when null
};

// Runs the About dialog modally; returns when it is closed or destroyed.
INT_PTR KTRVLite(const KTRVLiteParameters& parameters);

}  // namespace wavelith
