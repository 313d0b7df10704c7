// The status dialog: state, countdowns and the pause box.
#pragma once

namespace wavelith {

// Runs the status dialog modally, without owner; returns when it is closed.
void runStatusDialog();
void destroyStatusDialog();
void refreshStatusDialog();

}  // namespace wavelith
