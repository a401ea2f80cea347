; Setup and uninstaller of Vantora. Built by installer/CMakeLists.txt, which defines
; VERSION, FILEVERSION, PUBLISHER, BIN_DIR (the built product), GEN_DIR (the generated
; file lists and wizard picture), ICON and OUTFILE.
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

; Asks a running wallpaper changer to quit and waits until its process has ended, so that
; its library can be replaced. Counts the changers stopped in $changerStopped.
Function StopChanger
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

; The display settings open with Vantora selected; the user confirms there.
Function MakeActiveSaver
  Exec '"$SYSDIR\RunDll32.exe" desk.cpl,InstallScreenSaver $INSTDIR\Vantora.scr'
FunctionEnd

Section "Vantora" SecMain
  SectionIn RO
  Call StopChanger

  SetOutPath "$INSTDIR"
  File "${BIN_DIR}\Vantora.scr"
  File "${BIN_DIR}\VNT32.dll"
  File "${BIN_DIR}\ReadMe.txt"
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
  ; The library stops the changer and takes its wallpaper away; it must still be here.
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

  Delete "$INSTDIR\Vantora.scr"
  Delete "$INSTDIR\VNT32.dll"
  Delete "$INSTDIR\ReadMe.txt"
  !include "${GEN_DIR}\remove-images.nsh"
  RMDir "$INSTDIR\Images"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  SetShellVarContext all
  Delete "${MENU_DIR}\Vantora Settings.lnk"
  Delete "${MENU_DIR}\Vantora ReadMe.lnk"
  RMDir "${MENU_DIR}"
  DeleteRegKey HKLM "${UNINST_KEY}"

  ; Only the user's own pictures keep the folder.
  ${If} ${FileExists} "$INSTDIR\*.*"
    DetailPrint "Your own files in $INSTDIR were left in place."
    MessageBox MB_OK|MB_ICONINFORMATION "Vantora is removed. The files you added to \
$INSTDIR\Images were left in place." /SD IDOK
  ${EndIf}
SectionEnd
