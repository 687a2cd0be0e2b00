; Per-user setup for Adagiomill: no administrator rights. The program keeps index.txt
; beside itself, so it goes into the user's own programs folder, which stays writable.
;
; makensis -DVERSION=x.y.z -DSTAGE=<folder with the staged files> -DICON=<icon>
;          -DOUTFILE=<setup.exe> Adagiomill.nsi
; Uninstaller switches: /S silent; /PURGE also removes index.txt and the user's modules.

!ifndef VERSION | STAGE | ICON | OUTFILE
  !error "Define VERSION, STAGE, ICON and OUTFILE"
!endif

; The program is 64-bit, and so is its setup: it runs wherever the program runs.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel user

; With -DSIGN=<command>, package.sh signs the uninstaller as it goes into the setup, then the
; setup itself.
!ifdef SIGN
  !uninstfinalize '"${SIGN}" "%1"' = 0
  !finalize '"${SIGN}" "%1"' = 0
!endif

!define PUBLISHER "The Adagiomill authors"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Adagiomill"
!define UNINSTALLER "uninstall.exe"

Name "Adagiomill ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Adagiomill"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Adagiomill ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Adagiomill"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Adagiomill setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}"

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start Adagiomill"
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram

!define MUI_WELCOMEPAGE_TEXT "Setup will install Adagiomill ${VERSION} for you alone, in your own \
    programs folder. It needs no administrator rights.$\r$\n$\r$\nIf Adagiomill is running, \
    close it first.$\r$\n$\r$\nClick Next to continue."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_TEXT_TOP "The program is always removed. Tick the second entry to \
    remove your settings and your own quote modules as well."
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

Section "Adagiomill" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${STAGE}/Adagiomill.exe"
  File "${STAGE}/miscellaneous.adg"
  File "${STAGE}/proverbs.adg"
  File "${STAGE}/README.txt"
  File "${STAGE}/LICENSE.txt"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  ; A shortcut's working directory is $OUTDIR: the program finds index.txt and its
  ; modules through it.
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\Adagiomill.lnk" "$INSTDIR\Adagiomill.exe" "" \
      "$INSTDIR\Adagiomill.exe" 0 SW_SHOWNORMAL "" "Shows a quotation"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Adagiomill"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Adagiomill.exe,0"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Tools for module authors" SecTools
  SetOutPath "$INSTDIR\tools"
  File "${STAGE}/tools/adgcheck.exe"
  File "${STAGE}/tools/fortune2adg.exe"
SectionEnd

; Last, so that the size counts every component installed.
Section "-Size"
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "Adagiomill.exe, its two quote modules and \
      the Start-menu entry."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecTools} "adgcheck and fortune2adg in a tools folder: \
      command-line tools that check a quote module and convert fortune files into modules."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function StartProgram
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\Adagiomill.exe"'
FunctionEnd

Section "un.Adagiomill" SecUnProgram
  SectionIn RO
  Delete "$INSTDIR\Adagiomill.exe"
  Delete "$INSTDIR\miscellaneous.adg"
  Delete "$INSTDIR\proverbs.adg"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\tools\adgcheck.exe"
  Delete "$INSTDIR\tools\fortune2adg.exe"
  RMDir "$INSTDIR\tools"
  Delete "$SMPROGRAMS\Adagiomill.lnk"
  ; Made by the program's start-with-Windows option; it would point at nothing now.
  Delete "$SMSTARTUP\Adagiomill.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  Delete "$INSTDIR\${UNINSTALLER}"
SectionEnd

Section /o "un.Settings and my modules" SecUnPurge
  Delete "$INSTDIR\index.txt"
  Delete "$INSTDIR\*.adg"
SectionEnd

; Only an empty folder goes: whatever the user keeps there stays.
Section "-un.Folder"
  RMDir "$INSTDIR"
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecUnProgram} "Adagiomill.exe, the tools for module \
      authors, the shipped modules, the Start-menu entry and the start-with-Windows shortcut."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecUnPurge} "index.txt and every quote module (.adg) \
      in the Adagiomill folder."
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END

Function un.onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/PURGE" $R1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecUnPurge}
  ${EndIf}
FunctionEnd
