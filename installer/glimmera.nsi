; Installer of Glimmera: glimmera.exe and its help files, per user, with an uninstaller.
; The build passes every path and the version (cmake/installer.cmake):
;   VERSION      product version, e.g. 1.0.0.0
;   VERSION4     the same with exactly four numbers (version resource)
;   PROGRAM      path of glimmera.exe
;   HELPFILE     path of glimmera.chm
;   HELPFILE_RU  path of glimmera-ru.chm, the Russian manual
;   ICON         path of the program's icon (glimmera.ico, drawn at build time)
;   OUTFILE      path of the installer to write

!ifndef VERSION | VERSION4 | PROGRAM | HELPFILE | HELPFILE_RU | ICON | OUTFILE
  !error "Define VERSION, VERSION4, PROGRAM, HELPFILE, HELPFILE_RU, ICON and OUTFILE (makensis -D...)"
!endif

; The 32-bit stub does not start where only 64-bit programs run (a 64-bit-only Wine).
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!define PRODUCT "Glimmera"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Glimmera"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
; Per user: no administrator rights, nothing outside the user's profile.
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ManifestDPIAware true

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
; No copyright line to show: keep makensis quiet about it.
!pragma warning disable 9100
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} Setup"

!include "MUI2.nsh"

; Setup and uninstaller show the program's own icon, not the installer system's.
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\glimmera.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The system's UI language chooses between these two, as the program itself does.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Russian"

Section "Glimmera" SecMain
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "/oname=glimmera.chm" "${HELPFILE}"
  File "/oname=glimmera-ru.chm" "${HELPFILE_RU}"

  ; An update starts this installer and then closes the running program: wait up to
  ; 10 s for its file to become writable instead of failing on the locked file.
  StrCpy $1 0
  wait_for_program:
    IfFileExists "$INSTDIR\glimmera.exe" 0 program_free
    ClearErrors
    FileOpen $0 "$INSTDIR\glimmera.exe" a
    IfErrors 0 program_open
    IntOp $1 $1 + 1
    IntCmp $1 20 program_free
    Sleep 500
    Goto wait_for_program
  program_open:
    FileClose $0
  program_free:

  File "/oname=glimmera.exe" "${PROGRAM}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\glimmera.exe" "" "$INSTDIR\glimmera.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\glimmera.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\glimmera.exe"
  Delete "$INSTDIR\glimmera.chm"
  Delete "$INSTDIR\glimmera-ru.chm"
  ; The program's own file beside it (window placement).
  Delete "$INSTDIR\settings"
  ; Where its folder was not writable the program kept that file in the user's roaming
  ; application data instead (services/SettingsFileWin.cpp). The folder goes only when
  ; empty: anything else in it is the user's.
  SetShellVarContext current
  Delete "$APPDATA\${PRODUCT}\settings"
  RMDir "$APPDATA\${PRODUCT}"
  Delete "$INSTDIR\Uninstall.exe"
  ; Only when empty: the user may have chosen a folder that holds other files.
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
