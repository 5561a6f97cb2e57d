; The setup program of Pokaz for Windows, in Croatian like the program.
; Installs for the current user (the default, no administrator needed) or for
; all users of the machine: the program with its licence, a Start-menu entry
; and an uninstaller in Windows' list of programs. Silent with /S; the mode
; on the command line with /CurrentUser or /AllUsers.
;   makensis -INPUTCHARSET UTF8 -DVERSION=2.00 -DCOPYRIGHT="2026 Pokaz developers, GPL-3.0-or-later"
;            -DPROGRAM=pokaz.exe -DLICENCE=LICENCE.txt -DICON=Form_Pokaz.ico -DOUTFILE=setup.exe pokaz.nsi
; 64-bit, like the program it installs.
Target amd64-unicode
SetCompressor /SOLID lzma

!define APP "Pokaz"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"
!define SETTINGS_KEY "Software\${APP}"

Name "${APP}"
OutFile "${OUTFILE}"
BrandingText "${APP} ${VERSION}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_INSTALLMODE_INSTDIR "${APP}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${SETTINGS_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${SETTINGS_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_USE_PROGRAMFILES64
; NSIS has no Croatian texts for the choice of users.
!define MULTIUSER_TEXT_INSTALLMODE_TITLE "Za koga instalirati"
!define MULTIUSER_TEXT_INSTALLMODE_SUBTITLE "Odaberite korisnike za koje instalirate $(^NameDA)."
!define MULTIUSER_INNERTEXT_INSTALLMODE_TOP "Instalirajte $(^NameDA) samo za sebe ili za sve korisnike ovog računala. $(^ClickNext)"
!define MULTIUSER_INNERTEXT_INSTALLMODE_ALLUSERS "Za sve korisnike ovog računala"
!define MULTIUSER_INNERTEXT_INSTALLMODE_CURRENTUSER "Samo za mene"
!define MULTIUSER_INIT_TEXT_ADMINREQUIRED "Za instalaciju $(^NameDA) potrebna su administratorska prava."
!define MULTIUSER_INIT_TEXT_POWERREQUIRED "Za instalaciju $(^NameDA) potrebna su administratorska prava."
!define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE "Za instalaciju za sve korisnike potrebna su administratorska prava."
!include MultiUser.nsh
!include MUI2.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\pokaz.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENCE}"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Croatian"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_CROATIAN} "ProductName" "${APP}"
VIAddVersionKey /LANG=${LANG_CROATIAN} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_CROATIAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_CROATIAN} "FileDescription" "Instalacija programa ${APP}"
VIAddVersionKey /LANG=${LANG_CROATIAN} "LegalCopyright" "${COPYRIGHT}"

Function .onInit
    !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Pokaz"
    SetOutPath "$INSTDIR"
    File "/oname=pokaz.exe" "${PROGRAM}"
    File "/oname=LICENCE.txt" "${LICENCE}"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\pokaz.exe" "" "$INSTDIR\pokaz.exe" 0

    ; MultiUser has made SHCTX the machine's or the user's part of the registry.
    WriteRegStr SHCTX "${SETTINGS_KEY}" "InstallMode" "$MultiUser.InstallMode"
    WriteRegStr SHCTX "${SETTINGS_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\pokaz.exe,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Pokaz developers"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\${APP}.lnk"
    Delete "$INSTDIR\pokaz.exe"
    Delete "$INSTDIR\LICENCE.txt"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    DeleteRegKey SHCTX "${SETTINGS_KEY}"
SectionEnd
