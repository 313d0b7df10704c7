// The tray icon, its balloon notices, its menu and the control message of other instances.
#pragma once

#include "app/effects.h"

#include <windows.h>

#include <string_view>

namespace wavelith {

void addTrayIcon(bool paused);
void changeTrayIcon(bool paused);
void deleteTrayIcon();
void showNotice(std::u16string_view text, NoticeKind kind);
void clearNotice();
void loadTrayMenu();
void destroyTrayMenu();
// Icons taken from files by NotifyIconOn and NotifyIconOff are the tray's to destroy.
void destroyFileIcons();
void registerTaskbarCreatedMessage();
bool isTaskbarCreatedMessage(UINT message);
void onTrayCallback(LPARAM event);
LRESULT onControlMessage(WPARAM command, LPARAM argument);

}  // namespace wavelith
