// Scripts as the shake (mode 12), seen from outside: when runs start and stop, as the input
// their MOVEMOUSE calls produce, and what they show in the shell.
#include "tests/e2e/harness.h"

#include <commctrl.h>

#include <algorithm>

namespace wavelith::e2e {

namespace {

const std::wstring kSuspensionNotice =
    L"Script execution will be suspended for 10 seconds. Select 'Pause' from the notification area icon menu to "
    L"stop script.(If you close this notification with the middle mouse button, this notification will not be "
    L"shown again next time.)";

// One run, one burst of two moves: by 3 pixels to the right and back.
const std::wstring kShakeScript = L"MOVEMOUSE(3, 0)\r\nMOVEMOUSE(-3, 0)\r\n";
// A run that moves the pointer back and forth until it is stopped.
const std::wstring kEndlessShakeScript = L"LOOP {\r\n  MOVEMOUSE(3, 0)\r\n  MOVEMOUSE(-3, 0)\r\n  SLEEP(50)\r\n}\r\n";

bool isInjectedMove(const InputEvent& event) {
    return event.isMouse() && event.message == WM_MOUSEMOVE && event.injected();
}

std::optional<Clock::time_point> firstInjectedMove(const std::vector<InputEvent>& events) {
    for (const InputEvent& event : events)
        if (isInjectedMove(event)) return event.when;
    return std::nullopt;
}

std::optional<Clock::time_point> lastInjectedMove(const std::vector<InputEvent>& events) {
    std::optional<Clock::time_point> last;
    for (const InputEvent& event : events)
        if (isInjectedMove(event)) last = event.when;
    return last;
}

// Waits until the script's input has stopped: no injected move for half a second, ten times the
// endless script's pause.
bool waitForQuiet(const InputObserver& observer, milliseconds timeout = milliseconds(5000)) {
    return waitUntil(
        [&] {
            std::optional<Clock::time_point> last = lastInjectedMove(observer.events());
            return !last || Clock::now() - *last >= milliseconds(500);
        },
        timeout);
}

long long millisecondsBetween(Clock::time_point earlier, Clock::time_point later) {
    return std::chrono::duration_cast<milliseconds>(later - earlier).count();
}

// Ends the start's suspension and fires the first run; the main window once the run shows as
// input, else null.
HWND startFirstRun(AppProcess& app, InputObserver& observer) {
    HWND window = app.waitForMainWindow();
    if (!window || !endScriptSuspension(window)) return nullptr;
    observer.clear();
    if (!fireShakeTimer(window)) return nullptr;
    if (!observer.waitFor([](const auto& events) { return firstInjectedMove(events).has_value(); })) return nullptr;
    return window;
}

}  // namespace

using ScriptRunTest = WavelithTest;

TEST_F(ScriptRunTest, RunsWaitTenSecondsAfterTheStartThenComeOncePerInterval) {
    constexpr long long kInterval = 500;
    storeScriptMode(kShakeScript, kInterval);
    InputObserver observer;
    ASSERT_TRUE(observer.hooked());
    const Clock::time_point started = Clock::now();
    AppProcess& app = start();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window);
    std::optional<Balloon> notice = waitForBalloonText(kSuspensionNotice);
    ASSERT_TRUE(notice) << "no notice of the suspension at start";
    EXPECT_EQ(balloonIcon(*notice), TTI_INFO);

    constexpr size_t kRuns = 4;
    ASSERT_TRUE(observer.waitFor([](const auto& events) { return injectedMouseBursts(events).size() >= kRuns; },
                                 milliseconds(20000)))
        << "only " << injectedMouseBursts(observer.events()).size() << " runs";
    std::vector<MouseBurst> bursts = injectedMouseBursts(observer.events());
    EXPECT_GE(millisecondsBetween(started, bursts[0].start), 10000) << "a run during the suspension";
    bursts.pop_back();  // the last may still be arriving
    for (size_t i = 0; i < bursts.size(); ++i) {
        SCOPED_TRACE("run " + std::to_string(i));
        ASSERT_EQ(bursts[i].points.size(), 2u);
        EXPECT_EQ(bursts[i].points[0].x - bursts[i].points[1].x, 3);
        if (i == 0) continue;
        // Whether every interval runs the script once, not how exactly the timer keeps time.
        long long gap = millisecondsBetween(bursts[i - 1].start, bursts[i].start);
        EXPECT_GE(gap, kInterval / 2);
        EXPECT_LE(gap, kInterval * 3 / 2);
    }
}

// A run that heeds stop requests, and one whose SLEEP no stop request reaches.
struct EndlessScript {
    const char* name;
    const wchar_t* script;
    bool stoppable;
};
void PrintTo(const EndlessScript& script, std::ostream* out) { *out << script.name; }

class EndlessScriptTest : public WavelithTest, public testing::WithParamInterface<EndlessScript> {};

TEST_P(EndlessScriptTest, ProgramStillExitsPromptlyAndSavesItsSettings) {
    storeScriptMode(GetParam().script);
    InputObserver observer;
    ASSERT_TRUE(observer.hooked());
    AppProcess& app = start();
    HWND window = startFirstRun(app, observer);
    ASSERT_TRUE(window) << "the run did not start";
    // Whatever is stored now was written by the exit.
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);

    ASSERT_TRUE(PostMessageW(window, WM_DESTROY, 0, 0));
    // The exit waits at most 2 s for the worker: a run that heeds the stop request ends the
    // process within that; one that cannot is left behind, with some slack for Wine.
    const milliseconds deadline = GetParam().stoppable ? milliseconds(2000) : milliseconds(6000);
    EXPECT_EQ(app.waitForExit(deadline), 0u) << "no clean exit within " << deadline.count() << " ms";
    EXPECT_EQ(storedValue(L"qx_script"), stringValue(GetParam().script));
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, EndlessScriptTest,
    testing::Values(EndlessScript{"Loop", kEndlessShakeScript.c_str(), true},
                    EndlessScript{"LongSleep", L"MOVEMOUSE(3, 0)\r\nMOVEMOUSE(-3, 0)\r\nSLEEP(600000)\r\n", false}),
    [](const testing::TestParamInfo<EndlessScript>& info) { return std::string(info.param.name); });

TEST_F(ScriptRunTest, SleepStopsTheRunAndWakeHoldsTheNextOneBackTenSeconds) {
    storeScriptMode(kEndlessShakeScript);
    InputObserver observer;
    ASSERT_TRUE(observer.hooked());
    AppProcess& app = start();
    HWND window = startFirstRun(app, observer);
    ASSERT_TRUE(window) << "the run did not start";
    // An expiry during the run must start nothing; a second worker would leave the first one
    // running through the sleep.
    ASSERT_TRUE(fireShakeTimer(window));

    auto powerEvent = [&](WPARAM event) {
        DWORD_PTR result = 0;
        EXPECT_TRUE(SendMessageTimeoutW(window, WM_POWERBROADCAST, event, 0, SMTO_NORMAL, 5000, &result));
        EXPECT_EQ(result, static_cast<DWORD_PTR>(TRUE)) << "power event " << event;
    };
    powerEvent(PBT_APMSUSPEND);
    ASSERT_TRUE(waitForQuiet(observer)) << "the run went on through the sleep";
    observer.clear();
    ASSERT_TRUE(fireShakeTimer(window));  // held back while asleep
    powerEvent(PBT_APMRESUMESUSPEND);
    // The shell shows a balloon 2 s after it is asked to, so the second wake signal below comes
    // that much later: it must restart the 10 s.
    EXPECT_TRUE(waitForBalloon(kSuspensionNotice)) << "no notice of the suspension after the wake";
    const Clock::time_point lastWake = Clock::now();
    powerEvent(PBT_APMRESUMEAUTOMATIC);

    bool ranAgain = waitUntil(
        [&] {
            if (firstInjectedMove(observer.events())) return true;
            fireShakeTimer(window);
            return false;
        },
        milliseconds(20000));
    ASSERT_TRUE(ranAgain) << "no run after the wake";
    EXPECT_GE(millisecondsBetween(lastWake, *firstInjectedMove(observer.events())), 10000)
        << "a run within 10 s of the wake";
}

TEST_F(ScriptRunTest, AnEndOfSessionThatIsAllowedStopsTheRun) {
    storeScriptMode(kEndlessShakeScript);
    InputObserver observer;
    ASSERT_TRUE(observer.hooked());
    AppProcess& app = start();
    HWND window = startFirstRun(app, observer);
    ASSERT_TRUE(window) << "the run did not start";

    DWORD_PTR allowed = 0;
    ASSERT_TRUE(SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 5000, &allowed));
    EXPECT_EQ(allowed, static_cast<DWORD_PTR>(TRUE));
    ASSERT_TRUE(waitForQuiet(observer)) << "the run went on after the end of the session was allowed";
    // The run has ended, not merely paused: the next expiry starts a new one.
    observer.clear();
    EXPECT_TRUE(fireShakeTimer(window));
    EXPECT_TRUE(observer.waitFor([](const auto& events) { return firstInjectedMove(events).has_value(); }))
        << "no new run after the stopped one";
}

TEST_F(ScriptRunTest, PausingLetsARunInProgressGoOn) {
    storeScriptMode(kEndlessShakeScript);
    InputObserver observer;
    ASSERT_TRUE(observer.hooked());
    AppProcess& app = start();
    HWND window = startFirstRun(app, observer);
    ASSERT_TRUE(window) << "the run did not start";

    ASSERT_EQ(runSecondInstance(L"/P:OFF"), 0u);
    observer.clear();
    EXPECT_TRUE(observer.waitFor([](const auto& events) {
        return std::count_if(events.begin(), events.end(), isInjectedMove) >= 6;
    })) << "the pause stopped the run";

    // The pause did take: once the run is stopped, an expiry starts no new one.
    ASSERT_TRUE(sendWithin(window, WM_QUERYENDSESSION, 0, 0));
    ASSERT_TRUE(waitForQuiet(observer));
    observer.clear();
    ASSERT_TRUE(fireShakeTimer(window));
    EXPECT_FALSE(observer.waitFor([](const auto& events) { return firstInjectedMove(events).has_value(); },
                                  milliseconds(1000)))
        << "a run started while paused";
}

TEST_F(ScriptRunTest, NoNotifyScriptSuspendKeepsTheNoticeAwayAtStartAndWake) {
    storeScriptMode(kShakeScript);
    ASSERT_TRUE(storeValue(L"NoNotifyScriptSuspend", dwordValue(1)));
    AppProcess& app = start();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window);
    ASSERT_TRUE(sendWithin(window, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0));
    // The shell shows a balloon 2 s after it is asked to.
    EXPECT_FALSE(waitForBalloonText(kSuspensionNotice, milliseconds(3000)));
}

using ScriptNoticeTest = WavelithTest;

TEST_F(ScriptNoticeTest, ASyntaxErrorShowsTheParserReportAsAnErrorBalloon) {
    storeScriptMode(L"x = 1\r\nx = = 2\r\n");
    AppProcess& app = start();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window);
    ASSERT_TRUE(endScriptSuspension(window));
    ASSERT_TRUE(fireShakeTimer(window));
    std::optional<Balloon> report =
        waitForBalloonWhere([](const Balloon& balloon) { return balloon.text.find(L"parse error") != std::wstring::npos; });
    ASSERT_TRUE(report) << "no report of the syntax error";
    EXPECT_EQ(report->text, L"line 2, col 5: parse error (got '=')\n   2 | x = = 2\r\n           ^");
    EXPECT_EQ(balloonIcon(*report), TTI_ERROR);
    EXPECT_TRUE(app.running());
}

TEST_F(ScriptNoticeTest, ShellNotifyShowsTheKindItIsGivenAndOtherCallsSayTheyAreUnknown) {
    const std::wstring longText(300, L'w');
    struct Step {
        std::wstring call;
        std::wstring text;
        int icon;
    };
    const std::vector<Step> steps = {
        {L"CB.ShellNotify(\"hi\", 2)", L"hi", TTI_WARNING},
        {L"cb.shellnotify(42)", L"42", TTI_NONE},
        {L"CB.ShellNotify(\"kind as text\", \"3\")", L"kind as text", TTI_ERROR},
        {L"CB.ShellNotify(\"kind out of range\", 5)", L"kind out of range", TTI_NONE},
        {L"CB.ShellNotify(\"" + longText + L"\", 1)", longText.substr(0, 255), TTI_INFO},
        {L"CB.Beep(1)", L"Unknown application provided function: CB.BEEP(args:1)", TTI_ERROR},
        {L"CB.ShellNotify(\"a\", 1, 2)", L"Unknown application provided function: CB.SHELLNOTIFY(args:3)", TTI_ERROR},
    };
    // Each call waits on a message box, so that the test sees every balloon before the next
    // replaces it.
    std::wstring script;
    for (const Step& step : steps) script += step.call + L"\r\nMESSAGE(\"next\")\r\n";
    storeScriptMode(script);
    AppProcess& app = start();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window);
    ASSERT_TRUE(endScriptSuspension(window));
    ASSERT_TRUE(fireShakeTimer(window));

    for (const Step& step : steps) {
        SCOPED_TRACE(testing::PrintToString(step.call));
        std::optional<Balloon> shown = waitForBalloonText(step.text);
        ASSERT_TRUE(shown) << "no balloon; on show: " << testing::PrintToString(visibleBalloons());
        EXPECT_EQ(balloonIcon(*shown), step.icon);
        HWND box = app.waitForDialog();
        ASSERT_TRUE(box) << "the script did not go on to its message box";
        EXPECT_EQ(dialogItemText(box, kMessageBoxTextId), L"next");
        ASSERT_TRUE(clickButton(box, IDOK));
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(box); }, kInputDeadline));
    }
}

}  // namespace wavelith::e2e
