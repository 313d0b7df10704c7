// Every text that the application core shows, in English and Japanese.
#pragma once

#include <string_view>

namespace wavelith {

enum class AppMessage {
    DisplayName,
    CannotOpenHelp,
    FindWindowFailedForPause,
    FindWindowFailedForEnd,
    CopyIniToRegistryDone,
    CopyIniToRegistryFailed,
    CopyRegistryToIniDone,
    CopyRegistryToIniFailed,
    IntegrityCheckFailed,
    CannotSaveIni,
    CannotSaveRegistry,
    RemoteSessionStopped,
    CannotRegisterHotkey,
    CloseDialogToOpenMenu,
    CannotOpenWebPage,
    BrowseCaption,
    ConfirmStopEndOfSession,
    BlockingShutdown,
    SessionEndStoppedShort,
    SessionEndStoppedLong,
    ScriptSuspended,
    UnknownAppFunctionStart,
    ScriptCopyOutOfMemory,
    StatusRunning,
    StatusStopped,
    StatusStoppedRemoteSession,
    StatusPauseTip,
    StatusTopmostTip,
    StatusCloseTip,
    StatusStoppedLocked,
    ShakesDoNotReachWindows,
    Count  // ORDER AppMessage: keep last
};

std::u16string_view appMessage(AppMessage id, bool japanese);

}  // namespace wavelith
