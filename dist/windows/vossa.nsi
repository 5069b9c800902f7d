; Vossa installer (NSIS, 64-bit): Program Files\Vossa for all users, or the user's own
; programs folder without administrator rights; a Start-menu entry, an optional desktop
; shortcut and an uninstaller listed under Apps & features. Uninstalling leaves the player's
; settings in %APPDATA%\Vossa.
; Defines: VERSION, STAGE (the folder holding vossa.exe, vossadata.bin, README.txt,
; licences), ICON, OUTFILE.
Unicode true
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "Vossa"
!define MULTIUSER_USE_PROGRAMFILES64
!include MultiUser.nsh
!include MUI2.nsh
!include x64.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vossa"

Name "Vossa"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
BrandingText "Vossa ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Vossa"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Vossa installer"
VIAddVersionKey "CompanyName" "Vossa developers"
VIAddVersionKey "LegalCopyright" "Copyright 2026 Vossa developers (zlib licence)"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\vossa.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\licences\Vossa.txt"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
    !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Vossa" SecGame
    SectionIn RO
    SetOutPath "$INSTDIR"
    File "${STAGE}\vossa.exe"
    File "${STAGE}\vossadata.bin"
    File "${STAGE}\README.txt"
    SetOutPath "$INSTDIR\licences"
    File "${STAGE}\licences\*.txt"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Vossa.lnk" "$INSTDIR\vossa.exe" "" "$INSTDIR\vossa.exe" 0

    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Vossa"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Vossa developers"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vossa.exe,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    ; The size in KiB, as Apps & features shows it.
    SectionGetSize ${SecGame} $0
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "Desktop shortcut" SecDesktop
    CreateShortcut "$DESKTOP\Vossa.lnk" "$INSTDIR\vossa.exe" "" "$INSTDIR\vossa.exe" 0
SectionEnd

; The player's settings (%APPDATA%\Vossa) are theirs and stay.
Section "Uninstall"
    Delete "$INSTDIR\vossa.exe"
    Delete "$INSTDIR\vossadata.bin"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\licences\*.txt"
    RMDir "$INSTDIR\licences"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Vossa.lnk"
    Delete "$DESKTOP\Vossa.lnk"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
