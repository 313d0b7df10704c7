#include "ui/shortcuts.h"

#include "app/application.h"
#include "platform/win32_system.h"
#include "ui/dark_mode.h"
#include "ui/shortcuts_form.h"

#include <shlobj.h>

namespace wavelith {

namespace {

// Computed when the settings dialog opens, by the language of this run's display name.
std::wstring shortcutPaths[2];

ShortcutFolder folderOf(ShortcutKind kind) {
    return kind == ShortcutKind::Startup ? ShortcutFolder::Startup : ShortcutFolder::Desktop;
}

int buttonOf(ShortcutKind kind) { return kind == ShortcutKind::Startup ? IDC_STARTUP_SHORTCUT : IDC_DESKTOP_SHORTCUT; }

std::wstring& pathOf(ShortcutKind kind) { return shortcutPaths[kind == ShortcutKind::Startup ? 0 : 1]; }

std::wstring computePath(ShortcutKind kind) {
    wchar_t folder[MAX_PATH] = {};
    int which = kind == ShortcutKind::Startup ? CSIDL_STARTUP : CSIDL_DESKTOPDIRECTORY;
    if (FAILED(SHGetFolderPathW(nullptr, which, nullptr, SHGFP_TYPE_CURRENT, folder))) folder[0] = L'\0';
    return toWide(shortcutPath(fromWide(folder), fromWide(app().displayName)));
}

bool shortcutExists(const std::wstring& path) {
    if (path.empty()) return false;
    // No "insert a disk" box for a folder on a removable drive.
    UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(path.c_str(), &found);
    SetErrorMode(previousMode);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

bool createShortcut(const std::wstring& target, const std::wstring& path) {
    if (target.empty() || path.empty()) return false;
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return false;
    // The setters' results do not matter: a link that cannot be saved is the failure that counts.
    link->SetPath(target.c_str());
    link->SetShowCmd(SW_SHOW);
    link->SetWorkingDirectory(L"");
    link->SetIconLocation(L"", 0);
    link->SetHotkey(0);
    link->SetDescription(L"");
    link->SetArguments(L"");
    bool saved = false;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        saved = SUCCEEDED(file->Save(path.c_str(), TRUE));
        file->Release();
    }
    link->Release();
    return saved;
}

void setCaption(HWND settingsDialog, ShortcutKind kind, bool afterClick) {
    bool exists = shortcutExists(pathOf(kind));
    SetDlgItemTextW(settingsDialog, buttonOf(kind),
                    toWide(shortcutCaption(folderOf(kind), exists, afterClick, app().japanese)).c_str());
}

}  // namespace

void prepareShortcutButtons(HWND settingsDialog) {
    for (ShortcutKind kind : {ShortcutKind::Startup, ShortcutKind::Desktop}) {
        pathOf(kind) = computePath(kind);
        setCaption(settingsDialog, kind, false);
    }
}

void onShortcutButton(HWND settingsDialog, ShortcutKind kind) {
    const ShortcutFolder folder = folderOf(kind);
    const bool japanese = app().japanese;
    const std::wstring& path = pathOf(kind);
    const std::u16string pathText = fromWide(path);
    auto say = [&](ShortcutMessage id, UINT style) {
        return showText(settingsDialog, withPath(shortcutMessage(folder, id, japanese), pathText), style);
    };
    if (shortcutExists(path)) {
        if (say(ShortcutMessage::ConfirmDelete, MB_YESNO | MB_ICONQUESTION) == IDYES) {
            if (DeleteFileW(path.c_str()))
                say(ShortcutMessage::Deleted, MB_OK | MB_ICONINFORMATION);
            else
                say(ShortcutMessage::CannotDelete, MB_OK | MB_ICONERROR);
        }
    } else if (say(ShortcutMessage::ConfirmCreate, MB_YESNO | MB_ICONQUESTION) == IDYES) {
        if (createShortcut(programFilePath(), path))
            say(ShortcutMessage::Created, MB_OK | MB_ICONINFORMATION);
        else
            say(ShortcutMessage::CannotCreate, MB_OK | MB_ICONERROR);
    }
    setCaption(settingsDialog, kind, true);
}

}  // namespace wavelith
