#include "app/status_form.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace wavelith {

namespace {

// Every alpha the dialog shows from `from` until it rests at `target`, `from` included.
std::vector<int32_t> fade(int32_t from, int32_t target) {
    std::vector<int32_t> seen{from};
    while (seen.back() != target && seen.size() < 100) seen.push_back(nextAlpha(seen.back(), target));
    return seen;
}

}  // namespace

TEST(StatusForm, OpacityFadesInStepsOfTenAndLandsOnTheTarget) {
    std::vector<int32_t> up = fade(100, 255);
    ASSERT_EQ(up.size(), 17u) << "16 ticks from 100 to 255";
    for (size_t i = 0; i < 16; ++i) EXPECT_EQ(up[i], 100 + 10 * static_cast<int32_t>(i));
    EXPECT_EQ(up.back(), 255);

    std::vector<int32_t> down = fade(255, 0);
    EXPECT_EQ(down.size(), 27u) << "26 ticks from 255 to 0";
    EXPECT_EQ(down[25], 5);
    EXPECT_EQ(down.back(), 0);

    EXPECT_EQ(nextAlpha(120, 120), 120);
    EXPECT_EQ(nextAlpha(120, 129), 129);
    EXPECT_EQ(nextAlpha(120, 130), 130);
    EXPECT_EQ(nextAlpha(120, 111), 111);

    Settings settings;
    settings.OpenShowDlgAlpha = 100;
    settings.OpenShowDlgAlpha2 = 200;
    EXPECT_EQ(fadeTarget(settings, true), 200);
    EXPECT_EQ(fadeTarget(settings, false), 100);
}

TEST(StatusForm, RememberedPositionCountsOnlyOnAMonitor) {
    const std::vector<Rect> one{{0, 0, 1024, 700}};
    EXPECT_EQ(statusDialogPosition({0, 0}, one), (Point{0, 0}));
    EXPECT_EQ(statusDialogPosition({1024, 700}, one), (Point{1024, 700})) << "the far edges are on it";
    EXPECT_EQ(statusDialogPosition({1025, 10}, one), std::nullopt);
    EXPECT_EQ(statusDialogPosition({10, 701}, one), std::nullopt);
    EXPECT_EQ(statusDialogPosition({-1, 10}, one), std::nullopt);
    EXPECT_EQ(statusDialogPosition({32000, 32000}, one), std::nullopt);
    EXPECT_EQ(statusDialogPosition({INT32_MIN, INT32_MAX}, one), std::nullopt);
    EXPECT_EQ(statusDialogPosition({10, 10}, {}), std::nullopt) << "no monitor known";

    // A second monitor to the left, higher up: its points count, the gap below it does not.
    const std::vector<Rect> two{{0, 0, 1920, 1080}, {-1280, -200, 0, 824}};
    EXPECT_EQ(statusDialogPosition({-1280, -200}, two), (Point{-1280, -200}));
    EXPECT_EQ(statusDialogPosition({-100, 900}, two), std::nullopt);
    // After that monitor is removed, its point leaves the dialog centred.
    EXPECT_EQ(statusDialogPosition({-1280, -200}, {two[0]}), std::nullopt);
}

TEST(StatusForm, StateTextFollowsPauseAndRemoteSession) {
    Settings settings;
    settings.LASTMOVE = 60;
    settings.ReOnSec = 30;
    StatusTexts running = statusTexts({false, false, 42, -3}, settings, false);
    EXPECT_EQ(running.state, u"Running");
    EXPECT_EQ(running.idleCount, u"42/60");
    EXPECT_EQ(running.reOnCount, u"-3/30");

    EXPECT_EQ(statusTexts({true, true, 0, 0}, settings, false).state, u"Stopped") << "a pause outranks the session";
    EXPECT_EQ(statusTexts({false, true, 0, 0}, settings, false).state, u"Stopped(RemoteSession)");
    EXPECT_EQ(statusTexts({false, true, 0, 0}, settings, true).state, u"リモート接続中のため停止");
    EXPECT_EQ(statusTexts({true, false, 0, 0}, settings, true).state, u"一時停止中");

    // Keyboard emulation goes on in a remote session.
    settings.MouseMovePixel = 0;
    EXPECT_EQ(statusTexts({false, true, 0, 0}, settings, false).state, u"Running");
    EXPECT_EQ(statusTexts({false, true, 0, 0}, settings, true).state, u"動作中");

    // A lock holds keyboard emulation back too; a pause the user made still reads as a pause.
    EXPECT_EQ(statusTexts({false, true, 0, 0, true}, settings, false).state, u"Stopped(Locked)");
    EXPECT_EQ(statusTexts({false, false, 0, 0, true}, settings, true).state, u"ロック中のため停止");
    EXPECT_EQ(statusTexts({true, false, 0, 0, true}, settings, false).state, u"Stopped");
    EXPECT_EQ(statusTexts({}, settings, false).lastShake, u"-");
}

}  // namespace wavelith
