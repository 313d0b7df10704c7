#include "app/status_form.h"

#include "app/messages.h"
#include "app/tray_state.h"
#include "platform/text.h"
#include "resources/resource.h"

#include <algorithm>

namespace wavelith {

namespace {

constexpr int kCloseButton = 2;  // IDCANCEL, so that Esc and the close box close as well

std::u16string countText(int32_t left, int32_t limit) {
    return utf8ToUtf16(std::to_string(left) + "/" + std::to_string(limit));
}

std::u16string message(AppMessage id, bool japanese) { return std::u16string(appMessage(id, japanese)); }

}  // namespace

bool containsPoint(const Rect& area, Point point) {
    return point.x >= area.left && point.x <= area.right && point.y >= area.top && point.y <= area.bottom;
}

std::optional<Point> statusDialogPosition(Point remembered, const std::vector<Rect>& monitors) {
    bool onAMonitor = std::any_of(monitors.begin(), monitors.end(),
                                  [remembered](const Rect& monitor) { return containsPoint(monitor, remembered); });
    if (!onAMonitor) return std::nullopt;
    return remembered;
}

int32_t fadeTarget(const Settings& settings, bool cursorOverDialog) {
    return cursorOverDialog ? settings.OpenShowDlgAlpha2 : settings.OpenShowDlgAlpha;
}

int32_t nextAlpha(int32_t current, int32_t target) {
    int32_t difference = target - current;
    if (difference < -9) return current - 10;
    if (difference > 9) return current + 10;
    return target;
}

StatusTexts statusTexts(const StatusValues& values, const Settings& settings, bool japanese) {
    AppMessage state = AppMessage::StatusRunning;
    if (values.paused)
        state = AppMessage::StatusStopped;
    else if (values.withheldByLock)
        state = AppMessage::StatusStoppedLocked;
    // Keyboard emulation is not held back by a remote session, so it never reads as stopped by one.
    else if (settings.MouseMovePixel != 0 && values.remoteSession)
        state = AppMessage::StatusStoppedRemoteSession;
    return {message(state, japanese), countText(values.idleCountdown, settings.LASTMOVE),
            countText(values.reOnCountdown, settings.ReOnSec),
            values.lastShake ? clockText(*values.lastShake) : u"-"};
}

std::vector<std::pair<int, std::u16string>> statusTooltips(bool japanese) {
    return {{IDC_STATUS_PAUSE, message(AppMessage::StatusPauseTip, japanese)},
            {IDC_STATUS_TOPMOST, message(AppMessage::StatusTopmostTip, japanese)},
            {kCloseButton, message(AppMessage::StatusCloseTip, japanese)}};
}

}  // namespace wavelith
