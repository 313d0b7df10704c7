// The program's own effects that the portable engines ask for: the main window's shake timer,
// the tray icon and its notices, the status dialog, the script host. The Win32 shell
// implements this; native tests record it.
#pragma once

#include <cstdint>
#include <string_view>

namespace wavelith {

enum class NoticeKind : int32_t { None = 0, Information = 1, Warning = 2, Error = 3 };

class AppEffects {
public:
    virtual ~AppEffects() = default;

    // (Re)arms shake timer 786548 with this period in milliseconds.
    virtual void setShakeTimer(uint32_t periodMs) = 0;
    // A balloon on the tray icon, replacing the one on show.
    virtual void showNotice(std::u16string_view text, NoticeKind kind) = 0;
    // Removes a balloon on show.
    virtual void clearNotice() = 0;
    // The tray icon and the status dialog follow the running/paused state.
    virtual void showActivityState(bool paused) = 0;
    // A shake reached Windows: the tray tooltip and the status dialog show its time.
    virtual void showLastShake() = 0;
    virtual bool isScriptSuspended() = 0;
    virtual void startScriptRun() = 0;
};

}  // namespace wavelith
