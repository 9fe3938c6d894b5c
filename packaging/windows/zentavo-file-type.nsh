; The .zna document type of the Windows installer: Explorer opens such files with Zentavo and
; shows them with its icon. Included by the install and the uninstall commands of the installer
; that CPack writes (cmake/ZentavoPackaging.cmake); SHCTX is the machine's or the user's part of
; the registry, as the installer was started.
!ifndef ZENTAVO_FILE_TYPE_NSH
!define ZENTAVO_FILE_TYPE_NSH
!define ZENTAVO_PROGID "Zentavo.Analysis"

!macro ZentavoRegisterFileType
  WriteRegStr SHCTX "Software\Classes\.zna" "" "${ZENTAVO_PROGID}"
  WriteRegStr SHCTX "Software\Classes\.zna" "Content Type" "application/x-zentavo"
  WriteRegStr SHCTX "Software\Classes\.zna\OpenWithProgids" "${ZENTAVO_PROGID}" ""
  WriteRegStr SHCTX "Software\Classes\${ZENTAVO_PROGID}" "" "Zentavo analysis"
  WriteRegStr SHCTX "Software\Classes\${ZENTAVO_PROGID}\DefaultIcon" "" "$INSTDIR\bin\zentavo.exe,0"
  WriteRegStr SHCTX "Software\Classes\${ZENTAVO_PROGID}\shell\open\command" "" '"$INSTDIR\bin\zentavo.exe" "%1"'
  ; Explorer shows the new icon and handler without a new logon.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!macroend

!macro ZentavoUnregisterFileType
  ; The extension is left to another program that took it over since.
  ReadRegStr $0 SHCTX "Software\Classes\.zna" ""
  StrCmp $0 "${ZENTAVO_PROGID}" 0 +2
    DeleteRegKey SHCTX "Software\Classes\.zna"
  DeleteRegValue SHCTX "Software\Classes\.zna\OpenWithProgids" "${ZENTAVO_PROGID}"
  DeleteRegKey SHCTX "Software\Classes\${ZENTAVO_PROGID}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!macroend
!endif
