#include "platform/simulated_desktop.h"

#include <gtest/gtest.h>

namespace wavelith {

TEST(SimulatedDesktop, CursorMovesExactlyAndStaysOnTheMonitor) {
    SimulatedDesktop desktop({100, 100}, 800, 600);
    desktop.mouseEvent(mouse_flags::Move, 10, -20, 0);
    EXPECT_EQ(desktop.getCursorPos(), (Point{110, 80}));
    desktop.mouseEvent(mouse_flags::Move, INT32_MIN, INT32_MAX, 0);
    EXPECT_EQ(desktop.getCursorPos(), (Point{0, 599}));
    desktop.setCursorPos({5000, -7});
    EXPECT_EQ(desktop.getCursorPos(), (Point{799, 0}));
    desktop.mouseEvent(mouse_flags::Wheel, 50, 50, 120);
    EXPECT_EQ(desktop.getCursorPos(), (Point{799, 0})) << "only moves move";
    EXPECT_EQ(desktop.events().size(), 4u);
}

TEST(SimulatedDesktop, KeysHoldAndToggle) {
    SimulatedDesktop desktop;
    desktop.keybdEvent(virtual_keys::ScrollLock, 0);
    EXPECT_EQ(desktop.getKeyState(virtual_keys::ScrollLock), -127) << "as Windows: the key's byte widened";
    desktop.keybdEvent(virtual_keys::ScrollLock, key_flags::KeyUp);
    EXPECT_EQ(desktop.getKeyState(virtual_keys::ScrollLock), 1);
    desktop.keybdEvent(virtual_keys::Shift, 0);
    desktop.keybdEvent(virtual_keys::Shift, key_flags::KeyUp);
    EXPECT_EQ(desktop.getKeyState(virtual_keys::Shift), 0) << "Shift does not toggle";
    EXPECT_EQ(desktop.getKeyState(-1), 0);
    EXPECT_EQ(desktop.getKeyState(1000), 0);
}

}  // namespace wavelith
