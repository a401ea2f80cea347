; Setup and uninstaller of Vantora. Built by installer/CMakeLists.txt, which defines
; VERSION, FILEVERSION, PUBLISHER, BIN_DIR (the built product), GEN_DIR (the generated
; file lists and wizard picture), ICON, OUTFILE and STOP_SAVER (the helper that ends the
; copies of the program running from the folder).
Unicode true
SetCompressor /SOLID lzma
; Program Files, the all-users Start menu and the programs list need an administrator.
RequestExecutionLevel admin

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantora"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define DESKTOP_KEY "Control Panel\Desktop"
!define MENU_DIR "$SMPROGRAMS\Vantora"

Name "Vantora ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Vantora"
; Installing again goes to the folder of the copy already there.
InstallDirRegKey HKLM "${UNINST_KEY}" "InstallLocation"
BrandingText "Vantora ${VERSION}"

VIProductVersion "${FILEVERSION}"
VIAddVersionKey "ProductName" "Vantora"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "Vantora Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${GEN_DIR}\wizard.bmp"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${GEN_DIR}\wizard.bmp"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "Setup will install Vantora ${VERSION}, a photo screen saver and \
desktop-wallpaper changer, with two sample image sets.$\r$\n$\r$\nIf Vantora is already \
installed, your settings and the image sets you added are kept.$\r$\n$\r$\n$_CLICK"
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_PRE DirectoryPre
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "Vantora is installed. Its settings are in the Start menu, and in \
the screen-saver settings of Windows once it is the active screen saver."
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Make Vantora the active screen saver"
!define MUI_FINISHPAGE_RUN_FUNCTION MakeActiveSaver
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\ReadMe.txt"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show the ReadMe"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

Var changerStopped
Var earlierCopy

; Exit codes besides NSIS's own: the folder was refused; the files are in place only after a
; restart (the code Windows installers use for "restart required").
!define EXIT_FOLDER_REFUSED 2
!define EXIT_RESTART_NEEDED 3010

; Asks a running wallpaper changer to quit and waits until its process has ended, so that
; its library can be replaced or removed. Counts the changers stopped in $changerStopped.
!macro StopChangerFunction un
Function ${un}StopChanger
  StrCpy $changerStopped 0
  System::Call 'user32::RegisterWindowMessage(t "CorvaneMessage") i .r1'
  ${Do}
    FindWindow $0 "WPChangerWnd32"
    ${If} $0 == 0
    ${OrIf} $changerStopped >= 5
      ${Break}
    ${EndIf}
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i 0 r2)'
    System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r2) p .r3'
    System::Call 'user32::PostMessage(p r0, i r1, p 1, p 6294)'
    ${If} $3 P<> 0
      System::Call 'kernel32::WaitForSingleObject(p r3, i 10000)'
      System::Call 'kernel32::CloseHandle(p r3)'
    ${Else}
      Sleep 1000
    ${EndIf}
    IntOp $changerStopped $changerStopped + 1
  ${Loop}
FunctionEnd
!macroend
!insertmacro StopChangerFunction ""
!insertmacro StopChangerFunction "un."

; Ends the saver, its preview and the settings running from $INSTDIR: Windows refuses to
; replace or remove the file of a running program, and a saver that ends later would store
; its settings again.
!macro StopSaverFunction un
Function ${un}StopSaver
  InitPluginsDir
  File "/oname=$PLUGINSDIR\StopSaver.exe" "${STOP_SAVER}"
  ExecWait '"$PLUGINSDIR\StopSaver.exe" "$INSTDIR"' $0
  ${If} $0 != 0
    DetailPrint "Vantora is still running from $INSTDIR."
  ${EndIf}
FunctionEnd
!macroend
!insertmacro StopSaverFunction ""
!insertmacro StopSaverFunction "un."

; The program and its library take ANSI paths: a folder whose name the system's ANSI code
; page cannot spell (Cyrillic on a Western system) would leave the saver without pictures.
; $0 in: the folder; out: 1 when the name survives the trip to ANSI and back unchanged.
Function CanSpell
  ; WC_NO_BEST_FIT_CHARS 0x400: no "A" for an A with a macron. The ANSI result comes back
  ; through the same code page, so the comparison below catches any other change too.
  System::Call 'kernel32::WideCharToMultiByte(i 0, i 0x400, w r0, i -1, m .r2, i ${NSIS_MAX_STRLEN}, p 0, *i 0 r3) i .r1'
  ${If} $1 == 0
  ${OrIf} $3 != 0
  ${OrIf} $2 S!= $0
    StrCpy $0 0
  ${Else}
    StrCpy $0 1
  ${EndIf}
FunctionEnd

; One copy per machine: the settings, the changer's start at logon, the programs-list entry
; and the Start menu are one each, so a second copy elsewhere would take them over from the
; first. Setup updates the earlier copy in its folder, whatever folder was asked for.
Function FindEarlierCopy
  StrCpy $earlierCopy ""
  ReadRegStr $0 HKLM "${UNINST_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0\Vantora.scr"
    StrCpy $earlierCopy $0
    Call CanSpell
    ${If} $0 != 1
      StrCpy $earlierCopy ""
    ${EndIf}
  ${EndIf}
FunctionEnd

Function .onInit
  Call FindEarlierCopy
  ${If} $earlierCopy != ""
    StrCpy $INSTDIR $earlierCopy
  ${EndIf}
  ${If} ${Silent}
    StrCpy $0 $INSTDIR
    Call CanSpell
    ${If} $0 != 1
      SetErrorLevel ${EXIT_FOLDER_REFUSED}
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

; An update goes to the earlier copy's folder without asking.
Function DirectoryPre
  ${If} $earlierCopy != ""
    Abort
  ${EndIf}
FunctionEnd

Function DirectoryLeave
  StrCpy $0 $INSTDIR
  Call CanSpell
  ${If} $0 != 1
    MessageBox MB_OK|MB_ICONSTOP "Vantora cannot run from $INSTDIR: Windows cannot spell this \
folder's name in the language set for programs that are not Unicode.$\r$\n$\r$\nPlease choose \
a folder whose name uses only letters of that language."
    Abort
  ${EndIf}
FunctionEnd

; Writes a file of the build over the installed one, trying again while a program that has
; just been told to end still holds it. A file still held after that is written beside it
; and put in its place when Windows restarts.
!macro InstallFile NAME
  SetOverwrite try
  StrCpy $R1 0
  ${Do}
    ClearErrors
    File "${BIN_DIR}\${NAME}"
    ${IfNot} ${Errors}
      ${Break}
    ${EndIf}
    IntOp $R1 $R1 + 1
    ${If} $R1 >= 10
      SetOverwrite on
      File "/oname=$INSTDIR\${NAME}.new" "${BIN_DIR}\${NAME}"
      Rename /REBOOTOK "$INSTDIR\${NAME}.new" "$INSTDIR\${NAME}"
      DetailPrint "${NAME} is in use: it is replaced when Windows restarts."
      ${Break}
    ${EndIf}
    Sleep 500
  ${Loop}
  SetOverwrite on
!macroend

; The display settings open with Vantora selected; the user confirms there.
Function MakeActiveSaver
  Exec '"$SYSDIR\RunDll32.exe" desk.cpl,InstallScreenSaver $INSTDIR\Vantora.scr'
FunctionEnd

Section "Vantora" SecMain
  SectionIn RO
  Call StopChanger
  Call StopSaver

  SetOutPath "$INSTDIR"
  !insertmacro InstallFile Vantora.scr
  !insertmacro InstallFile VNT32.dll
  !insertmacro InstallFile ReadMe.txt
  !include "${GEN_DIR}\install-images.nsh"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  SetShellVarContext all
  CreateDirectory "${MENU_DIR}"
  CreateShortcut "${MENU_DIR}\Vantora Settings.lnk" "$INSTDIR\Vantora.scr" "/c" "$INSTDIR\Vantora.scr" 0
  CreateShortcut "${MENU_DIR}\Vantora ReadMe.lnk" "$INSTDIR\ReadMe.txt"

  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "Vantora"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\Vantora.scr,0"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" $0

  ; A changer stopped for the update goes on with the new library. The DLL runner's
  ; argument is quoted in case the volume makes no short names.
  ${If} $changerStopped > 0
    GetFullPathName /SHORT $0 "$INSTDIR\VNT32.dll"
    Exec '"$SYSDIR\RunDll32.exe" "$0",ManageWP'
  ${EndIf}

  ${If} ${RebootFlag}
    MessageBox MB_OK|MB_ICONEXCLAMATION "Some of Vantora's files are in use by another program. \
They are replaced when Windows restarts; until then the earlier version runs." /SD IDOK
    SetErrorLevel ${EXIT_RESTART_NEEDED}
  ${EndIf}
SectionEnd

; Drops the system's screen-saver setting when it names this copy, by its long or short path.
Function un.ClearActiveSaver
  GetFullPathName /SHORT $1 "$INSTDIR\Vantora.scr"
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $0 != ""
    ${If} $0 == "$INSTDIR\Vantora.scr"
    ${OrIf} $0 == $1
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
      ; SPI_SETSCREENSAVEACTIVE off, stored and broadcast: no screen saver, as "(None)" does.
      System::Call 'user32::SystemParametersInfo(i 17, i 0, p 0, i 3)'
    ${EndIf}
  ${EndIf}
  ReadINIStr $0 "$WINDIR\system.ini" "boot" "SCRNSAVE.EXE"
  ${If} $0 != ""
    ${If} $0 == "$INSTDIR\Vantora.scr"
    ${OrIf} $0 == $1
      DeleteINIStr "$WINDIR\system.ini" "boot" "SCRNSAVE.EXE"
    ${EndIf}
  ${EndIf}
FunctionEnd

; The library leaves the wallpaper alone when no changer runs; the last one it made goes too.
Function un.RemoveWallpaper
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "Wallpaper"
  ${GetFileName} $0 $1
  ${If} $1 == "Vantora.BMP"
    ; SPI_SETDESKWALLPAPER with no file, stored and broadcast.
    System::Call 'user32::SystemParametersInfo(i 20, i 0, t "", i 3)'
    Delete $0
  ${EndIf}
FunctionEnd

Section "Uninstall"
  ; Whatever runs from the folder ends first, before its files and settings go: a saver
  ; that ended afterwards would store its settings again.
  Call un.StopSaver
  Call un.StopChanger
  ; The library takes its wallpaper away; it must still be here.
  ${If} ${FileExists} "$INSTDIR\VNT32.dll"
    GetFullPathName /SHORT $0 "$INSTDIR\VNT32.dll"
    ExecWait '"$SYSDIR\RunDll32.exe" "$0",Uninstall'
  ${EndIf}
  Call un.RemoveWallpaper
  DeleteRegValue HKCU "${RUN_KEY}" "VTWPChanger"
  Call un.ClearActiveSaver

  ; Settings, and the key every start of the library leaves; then the company keys when
  ; nothing else is in them.
  DeleteRegKey HKCU "Software\Corvane\Vantora"
  DeleteRegKey /ifempty HKCU "Software\Corvane"
  DeleteRegKey HKLM "Software\Corvane\Vantora"
  DeleteRegKey /ifempty HKLM "Software\Corvane"

  ; A file another program still holds goes when Windows restarts.
  Delete /REBOOTOK "$INSTDIR\Vantora.scr"
  Delete /REBOOTOK "$INSTDIR\VNT32.dll"
  Delete /REBOOTOK "$INSTDIR\ReadMe.txt"
  !include "${GEN_DIR}\remove-images.nsh"
  Delete /REBOOTOK "$INSTDIR\Uninstall.exe"
  ; With files waiting for the restart the folders go after them; with none, only empty ones
  ; go, so that the user's own pictures ask for no restart.
  ${If} ${RebootFlag}
    RMDir /REBOOTOK "$INSTDIR\Images"
    RMDir /REBOOTOK "$INSTDIR"
  ${Else}
    RMDir "$INSTDIR\Images"
    RMDir "$INSTDIR"
  ${EndIf}

  SetShellVarContext all
  Delete "${MENU_DIR}\Vantora Settings.lnk"
  Delete "${MENU_DIR}\Vantora ReadMe.lnk"
  RMDir "${MENU_DIR}"
  DeleteRegKey HKLM "${UNINST_KEY}"

  ; Only the user's own pictures keep the folder, or files still in use.
  ${If} ${RebootFlag}
    DetailPrint "Some files in $INSTDIR are in use: they are removed when Windows restarts."
    MessageBox MB_OK|MB_ICONEXCLAMATION "Vantora is removed. Some of its files are in use by \
another program; they are deleted when Windows restarts." /SD IDOK
    SetErrorLevel ${EXIT_RESTART_NEEDED}
  ${ElseIf} ${FileExists} "$INSTDIR\*.*"
    DetailPrint "Your own files in $INSTDIR were left in place."
    MessageBox MB_OK|MB_ICONINFORMATION "Vantora is removed. The files you added to \
$INSTDIR\Images were left in place." /SD IDOK
  ${EndIf}
SectionEnd
