#include "app/session_end.h"

#include "app/application.h"
#include "app/script_host.h"
#include "app/session_end_rules.h"
#include "platform/win32_system.h"

namespace wavelith {

namespace {

// The block-reason functions are looked up at every use: systems without them simply refuse
// through the return value, with no reason shown.
template <typename Function>
Function user32Function(const char* name, HMODULE& library) {
    library = loadSystemLibrary(L"User32.dll");
    if (!library) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

class Win32SessionEndActions : public SessionEndActions {
public:
    bool confirmBlocking() override {
        return showMessage(app().mainWindow, AppMessage::ConfirmStopEndOfSession, MB_YESNO | MB_ICONQUESTION) == IDYES;
    }
    void setBlockReason() override {
        HMODULE library = nullptr;
        using Create = BOOL(WINAPI*)(HWND, LPCWSTR);
        if (auto create = user32Function<Create>("ShutdownBlockReasonCreate", library))
            create(app().mainWindow, text(AppMessage::BlockingShutdown).c_str());
        if (library) FreeLibrary(library);
    }
    void removeBlockReason() override {
        HMODULE library = nullptr;
        using Destroy = BOOL(WINAPI*)(HWND);
        if (auto destroy = user32Function<Destroy>("ShutdownBlockReasonDestroy", library)) destroy(app().mainWindow);
        if (library) FreeLibrary(library);
    }
    void requestScriptStop() override { wavelith::requestScriptStop(); }
    void endProgram() override { DestroyWindow(app().mainWindow); }
    void reportStopped(bool confirmedByUser) override {
        showMessage(app().mainWindow,
                    confirmedByUser ? AppMessage::SessionEndStoppedShort : AppMessage::SessionEndStoppedLong,
                    MB_OK | MB_ICONINFORMATION);
    }
};

}  // namespace

LRESULT onQueryEndSession() {
    Win32SessionEndActions actions;
    return allowEndOfSession(app().settings, isScriptRunning(), actions) ? TRUE : FALSE;
}

void onEndSession(bool ending) {
    Win32SessionEndActions actions;
    onSessionEnd(app().settings, ending, actions);
}

}  // namespace wavelith
