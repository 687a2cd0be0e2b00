; Per-user setup for Adagiomill: no administrator rights. The program keeps index.txt
; beside itself, so it goes into the user's own programs folder, which stays writable.
;
; makensis -DVERSION=x.y.z -DSTAGE=<folder with the staged files> -DICON=<icon>
;          -DOUTFILE=<setup.exe> Adagiomill.nsi
; Uninstaller switches: /S silent; /PURGE also removes index.txt and the user's modules.
; Both close an Adagiomill that runs from the folder they change first; silent, they end
; with exit code 2 and change nothing when it will not close.

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
!include WinMessages.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(RunText)"
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram

!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_TEXT_TOP "$(UnComponentsText)"
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; NSIS picks the one that matches the Windows UI language, the first one when none does.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "Spanish"
!insertmacro MUI_LANGUAGE "Italian"
!insertmacro MUI_LANGUAGE "PortugueseBR"
!insertmacro MUI_LANGUAGE "Russian"
!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "SimpChinese"
!include /CHARSET=UTF8 "${__FILEDIR__}/Languages.nsh"

; The program speaks Brazilian Portuguese and Simplified Chinese only to their own users, the
; other Portuguese and Chinese ones get English; NSIS would give them these as the nearest.
!macro PICK_LANGUAGE
  System::Call 'kernel32::GetUserDefaultUILanguage() i .r0'
  IntOp $1 $0 & 0x3FF
  ${If} $1 = 0x16
  ${AndIf} $0 <> ${LANG_PORTUGUESEBR}
    StrCpy $LANGUAGE ${LANG_ENGLISH}
  ${ElseIf} $1 = 0x04
  ${AndIf} $0 <> ${LANG_SIMPCHINESE}
    StrCpy $LANGUAGE ${LANG_ENGLISH}
  ${EndIf}
!macroend

; A running Adagiomill holds its executable, and it saves index.txt when it closes: it must
; be gone before a file of its folder changes. Found by its quote window, whose caption
; starts the same in every version and language, then by its executable's folder, so that a
; copy started from another folder is left alone.
!macro CLOSE_RUNNING_PROGRAM UN
; $R9: the quote window of an Adagiomill from $INSTDIR, 0 for none; $R3: its process.
Function ${UN}FindRunningProgram
  StrCpy $R8 $INSTDIR
  System::Call 'kernel32::GetLongPathNameW(w "$INSTDIR", w .R7, i ${NSIS_MAX_STRLEN}) i .R6'
  ${If} $R6 > 0
    StrCpy $R8 $R7
  ${EndIf}
  StrCpy $R9 0
  StrCpy $R0 0
  ${Do}
    FindWindow $R0 "#32770" "" "" $R0
    ${IfThen} $R0 = 0 ${|} ${ExitDo} ${|}
    System::Call 'user32::GetWindowTextW(p R0, w .R1, i ${NSIS_MAX_STRLEN})'
    StrCpy $R1 $R1 12
    ${IfThen} $R1 != "Adagiomill v" ${|} ${Continue} ${|}
    System::Call 'user32::GetWindowThreadProcessId(p R0, *i .R3)'
    ; PROCESS_QUERY_LIMITED_INFORMATION
    System::Call 'kernel32::OpenProcess(i 0x1000, i 0, i R3) p .R4'
    ${IfThen} $R4 P= 0 ${|} ${Continue} ${|}
    System::Call 'kernel32::QueryFullProcessImageNameW(p R4, i 0, w .R5, *i ${NSIS_MAX_STRLEN}) i .R6'
    System::Call 'kernel32::CloseHandle(p R4)'
    ${IfThen} $R6 = 0 ${|} ${Continue} ${|}
    ${GetParent} $R5 $R5
    ${If} $R5 == $R8
      StrCpy $R9 $R0
      ${ExitDo}
    ${EndIf}
  ${Loop}
FunctionEnd

; Cancels what the program shows above its quote window (the options dialog, a message box,
; the Open dialog), then asks the quote window to close, as another program does: it saves
; its settings and shows nothing. $R2: 1 when the process ended within about 10 seconds.
Function ${UN}CloseProgram
  ; SYNCHRONIZE
  System::Call 'kernel32::OpenProcess(i 0x100000, i 0, i R3) p .R4'
  StrCpy $R2 0
  StrCpy $R5 0
  ${For} $R6 1 100
    StrCpy $R0 0
    ${Do}
      FindWindow $R0 "#32770" "" "" $R0
      ${IfThen} $R0 = 0 ${|} ${ExitDo} ${|}
      System::Call 'user32::GetWindowThreadProcessId(p R0, *i .R1)'
      ${If} $R1 = $R3
      ${AndIf} $R0 <> $R9
        ; IDCANCEL, as Esc gives it
        System::Call 'user32::PostMessageW(p R0, i ${WM_COMMAND}, p 2, p 0)'
      ${EndIf}
    ${Loop}
    System::Call 'user32::IsWindowEnabled(p R9) i .R1'
    ${If} $R1 <> 0
    ${AndIf} $R5 = 0
      System::Call 'user32::PostMessageW(p R9, i ${WM_CLOSE}, p 0, p 0)'
      StrCpy $R5 1
    ${EndIf}
    ; WAIT_OBJECT_0. A process that may not be waited for has ended once its window has gone.
    System::Call 'kernel32::WaitForSingleObject(p R4, i 100) i .R1'
    ${If} $R4 P= 0
      Sleep 100
      System::Call 'user32::IsWindow(p R9) i .R1'
    ${EndIf}
    ${If} $R1 = 0
      StrCpy $R2 1
      ${Break}
    ${EndIf}
  ${Next}
  System::Call 'kernel32::CloseHandle(p R4)'
FunctionEnd

; Says so first; offers Retry or Cancel when the program will not close. Silent, it closes
; without asking and gives up with exit code 2, before anything has changed.
Function ${UN}CloseRunningProgram
  StrCpy $R7 0
  ${Do}
    Call ${UN}FindRunningProgram
    ${IfThen} $R9 = 0 ${|} Return ${|}
    ${If} $R7 = 0
    ${AndIfNot} ${Cmd} `MessageBox MB_OKCANCEL|MB_ICONINFORMATION "$(CloseFirst)" /SD IDOK IDOK`
      Abort
    ${EndIf}
    StrCpy $R7 1
    Call ${UN}CloseProgram
    ${If} $R2 = 0
    ${AndIfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(CloseFailed)" /SD IDCANCEL IDRETRY`
      Abort
    ${EndIf}
  ${Loop}
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_PROGRAM ""
!insertmacro CLOSE_RUNNING_PROGRAM "un."

Section "Adagiomill" SecProgram
  SectionIn RO
  Call CloseRunningProgram
  SetOutPath "$INSTDIR"
  File "${STAGE}/Adagiomill.exe"
  File "${STAGE}/Adagiomill.html"
  File "${STAGE}/miscellaneous.adg"
  File "${STAGE}/proverbs.adg"
  File "${STAGE}/README.txt"
  File "${STAGE}/LICENSE.txt"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  ; A shortcut's working directory is $OUTDIR: the program finds index.txt and its
  ; modules through it.
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\Adagiomill.lnk" "$INSTDIR\Adagiomill.exe" "" \
      "$INSTDIR\Adagiomill.exe" 0 SW_SHOWNORMAL "" "$(ShortcutComment)"
  CreateShortcut "$SMPROGRAMS\Adagiomill Help.lnk" "$INSTDIR\Adagiomill.html"

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

Section "$(SecToolsName)" SecTools
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
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "$(SecProgramDesc)"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecTools} "$(SecToolsDesc)"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function StartProgram
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\Adagiomill.exe"'
FunctionEnd

Function .onInit
  !insertmacro PICK_LANGUAGE
FunctionEnd

Section "un.Adagiomill" SecUnProgram
  SectionIn RO
  Call un.CloseRunningProgram
  Delete "$INSTDIR\Adagiomill.exe"
  Delete "$INSTDIR\Adagiomill.html"
  Delete "$INSTDIR\miscellaneous.adg"
  Delete "$INSTDIR\proverbs.adg"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\tools\adgcheck.exe"
  Delete "$INSTDIR\tools\fortune2adg.exe"
  RMDir "$INSTDIR\tools"
  Delete "$SMPROGRAMS\Adagiomill.lnk"
  Delete "$SMPROGRAMS\Adagiomill Help.lnk"
  ; Made by the program's start-with-Windows option; it would point at nothing now.
  Delete "$SMSTARTUP\Adagiomill.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  Delete "$INSTDIR\${UNINSTALLER}"
SectionEnd

Section /o "un.$(UnPurgeName)" SecUnPurge
  Delete "$INSTDIR\index.txt"
  Delete "$INSTDIR\*.adg"
SectionEnd

; Only an empty folder goes: whatever the user keeps there stays.
Section "-un.Folder"
  RMDir "$INSTDIR"
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecUnProgram} "$(UnProgramDesc)"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecUnPurge} "$(UnPurgeDesc)"
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END

Function un.onInit
  !insertmacro PICK_LANGUAGE
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/PURGE" $R1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecUnPurge}
  ${EndIf}
FunctionEnd
