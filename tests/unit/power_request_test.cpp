#include "app/power_request.h"

#include "platform/simulated_desktop.h"

#include <gtest/gtest.h>

namespace wavelith {

using namespace execution_state;

TEST(PowerRequest, HeldWhileRunningDroppedWhenPausedOrRefusedAndAskedForOnlyOnAChange) {
    SimulatedDesktop desktop;
    PowerRequest request(desktop);
    Settings settings;
    settings.KeepDisplayOn = true;
    EXPECT_EQ(powerRequestFlags(settings, false, true), 0u) << "the display alone is not kept on";

    settings.KeepSystemAwake = true;
    request.hold(powerRequestFlags(settings, false, true));
    EXPECT_EQ(desktop.heldExecutionState, SystemRequired | DisplayRequired);
    request.hold(powerRequestFlags(settings, true, true));  // paused
    EXPECT_EQ(desktop.heldExecutionState, 0u);
    settings.KeepDisplayOn = false;
    request.hold(powerRequestFlags(settings, false, true));  // resumed
    request.hold(powerRequestFlags(settings, false, true));
    EXPECT_EQ(desktop.heldExecutionState, SystemRequired);
    EXPECT_EQ(desktop.executionStateCalls, 3);
    EXPECT_EQ(powerRequestFlags(settings, false, false), 0u) << "the administrator's policy wins";
    request.release();  // exit
    EXPECT_EQ(desktop.heldExecutionState, 0u);
}

}  // namespace wavelith
