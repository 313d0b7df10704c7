// The entry point: start-up in its fixed order, the message loop, and the clean-up.
#include "app/application.h"
#include "app/command_line.h"
#include "app/figures.h"
#include "app/integrity_check.h"
#include "app/main_window.h"
#include "app/persistence.h"
#include "app/script_host.h"
#include "app/status_dialog.h"
#include "app/tray.h"
#include "app/tray_state.h"
#include "platform/win32_system.h"
#include "settings/regw.h"
#include "settings/win32_policy.h"
#include "ui/dark_mode.h"
#include "ui/startup_dialogs.h"

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <cstdlib>

namespace wavelith {

Application& app() {
    static Application application;
    return application;
}

std::wstring text(AppMessage id) {
    return toWide(appMessage(id, app().japanese));
}

int showMessage(HWND owner, AppMessage id, UINT style, std::optional<AppMessage> caption) {
    if (!caption) return showText(owner, appMessage(id, app().japanese), style);
    return themedMessageBox(owner, text(id).c_str(), text(*caption).c_str(), style);
}

int showText(HWND owner, std::u16string_view text, UINT style) {
    return themedMessageBox(owner, toWide(text).c_str(), app().displayName.c_str(), style);
}

namespace {

void chooseLanguage() {
    Application& application = app();
    wchar_t value[80] = {};
    DWORD length = GetEnvironmentVariableW(L"QUELLIX_LANG", value, 80);
    if (length != 0)
        application.japanese = length < 80 && lstrcmpiW(value, L"JA") == 0;  // too long is not "JA"
    else
        application.japanese = (GetSystemDefaultLangID() & 0x3FF) == LANG_JAPANESE;
    if (!application.japanese) REGW::setJapanese(false);
    application.displayName = text(AppMessage::DisplayName);
}

void openHelp() {
    // The help switch comes before the program makes its folder the current one: name the help
    // file beside the program, or a start from elsewhere would look for it in the wrong place.
    std::wstring folder = L".";
    if (auto programDirectory = programFolder(fromWide(programFilePath()))) folder = toWide(*programDirectory);
    if (folder.back() != L'\\') folder += L'\\';
    std::wstring topic = L"\"" + folder + L"quellix.chm::/_RESOURCE/HLP000012.html\"";
    auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", L"hh.exe", topic.c_str(), folder.c_str(),
                                                          SW_SHOWNORMAL));
    if (result < 32) showMessage(nullptr, AppMessage::CannotOpenHelp, MB_OK | MB_ICONERROR);
}

// Another instance runs: hand it the command, or ask whether to end it.
void actAsSecondInstance(const std::u16string& tail) {
    // The running instance takes the mutex before it loads the settings and makes its window:
    // a start at the same moment gives it a few seconds before saying it is not there.
    auto findRunning = [] {
        HWND running = FindWindowW(ids::kMutexAndClassName, nullptr);
        for (int wait = 0; !running && wait < 100; ++wait) {
            Sleep(50);
            running = FindWindowW(ids::kMutexAndClassName, nullptr);
        }
        return running;
    };
    SecondInstanceAction action = secondInstanceAction(tail);
    if (action == SecondInstanceAction::SendPauseCommand) {
        HWND running = findRunning();
        if (running)
            SendMessageW(running, ids::kControlMessage, tray_commands::Pause,
                         static_cast<LPARAM>(pauseModeForSecondInstance(tail)));
        else
            showMessage(nullptr, AppMessage::FindWindowFailedForPause, MB_OK | MB_ICONERROR);
        return;
    }
    if (action != SecondInstanceAction::EndRunning && runAlreadyRunningDialog() != kForceExitResult) return;
    HWND running = findRunning();
    if (running)
        SendMessageW(running, WM_DESTROY, 0, 0);
    else
        showMessage(nullptr, AppMessage::FindWindowFailedForEnd, MB_OK | MB_ICONERROR);
}

// "/OR" and "/RO": copy the settings between the back ends, report, and end.
void copySettings(TailSwitch copy) {
    Application& application = app();
    bool toRegistry = copy == TailSwitch::CopyIniToRegistry;
    // Load from the source back end, save to the other one.
    application.storage.iniMode = toRegistry;
    loadAllSettings();
    application.storage.iniMode = !toRegistry;  // the ini store creates its file before writing
    bool saved = saveAllSettings();
    if (toRegistry)
        showMessage(nullptr, saved ? AppMessage::CopyIniToRegistryDone : AppMessage::CopyIniToRegistryFailed,
                    MB_OK | (saved ? MB_ICONINFORMATION : MB_ICONERROR));
    else  // both outcomes carry the information icon
        showMessage(nullptr, saved ? AppMessage::CopyRegistryToIniDone : AppMessage::CopyRegistryToIniFailed,
                    MB_OK | MB_ICONINFORMATION);
}

std::vector<std::u16string> argumentVector() {
    std::vector<std::u16string> argv;
    for (int i = 0; i < __argc && __wargv; ++i) argv.push_back(fromWide(__wargv[i] ? __wargv[i] : L""));
    return argv;
}

void allowMessagesThroughPrivilegeFilter() {
    if (windowsVersion() < 600) return;
    using ChangeFilter = BOOL(WINAPI*)(UINT, DWORD);
    HMODULE user32 = loadSystemLibrary(L"user32.dll");
    if (!user32) return;
    if (auto change = reinterpret_cast<ChangeFilter>(
            reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilter")))) {
        for (UINT message : {0x0233u, 0x004Au, 0x0049u}) change(message, 1 /* MSGFLT_ADD */);
    }
    FreeLibrary(user32);
}

void cleanUp() {
    Application& application = app();
    if (application.mutex) CloseHandle(application.mutex);
    application.mutex = nullptr;
    destroyFileIcons();
    if (application.comInitialized) CoUninitialize();
    application.comInitialized = false;
    restoreAllDialogs();
    deleteDarkModeBrush();
    replaceScriptText(application.settings, std::u16string());
    deleteFigures(application.figures);
}

int runProgram(HINSTANCE instance, const std::u16string& tail) {
    Application& application = app();
    application.instance = instance;
    initDarkMode(instance);
    enableDarkMenusAndControls();
    chooseLanguage();
    TailSwitch tailSwitch = classifyTail(tail);
    if (tailSwitch == TailSwitch::Help) {
        openHelp();
        return 0;
    }
    setCurrentPolicy(readSystemPolicy());

    application.onIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(ids::kOnIcon), IMAGE_ICON, 0, 0, LR_SHARED));
    application.offIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(ids::kOffIcon), IMAGE_ICON, 0, 0, LR_SHARED));
    loadFigures(instance, application.figures);

    application.mutex = CreateMutexW(nullptr, TRUE, ids::kMutexAndClassName);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        actAsSecondInstance(tail);
        cleanUp();
        return 0;
    }
    if (tailSwitch == TailSwitch::Exit) {
        cleanUp();
        return 0;
    }
    // Past the help, which says why, and past the commands to a copy started before the policy
    // (the installer ends one with /X): nothing else runs.
    if (currentPolicy().Disabled) {
        CloseHandle(application.mutex);  // a start meanwhile is a first start, refused the same way
        application.mutex = nullptr;
        showText(nullptr, policyMessage(PolicyMessage::TurnedOff, application.japanese), MB_OK | MB_ICONWARNING);
        cleanUp();
        return kDisabledByPolicyExitCode;
    }

    std::wstring programPath = programFilePath();
    if (auto folder = programFolder(fromWide(programPath))) {
        application.programFolder.assign(folder->begin(), folder->end());
        SetCurrentDirectoryW(application.programFolder.c_str());
    }

    std::vector<std::u16string> argv = argumentVector();
    NumericArguments numbers = readNumericArguments(argv);
    if (numbers.interval) application.settings.IntervalTimeMSec = application.settings.IntervalTimeMSec2 = *numbers.interval;
    if (numbers.pixels) application.settings.MouseMovePixel = *numbers.pixels;
    application.argumentMode = numbers.argumentMode;

    application.startPaused = tailSwitch == TailSwitch::Pause || tailSwitch == TailSwitch::PauseOff;

    if (tailSwitch == TailSwitch::IniMode) application.storage.iniMode = true;
    if (tailSwitch == TailSwitch::CopyIniToRegistry || tailSwitch == TailSwitch::CopyRegistryToIni) {
        copySettings(tailSwitch);
        cleanUp();
        return 0;
    }
    if (tailSwitch == TailSwitch::NoSave) application.storage.noSave = true;
    switch (programNameMode(fromWide(programPath))) {
        case ProgramNameMode::IniMode: application.storage.iniMode = true; break;
        case ProgramNameMode::NoSave: application.storage.noSave = true; break;
        case ProgramNameMode::Normal: break;
    }

    if (!programFileIntact()) {
        showMessage(nullptr, AppMessage::IntegrityCheckFailed, MB_OK | MB_ICONERROR);
        cleanUp();
        return 1;
    }

    if (argv.size() == 1 || application.settings.IntervalTimeMSec == 0)
        loadAllSettings();
    loadTrayIcons();

    application.effects = makeMainWindowEffects();
    application.activity = std::make_unique<ActivityControl>(application.desktop, application.settings, *application.effects,
                                                             application.startPaused);
    application.swing = std::make_unique<SwingEngine>(application.desktop, application.settings, *application.activity,
                                                      *application.effects, [] { return std::rand(); },
                                                      application.japanese);
    createScriptHost();
    HWND window = createMainWindow();
    if (!window) {
        cleanUp();
        return 0;
    }
    ShowWindow(window, SW_HIDE);
    UpdateWindow(window);
    registerPauseHotkey();

    allowMessagesThroughPrivilegeFilter();
    application.comInitialized = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&controls);

    if (application.settings.OpenShowDlg) runStatusDialog();

    // A modal loop running when the end request arrives (the tray menu, a dialog) may swallow
    // the quit message; the shutdown mark ends the loop all the same once it returns.
    int exitCode = 0;
    while (!mainWindowShutDown()) {
        MSG message;
        BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) exitCode = static_cast<int>(message.wParam);
        if (got == 0 || got == -1) break;
        if (isOpeningDialogMessage(&message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    cleanUp();
    return exitCode;
}

}  // namespace

}  // namespace wavelith

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR tail, int) {
    int exitCode = wavelith::runProgram(instance, wavelith::fromWide(tail ? tail : L""));
    // An abandoned script worker still uses the interpreter and the settings: end the process
    // without running the destructors of what it uses.
    if (wavelith::scriptWorkerAbandoned()) ExitProcess(static_cast<UINT>(exitCode));
    return exitCode;
}
