; The Windows setup program: puts Brumvale.vst3 where VST 3 hosts look (the 64-bit
; library, and for 32-bit hosts the 32-bit one), the factory presets where hosts look
; for all users' presets, and an uninstaller that Apps & features lists.
; GPL-3.0-or-later.
;
; One program for 32-bit and 64-bit Windows: a 32-bit installer runs on both and asks
; Windows which it is. build-setup.sh defines VERSION (four numbers), LIBRARY32,
; LIBRARY64, LICENSE and README (files), PRESETS_NSH (the preset list it writes) and
; OUTFILE.

Unicode true
Target x86-unicode
SetCompressor /SOLID lzma
; Installed files get the time they are installed, and the setup program holds no
; build time: the same tree gives the same bytes.
SetDateSave off
RequestExecutionLevel admin
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh

!define PRODUCT "Brumvale"
!define PUBLISHER "Kelmarotte"
; One key for every version, so that a newer one replaces the older's entry.
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brumvale"
!define PRESET_FOLDER "VST3 Presets\Kelmarotte\Brumvale"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (C) 2015 Kelmarotte. Free software under the GNU GPL, version 3 or later."
VIAddVersionKey /LANG=0 "LegalTrademarks" "VST is a trademark of Steinberg Media Technologies GmbH"

!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_WELCOMEPAGE_TEXT "This installs Brumvale ${VERSION}, an octave-fuzz VST 3 effect, for every VST 3 host on this computer, with its ten factory presets.$\r$\n$\r$\nClose your music programs before you go on; rescan for plug-ins when you start them again."
!insertmacro MUI_PAGE_WELCOME
; The GPL asks nothing of someone who only uses the program: the page informs.
!define MUI_LICENSEPAGE_TEXT_BOTTOM "Brumvale is free software: you may use it for any purpose. The licence sets the terms for passing it on or changing it."
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "Brumvale is installed. Let your host scan for new plug-ins: Brumvale appears among its distortion effects, by Kelmarotte, with its ten presets in the host's preset menu."
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

!include "${PRESETS_NSH}"

; Records that a part was installed, so that the uninstaller removes that and no more.
!macro Record NAME
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "${NAME}" 1
!macroend

; Windows' own view of the registry and of the program folders, also from this
; 32-bit program on 64-bit Windows.
!macro UseNativeViews
    SetShellVarContext all
    ${If} ${RunningX64}
        SetRegView 64
    ${EndIf}
!macroend

Section "-Previous installation"
    ; A previous version's (or this one's, for a repair) uninstaller removes what
    ; it installed, from where it is, before the files are written anew.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
    ${AndIf} ${FileExists} "$0\uninstall.exe"
        DetailPrint "Removing the installed version first"
        ExecWait '"$0\uninstall.exe" /S _?=$0'
        Delete "$0\uninstall.exe"
        RMDir "$0"
    ${EndIf}
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

Section "Brumvale (64-bit)" Section64
    SectionIn RO
    SetOutPath "$COMMONFILES64\VST3"
    File "/oname=Brumvale.vst3" "${LIBRARY64}"
    !insertmacro Record "Library64"
SectionEnd

Section "Brumvale for 32-bit hosts" Section32
    SetOutPath "$COMMONFILES32\VST3"
    File "/oname=Brumvale.vst3" "${LIBRARY32}"
    !insertmacro Record "Library32"
SectionEnd

Section "Factory presets" SectionPresets
    SetOutPath "$APPDATA\${PRESET_FOLDER}"
    !insertmacro InstallPresets
    !insertmacro Record "Presets"
SectionEnd

Section "-Uninstaller"
    SetOutPath "$INSTDIR"
    File "/oname=LICENSE.txt" "${LICENSE}"
    File "/oname=README.txt" "${README}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    StrCpy $1 0
    ${ForEach} $0 ${Section64} ${SectionPresets} + 1
        ${If} ${SectionIsSelected} $0
            SectionGetSize $0 $2
            IntOp $1 $1 + $2
        ${EndIf}
    ${Next}
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${Section64} "The plug-in for 64-bit hosts (most music programs today), in Common Files\VST3."
    !insertmacro MUI_DESCRIPTION_TEXT ${Section32} "The plug-in for 32-bit hosts, in Common Files\VST3 of Program Files (x86)."
    !insertmacro MUI_DESCRIPTION_TEXT ${SectionPresets} "Ten presets, for every user, in ProgramData\${PRESET_FOLDER}."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "Admin"
        MessageBox MB_ICONSTOP "Brumvale's setup needs administrator rights: it installs for every user." /SD IDOK
        SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
        Quit
    ${EndIf}
    !insertmacro UseNativeViews
    ${If} ${RunningX64}
        StrCpy $0 "$PROGRAMFILES64"
    ${Else}
        ; 32-bit Windows: its one library is the plug-in itself, in Common Files\VST3.
        SectionSetFlags ${Section64} 0
        SectionSetText ${Section64} ""
        SectionSetText ${Section32} "Brumvale"
        SectionSetFlags ${Section32} ${SF_SELECTED}|${SF_RO}
        StrCpy $0 "$PROGRAMFILES"
    ${EndIf}
    ; Always here, whatever /D says: the uninstaller removes the folder above it
    ; when that is left empty.
    StrCpy $INSTDIR "$0\${PUBLISHER}\${PRODUCT}"
FunctionEnd

Function un.onInit
    !insertmacro UseNativeViews
FunctionEnd

; Removes what the installation recorded, then the folders it leaves empty: a preset
; the user saved beside the factory ones stays, and so do its folders.
Section "Uninstall"
    ReadRegDWORD $0 HKLM "${UNINSTALL_KEY}" "Library64"
    ${If} $0 = 1
        Delete "$COMMONFILES64\VST3\Brumvale.vst3"
        RMDir "$COMMONFILES64\VST3"
    ${EndIf}
    ReadRegDWORD $0 HKLM "${UNINSTALL_KEY}" "Library32"
    ${If} $0 = 1
        Delete "$COMMONFILES32\VST3\Brumvale.vst3"
        RMDir "$COMMONFILES32\VST3"
    ${EndIf}
    ReadRegDWORD $0 HKLM "${UNINSTALL_KEY}" "Presets"
    ${If} $0 = 1
        !insertmacro RemovePresets "$APPDATA\${PRESET_FOLDER}"
        RMDir "$APPDATA\${PRESET_FOLDER}"
        RMDir "$APPDATA\VST3 Presets\${PUBLISHER}"
        RMDir "$APPDATA\VST3 Presets"
    ${EndIf}
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    RMDir "$INSTDIR\.."
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
