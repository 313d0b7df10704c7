#include "app/messages.h"

#include "platform/message_table.h"

namespace wavelith {

namespace {

// ORDER AppMessage
constexpr MessageTexts<AppMessage> kMessages[] = {
    {AppMessage::DisplayName, u"Wavelith", u"ウェーブリス"},
    {AppMessage::CannotOpenHelp, u"Cannot open quellix.chm", u"quellix.chm を開けません"},
    {AppMessage::FindWindowFailedForPause, u"FindWindow was failed.",
     u"起動中のウェーブリスのウィンドウが見つかりません。"},
    {AppMessage::FindWindowFailedForEnd, u"FindWindow() failed.",
     u"起動中のウェーブリスのウィンドウが見つからないため、終了させられませんでした。"},
    {AppMessage::CopyIniToRegistryDone, u"Setting copying from the ini file to the registry has been completed.",
     u"設定を ini ファイルからレジストリへコピーしました。"},
    {AppMessage::CopyIniToRegistryFailed, u"Setting copying from the ini file to the registry - failed.",
     u"設定を ini ファイルからレジストリへコピーできませんでした。"},
    {AppMessage::CopyRegistryToIniDone, u"Setting copying from the registry to the ini file has been completed.",
     u"設定をレジストリから ini ファイルへコピーしました。"},
    {AppMessage::CopyRegistryToIniFailed, u"Setting copying from the registry to the ini file - failed.",
     u"設定をレジストリから ini ファイルへコピーできませんでした。"},
    {AppMessage::IntegrityCheckFailed,
     u"The program file is damaged or has been modified, so Wavelith will not start.\n\n"
     u"Please install a fresh copy of Wavelith.exe.",
     u"プログラムファイルが壊れているか、書き換えられているため、ウェーブリスを起動できません。\n\n"
     u"Wavelith.exe を入れ直してください。"},
    {AppMessage::CannotSaveIni, u"Cannot save settings - .\\.\\quellix.ini.",
     u"設定を保存できません - .\\.\\quellix.ini."},
    {AppMessage::CannotSaveRegistry, u"Cannot save settings - HKCU\\Software\\Harvenlock\\QUELLIX\\CurrentVersion.",
     u"設定を保存できません - HKCU\\Software\\Harvenlock\\QUELLIX\\CurrentVersion."},
    {AppMessage::RemoteSessionStopped, u"Stopped (Remote Session).", u"停止中（リモートセッション）"},
    {AppMessage::CannotRegisterHotkey, u"Cannot Register the hotkey.", u"ホットキーを登録できません。"},
    {AppMessage::CloseDialogToOpenMenu, u"Close the currently open dialog box to open the menu.",
     u"メニューを開くには、いま開いているダイアログボックスを閉じてください。"},
    {AppMessage::CannotOpenWebPage, u"Cannot open web page.",
     u"ウェブページを開けませんでした。\nブラウザーで次のアドレスを開いてください:\n"
     WAVELITH_FEEDBACK_URL},  // the address the build was configured with
    {AppMessage::BrowseCaption, u"Browse", u"ブラウズ"},
    {AppMessage::ConfirmStopEndOfSession, u"Are you sure you want to stop end of the session.",
     u"セッションの終了（シャットダウン・再起動・ログオフ）を止めますか？"},
    {AppMessage::BlockingShutdown, u"Blocking Shutdown", u"シャットダウン阻止機能が有効です"},
    {AppMessage::SessionEndStoppedShort, u"Stopped end of the session.", u"Windows のシャットダウンを止めました。"},
    {AppMessage::SessionEndStoppedLong, u"Stopped end of the session.",
     u"セッションの終了を検出したため、拒否を返して Windows のシャットダウンを止めました。"},
    {AppMessage::ScriptSuspended,
     u"Script execution will be suspended for 10 seconds. Select 'Pause' from the notification area icon menu to "
     u"stop script.(If you close this notification with the middle mouse button, this notification will not be "
     u"shown again next time.)",
     u"スクリプトの実行を 10 秒間保留します。スクリプトを止めるには、通知領域のアイコンのメニューから「一時停止」を"
     u"選んでください。（この通知をマウスの中ボタンで閉じると、次回からは表示しません。）"},
    {AppMessage::UnknownAppFunctionStart, u"Unknown application provided function: CB.",
     u"未知のアプリケーション提供関数です: CB."},
    {AppMessage::ScriptCopyOutOfMemory, u"Out of memory: the script could not be copied for its run.",
     u"メモリが足りないため、スクリプトを実行用にコピーできませんでした。"},
    {AppMessage::StatusRunning, u"Running", u"動作中"},
    {AppMessage::StatusStopped, u"Stopped", u"一時停止中"},
    {AppMessage::StatusStoppedRemoteSession, u"Stopped(RemoteSession)", u"リモート接続中のため停止"},
    {AppMessage::StatusPauseTip, u"Turns off the functionality of this software.",
     u"このソフトウェアの機能を一時的にオフにします。"},
    {AppMessage::StatusTopmostTip, u"Displays this window in the foreground.", u"このウィンドウを常に最前面に表示します。"},
    {AppMessage::StatusCloseTip, u"Closes this dialog box.", u"このダイアログボックスを閉じます。"},
    {AppMessage::StatusStoppedLocked, u"Stopped(Locked)", u"ロック中のため停止"},
    {AppMessage::ShakesDoNotReachWindows,
     u"Three shakes in a row did not reach Windows. A program running as administrator may be in front, or "
     u"the secure desktop is up. Click here for help.",
     u"3 回続けて、揺れが Windows に届きませんでした。管理者として実行中のプログラムが前面にあるか、"
     u"セキュリティで保護されたデスクトップが表示されています。ここをクリックするとヘルプを開きます。"},
};

static_assert(isCompleteInIdOrder(kMessages), "every AppMessage needs its two texts, in id order");

}  // namespace

std::u16string_view appMessage(AppMessage id, bool japanese) { return messageText(kMessages, id, japanese); }

}  // namespace wavelith
