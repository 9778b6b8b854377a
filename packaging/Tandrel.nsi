; The Windows installer of Tandrel. Tandrel writes its configuration, actions and profiles
; beside itself, so it is installed per user, without administrator rights, into the user's own
; programs folder. The program files are replaced on every install; the user's files are
; written only when missing, and the uninstaller leaves them.
;
; makensis -DVERSION=3.20 -DSTAGE=<folder of the files> -DICON=<Tandrel.ico> -DOUTFILE=<setup.exe>

Unicode true
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!define APP "Tandrel"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define EXIT_COMMAND 40003 ; the notification icon menu's "Exit"

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${APP}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${APP} ${VERSION}"

!include "MUI2.nsh"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEPAGE_TEXT "This installs ${APP} ${VERSION} for you alone; it needs no administrator rights.$\r$\n$\r$\nYour configuration, actions and profiles from an earlier installation are kept."
!define MUI_FINISHPAGE_RUN "$INSTDIR\Tandrel.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\Tandrel.html"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show the user manual"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Asks every running Tandrel to exit, as its menu's "Exit" does, so that its files can be
; replaced or removed; waits up to ten seconds for each.
!macro CloseRunningTandrel un
Function ${un}CloseRunningTandrel
  StrCpy $1 0
  loop:
    FindWindow $0 "TandrelMainFrame"
    StrCmp $0 0 done
    IntCmp $1 100 done
    SendMessage $0 ${WM_COMMAND} ${EXIT_COMMAND} 0 /TIMEOUT=2000
    Sleep 100
    IntOp $1 $1 + 1
    Goto loop
  done:
FunctionEnd
!macroend
!insertmacro CloseRunningTandrel ""
!insertmacro CloseRunningTandrel "un."

Section "Tandrel"
  SetShellVarContext current
  Call CloseRunningTandrel
  SetOutPath "$INSTDIR"

  SetOverwrite on
  File "${STAGE}/Tandrel.exe"
  File "${STAGE}/Hook.dll"
  File "${STAGE}/tandrel-cli.exe"
  File "${STAGE}/Tandrel.html"

  ; The user's own files: the defaults only where there is none yet.
  SetOverwrite off
  File "${STAGE}/Tandrel.exe.config"
  File "${STAGE}/Actions.xml"
  File "${STAGE}/Gamepad.xml"
  File "${STAGE}/SlideShow.xml"
  SetOverwrite on

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\Tandrel.exe" "" "$INSTDIR\Tandrel.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tandrel.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Call un.CloseRunningTandrel
  Delete "$INSTDIR\Tandrel.exe"
  Delete "$INSTDIR\Hook.dll"
  Delete "$INSTDIR\tandrel-cli.exe"
  Delete "$INSTDIR\Tandrel.html"
  Delete "$INSTDIR\Uninstall.exe"
  Delete "$SMPROGRAMS\${APP}.lnk"
  ; The per-user start-up value ("Launch On Startup" for a standard user) would start a
  ; program that is gone.
  DeleteRegValue HKCU "${RUN_KEY}" "${APP}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; The configuration, actions and profiles stay; the folder goes only when nothing is left.
  RMDir "$INSTDIR"
SectionEnd
