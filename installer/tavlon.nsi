; The Tavlon installer, built with NSIS (makensis) by `make installer`:
;   makensis -DVERSION=1.2g -DEXE=path\Tavlon.exe -DOUTFILE=Tavlon-1.2g-setup.exe tavlon.nsi
; A per-user install: no administrator rights, the program in
; %LOCALAPPDATA%\Programs\Tavlon, a Start-menu entry, and an uninstaller
; registered under HKCU for Apps & Features. The user's settings
; (%APPDATA%\Tavlon) and data files (the documents folder) are never
; touched, by the installer or by the uninstaller.
; Silent use: Tavlon-1.2g-setup.exe /S [/D=folder]; Uninstall.exe /S.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true
ManifestSupportedOS all

!ifndef VERSION
  !error "VERSION is not defined (makensis -DVERSION=...)"
!endif
!ifndef EXE
  !error "EXE is not defined (makensis -DEXE=path/Tavlon.exe)"
!endif
!ifndef OUTFILE
  !define OUTFILE "Tavlon-${VERSION}-setup.exe"
!endif

!define PRODUCT "Tavlon"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavlon"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tavlon"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

!include "MUI2.nsh"

!define MUI_ICON "../resources/tavlon.ico"
!define MUI_UNICON "../resources/tavlon.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Tavlon.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Tavlon"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION_NUMERIC}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (C) 2026 The Tavlon authors"

; A running Tavlon.exe cannot be replaced or removed: ask for it to be
; closed first (a silent run just stops, with exit code 2).
!macro StopIfRunning un
Function ${un}StopIfRunning
  again:
    FindWindow $0 "CalMainClass"
    StrCmp $0 0 done
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Tavlon is running. Close it, then choose Retry." /SD IDCANCEL IDRETRY again
    SetErrorLevel 2
    Quit
  done:
FunctionEnd
!macroend
!insertmacro StopIfRunning ""
!insertmacro StopIfRunning "un."

Function .onInit
  Call StopIfRunning
FunctionEnd

Function un.onInit
  Call un.StopIfRunning
FunctionEnd

Section "Tavlon" SecMain
  SectionIn RO
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "/oname=Tavlon.exe" "${EXE}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Tavlon.lnk" "$INSTDIR\Tavlon.exe" "" "$INSTDIR\Tavlon.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Tavlon authors"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tavlon.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SecMain} $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Removes exactly what the installer put there; the folder only when it is
; empty then. Settings and data files stay where the user has them.
Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\Tavlon.lnk"
  Delete "$INSTDIR\Tavlon.exe"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
