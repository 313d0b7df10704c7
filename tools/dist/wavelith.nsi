; The per-user installer of Wavelith. tools/make-dist.sh builds it with
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.2.3 -DFILE_VERSION=1.2.3.0 -DSOURCE=folder
;            -DICON=wavelith_on.ico -DOUTFILE=Wavelith-1.2.3-setup.exe wavelith.nsi
; where SOURCE holds the files to install.
;
; Silent use:  Wavelith-1.2.3-setup.exe /S [/STARTUP] [/D=folder]
;              uninstall.exe /S [/REMOVESETTINGS]
; /STARTUP adds the Startup shortcut (the "Start Wavelith when I log on" box); /REMOVESETTINGS
; also deletes the settings (the "Also remove my settings" box). Without it they stay.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Wavelith"
!define SETTINGS_KEY "Software\Harvenlock\QUELLIX"
; The program's display names: the settings dialog looks for its Startup shortcut under the name of
; the language it runs in, so the installer names its shortcuts the same way.
!define NAME_EN "Wavelith"
!define NAME_JA "ウェーブリス"

Name "$(DisplayName)"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Wavelith"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Wavelith ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Wavelith.exe"

!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

; The program's own Japanese dialog font, present on every Japanese Windows.
SetFont /LANG=${LANG_JAPANESE} "MS UI Gothic" 9

LangString DisplayName ${LANG_ENGLISH} "${NAME_EN}"
LangString DisplayName ${LANG_JAPANESE} "${NAME_JA}"
LangString SectionProgram ${LANG_ENGLISH} "Wavelith and its Start menu shortcut"
LangString SectionProgram ${LANG_JAPANESE} "ウェーブリス本体とスタート メニュー"
LangString SectionStartup ${LANG_ENGLISH} "Start Wavelith when I log on"
LangString SectionStartup ${LANG_JAPANESE} "ログオンしたときにウェーブリスを起動する"
LangString SectionSettings ${LANG_ENGLISH} "Also remove my settings"
LangString SectionSettings ${LANG_JAPANESE} "設定も削除する"
LangString StillRunning ${LANG_ENGLISH} "Wavelith is still running, so its files cannot be replaced or removed. End it from its tray icon, then choose Retry."
LangString StillRunning ${LANG_JAPANESE} "ウェーブリスが終了しないため、ファイルを置き換えたり削除したりできません。通知領域のアイコンから終了してから、[再試行] を押してください。"

VIProductVersion "${FILE_VERSION}"
VIFileVersion "${FILE_VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Wavelith"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "Harvenlock"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Wavelith ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (c) 2026 Harvenlock"

; The program's own rule: QUELLIX_LANG when set (JA: Japanese), else the system's language.
!macro CHOOSE_LANGUAGE
  ReadEnvStr $0 QUELLIX_LANG
  ${If} $0 != ""
    ${If} $0 == "JA"
      StrCpy $LANGUAGE ${LANG_JAPANESE}
    ${Else}
      StrCpy $LANGUAGE ${LANG_ENGLISH}
    ${EndIf}
  ${Else}
    System::Call 'kernel32::GetSystemDefaultLangID() i .r0'
    IntOp $0 $0 & 0x3FF
    ${If} $0 = 0x11
      StrCpy $LANGUAGE ${LANG_JAPANESE}
    ${Else}
      StrCpy $LANGUAGE ${LANG_ENGLISH}
    ${EndIf}
  ${EndIf}
!macroend

; A running Wavelith holds its program file open. Its own /X ends it the clean way, settings
; saved; the window goes first, then the process lets go of the file.
!macro END_RUNNING_WAVELITH un
Function ${un}EndRunningWavelith
  FindWindow $0 "QUELLIX"
  ${If} $0 == 0
  ${OrIfNot} ${FileExists} "$INSTDIR\Wavelith.exe"
    Return
  ${EndIf}
  retry:
  ExecWait '"$INSTDIR\Wavelith.exe" /X'
  StrCpy $1 0
  ${Do}
    FindWindow $0 "QUELLIX"
    ${If} $0 == 0
      ClearErrors
      FileOpen $2 "$INSTDIR\Wavelith.exe" a
      ${IfNot} ${Errors}
        FileClose $2
        Return
      ${EndIf}
    ${EndIf}
    Sleep 100
    IntOp $1 $1 + 1
  ${LoopWhile} $1 < 150
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDRETRY retry
  Abort
FunctionEnd
!macroend
!insertmacro END_RUNNING_WAVELITH ""
!insertmacro END_RUNNING_WAVELITH "un."

Section "$(SectionProgram)" SecProgram
  SectionIn RO
  Call EndRunningWavelith
  SetOutPath "$INSTDIR"
  File "${SOURCE}/Wavelith.exe"
  File "${SOURCE}/wavelith-script.exe"
  File "${SOURCE}/quellix.chm"
  File "${SOURCE}/README.txt"
  File "${SOURCE}/LICENSE.txt"
  ; The administrators' policy templates, laid out as PolicyDefinitions wants them.
  SetOutPath "$INSTDIR\policy"
  File "${SOURCE}/policy/wavelith.admx"
  SetOutPath "$INSTDIR\policy\en-US"
  File "${SOURCE}/policy/en-US/wavelith.adml"
  SetOutPath "$INSTDIR\policy\ja-JP"
  File "${SOURCE}/policy/ja-JP/wavelith.adml"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; One Start menu entry, under the current language's name.
  Delete "$SMPROGRAMS\${NAME_EN}.lnk"
  Delete "$SMPROGRAMS\${NAME_JA}.lnk"
  CreateShortcut "$SMPROGRAMS\$(DisplayName).lnk" "$INSTDIR\Wavelith.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Wavelith"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Harvenlock"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Wavelith.exe,0"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "$(SectionStartup)" SecStartup
  CreateShortcut "$SMSTARTUP\$(DisplayName).lnk" "$INSTDIR\Wavelith.exe"
SectionEnd

; The box starts ticked when the shortcut exists; a user who unticks it wants it gone. A silent
; run without /STARTUP never removes it: a log-on start made in the settings dialog survives
; updates.
Section "-StartupUnticked"
  ${IfNot} ${SectionIsSelected} ${SecStartup}
  ${AndIfNot} ${Silent}
    Delete "$SMSTARTUP\$(DisplayName).lnk"
  ${EndIf}
SectionEnd

Function .onInit
  !insertmacro CHOOSE_LANGUAGE
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/STARTUP" $R1
  ${IfNot} ${Errors}
  ${OrIf} ${FileExists} "$SMSTARTUP\$(DisplayName).lnk"
    !insertmacro SelectSection ${SecStartup}
  ${EndIf}
FunctionEnd

Section "un.$(DisplayName)" SecUninstallProgram
  SectionIn RO
  Call un.EndRunningWavelith
  Delete "$INSTDIR\Wavelith.exe"
  Delete "$INSTDIR\wavelith-script.exe"
  Delete "$INSTDIR\quellix.chm"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\policy\wavelith.admx"
  Delete "$INSTDIR\policy\en-US\wavelith.adml"
  Delete "$INSTDIR\policy\ja-JP\wavelith.adml"
  RMDir "$INSTDIR\policy\en-US"
  RMDir "$INSTDIR\policy\ja-JP"
  RMDir "$INSTDIR\policy"
  Delete "$INSTDIR\uninstall.exe"
  ; Shortcuts by either language's name, the installer's and the settings dialog's: they would
  ; point at nothing.
  Delete "$SMPROGRAMS\${NAME_EN}.lnk"
  Delete "$SMPROGRAMS\${NAME_JA}.lnk"
  Delete "$SMSTARTUP\${NAME_EN}.lnk"
  Delete "$SMSTARTUP\${NAME_JA}.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.$(SectionSettings)" SecUninstallSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Harvenlock"
  ; Settings of a start with /O beside the installed program.
  Delete "$INSTDIR\quellix.ini"
SectionEnd

; Last: the folder goes only when nothing of the user's is left in it.
Section "-un.RemoveFolder"
  RMDir "$INSTDIR"
SectionEnd

Function un.onInit
  !insertmacro CHOOSE_LANGUAGE
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/REMOVESETTINGS" $R1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecUninstallSettings}
  ${EndIf}
FunctionEnd
