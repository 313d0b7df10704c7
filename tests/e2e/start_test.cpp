// Start-up from outside: the single instance and what a second start does to the first, the
// self-check of the program file, and command lines that are odd or hostile.
#include "tests/e2e/harness.h"

#include <algorithm>

namespace wavelith::e2e {

namespace {

constexpr const wchar_t* kAlreadyRunningText = L"Wavelith is already running.";
constexpr int kAlreadyRunningTextId = 1065;
constexpr int kForceExit = 6;
constexpr const wchar_t* kDamagedText = L"The program file is damaged or has been modified";

bool contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

// The symbol table at the end of the file: the loader never looks at it, the self-check does.
void flipLastByte(std::vector<uint8_t>& bytes) { bytes.back() ^= 0x01; }

}  // namespace

using SingleInstanceTest = WavelithTest;

TEST_F(SingleInstanceTest, LowerCaseXFromASecondStartEndsTheRunningOne) {
    // Argument mode has no tray menu: the end request is its only way out.
    for (const wchar_t* firstTail : {L"", L"300 5"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(firstTail)));
        AppProcess& first = start(firstTail);
        ASSERT_TRUE(first.waitForMainWindow());
        // A question to the user would keep the second start from ending.
        EXPECT_EQ(runSecondInstance(L"/x"), 0u);
        EXPECT_EQ(first.waitForExit(), 0u);
    }
}

TEST_F(SingleInstanceTest, XAsTheFirstStartExitsWithoutAWindow) {
    AppProcess& app = start(L"/x");
    bool windowSeen = false;
    // Watch for the window for as long as the process lives.
    waitUntil([&] {
        windowSeen = windowSeen || app.mainWindow() != nullptr;
        return !app.running();
    }, kExitDeadline);
    EXPECT_EQ(app.waitForExit(milliseconds(0)), 0u);
    EXPECT_FALSE(windowSeen);
}

TEST_F(SingleInstanceTest, UnknownTailInASecondStartAsksBeforeEndingTheFirst) {
    AppProcess& first = start();
    ASSERT_TRUE(first.waitForMainWindow());

    // Cancel leaves the running instance alone; "/O" is a first-start switch and asks too.
    struct Answer {
        const wchar_t* tail;
        int button;
        bool firstEnds;
    };
    for (const Answer& answer : {Answer{L"--garbage \"quoted\" 123", IDCANCEL, false}, Answer{L"/O", kForceExit, true}}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(answer.tail)));
        AppProcess& second = start(answer.tail);
        HWND box = second.waitForDialog();
        ASSERT_TRUE(box) << "no already-running dialog";
        EXPECT_TRUE(contains(dialogItemText(box, kAlreadyRunningTextId), kAlreadyRunningText))
            << dialogItemText(box, kAlreadyRunningTextId);
        EXPECT_EQ(windowText(box), L"Wavelith");
        ASSERT_TRUE(clickButton(box, answer.button));
        EXPECT_EQ(second.waitForExit(), 0u);
        if (answer.firstEnds) {
            EXPECT_EQ(first.waitForExit(), 0u);
        } else {
            EXPECT_TRUE(first.running());
            EXPECT_TRUE(sendWithin(first.mainWindow(), WM_NULL, 0, 0)) << "the first instance stopped responding";
        }
    }
}

TEST_F(SingleInstanceTest, SecondStartSaysSoWhenTheRunningOneHasNoWindow) {
    // A damaged copy holds the single-instance mutex while it shows its message, before any
    // window exists.
    std::wstring damaged = folder().file(L"Damaged.exe");
    std::vector<uint8_t> bytes = readFileBytes(program());
    ASSERT_FALSE(bytes.empty());
    flipLastByte(bytes);
    ASSERT_TRUE(writeFileBytes(damaged, bytes));
    AppProcess& holder = startProgram(damaged, L"");
    HWND holderBox = holder.waitForDialog();
    ASSERT_TRUE(holderBox);

    struct Case {
        const wchar_t* tail;
        const wchar_t* message;
    };
    for (const Case& c : {Case{L"/P", L"FindWindow was failed."}, Case{L"/x", L"FindWindow() failed."}}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.tail)));
        AppProcess& second = start(c.tail);
        HWND box = second.waitForDialog();
        ASSERT_TRUE(box) << "no message";
        EXPECT_EQ(dialogItemText(box, kMessageBoxTextId), c.message);
        ASSERT_TRUE(clickButton(box, IDOK));
        EXPECT_EQ(second.waitForExit(), 0u);
    }
    ASSERT_TRUE(clickButton(holderBox, IDOK));
    EXPECT_EQ(holder.waitForExit(), 1u);
}

TEST_F(SingleInstanceTest, TenStartsAtOnceLeaveOneInstanceAndNoMessage) {
    // Some of the later starts find the first with its mutex taken and its window not yet made.
    std::vector<AppProcess*> starts;
    for (int i = 0; i < 10; ++i) starts.push_back(&start(L"/P"));
    std::wstring messages;
    auto runningCount = [&] {
        return std::count_if(starts.begin(), starts.end(), [](AppProcess* app) { return app->running(); });
    };
    bool settled = waitUntil([&] {
        for (AppProcess* app : starts)
            if (HWND box = app->dialog()) {
                messages += dialogItemText(box, kMessageBoxTextId) + L"\n";
                clickButton(box, IDOK);
            }
        return runningCount() == 1;
    }, 2 * kStartDeadline);
    EXPECT_EQ(messages, L"");
    ASSERT_TRUE(settled) << runningCount() << " instances still run";
    for (AppProcess* app : starts) {
        if (app->running())
            EXPECT_TRUE(app->waitForMainWindow()) << "the one left is not the running instance";
        else
            EXPECT_EQ(app->waitForExit(milliseconds(0)), 0u);
    }
}

// ---- self-check of the program file ----------------------------------------------------------

using ProgramFileCheckTest = WavelithTest;

TEST_F(ProgramFileCheckTest, IntactCopyStartsFromAnyFolder) {
    // The test's copy lives in a fresh temporary folder, away from where it was built.
    AppProcess& app = start();
    EXPECT_TRUE(app.waitForMainWindow());
}

struct Tampering {
    const char* name;
    void (*apply)(std::vector<uint8_t>& bytes);
};

void PrintTo(const Tampering& tampering, std::ostream* out) { *out << tampering.name; }

class TamperedProgramTest : public WavelithTest, public testing::WithParamInterface<Tampering> {};

TEST_P(TamperedProgramTest, RefusesToStartWithAMessageAndExitCode1) {
    std::vector<uint8_t> bytes = readFileBytes(program());
    ASSERT_GT(bytes.size(), 4096u);
    GetParam().apply(bytes);
    ASSERT_TRUE(writeFileBytes(program(), bytes));

    AppProcess& app = start();
    HWND box = nullptr;
    // A main window instead of the message would mean the check passed: no need to wait on.
    waitUntil([&] { return (box = app.dialog()) != nullptr || app.mainWindow() || !app.running(); }, kStartDeadline);
    ASSERT_TRUE(box) << "no message about the damaged file";
    std::wstring message = dialogItemText(box, kMessageBoxTextId);
    EXPECT_TRUE(contains(message, kDamagedText)) << message;
    EXPECT_EQ(windowText(box), L"Wavelith");
    EXPECT_EQ(app.mainWindow(), nullptr) << "the main window was created before the check";
    ASSERT_TRUE(clickButton(box, IDOK));
    EXPECT_EQ(app.waitForExit(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, TamperedProgramTest,
    testing::Values(
        Tampering{"LastByteFlipped", flipLastByte},
        Tampering{"DosStubTextChanged",
                  [](std::vector<uint8_t>& bytes) {
                      // "This program cannot be run in DOS mode." sits right after the DOS header.
                      static const std::string stub = "This program";
                      auto at = std::search(bytes.begin(), bytes.begin() + 512, stub.begin(), stub.end());
                      ASSERT_NE(at, bytes.begin() + 512);
                      *at = 't';
                  }},
        Tampering{"BytesAppended", [](std::vector<uint8_t>& bytes) { bytes.insert(bytes.end(), 16, 0); }}),
    [](const testing::TestParamInfo<Tampering>& info) { return std::string(info.param.name); });

// ---- odd command lines -----------------------------------------------------------------------

using CommandLineTest = WavelithTest;

TEST_F(CommandLineTest, NumbersTooBigOrNotNumbersStillStartAndEndOnRequest) {
    for (const wchar_t* tail : {L"99999999999999999999 abc", L"-99999999999999999999 99999999999999999999",
                                L"\"unterminated 5"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(tail)));
        AppProcess& app = start(tail);
        ASSERT_TRUE(app.waitForMainWindow());
        EXPECT_EQ(runSecondInstance(L"/X"), 0u);
        EXPECT_EQ(app.waitForExit(), 0u);
    }
}

TEST_F(CommandLineTest, ZeroIntervalIsANormalStartThatIgnoresThePixels) {
    InputObserver observer;
    ASSERT_TRUE(observer.hooked());
    AppProcess& app = start(L"0 5");
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window);
    std::vector<MouseBurst> bursts = injectedMouseBursts(inputFromShakeTimer(window, observer));
    ASSERT_EQ(bursts.size(), 1u);
    ASSERT_EQ(bursts[0].points.size(), 2u);
    EXPECT_EQ(bursts[0].points[0].x - bursts[0].points[1].x, 1) << "the pixel argument was taken";
    // Not argument mode, so it obeys pause commands.
    ASSERT_EQ(runSecondInstance(L"/P"), 0u);
    EXPECT_TRUE(injectedMouseBursts(inputFromShakeTimer(window, observer)).empty());
}

TEST_F(CommandLineTest, VeryLongCommandLinesAreReadWhole) {
    // Close to the 32767 characters a command line can hold.
    constexpr size_t kLength = 32000;
    {
        SCOPED_TRACE("one long unknown switch");
        AppProcess& app = start(L"/" + std::wstring(kLength, L'x'));
        ASSERT_TRUE(app.waitForMainWindow());
        EXPECT_EQ(runSecondInstance(L"/x"), 0u);
        EXPECT_EQ(app.waitForExit(), 0u);
    }
    {
        SCOPED_TRACE("an interval with thousands of leading zeros");
        InputObserver observer;
        ASSERT_TRUE(observer.hooked());
        AppProcess& app = start(std::wstring(kLength, L'0') + L"300 4");
        ASSERT_TRUE(app.waitForMainWindow());
        ASSERT_TRUE(observer.waitFor([](const auto& events) { return injectedMouseBursts(events).size() >= 2; }));
        std::vector<MouseBurst> bursts = injectedMouseBursts(observer.events());
        ASSERT_EQ(bursts[0].points.size(), 2u);
        EXPECT_EQ(bursts[0].points[0].x - bursts[0].points[1].x, 4);
        EXPECT_EQ(runSecondInstance(L"/x"), 0u);
        EXPECT_EQ(app.waitForExit(), 0u);
    }
}

}  // namespace wavelith::e2e
