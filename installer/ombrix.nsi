; Ombrix's per-user installer and uninstaller. Built by scripts/package.sh:
;   makensis -DVERSION=<x.y.z> -DBUILD=<folder with Ombrix.exe> -DOUTFILE=<setup.exe> installer/ombrix.nsi
; Installs without administrator rights into the user's local programs folder; /S installs (and uninstalls) silently.

; A 64-bit installer for a 64-bit program (and for Wine set up without its 32-bit half).
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!ifndef VERSION
  !error "VERSION is not defined"
!endif
!ifndef BUILD
  !error "BUILD is not defined"
!endif
!ifndef OUTFILE
  !define OUTFILE "Ombrix-Setup-${VERSION}.exe"
!endif

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Ombrix"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "Ombrix"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Ombrix"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Ombrix ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Ombrix"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Ombrix Setup"
VIAddVersionKey "LegalCopyright" "The Ombrix developers"

!define MUI_ICON "${BUILD}/../src/resources/ombrix.ico"
!define MUI_UNICON "${BUILD}/../src/resources/ombrix.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Ombrix.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Ombrix now"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; A running Ombrix is asked to end as the user's own Exit does (WM_CLOSE), so that it saves its state, and waited
; for: never killed.
!macro CloseOmbrix un
Function ${un}CloseOmbrix
  StrCpy $1 0
  loop:
    FindWindow $0 "Ombrix"
    StrCmp $0 0 done
    ${If} $1 == 0
      SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    ${EndIf}
    Sleep 200
    IntOp $1 $1 + 1
    IntCmp $1 100 0 loop 0
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Ombrix is still running. Close it, then choose Retry." /SD IDCANCEL IDRETRY again
    Abort
  again:
    StrCpy $1 0
    Goto loop
  done:
  ; The help viewer holds the help file open until it ends, and an open file can be neither replaced nor removed.
  StrCpy $1 0
  help:
    FindWindow $0 "HH Parent" "Ombrix Help"
    StrCmp $0 0 helpClosed
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    Sleep 500
    IntOp $1 $1 + 1
    IntCmp $1 10 helpClosed help helpClosed
  helpClosed:
FunctionEnd
!macroend
!insertmacro CloseOmbrix ""
!insertmacro CloseOmbrix "un."

Section "Ombrix"
  SetShellVarContext current
  Call CloseOmbrix
  SetOutPath "$INSTDIR"
  File "${BUILD}/Ombrix.exe"
  File "${BUILD}/Ombrix Hooks.dll"
  File "${BUILD}/schemes/*.qln"
  SetOutPath "$INSTDIR\en"
  File "${BUILD}/en/Ombrix Help.chm"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall Ombrix.exe"
  CreateShortcut "$SMPROGRAMS\Ombrix.lnk" "$INSTDIR\Ombrix.exe"
  ; Ombrix starts at sign-in until the user turns that off in its settings, which then keep this value.
  WriteRegStr HKCU "${RUN_KEY}" "Ombrix" '"$INSTDIR\Ombrix.exe"'

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Ombrix"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Ombrix developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Ombrix.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall Ombrix.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall Ombrix.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Call un.CloseOmbrix
  DeleteRegValue HKCU "${RUN_KEY}" "Ombrix"
  Delete "$SMPROGRAMS\Ombrix.lnk"
  Delete "$INSTDIR\Ombrix.exe"
  Delete "$INSTDIR\Ombrix.exe.debug"
  Delete "$INSTDIR\Ombrix Hooks.dll"
  Delete "$INSTDIR\*.qln"
  Delete "$INSTDIR\en\Ombrix Help.chm"
  RMDir "$INSTDIR\en"
  Delete "$INSTDIR\Uninstall Ombrix.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; The user's settings and histories stay unless they ask; a silent uninstall keeps them.
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "Also remove your Ombrix settings and histories?" /SD IDNO IDNO kept
    RMDir /r "$APPDATA\Ombrix"
  kept:
SectionEnd
