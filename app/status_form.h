// The status dialog without its window: the texts it shows, where it opens, and how its
// opacity follows the mouse.
#pragma once

#include "platform/desktop.h"
#include "settings/settings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace wavelith {

// Edges count as inside on all four sides, unlike Win32's half-open rectangles: a cursor on a
// window's last pixel column, or a corner on a monitor's far edge, is taken as on it.
bool containsPoint(const Rect& area, Point point);

// Where the dialog's top-left corner goes: the remembered corner when it lies on a monitor;
// nothing (stay centred) when it lies on none, as after a monitor was removed or for the stored
// default 32000, 32000.
std::optional<Point> statusDialogPosition(Point remembered, const std::vector<Rect>& monitors);

// The opacity the dialog moves to: OpenShowDlgAlpha2 while the cursor is over it.
int32_t fadeTarget(const Settings& settings, bool cursorOverDialog);
// One tick of the fade: 10 closer to the target, or the target itself when that is nearer, so
// that the opacity lands on it exactly.
int32_t nextAlpha(int32_t current, int32_t target);

struct StatusValues {
    bool paused = false;
    bool remoteSession = false;
    int32_t idleCountdown = 0;
    int32_t reOnCountdown = 0;
    bool withheldByLock = false;
    std::optional<LocalTime> lastShake = std::nullopt;  // the last shake that reached Windows
};

struct StatusTexts {
    std::u16string state;      // 1009
    std::u16string idleCount;  // 1010: idle countdown / LASTMOVE
    std::u16string reOnCount;  // 1011: re-on countdown / ReOnSec
    std::u16string lastShake;  // 1066: its time, "-" before the first
};

StatusTexts statusTexts(const StatusValues& values, const Settings& settings, bool japanese);

std::vector<std::pair<int, std::u16string>> statusTooltips(bool japanese);

}  // namespace wavelith
