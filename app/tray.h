// The tray icon, its balloon notices, its menu and commands, help topics, and the control
// message of other instances. Everything here runs on the main thread, except notices that the
// script worker asks for (the shell call itself is safe from any thread).
#pragma once

#include "app/command_line.h"
#include "app/effects.h"

#include <windows.h>

#include <string_view>

namespace wavelith {

namespace tray_ids {
constexpr UINT kIconId = 456599;
constexpr WORD kEnglishMenu = 4;
constexpr WORD kJapaneseMenu = 129;
}  // namespace tray_ids

// Takes the replacement icons of NotifyIconOn and NotifyIconOff, when they name one.
void loadTrayIcons();
void destroyFileIcons();

void addTrayIcon(bool paused);
// The icon the tray shows for this state: a replacement icon when one was loaded.
HICON trayIcon(bool paused);
void changeTrayIcon(bool paused);
// The tooltip follows the state and the last shake that reached Windows.
void changeTrayTooltip();
void deleteTrayIcon();
void showNotice(std::u16string_view text, NoticeKind kind);
void clearNotice();

void loadTrayMenu();
void destroyTrayMenu();
void registerTaskbarCreatedMessage();
bool isTaskbarCreatedMessage(UINT message);

void onTrayCallback(LPARAM event);
void runTrayCommand(UINT command, PauseMode pauseMode);
LRESULT onControlMessage(WPARAM command, LPARAM argument);

// Shows a topic of .\quellix.chm ("HLP000001.html"), or its start page for null.
void openHelpTopic(HWND owner, const wchar_t* topic);

}  // namespace wavelith
