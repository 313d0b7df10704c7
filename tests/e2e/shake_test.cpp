// Shaking as seen from outside: the input an argument-mode start produces on its own timer,
// and how pause commands from other instances switch a normal start's shakes on and off.
#include "tests/e2e/harness.h"

#include <algorithm>

namespace wavelith::e2e {

namespace {

bool isShift(DWORD virtualKey) { return virtualKey == VK_SHIFT || virtualKey == VK_LSHIFT; }

size_t countMouseBursts(const std::vector<InputEvent>& events) { return injectedMouseBursts(events).size(); }

// A basic shake: a move by `pixels` to the right and straight back to where it started.
void expectThereAndBack(const MouseBurst& burst, int pixels) {
    ASSERT_EQ(burst.points.size(), 2u) << "a basic shake is two relative moves";
    EXPECT_EQ(burst.points[0].x - burst.points[1].x, pixels);
    EXPECT_EQ(burst.points[0].y, burst.points[1].y);
}

}  // namespace

using ArgumentModeTest = WavelithTest;

TEST_F(ArgumentModeTest, IntervalAndPixelsFromTheCommandLineDriveTheShakes) {
    InputObserver observer;
    ASSERT_TRUE(observer.hooked());
    AppProcess& app = start(L"300 5");
    ASSERT_TRUE(app.waitForMainWindow());

    constexpr size_t kBursts = 6;
    ASSERT_TRUE(observer.waitFor([](const auto& events) { return countMouseBursts(events) >= kBursts; },
                                 milliseconds(10000)))
        << "only " << countMouseBursts(observer.events()) << " shakes";
    std::vector<InputEvent> events = observer.events();
    EXPECT_EQ(std::count_if(events.begin(), events.end(),
                            [](const InputEvent& e) { return e.injected() && e.message != WM_MOUSEMOVE; }),
              0)
        << "injected input other than mouse moves";

    std::vector<MouseBurst> bursts = injectedMouseBursts(events);
    bursts.pop_back();  // the last may still be arriving
    std::vector<long long> gaps;
    for (size_t i = 0; i < bursts.size(); ++i) {
        SCOPED_TRACE("shake " + std::to_string(i));
        expectThereAndBack(bursts[i], 5);
        if (i > 0)
            gaps.push_back(std::chrono::duration_cast<milliseconds>(bursts[i].start - bursts[i - 1].start).count());
    }
    // Whether the interval is 300 ms, not how exactly the timer keeps it.
    std::sort(gaps.begin(), gaps.end());
    long long median = gaps[gaps.size() / 2];
    EXPECT_GE(median, 150);
    EXPECT_LE(median, 900);
}

TEST_F(ArgumentModeTest, ZeroPixelsTapsShiftInsteadOfMovingTheMouse) {
    InputObserver observer;
    ASSERT_TRUE(observer.hooked());
    AppProcess& app = start(L"300 0");
    ASSERT_TRUE(app.waitForMainWindow());

    auto shiftUps = [](const std::vector<InputEvent>& events) {
        return std::count_if(events.begin(), events.end(),
                             [](const InputEvent& e) { return e.isKeyUp() && isShift(e.virtualKey); });
    };
    ASSERT_TRUE(observer.waitFor([&](const auto& events) { return shiftUps(events) >= 3; }, milliseconds(10000)))
        << "only " << shiftUps(observer.events()) << " Shift taps among " << observer.events().size() << " events";
    ASSERT_TRUE(observer.sync());

    bool down = false;
    for (const InputEvent& event : observer.events()) {
        // Wine reports the X pointer now and then as a real move: only injected moves are ours.
        if (event.isMouse()) {
            ASSERT_FALSE(event.injected()) << "keyboard emulation moved the mouse";
            continue;
        }
        EXPECT_TRUE(event.injected());
        EXPECT_TRUE(isShift(event.virtualKey)) << "key " << event.virtualKey;
        // Each tap is a press and a release, so Shift is never left held.
        EXPECT_EQ(event.isKeyDown(), !down);
        down = event.isKeyDown();
    }
}

TEST_F(ArgumentModeTest, PauseCommandsFromASecondStartAreIgnored) {
    InputObserver observer;
    ASSERT_TRUE(observer.hooked());
    AppProcess& app = start(L"300 5");
    ASSERT_TRUE(app.waitForMainWindow());
    ASSERT_TRUE(observer.waitFor([](const auto& events) { return countMouseBursts(events) >= 1; }))
        << "no shake at all";

    for (const wchar_t* pause : {L"/P", L"/P:OFF"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(pause)));
        EXPECT_EQ(runSecondInstance(pause), 0u);
        observer.clear();
        EXPECT_TRUE(observer.waitFor([](const auto& events) { return countMouseBursts(events) >= 2; }))
            << "a pause command stopped argument mode";
    }
    EXPECT_TRUE(app.running());
}

// A normal start shakes only every 50 s, so these tests fire its shake timer themselves.
using PauseCommandTest = WavelithTest;

TEST_F(PauseCommandTest, SecondInstanceSwitchesShakingOffAndOn) {
    InputObserver observer;
    ASSERT_TRUE(observer.hooked());
    AppProcess& app = start();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window);
    ASSERT_TRUE(shakesOnTimer(window, observer)) << "a normal start does not shake on its timer";
    std::vector<MouseBurst> bursts = injectedMouseBursts(observer.events());
    ASSERT_EQ(bursts.size(), 1u);
    expectThereAndBack(bursts[0], 1);  // the built-in distance

    struct Step {
        const wchar_t* tail;
        bool shakesAfter;
    };
    const Step steps[] = {
        {L"/P", false},     {L"/P", true},     // toggles
        {L"/P:ON", true},                      // already running: nothing changes
        {L"/p:off", false}, {L"/P:OFF", false},  // turning off twice stays off
        {L"/p:on", true},
        {L"/P2", false},    {L"/Pause", true},  // any other tail starting with /P toggles
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(step.tail)));
        ASSERT_EQ(runSecondInstance(step.tail), 0u);
        EXPECT_EQ(shakesOnTimer(window, observer), step.shakesAfter);
    }
    EXPECT_TRUE(app.running());
}

struct FirstStart {
    const char* name;
    const wchar_t* tail;
    bool startsPaused;
};
void PrintTo(const FirstStart& start, std::ostream* out) { *out << start.name; }

class FirstStartPauseTest : public WavelithTest, public testing::WithParamInterface<FirstStart> {};

TEST_P(FirstStartPauseTest, StartsPausedOnlyForPAndPOff) {
    auto [name, tail, startsPaused] = GetParam();
    InputObserver observer;
    ASSERT_TRUE(observer.hooked());
    AppProcess& app = start(tail);
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window);
    EXPECT_EQ(shakesOnTimer(window, observer), !startsPaused);
    ASSERT_EQ(runSecondInstance(L"/P"), 0u);
    EXPECT_EQ(shakesOnTimer(window, observer), startsPaused);
}

INSTANTIATE_TEST_SUITE_P(Tails, FirstStartPauseTest,
                         testing::Values(FirstStart{"P", L"/P", true}, FirstStart{"LowerCasePOff", L"/p:off", true},
                                         FirstStart{"LowerCasePOn", L"/p:on", false},
                                         FirstStart{"P2", L"/P2", false}),
                         [](const testing::TestParamInfo<FirstStart>& info) { return std::string(info.param.name); });

}  // namespace wavelith::e2e
