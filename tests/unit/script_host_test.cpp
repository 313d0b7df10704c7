#include "app/script_host_logic.h"

#include <gtest/gtest.h>

#include <new>
#include <vector>

namespace wavelith {

namespace {

struct Notice {
    std::u16string text;
    NoticeKind kind;
};

class RecordedHostEffects : public ScriptHostEffects {
public:
    void showNotice(std::u16string_view text, NoticeKind kind) override {
        notices.push_back({std::u16string(text), kind});
    }
    void startSuspensionTimer(uint32_t milliseconds) override { timerStarts.push_back(milliseconds); }
    void killSuspensionTimer() override { ++timerKills; }
    bool startWorker() override {
        ++workersStarted;
        return threadsAvailable;
    }
    std::vector<Notice> notices;
    std::vector<uint32_t> timerStarts;
    int timerKills = 0;
    int workersStarted = 0;
    bool threadsAvailable = true;
};

struct ScriptHostFixture : ::testing::Test {
    Settings settings;
    RecordedHostEffects effects;
    ScriptHost host{settings, effects, false};

    void callApp(std::u16string name, std::vector<script::AppValue> args) {
        script::AppValue result;
        script::AppCallRecord call;
        call.name = std::move(name);
        call.args = args.empty() ? nullptr : args.data();
        call.argCount = static_cast<int32_t>(args.size());
        call.result = &result;
        host.appFunction(call);
    }
    static script::AppValue text(std::u16string value) { return {1, 0, std::move(value)}; }
    static script::AppValue number(int32_t value) { return {0, value, {}}; }
};

}  // namespace

TEST_F(ScriptHostFixture, EmptyScriptStartsNoWorker) {
    host.startRun();
    EXPECT_EQ(effects.workersStarted, 0);
    EXPECT_FALSE(host.runInProgress());
}

TEST_F(ScriptHostFixture, OneRunAtATimeAndExpiriesMeanwhileStartNothing) {
    settings.qx_script = u"SLEEP(100000)";
    host.startRun();
    host.startRun();
    EXPECT_EQ(effects.workersStarted, 1);
    EXPECT_TRUE(host.runInProgress());
    host.runOnWorker([](const char16_t*, const script::ScriptHostCallbacks*) { return 0; }, {});
    EXPECT_FALSE(host.runInProgress());
    host.startRun();
    EXPECT_EQ(effects.workersStarted, 2);
}

TEST_F(ScriptHostFixture, NoThreadMeansNoRunInProgress) {
    settings.qx_script = u"EXIT";
    effects.threadsAvailable = false;
    host.startRun();
    EXPECT_FALSE(host.runInProgress()) << "the next expiry tries again";
}

TEST_F(ScriptHostFixture, WorkerRunsAPrivateCopyWithTheHostsCallbacks) {
    settings.qx_script = u"MSGBOX(1)";
    host.startRun();
    std::u16string seen;
    int japanese = -1;
    host.runOnWorker(
        [&](const char16_t* text, const script::ScriptHostCallbacks* callbacks) {
            seen = text;
            japanese = callbacks->japanese;
            callbacks->messageSink(101, 3, u"syntax error");
            return callbacks->stopPoll(1);
        },
        {});
    EXPECT_EQ(seen, u"MSGBOX(1)");
    EXPECT_EQ(japanese, 0);
    ASSERT_EQ(effects.notices.size(), 1u);
    EXPECT_EQ(effects.notices[0].text, u"syntax error");
    EXPECT_EQ(effects.notices[0].kind, NoticeKind::Error);
}

TEST(ScriptHost, NoMemoryForTheCopyEndsTheAttemptWithANotice) {
    struct HostWithoutMemory : ScriptHost {
        using ScriptHost::ScriptHost;
        std::u16string copyScript() const override { throw std::bad_alloc(); }
    };
    Settings settings;
    settings.qx_script = u"MOVEMOUSE(1, 0)";
    RecordedHostEffects effects;
    HostWithoutMemory host(settings, effects, true);
    host.startRun();
    bool ran = false;
    host.runOnWorker([&](const char16_t*, const script::ScriptHostCallbacks*) { return ran = true, 0; }, {});
    EXPECT_FALSE(ran);
    EXPECT_FALSE(host.runInProgress()) << "the next shake may try again";
    ASSERT_EQ(effects.notices.size(), 1u);
    EXPECT_EQ(effects.notices[0].text, u"メモリが足りないため、スクリプトを実行用にコピーできませんでした。");
    EXPECT_EQ(effects.notices[0].kind, NoticeKind::Error);
}

TEST_F(ScriptHostFixture, StopRequestsReachTheNextPollOnce) {
    host.requestStop();
    EXPECT_EQ(host.stopPoll(1), 0) << "no run: nothing to stop";
    settings.qx_script = u"LOOP";
    host.startRun();
    host.requestStop();
    EXPECT_EQ(host.stopPoll(1), 1);
    EXPECT_EQ(host.stopPoll(2), 0) << "the poll clears the request";

    host.requestStopAlways();
    host.runOnWorker([](const char16_t*, const script::ScriptHostCallbacks*) { return 0; }, {});
    host.startRun();
    EXPECT_EQ(host.stopPoll(1), 0) << "a start clears a request left over";
}

TEST_F(ScriptHostFixture, SuspensionAtStartAndAfterWake) {
    settings.Intelligibility = 12;
    host.startSuspension();
    EXPECT_TRUE(host.suspended());
    EXPECT_EQ(effects.timerStarts, (std::vector<uint32_t>{10000}));
    ASSERT_EQ(effects.notices.size(), 1u);
    EXPECT_EQ(effects.notices[0].kind, NoticeKind::Information);
    EXPECT_NE(effects.notices[0].text.find(u"suspended for 10 seconds"), std::u16string::npos);
    host.onSuspensionTimer();
    EXPECT_FALSE(host.suspended());

    settings.qx_script = u"LOOP";
    host.startRun();
    host.onPowerBroadcast(power_events::Suspend);
    EXPECT_TRUE(host.suspended());
    EXPECT_EQ(host.stopPoll(1), 1) << "a run is asked to stop when the machine sleeps";
    host.onPowerBroadcast(power_events::ResumeAutomatic);
    EXPECT_EQ(effects.timerStarts.size(), 2u);
    EXPECT_EQ(effects.notices.size(), 2u);
    host.onPowerBroadcast(10);  // any other power event does nothing
    EXPECT_EQ(effects.timerStarts.size(), 2u);
}

TEST_F(ScriptHostFixture, SuspensionNoticeCanBeSwitchedOff) {
    settings.NoNotifyScriptSuspend = true;
    settings.Intelligibility = 12;
    host.startSuspension();
    host.onPowerBroadcast(power_events::ResumeSuspend);
    EXPECT_TRUE(effects.notices.empty());
    EXPECT_EQ(effects.timerStarts.size(), 2u);
}

TEST_F(ScriptHostFixture, ShellNotifyKinds) {
    callApp(u"SHELLNOTIFY", {text(u"hi")});
    callApp(u"ShellNotify", {text(u"warn"), number(2)});
    callApp(u"shellnotify", {number(42), text(u"3")});
    callApp(u"SHELLNOTIFY", {text(u"odd"), number(5)});
    ASSERT_EQ(effects.notices.size(), 4u);
    EXPECT_EQ(effects.notices[0].kind, NoticeKind::None);
    EXPECT_EQ(effects.notices[1].kind, NoticeKind::Warning);
    EXPECT_EQ(effects.notices[2].text, u"42");
    EXPECT_EQ(effects.notices[2].kind, NoticeKind::Error);
    EXPECT_EQ(effects.notices[3].kind, NoticeKind::None);
}

TEST_F(ScriptHostFixture, UnknownApplicationFunctionsAreReported) {
    callApp(u"BEEP", {number(1)});
    callApp(u"SHELLNOTIFY", {});
    callApp(u"SHELLNOTIFY", {text(u"a"), text(u"b"), text(u"c")});
    ASSERT_EQ(effects.notices.size(), 3u);
    EXPECT_EQ(effects.notices[0].text, u"Unknown application provided function: CB.BEEP(args:1)");
    EXPECT_EQ(effects.notices[1].text, u"Unknown application provided function: CB.SHELLNOTIFY(args:0)");
    EXPECT_EQ(effects.notices[2].text, u"Unknown application provided function: CB.SHELLNOTIFY(args:3)");
    for (const Notice& notice : effects.notices) EXPECT_EQ(notice.kind, NoticeKind::Error);
}

}  // namespace wavelith
