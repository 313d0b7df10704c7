#include "ui/script_editor.h"

#include "app/application.h"
#include "app/script_host.h"
#include "app/tray.h"
#include "platform/win32_system.h"
#include "ui/controls.h"
#include "ui/dark_mode.h"
#include "ui/script_editor_form.h"
#include "ui/win32_script_file.h"

#include <cderr.h>
#include <commdlg.h>
#include <shellapi.h>

#include <new>
#include <optional>

namespace wavelith {

namespace {

#ifndef EM_SETEXTENDEDSTYLE
constexpr UINT EM_SETEXTENDEDSTYLE = 0x1500 + 10;  // ECM_FIRST + 10
#endif
constexpr LPARAM kConvertEolOnPaste = 4;  // ES_EX_CONVERT_EOL_ON_PASTE, Windows 10 and later

// One name for the whole run: the choosers offer the last file again, a dropped one included.
constexpr DWORD kFileNameLength = 520;
wchar_t fileName[kFileNameLength];

enum EditorIconSlot { LargeIcon, SmallIcon, LoadIcon, SaveIcon, IconCount };

// The editor is modal and opened from the one settings dialog: one state is enough.
struct EditorState {
    HICON icons[IconCount] = {};
    HFONT fixedFont = nullptr;
    std::optional<ScriptEditorLayout> layout;
};
EditorState editor;

std::wstring editorString(EditorText id) { return toWide(editorText(id, app().japanese)); }

void showEditorMessage(HWND dialog, std::u16string_view message, UINT style) { showText(dialog, message, MB_OK | style); }

HICON createIcon(EditorIcon art) {
    const auto pixels = editorIconPixels(art);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 16;
    info.bmiHeader.biHeight = -16;  // top row first, as the pixels come
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP colour = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    // The mask only matters where alpha is not honoured: set bits are transparent.
    BYTE maskBits[16 * 2] = {};
    for (int pixel = 0; pixel < 16 * 16; ++pixel)
        if ((pixels[pixel] >> 24) == 0) maskBits[pixel / 8] |= static_cast<BYTE>(0x80 >> (pixel % 8));
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, maskBits);
    HICON icon = nullptr;
    if (colour && mask) {
        // 0xAARRGGBB in memory is the B, G, R, A order of a 32-bit DIB.
        CopyMemory(bits, pixels.data(), sizeof(pixels));
        ICONINFO parts{TRUE, 0, 0, mask, colour};
        icon = CreateIconIndirect(&parts);
    }
    if (colour) DeleteObject(colour);
    if (mask) DeleteObject(mask);
    return icon;
}

void setIcons(HWND dialog) {
    editor.icons[LargeIcon] = createIcon(EditorIcon::Script);
    editor.icons[SmallIcon] = createIcon(EditorIcon::Script);
    editor.icons[LoadIcon] = createIcon(EditorIcon::Load);
    editor.icons[SaveIcon] = createIcon(EditorIcon::Save);
    SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(editor.icons[LargeIcon]));
    SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(editor.icons[SmallIcon]));
    SendDlgItemMessageW(dialog, IDC_LOAD, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(editor.icons[LoadIcon]));
    SendDlgItemMessageW(dialog, IDC_SAVE, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(editor.icons[SaveIcon]));
}

void destroyIcons(HWND dialog) {
    // Detached first: a window must not be left holding a destroyed icon.
    SendMessageW(dialog, WM_SETICON, ICON_BIG, 0);
    SendMessageW(dialog, WM_SETICON, ICON_SMALL, 0);
    SendDlgItemMessageW(dialog, IDC_LOAD, BM_SETIMAGE, IMAGE_ICON, 0);
    SendDlgItemMessageW(dialog, IDC_SAVE, BM_SETIMAGE, IMAGE_ICON, 0);
    for (HICON& icon : editor.icons) {
        if (icon) DestroyIcon(icon);
        icon = nullptr;
    }
}

bool isFixedPitch(HFONT font) {
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, font);
    TEXTMETRICW metrics{};
    bool known = GetTextMetricsW(screen, &metrics);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    // The flag's name says the opposite of what it means: it is set for variable pitch.
    return known && !(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH);
}

// Scripts are read in columns. The template's fixed-pitch font is not on every system (Wine
// has no Terminal): then the edit gets a fixed-pitch face of the same height.
void keepEditFixedPitch(HWND dialog) {
    HWND edit = GetDlgItem(dialog, IDC_SCRIPT_TEXT);
    auto current = reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0));
    if (!current || isFixedPitch(current)) return;
    LOGFONTW font{};
    if (!GetObjectW(current, sizeof(font), &font)) return;
    font.lfCharSet = app().japanese ? SHIFTJIS_CHARSET : DEFAULT_CHARSET;
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lstrcpynW(font.lfFaceName, app().japanese ? L"MS Gothic" : L"Courier New", LF_FACESIZE);
    editor.fixedFont = CreateFontIndirectW(&font);
    if (editor.fixedFont) SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(editor.fixedFont), FALSE);
}

LayoutRect clientRectOf(HWND dialog, HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

void recordLayout(HWND dialog) {
    RECT client{}, window{};
    GetClientRect(dialog, &client);
    GetWindowRect(dialog, &window);
    std::vector<PlacedControl> controls;
    for (int id : ScriptEditorLayout::controlIds())
        if (HWND control = GetDlgItem(dialog, id)) controls.push_back({id, clientRectOf(dialog, control)});
    editor.layout.emplace(client.right, client.bottom, window.right - window.left, window.bottom - window.top,
                          std::move(controls));
}

void arrangeControls(HWND dialog, int clientWidth, int clientHeight) {
    if (!editor.layout) return;  // sizes come before the dialog is set up
    std::vector<PlacedControl> placed = editor.layout->arrange(clientWidth, clientHeight);
    HDWP positions = BeginDeferWindowPos(static_cast<int>(placed.size()));
    for (const PlacedControl& control : placed) {
        HWND window = GetDlgItem(dialog, control.id);
        if (positions && window)
            positions = DeferWindowPos(positions, window, nullptr, control.rect.left, control.rect.top,
                                       control.rect.width(), control.rect.height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (positions) EndDeferWindowPos(positions);
    InvalidateRect(dialog, nullptr, TRUE);
}

void initialise(HWND dialog) {
    setIcons(dialog);
    keepEditFixedPitch(dialog);
    SetForegroundWindow(dialog);
    if (app().settings.BIGDIALOG) enlargeDialog(EnlargedDialog::ScriptEditor, dialog, DialogPlacement::Centre);
    recordLayout(dialog);
    HWND edit = GetDlgItem(dialog, IDC_SCRIPT_TEXT);
    if (windowsVersion() >= 1000) SendMessageW(edit, EM_SETEXTENDEDSTYLE, kConvertEolOnPaste, kConvertEolOnPaste);
    // Typing is otherwise held to 32767 characters, fewer than a loaded file may bring.
    SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
    setText(dialog, IDC_SCRIPT_TEXT, copyScriptText(app().settings));
    const bool japanese = app().japanese;
    createTooltips(dialog, {{IDC_LOAD, std::u16string(editorText(EditorText::LoadTip, japanese))},
                            {IDC_SAVE, std::u16string(editorText(EditorText::SaveTip, japanese))}});
    // The caret at the start, nothing selected: a first key press must not replace the script.
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, 0);
}

// The open or save chooser on the shared file name; true when a file was chosen.
bool chooseFile(HWND dialog, bool saving) {
    std::wstring filter = editorString(EditorText::TextFilesFilter);
    filter += L'\0';
    filter += L"*.txt;*.rsc";
    filter += L'\0';
    filter += editorString(EditorText::AllFilesFilter);
    filter += L'\0';
    filter += L"*.*";
    filter += L'\0';  // the string's own NUL ends the list
    const std::wstring title = editorString(saving ? EditorText::SaveTitle : EditorText::OpenTitle);
    OPENFILENAMEW chooser{};
    chooser.lStructSize = sizeof(chooser);
    chooser.hwndOwner = dialog;
    chooser.hInstance = app().instance;
    chooser.lpstrFilter = filter.c_str();
    chooser.nFilterIndex = 1;
    chooser.lpstrFile = fileName;
    chooser.nMaxFile = kFileNameLength;
    chooser.lpstrTitle = title.c_str();
    chooser.lpstrDefExt = L"txt";
    chooser.Flags = saving ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR
                           : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (saving ? GetSaveFileNameW(&chooser) : GetOpenFileNameW(&chooser)) return true;
        // A stored name the chooser will not take: start again from no name.
        if (CommDlgExtendedError() != FNERR_INVALIDFILENAME) return false;
        fileName[0] = L'\0';
    }
    return false;
}

void loadFile(HWND dialog) {
    DecodedScript script = readScriptFile(fileName);
    if (script.result != ScriptReadResult::Ok) {
        showEditorMessage(dialog, readResultMessage(script.result, app().japanese), MB_ICONERROR);
        return;
    }
    setText(dialog, IDC_SCRIPT_TEXT, script.text);
}

void onDroppedFiles(HWND dialog, HDROP drop) {
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    UINT length = count > 0 ? DragQueryFileW(drop, 0, nullptr, 0) : 0;
    bool fits = count > 0 && length < kFileNameLength;
    if (fits) DragQueryFileW(drop, 0, fileName, kFileNameLength);
    DragFinish(drop);
    if (fits)
        loadFile(dialog);
    else if (count > 0)  // a cut name would open another file, or none
        showEditorMessage(dialog, readResultMessage(ScriptReadResult::CannotOpen, app().japanese), MB_ICONERROR);
}

void saveFile(HWND dialog) {
    if (!chooseFile(dialog, true)) return;
    ScriptSaveResult result;
    try {
        result = saveScriptFile(fileName, getText(dialog, IDC_SCRIPT_TEXT));
    } catch (const std::bad_alloc&) {
        result = ScriptSaveResult::OutOfMemory;
    }
    showEditorMessage(dialog, saveResultMessage(result, app().japanese),
                      result == ScriptSaveResult::Ok ? MB_ICONINFORMATION : MB_ICONERROR);
}

void confirm(HWND dialog) {
    std::u16string text;
    try {
        text = getText(dialog, IDC_SCRIPT_TEXT);
    } catch (const std::bad_alloc&) {
        showEditorMessage(dialog, readResultMessage(ScriptReadResult::OutOfMemory, app().japanese), MB_ICONERROR);
        EndDialog(dialog, IDCANCEL);
        return;
    }
    // A run in progress ends at its next statement; the next run starts from the new text.
    requestScriptStop();
    replaceScriptText(app().settings, std::move(text));
    EndDialog(dialog, IDOK);
}

void onDestroy(HWND dialog) {
    restoreDialog(EnlargedDialog::ScriptEditor);
    if (editor.fixedFont) {
        SendDlgItemMessageW(dialog, IDC_SCRIPT_TEXT, WM_SETFONT, 0, FALSE);
        DeleteObject(editor.fixedFont);
        editor.fixedFont = nullptr;
    }
    editor.layout.reset();
    destroyIcons(dialog);
}

INT_PTR CALLBACK scriptEditorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = 0;
    if (darkModeDialogMessage(dialog, message, wParam, lParam, result)) return result;
    switch (message) {
        case WM_INITDIALOG:
            initialise(dialog);
            SendMessageW(dialog, WM_THEMECHANGED, 0, 0);
            return FALSE;  // the focus is set
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK: confirm(dialog); return TRUE;
                case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
                case IDC_LOAD:
                    if (chooseFile(dialog, false)) loadFile(dialog);
                    return TRUE;
                case IDC_SAVE: saveFile(dialog); return TRUE;
                case IDC_HELP_BUTTON: openHelpTopic(dialog, L"HLP000024.html"); return TRUE;
            }
            return FALSE;
        case WM_DROPFILES: onDroppedFiles(dialog, reinterpret_cast<HDROP>(wParam)); return TRUE;
        case WM_GETMINMAXINFO:
            if (!editor.layout) return FALSE;
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {editor.layout->minimumWindowWidth(),
                                                                    editor.layout->minimumWindowHeight()};
            return TRUE;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) arrangeControls(dialog, LOWORD(lParam), HIWORD(lParam));
            return TRUE;
        case WM_DESTROY: onDestroy(dialog); return FALSE;
    }
    return FALSE;
}

}  // namespace

INT_PTR runScriptEditor(HWND owner) {
    Application& application = app();
    WORD id = application.japanese ? IDD_SCRIPT_EDITOR_JA : IDD_SCRIPT_EDITOR_EN;
    return DialogBoxParamW(application.instance, MAKEINTRESOURCEW(id), owner, scriptEditorProc, 0);
}

}  // namespace wavelith
