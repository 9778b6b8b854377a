; The Windows installer of Tandrel. Tandrel writes its configuration, actions and profiles
; beside itself, so it is installed per user, without administrator rights, into the user's own
; programs folder. The program files are replaced on every install; the user's files are
; written only when missing, and the uninstaller leaves them.
;
; Updating and uninstalling work while Tandrel and other programs run: a running Tandrel is asked
; to exit (one whose configuration window holds changes not yet applied asks the user first, and
; may stay), and a program file still in use is waited for. Earlier versions had Hook.dll, which
; the system loaded into other programs through their window hook: an update removes it, waiting
; until those programs let go of it. A file still in use then is renamed aside and removed at
; the user's next sign-in (a restart), through the per-user RunOnce list: removal at restart by
; the system (MoveFileEx with MOVEFILE_DELAY_UNTIL_REBOOT, Delete /REBOOTOK) needs administrator
; rights, which this installer does not ask for.
;
; makensis -DVERSION=3.20 -DSTAGE=<folder of the files> -DICON=<Tandrel.ico> -DOUTFILE=<setup.exe>

Unicode true
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!define APP "Tandrel"
!define PUBLISHER "The Tandrel developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUNONCE_KEY "Software\Microsoft\Windows\CurrentVersion\RunOnce"
!define EXIT_COMMAND 40003 ; the notification icon menu's "Exit"
!define STAYS_RUNNING 1 ; Tandrel's answer to it when the user chose to keep it running
!define KEPT "Your configuration, actions and profiles (Tandrel.exe.config, Actions.xml and the profile files) are kept when you update or uninstall Tandrel."

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${APP}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${APP} ${VERSION}"

; The program files left in use, for the closing words ("Hook.dll, tandrel-cli.exe").
Var InUse
Var FinishText

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "StrFunc.nsh"
${UnStrStr}
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEPAGE_TEXT "This installs ${APP} ${VERSION} for you alone; it needs no administrator rights.$\r$\n$\r$\nTo update, run this over your installation: a running ${APP} is closed first and then replaced.$\r$\n$\r$\n${KEPT}"
!define MUI_FINISHPAGE_TEXT "$FinishText"
!define MUI_FINISHPAGE_TEXT_LARGE
!define MUI_FINISHPAGE_RUN "$INSTDIR\Tandrel.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\Tandrel.html"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show the user manual"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!define MUI_UNCONFIRMPAGE_TEXT_TOP "${APP} will be removed from the folder below; a running ${APP} is closed first. Your configuration, actions and profiles stay in this folder, and an installation into it later uses them again."
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "$FinishText"
!define MUI_FINISHPAGE_TEXT_LARGE
!define MUI_FINISHPAGE_TEXT_REBOOT "$FinishText"
!define MUI_FINISHPAGE_REBOOTLATER_DEFAULT
!insertmacro MUI_UNPAGE_FINISH
!insertmacro MUI_LANGUAGE "English"

!macro Functions un
; Asks every Tandrel running from the installation folder to exit, as its menu's "Exit" does,
; so that its files can be replaced or removed, and waits up to ten seconds for each to end. A
; Tandrel whose configuration window holds changes not yet applied brings it forward and asks
; the user whether to apply them first, and answers once they chose; when they keep it running,
; the user is asked to retry or to stop here (silently: stop). A Tandrel started from another
; folder (an unzipped copy) runs on.
Function ${un}CloseRunningTandrel
  StrCpy $1 0
  StrCpy $0 0
  loop:
    FindWindow $0 "TandrelMainFrame" "" "" $0
    StrCmp $0 0 done
    StrCpy $4 ""
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r2)'
    System::Call 'kernel32::OpenProcess(i 0x101000, i 0, i r2) p .r3' ; limited query, wait
    System::Call 'kernel32::QueryFullProcessImageNameW(p r3, i 0, w .r4, *i ${NSIS_MAX_STRLEN})'
    StrCmp $4 "$INSTDIR\Tandrel.exe" ours
    System::Call 'kernel32::CloseHandle(p r3)'
    Goto loop
  ours:
    IntCmp $1 100 done
    IntOp $1 $1 + 1
    ; It may ask the user first, in front: the answer comes once they chose (a hung Tandrel is
    ; not waited for).
    System::Call 'user32::AllowSetForegroundWindow(i r2)'
    StrCpy $5 0
    System::Call 'user32::SendMessageTimeoutW(p r0, i ${WM_COMMAND}, p ${EXIT_COMMAND}, p 0, i 2, i 3600000, *p .r5)' ; SMTO_ABORTIFHUNG
    ${If} $5 == ${STAYS_RUNNING}
      System::Call 'kernel32::CloseHandle(p r3)'
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${APP} is still running, with changes in its configuration window that are not applied. Apply or cancel them there, then click Retry; Cancel stops here without changing anything." /SD IDCANCEL IDRETRY again
      Abort "${APP} is still running: nothing was changed."
    ${EndIf}
    System::Call 'kernel32::WaitForSingleObject(p r3, i 10000)'
    System::Call 'kernel32::CloseHandle(p r3)'
  again:
    StrCpy $0 0
    Goto loop
  done:
FunctionEnd

; Frees the program file $R0 for writing or removal. A program that an earlier version's window
; hook reached keeps Hook.dll loaded until it next handles a message, so every program is sent an
; empty one while waiting, up to five seconds. A file still in use then (by a program that never lets
; go, or a Tandrel that did not exit) is renamed aside, as a file in use can be, and removed at
; the user's next sign-in. Earlier leftovers of the file that are free by now go first.
Function ${un}FreeProgramFile
  Delete "$R0.old*"
  IfFileExists $R0 0 done
  StrCpy $R1 0
  try:
    ClearErrors
    FileOpen $R2 $R0 a
    IfErrors 0 free
    IntCmp $R1 20 aside
    SendMessage ${HWND_BROADCAST} ${WM_NULL} 0 0 /TIMEOUT=100
    Sleep 250
    IntOp $R1 $R1 + 1
    Goto try
  free:
    FileClose $R2
    Goto done
  aside:
    StrCpy $R1 1
    IfFileExists "$R0.old$R1" 0 +3
    IntOp $R1 $R1 + 1
    Goto -2
    ClearErrors
    Rename $R0 "$R0.old$R1"
    IfErrors done
    ; Run at the next sign-in: the leftover goes, and so does the folder once nothing is left.
    WriteRegStr HKCU "${RUNONCE_KEY}" "${APP} leftover $R0.old$R1" \
      '"$SYSDIR\cmd.exe" /d /c del /f /q "$R0.old$R1" & rmdir "$INSTDIR" 2>nul'
    DetailPrint "In use by another program: $R0. It is removed when Windows restarts."
    ${GetFileName} $R0 $R2
    ${If} $InUse == ""
      StrCpy $InUse $R2
    ${Else}
      StrCpy $InUse "$InUse, $R2"
    ${EndIf}
  done:
FunctionEnd
!macroend

!insertmacro Functions ""
!insertmacro Functions "un."

!macro FreeAndInstall file
  StrCpy $R0 "$INSTDIR\${file}"
  Call FreeProgramFile
  File "${STAGE}/${file}"
!macroend

Section "Tandrel"
  SetShellVarContext current
  Call CloseRunningTandrel
  SetOutPath "$INSTDIR"

  SetOverwrite on
  !insertmacro FreeAndInstall "Tandrel.exe"
  !insertmacro FreeAndInstall "tandrel-cli.exe"
  File "${STAGE}/Tandrel.html"
  ; Tandrel follows the active window by itself now: an earlier version's Hook.dll goes.
  StrCpy $R0 "$INSTDIR\Hook.dll"
  Call FreeProgramFile
  Delete "$R0"

  ; The user's own files: the defaults only where there is none yet.
  SetOverwrite off
  File "${STAGE}/Tandrel.exe.config"
  File "${STAGE}/Actions.xml"
  File "${STAGE}/Gamepad.xml"
  File "${STAGE}/SlideShow.xml"
  SetOverwrite on

  StrCpy $R0 "$INSTDIR\Uninstall.exe"
  Call FreeProgramFile
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\Tandrel.exe" "" "$INSTDIR\Tandrel.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tandrel.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1

  ; Short enough to show whole above the check boxes of the finish page.
  StrCpy $FinishText "${APP} ${VERSION} has been installed; your configuration, actions and profiles are kept."
  ${If} $InUse != ""
    ; Tandrel works at once; the old copies only wait to be removed.
    StrCpy $FinishText "$FinishText$\r$\n$\r$\nOther programs still use the previous version's $InUse: it goes when Windows restarts."
  ${EndIf}
SectionEnd

!macro FreeAndDelete file
  StrCpy $R0 "$INSTDIR\${file}"
  Call un.FreeProgramFile
  Delete "$R0"
!macroend

; Removes the start-up value "Tandrel" from a Run list when it starts this program; another
; program's value of that name stays.
!macro RemoveOwnRunValue root
  ReadRegStr $R0 ${root} "${RUN_KEY}" "${APP}"
  ${UnStrStr} $R1 $R0 "$INSTDIR\Tandrel.exe"
  StrCmp $R1 "" +2
  DeleteRegValue ${root} "${RUN_KEY}" "${APP}"
!macroend

Section "Uninstall"
  SetShellVarContext current
  Call un.CloseRunningTandrel
  !insertmacro FreeAndDelete "Tandrel.exe"
  !insertmacro FreeAndDelete "Hook.dll" ; an earlier version's, or what is left of it
  !insertmacro FreeAndDelete "tandrel-cli.exe"
  !insertmacro FreeAndDelete "Tandrel.html"
  !insertmacro FreeAndDelete "Uninstall.exe"
  Delete "$SMPROGRAMS\${APP}.lnk"
  ; "Launch On Startup" would start a program that is gone: its value goes from the per-user
  ; list and from the machine-wide one (where an earlier version wrote it), where Windows allows.
  !insertmacro RemoveOwnRunValue HKCU
  !insertmacro RemoveOwnRunValue HKLM
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; The configuration, actions and profiles stay; the folder goes only when nothing is left.
  ; A folder that is the current one of this process cannot be removed.
  SetOutPath "$TEMP"
  RMDir "$INSTDIR"

  ; Short enough to show whole above the restart choices of the finish page, which ask it.
  ${If} $InUse != ""
    SetRebootFlag true
    StrCpy $FinishText "${APP} has been uninstalled but for $InUse, which other programs use: restart Windows to remove it."
  ${Else}
    StrCpy $FinishText "${APP} has been uninstalled from your computer."
  ${EndIf}
  IfFileExists "$INSTDIR\*.*" 0 +2
  StrCpy $FinishText "$FinishText$\r$\nYour configuration, actions and profiles stay in $INSTDIR."
SectionEnd

; Windows starts the uninstaller as a copy of it in a temporary folder, which it cannot remove
; while it runs, and which only an administrator's removal at restart would take away. A hidden
; command removes the copy and its folder once this process has ended.
Var TemporaryCopyRemoval
Function un.RemoveTemporaryCopy
  StrCmp $TemporaryCopyRemoval "started" done
  StrLen $0 "$TEMP\~nsu"
  StrCpy $1 $EXEDIR $0
  StrCmp $1 "$TEMP\~nsu" 0 done
  StrCpy $TemporaryCopyRemoval "started"
  SetOutPath "$TEMP"
  ExecShell "" "$SYSDIR\cmd.exe" '/d /q /c for /l %i in (1,1,60) do (del /f /q "$EXEPATH" 2>nul & rmdir "$EXEDIR" 2>nul & if exist "$EXEDIR" (ping -n 2 127.0.0.1 >nul) else (exit))' SW_HIDE
  done:
FunctionEnd

Function un.onGUIEnd
  Call un.RemoveTemporaryCopy
FunctionEnd

Function un.onUninstSuccess
  IfSilent 0 +2
  Call un.RemoveTemporaryCopy
FunctionEnd

Function un.onUninstFailed
  IfSilent 0 +2
  Call un.RemoveTemporaryCopy
FunctionEnd
