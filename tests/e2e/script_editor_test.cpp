// The script editor as a user meets it: opened from the settings dialog, files of every common
// encoding loaded through the file chooser, a save as UTF-8 with its mark, a file that is no
// script refused, and the new text becoming the stored script once the settings are confirmed.
#include "tests/e2e/dialog_steps.h"

namespace wavelith::e2e {

namespace {

constexpr int kEditScript = 1061;
constexpr int kScriptText = 1062;
constexpr int kLoad = 10;
constexpr int kSave = 11;
constexpr int kChooserFileName = 1148;

std::wstring scriptText(HWND editor) { return dialogItemText(editor, kScriptText); }

std::vector<uint8_t> bytesOf(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

// Names `path` in the chooser that `button` opens, as a user typing it would, and takes it.
bool chooseThrough(const AppProcess& app, HWND editor, int button, const wchar_t* chooserCaption,
                   const std::wstring& path) {
    press(editor, button);
    HWND chooser = app.waitForDialogTitled(chooserCaption, kInputDeadline);
    if (!chooser) return false;
    sendWithin(GetDlgItem(chooser, kChooserFileName), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    return clickButton(chooser, IDOK) && waitUntil([&] { return !IsWindow(chooser); }, kInputDeadline);
}

const std::wstring kStoredScript = L"MOVEMOUSE(3, 0)\r\nMOVEMOUSE(-3, 0)\r\n";

}  // namespace

class ScriptEditorTest : public WavelithTest {
protected:
    // Starts the program in the script mode with kStoredScript and opens the editor from the
    // settings dialog.
    HWND startWithEditor() {
        storeScriptMode(kStoredScript);
        app_ = &start();
        if (!app_->waitForMainWindow()) return nullptr;
        PostMessageW(app_->mainWindow(), kControlMessage, 32772, 0);
        if (!settings()) return nullptr;
        press(settings(), kEditScript);
        return app_->waitForDialogTitled(L"Edit DO-Rozude");
    }
    const AppProcess& app() const { return *app_; }
    HWND settings() const { return app_->waitForDialogTitled(L"Settings - Wavelith"); }

private:
    AppProcess* app_ = nullptr;
};

TEST_F(ScriptEditorTest, LoadsEveryEncodingSavesUtf8AndTheTextBecomesTheScriptOnOk) {
    InputObserver observer;
    ASSERT_TRUE(observer.hooked());
    HWND editor = startWithEditor();
    ASSERT_TRUE(editor) << "no script editor";
    EXPECT_EQ(scriptText(editor), kStoredScript);

    struct File {
        const wchar_t* name;
        std::string bytes;
        std::wstring text;
    };
    const File files[] = {
        {L"utf8.txt", "A\n\xE6\x97\xA5\xE6\x9C\xAC\n", L"A\r\n日本\r\n"},
        {L"mark.rsc", "\xEF\xBB\xBF" "B\r\n", L"B\r\n"},
        {L"utf16.txt", std::string("\xFF\xFE" "C\0\n\0", 6), L"C\n"},
        // Shift-JIS under Wine, whose detector is missing and whose code page is 1252.
        {L"sjis.txt", "\x93\xFA\x96\x7B\x8C\xEA\n", L"日本語\r\n"},
    };
    for (const File& file : files) {
        const std::wstring path = folder().file(file.name);
        ASSERT_TRUE(writeFileBytes(path, bytesOf(file.bytes)));
        ASSERT_TRUE(chooseThrough(app(), editor, kLoad, L"Choose a file", path)) << "no open chooser for " << path;
        EXPECT_TRUE(waitUntil([&] { return scriptText(editor) == file.text; }, kInputDeadline))
            << path << " loaded as " << testing::PrintToString(scriptText(editor));
    }

    // A binary file is refused and leaves the text as it was.
    const std::wstring binary = folder().file(L"binary.txt");
    ASSERT_TRUE(writeFileBytes(binary, {'M', 'Z', 0, 1, 2}));
    ASSERT_TRUE(chooseThrough(app(), editor, kLoad, L"Choose a file", binary));
    EXPECT_EQ(answerMessageBox(app(), IDOK), L"An error occurred during character code conversion..");
    EXPECT_EQ(scriptText(editor), L"日本語\r\n");

    const std::wstring edited = L"MOVEMOUSE(5, 0)\r\nMOVEMOUSE(-5, 0)\r\n' 日本\r\n";
    ASSERT_TRUE(sendWithin(GetDlgItem(editor, kScriptText), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(edited.c_str())));
    const std::wstring saved = folder().file(L"saved.txt");
    ASSERT_TRUE(chooseThrough(app(), editor, kSave, L"Save to file(UTF-8)", saved));
    EXPECT_EQ(answerMessageBox(app(), IDOK), L"The file has been saved in UTF-8 (with BOM).");
    EXPECT_EQ(readFileBytes(saved), bytesOf("\xEF\xBB\xBF" "MOVEMOUSE(5, 0)\r\nMOVEMOUSE(-5, 0)\r\n' \xE6\x97\xA5\xE6\x9C\xAC\r\n"));

    // OK keeps the text in memory only; the settings dialog's OK stores it.
    press(editor, IDOK);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(editor); }, kInputDeadline));
    EXPECT_EQ(storedValue(L"qx_script"), stringValue(kStoredScript));
    ASSERT_TRUE(settings());
    press(settings(), IDOK);
    EXPECT_TRUE(waitUntil([&] { return storedValue(L"qx_script") == stringValue(edited); }, kInputDeadline))
        << "the settings dialog's OK did not store the edited script";

    // The next run is the edited script: a shake of 5 pixels, not the stored 3.
    HWND window = app().mainWindow();
    ASSERT_TRUE(endScriptSuspension(window));
    observer.clear();
    ASSERT_TRUE(fireShakeTimer(window));
    ASSERT_TRUE(observer.waitFor([](const auto& events) {
        std::vector<MouseBurst> bursts = injectedMouseBursts(events);
        return !bursts.empty() && bursts[0].points.size() >= 2;
    })) << "no script run after the edit";
    std::vector<POINT> points = injectedMouseBursts(observer.events())[0].points;
    EXPECT_EQ(points[0].x - points[1].x, 5) << "the run did not use the edited script";
}

TEST_F(ScriptEditorTest, CancelLeavesTheScriptAsItWas) {
    HWND editor = startWithEditor();
    ASSERT_TRUE(editor);
    ASSERT_TRUE(sendWithin(GetDlgItem(editor, kScriptText), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"changed")));
    press(editor, IDCANCEL);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(editor); }, kInputDeadline));
    // Opened again, it shows the script as stored, not the cancelled edit.
    ASSERT_TRUE(settings());
    press(settings(), kEditScript);
    editor = app().waitForDialogTitled(L"Edit DO-Rozude", kInputDeadline);
    ASSERT_TRUE(editor);
    EXPECT_EQ(scriptText(editor), kStoredScript);
    press(editor, IDCANCEL);
}

}  // namespace wavelith::e2e
