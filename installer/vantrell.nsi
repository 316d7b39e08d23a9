; The Vantrell installer for 64-bit Windows, made with makensis by
; scripts/make-windows-installer from the portable folder. It installs for the
; current user or, as an administrator, for every user (/CurrentUser or /AllUsers
; on the command line; /S is silent), adds a Start menu entry and the star-file
; type, and its uninstaller removes exactly what it installed.
; Defines given by the script: VERSION, STAGE (the portable folder), OUTFILE,
; FILES and DELETES (generated lists of the folder's files).

; A 64-bit installer: it runs where the program runs, Wine with no 32-bit part included.
Target amd64-unicode
SetCompressor /SOLID lzma

!define APP "Vantrell"
!define PROGID "Vantrell.StarFile"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrell"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${APP}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
ShowInstDetails show

!define MUI_ICON "${STAGE}/vantrell.ico"
!define MUI_UNICON "${STAGE}/vantrell.ico"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\vantrell.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

Function .onInit
    SetRegView 64
    !insertmacro MULTIUSER_INIT
    ; One Vantrell at a time: an installation in the other mode is removed first.
    ${If} $MultiUser.InstallMode == "AllUsers"
        ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${Else}
        ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${EndIf}
    ${If} $0 != ""
        MessageBox MB_ICONSTOP "Vantrell is already installed in $0. Uninstall it first." /SD IDOK
        Abort
    ${EndIf}
FunctionEnd

Function un.onInit
    SetRegView 64
    ; The uninstaller removes the installation it belongs to, whatever mode the
    ; command line names: the one whose folder it sits in.
    StrCpy $1 $INSTDIR
    !insertmacro MULTIUSER_UNINIT
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $1
        Call un.MultiUser.InstallMode.CurrentUser
    ${Else}
        ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
        ${If} $0 == $1
            Call un.MultiUser.InstallMode.AllUsers
        ${EndIf}
    ${EndIf}
    StrCpy $INSTDIR $1
FunctionEnd

Section "Vantrell"
    SetOutPath "$INSTDIR"
    !include "${FILES}"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; Started from the Start menu, the program keeps its settings in the documents
    ; folder, never in the install folder.
    SetOutPath "$DOCUMENTS"
    CreateShortCut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\vantrell.exe" "" "$INSTDIR\vantrell.ico" 0
    SetOutPath "$INSTDIR"

    ; Star files (.def): offered to open with Vantrell, and opened by it where no
    ; other program already opens .def files.
    WriteRegStr SHCTX "Software\Classes\${PROGID}" "" "Vantrell star"
    WriteRegStr SHCTX "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\vantrell.ico"
    WriteRegStr SHCTX "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\vantrell.exe" "%1"'
    WriteRegStr SHCTX "Software\Classes\.def\OpenWithProgids" "${PROGID}" ""
    ; HKCR is what Windows reads: the user's classes over the machine's.
    ReadRegStr $0 HKCR ".def" ""
    ${If} $0 == ""
        WriteRegStr SHCTX "Software\Classes\.def" "" "${PROGID}"
    ${EndIf}

    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "The Vantrell developers"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vantrell.ico"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallMode" "$MultiUser.InstallMode"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    !include "${DELETES}"
    Delete "$INSTDIR\uninstall.exe"
    ; Only folders left empty go: anything the user put there stays.
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${APP}.lnk"

    DeleteRegValue SHCTX "Software\Classes\.def\OpenWithProgids" "${PROGID}"
    DeleteRegKey /ifempty SHCTX "Software\Classes\.def\OpenWithProgids"
    ReadRegStr $0 SHCTX "Software\Classes\.def" ""
    ${If} $0 == "${PROGID}"
        DeleteRegValue SHCTX "Software\Classes\.def" ""
    ${EndIf}
    DeleteRegKey /ifempty SHCTX "Software\Classes\.def"
    DeleteRegKey SHCTX "Software\Classes\${PROGID}"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
