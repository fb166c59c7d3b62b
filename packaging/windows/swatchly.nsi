; The Windows installer: for the user who runs it, no administrator needed. makensis -DVERSION=x
; -DSTAGE=<folder with swatchly.exe, swatchly.com, LICENSE.txt> -DOUT=<installer> swatchly.nsi
; The program is x64 only: so is its installer, which then needs no 32-bit Windows layer.
Target amd64-unicode
!include "MUI2.nsh"

Name "Swatchly"
OutFile "${OUT}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Swatchly"
InstallDirRegKey HKCU "Software\Swatchly" "InstallDir"
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Swatchly"
!define MUI_ICON "${STAGE}/swatchly.ico"
!define MUI_UNICON "${STAGE}/swatchly.ico"
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Swatchly"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${STAGE}/swatchly.exe"
  File "${STAGE}/swatchly.com"
  File "${STAGE}/LICENSE.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortCut "$SMPROGRAMS\Swatchly.lnk" "$INSTDIR\swatchly.exe"
  WriteRegStr HKCU "Software\Swatchly" "InstallDir" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Swatchly"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Swatchly developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\swatchly.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\Swatchly.lnk"
  Delete "$INSTDIR\swatchly.exe"
  Delete "$INSTDIR\swatchly.com"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "Software\Swatchly"
SectionEnd
