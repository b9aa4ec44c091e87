; Spectrion's Windows installer (64-bit, for all users), built by
; packaging/windows/make_package.sh:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.1.0 -DVERSION4=1.1.0.0
;            -DSTAGE=<files> -DOUTFILE=<setup.exe> spectrion.nsi
; STAGE holds the files in the layout of the portable zip. The installer puts
; them into Program Files\Spectrion, installs the chosen language file as
; spectrion.itl, adds a Start-menu entry and an entry in "Apps & features";
; the uninstaller removes exactly that, and leaves whatever else it finds.
;
; Command line: /S installs silently; /LANG=en or /LANG=de chooses the
; program's language (English when not given; without /S the choice is
; offered on the first page); /D=<folder> (last) another folder.
; Exit code 0 when installed, 1 when cancelled, 2 on an error such as an
; unknown /LANG.

Unicode true
Target amd64-unicode

!ifndef VERSION | VERSION4 | STAGE | OUTFILE
  !error "VERSION, VERSION4, STAGE and OUTFILE must be defined (see make_package.sh)"
!endif

!define PUBLISHER "The Spectrion developers"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Spectrion"

Name "Spectrion"
Caption "Spectrion ${VERSION} Setup"
BrandingText "Spectrion ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Spectrion"
InstallDirRegKey HKLM "${UNINST_KEY}" "InstallLocation"
RequestExecutionLevel admin
ManifestDPIAware true
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define MUI_ICON "${STAGE}/spectrion.ico"
!define MUI_UNICON "${STAGE}/spectrion.ico"
!define MUI_ABORTWARNING
!define MUI_LANGDLL_WINDOWTITLE "Spectrion"
!define MUI_LANGDLL_INFO "Language of Spectrion:$\r$\nSprache von Spectrion:"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Spectrion"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Spectrion ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}"

; The language the program speaks is the one the setup speaks.
Function .onInit
  SetRegView 64
  StrCpy $LANGUAGE ${LANG_ENGLISH}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/LANG=" $1
  ${If} ${Errors}
    !insertmacro MUI_LANGDLL_DISPLAY
  ${ElseIf} $1 == "en"
    StrCpy $LANGUAGE ${LANG_ENGLISH}
  ${ElseIf} $1 == "de"
    StrCpy $LANGUAGE ${LANG_GERMAN}
  ${Else}
    MessageBox MB_ICONSTOP "Unknown language $\"$1$\": use /LANG=en or /LANG=de." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
FunctionEnd

Section "Spectrion"
  SetOutPath "$INSTDIR"
  File "${STAGE}/spectrion.exe"
  File "${STAGE}/spectrion-plot.exe"
  File "${STAGE}/spectrion.png"
  File "${STAGE}/spectrion.ico"
  File "${STAGE}/copyright.txt"
  ${If} $LANGUAGE = ${LANG_GERMAN}
    File "/oname=spectrion.itl" "${STAGE}/lang/spectrion-de.itl"
  ${Else}
    File "/oname=spectrion.itl" "${STAGE}/lang/spectrion.itl"
  ${EndIf}
  SetOutPath "$INSTDIR\lang"
  File "${STAGE}/lang/spectrion.itl"
  File "${STAGE}/lang/spectrion-de.itl"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  SetShellVarContext all
  CreateShortcut "$SMPROGRAMS\Spectrion.lnk" "$INSTDIR\spectrion.exe" "" "$INSTDIR\spectrion.ico" 0

  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "Spectrion"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\spectrion.ico"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

; Only the files the installer wrote; a folder that still holds something
; else (the user's own files) stays.
Section "Uninstall"
  Delete "$INSTDIR\spectrion.exe"
  Delete "$INSTDIR\spectrion-plot.exe"
  Delete "$INSTDIR\spectrion.png"
  Delete "$INSTDIR\spectrion.ico"
  Delete "$INSTDIR\copyright.txt"
  Delete "$INSTDIR\spectrion.itl"
  Delete "$INSTDIR\lang\spectrion.itl"
  Delete "$INSTDIR\lang\spectrion-de.itl"
  RMDir "$INSTDIR\lang"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  SetShellVarContext all
  Delete "$SMPROGRAMS\Spectrion.lnk"

  DeleteRegKey HKLM "${UNINST_KEY}"
SectionEnd
