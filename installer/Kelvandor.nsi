; Kelvandor's installer (NSIS 3, Unicode). scripts/installer builds it:
;
;   makensis -DBUILD=<CMake build folder> -DARCH=x86|amd64 -DOUTFILE=<setup.exe>
;            [-DGUIDE=<user guide>] [-DVERSION=1.2.3] installer/Kelvandor.nsi
;
; It installs the program, the keystroke library and both browser helpers
; into Program Files, a Start-menu folder and an uninstaller with its entry
; in Add/Remove Programs. The uninstaller also takes away what the program
; itself makes on the system (the helper's registration and keys, and the
; Startup and Favorites\Links shortcuts), but leaves the user's settings and
; password files alone.

!ifndef BUILD
    !error "Define BUILD, the CMake build folder holding app/, hooklib/ and bho/"
!endif
!ifndef OUTFILE
    !error "Define OUTFILE, the installer to write"
!endif
!ifndef ARCH
    !error "Define ARCH as x86 or amd64"
!endif
!ifndef GUIDE
    !define GUIDE "${__FILEDIR__}/../docs/guide/Kelvandor.html"
!endif
!ifndef VERSION
    !define VERSION "1.0.0"
!endif

!if "${ARCH}" == "amd64"
    Target amd64-unicode
    !define PROGRAMS_FOLDER "$PROGRAMFILES64"
!else if "${ARCH}" == "x86"
    Target x86-unicode
    !define PROGRAMS_FOLDER "$PROGRAMFILES"
!else
    !error "ARCH must be x86 or amd64, not ${ARCH}"
!endif

!define PRODUCT "Kelvandor"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; What the program and its browser helper write (app/Integration.cpp and
; bho/SidloweObj.rgs).
!define HELPER_CLASS "{EC732582-7C24-4301-87F4-724E0DB3FDD4}"
!define HELPERS_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Explorer\Browser Helper Objects"
!define APPROVED_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Shell Extensions\Approved"
!define EXTENSION_KEY "Software\Microsoft\Internet Explorer\Extensions\{4FCCA77A-FABF-44aa-9B3A-AF5D075144A7}"
; The class of the program's main window (protocol/MessageNames.h).
!define MAIN_WINDOW_CLASS "Kelvandor"
!define GUIDE_SHORTCUT "Kelvandor User Guide.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "${PROGRAMS_FOLDER}\${PRODUCT}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ManifestDPIAware true
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PRODUCT}"

!include "MUI2.nsh"

!define MUI_ICON "${__FILEDIR__}/../resources/icons/Kelvandor.ico"
!define MUI_UNICON "${__FILEDIR__}/../resources/icons/Kelvandor.ico"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\Kelvandor.html"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show the user guide"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Files in use cannot be replaced or removed: asks the user to end a running
; Kelvandor first (and gives up when silent).
!macro EndRunningProgram
    retry:
    FindWindow $0 "${MAIN_WINDOW_CLASS}"
    StrCmp $0 0 done
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "Kelvandor is running. End it (Exit on its notification icon's menu), then press Retry." \
        /SD IDCANCEL IDRETRY retry
    Abort
    done:
!macroend

Function .onInit
!if "${ARCH}" == "amd64"
    SetRegView 64
!endif
    !insertmacro EndRunningProgram
FunctionEnd

Function un.onInit
!if "${ARCH}" == "amd64"
    SetRegView 64
!endif
    !insertmacro EndRunningProgram
FunctionEnd

Section "Kelvandor"
    SetOutPath "$INSTDIR"
    File "${BUILD}/app/Kelvandor.exe"
    File "${BUILD}/hooklib/KelvandorKey.dll"
    File "${BUILD}/bho/SidloweNT.dll"
    File "${BUILD}/bho/Sidlowe.dll"
    File "/oname=Kelvandor.html" "${GUIDE}"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    ; Installed for every user, so the shortcuts go to the common Start menu.
    SetShellVarContext all
    CreateDirectory "$SMPROGRAMS\${PRODUCT}"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\Kelvandor.lnk" "$INSTDIR\Kelvandor.exe" "" "$INSTDIR\Kelvandor.exe" 0
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\${GUIDE_SHORTCUT}" "$INSTDIR\Kelvandor.html"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Kelvandor.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    ; The helper unregisters itself in a regsvr32 of its own bitness (from
    ; a 32-bit uninstaller on 64-bit Windows $SYSDIR leads to the 32-bit one);
    ; loading it into the uninstaller could cross bitness.
    IfFileExists "$INSTDIR\SidloweNT.dll" 0 +2
        ExecWait '"$SYSDIR\regsvr32.exe" /u /s "$INSTDIR\SidloweNT.dll"'
    ; What is left of the keys that make Internet Explorer load the helper,
    ; and the program's Tools-menu entry.
    DeleteRegKey HKLM "${HELPERS_KEY}\${HELPER_CLASS}"
    DeleteRegValue HKLM "${APPROVED_KEY}" "${HELPER_CLASS}"
    DeleteRegKey HKCU "${EXTENSION_KEY}"

    ; The shortcuts the program makes for the user who runs it.
    SetShellVarContext current
    Delete "$SMSTARTUP\Kelvandor.lnk"
    Delete "$FAVORITES\Links\Kelvandor.lnk"

    SetShellVarContext all
    Delete "$SMPROGRAMS\${PRODUCT}\Kelvandor.lnk"
    Delete "$SMPROGRAMS\${PRODUCT}\${GUIDE_SHORTCUT}"
    RMDir "$SMPROGRAMS\${PRODUCT}"

    Delete "$INSTDIR\Kelvandor.exe"
    Delete "$INSTDIR\KelvandorKey.dll"
    Delete "$INSTDIR\SidloweNT.dll"
    Delete "$INSTDIR\Sidlowe.dll"
    Delete "$INSTDIR\Kelvandor.html"
    Delete "$INSTDIR\Uninstall.exe"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ; Last, and only when empty: anything the user keeps there stays.
    RMDir "$INSTDIR"
SectionEnd
