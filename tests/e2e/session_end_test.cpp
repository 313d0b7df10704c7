// Refusing the end of the session, from outside: the answers to WM_QUERYENDSESSION and the
// report after a cancelled ending, sent directly and through a real end of the Wine session.
#include "tests/e2e/harness.h"

#include <future>

namespace wavelith::e2e {

namespace {

const std::wstring kConfirmText = L"Are you sure you want to stop end of the session.";
const std::wstring kStoppedText = L"Stopped end of the session.";

// A message sent from a thread of its own, since the program may show a box that the test has
// to answer before the message returns.
class PendingSend {
public:
    PendingSend(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
        : answer_(std::async(std::launch::async, [=]() -> std::optional<LRESULT> {
              DWORD_PTR result = 0;
              if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 30000, &result))
                  return std::nullopt;
              return static_cast<LRESULT>(result);
          })) {}

    // The answer, once it has come within `timeout`.
    std::optional<LRESULT> result(milliseconds timeout = kExitDeadline) {
        if (answer_.wait_for(timeout) != std::future_status::ready) return std::nullopt;
        return answer_.get();
    }

private:
    std::future<std::optional<LRESULT>> answer_;
};

// wineboot --end-session ends the Wine session as the system ends a Windows one: it sends
// WM_QUERYENDSESSION to every window, then WM_ENDSESSION with the outcome, and exits with 1 when
// a program refused.
class SessionEnd {
public:
    SessionEnd() {
        wchar_t system[MAX_PATH] = {};
        GetSystemDirectoryW(system, MAX_PATH);
        std::wstring commandLine = L"\"" + std::wstring(system) + L"\\wineboot.exe\" --end-session";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
            ADD_FAILURE() << "cannot start wineboot, error " << GetLastError();
            return;
        }
        CloseHandle(info.hThread);
        process_ = info.hProcess;
    }
    ~SessionEnd() {
        if (!process_) return;
        if (WaitForSingleObject(process_, 30000) != WAIT_OBJECT_0) ADD_FAILURE() << "wineboot never ended";
        CloseHandle(process_);
    }
    SessionEnd(const SessionEnd&) = delete;
    SessionEnd& operator=(const SessionEnd&) = delete;

    std::optional<DWORD> exitCode(milliseconds timeout = milliseconds(20000)) const {
        DWORD code = 0;
        if (!process_ || WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0 ||
            !GetExitCodeProcess(process_, &code))
            return std::nullopt;
        return code;
    }

private:
    HANDLE process_ = nullptr;
};

// Waits for the program's message box, clicks `button` on it and checks that it said `text`.
::testing::AssertionResult answerBox(const AppProcess& app, const std::wstring& text, int button) {
    HWND box = app.waitForDialog();
    if (!box) return ::testing::AssertionFailure() << "no message box " << testing::PrintToString(text);
    std::wstring shown = dialogItemText(box, kMessageBoxTextId);
    if (!clickButton(box, button)) {
        PostMessageW(box, WM_CLOSE, 0, 0);  // so that the program and wineboot go on
        return ::testing::AssertionFailure() << "the box " << testing::PrintToString(shown) << " has no button " << button;
    }
    if (shown != text) return ::testing::AssertionFailure() << "the box says " << testing::PrintToString(shown);
    return ::testing::AssertionSuccess();
}

}  // namespace

// ---- messages sent directly ---------------------------------------------------------------------

struct QueryCase {
    const char* name;
    std::map<std::wstring, DWORD> stored;
    int confirmation;  // the answer to the confirmation, 0 when none may be asked
    LRESULT answer;
};
void PrintTo(const QueryCase& query, std::ostream* out) { *out << query.name; }

class EndSessionQueryTest : public WavelithTest, public testing::WithParamInterface<QueryCase> {};

TEST_P(EndSessionQueryTest, AnswersByTheBlockingSettings) {
    const QueryCase& query = GetParam();
    storeDwords(query.stored);
    AppProcess& app = start();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window);

    PendingSend sent(window, WM_QUERYENDSESSION, 0, 0);
    if (query.confirmation) {
        EXPECT_TRUE(answerBox(app, kConfirmText, query.confirmation));
    }
    // Without a confirmation the answer comes at once; a box would hold it back.
    EXPECT_EQ(sent.result(query.confirmation ? kExitDeadline : kInputDeadline), query.answer);
    EXPECT_FALSE(app.dialog());
    EXPECT_TRUE(app.running());
    EXPECT_EQ(app.end(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, EndSessionQueryTest,
    testing::Values(QueryCase{"NothingSet", {}, 0, TRUE},
                    QueryCase{"ConfirmAndReportWithoutBlocking",
                              {{L"DisableShutdown_Check", 1}, {L"DisableShutdown_Info", 1}}, 0, TRUE},
                    QueryCase{"Blocking", {{L"DisableShutdown", 1}}, 0, FALSE},
                    QueryCase{"BlockingConfirmedWithYes", {{L"DisableShutdown", 1}, {L"DisableShutdown_Check", 1}}, IDYES,
                              FALSE},
                    QueryCase{"BlockingDeclinedWithNo", {{L"DisableShutdown", 1}, {L"DisableShutdown_Check", 1}}, IDNO,
                              TRUE}),
    [](const testing::TestParamInfo<QueryCase>& info) { return std::string(info.param.name); });

struct CancelCase {
    const char* name;
    const wchar_t* language;
    std::map<std::wstring, DWORD> stored;
    const wchar_t* report;  // null when nothing may be shown
};
void PrintTo(const CancelCase& cancel, std::ostream* out) { *out << cancel.name; }

class CancelledEndingTest : public WavelithTest, public testing::WithParamInterface<CancelCase> {};

TEST_P(CancelledEndingTest, IsReportedOnlyWhenBlockingAndReportAreBothOn) {
    const CancelCase& cancel = GetParam();
    storeDwords(cancel.stored);
    ASSERT_TRUE(storeValue(L"NoOpeningDlg", dwordValue(1)));
    auto environment = std::make_unique<ScopedEnvironment>(L"QUELLIX_LANG", cancel.language);
    AppProcess& app = start();
    environment.reset();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window);

    PendingSend sent(window, WM_ENDSESSION, FALSE, 0);
    if (cancel.report) {
        EXPECT_TRUE(answerBox(app, cancel.report, IDOK));
    }
    EXPECT_EQ(sent.result(cancel.report ? kExitDeadline : kInputDeadline), 0);
    EXPECT_FALSE(app.dialog());
    EXPECT_TRUE(app.running()) << "a cancelled ending ended the program";
    EXPECT_EQ(app.end(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, CancelledEndingTest,
    testing::Values(
        CancelCase{"BlockingAndReport", L"EN", {{L"DisableShutdown", 1}, {L"DisableShutdown_Info", 1}},
                   L"Stopped end of the session."},
        CancelCase{"ReportWithoutBlocking", L"EN", {{L"DisableShutdown_Info", 1}}, nullptr},
        CancelCase{"BlockingWithoutReport", L"EN", {{L"DisableShutdown", 1}, {L"DisableShutdown_Check", 1}}, nullptr},
        // Japanese has a short report for a block the user confirmed and a longer one otherwise.
        CancelCase{"JapaneseAfterConfirmation",
                   L"JA",
                   {{L"DisableShutdown", 1}, {L"DisableShutdown_Check", 1}, {L"DisableShutdown_Info", 1}},
                   L"Windows のシャットダウンを止めました。"},
        CancelCase{"JapaneseWithoutConfirmation",
                   L"JA",
                   {{L"DisableShutdown", 1}, {L"DisableShutdown_Info", 1}},
                   L"セッションの終了を検出したため、拒否を返して Windows のシャットダウンを止めました。"}),
    [](const testing::TestParamInfo<CancelCase>& info) { return std::string(info.param.name); });

// ---- a real end of the Wine session -------------------------------------------------------------

using SessionEndTest = WavelithTest;

TEST_F(SessionEndTest, BlockingRefusesTheEndReportsItAndKeepsRunning) {
    storeDwords({{L"DisableShutdown", 1}, {L"DisableShutdown_Info", 1}});
    InputObserver observer;
    ASSERT_TRUE(observer.hooked());
    AppProcess& app = start();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window);

    SessionEnd ending;
    EXPECT_TRUE(answerBox(app, kStoppedText, IDOK));
    EXPECT_EQ(ending.exitCode(), 1u) << "the end of the session was not refused";
    EXPECT_TRUE(app.running());
    EXPECT_TRUE(shakesOnTimer(window, observer)) << "the program stopped working";
}

TEST_F(SessionEndTest, WithoutBlockingTheProgramSavesItsSettingsAndEnds) {
    storeDwords({{L"IntervalTimeMSec", 70000}, {L"DisableShutdown_Info", 1}});
    AppProcess& app = start();
    ASSERT_TRUE(app.waitForMainWindow());
    // Whatever is stored afterwards was written on the way out.
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);

    SessionEnd ending;
    EXPECT_EQ(ending.exitCode(), 0u);
    EXPECT_EQ(app.waitForExit(), 0u);
    EXPECT_EQ(storedValue(L"IntervalTimeMSec"), dwordValue(70000));
    EXPECT_EQ(storedValue(L"DisableShutdown_Info"), dwordValue(1));
}

TEST_F(SessionEndTest, ConfirmationAnsweredNoLetsTheSessionEnd) {
    storeDwords({{L"DisableShutdown", 1}, {L"DisableShutdown_Check", 1}, {L"DisableShutdown_Info", 1}});
    AppProcess& app = start();
    ASSERT_TRUE(app.waitForMainWindow());
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);

    SessionEnd ending;
    EXPECT_TRUE(answerBox(app, kConfirmText, IDNO));
    EXPECT_EQ(ending.exitCode(), 0u) << "the session end was refused all the same";
    EXPECT_EQ(app.waitForExit(), 0u);
    EXPECT_EQ(storedValue(L"DisableShutdown"), dwordValue(1));
    EXPECT_EQ(storedValue(L"DisableShutdown_Check"), dwordValue(1));
}

}  // namespace wavelith::e2e
