// Resource ids. Numeric values are fixed; names say what each one is: IDD_
// dialogs, IDS_ strings, IDI_ icons, IDB_ bitmaps, IDR_ raw data; controls
// carry their kind: IDE_ edit, IDL_ list, IDT_ static text, IDC_ button or box.
#pragma once

#define IDI_SETUP 200
#define IDS_AGREEMENT_TEXT 150
#define IDS_SETUP_NAME 301
#define IDR_PAYLOAD 5001

// Agreement page (IDD_AGREEMENT).
#define IDE_AGREEMENT_TEXT 151

// Options page (IDD_DIR).
#define IDC_DIR_BROWSE 100
#define IDE_DIR_PATH 101
#define IDL_DIR_TRANSLATIONS 112
#define IDL_DIR_RECITATIONS 113
#define IDT_DIR_SPACE 114
// Its pictures: the state boxes, the loudspeaker, and the flags 2700 to 2728
// that the catalogue rows name.
#define IDB_STATE_INSTALL_LOAD 599
#define IDB_STATE_INSTALL 600
#define IDB_STATE_DONT_INSTALL 601
#define IDB_SOUND 602
#define IDB_STATE_NOT_AVAILABLE 603

// Folder browser (IDD_BROWSE).
#define IDE_BROWSE_PATH 102
#define IDT_BROWSE_SPACE 103
#define IDC_BROWSE_DRIVES 104
#define IDE_BROWSE_NAME 105
#define IDL_BROWSE_FOLDERS 107
// Folder list icons, also used by the Start-menu folder chooser.
#define IDI_FOLDER 201
#define IDI_FOLDER_UP 202
#define IDI_FOLDER_NEW 203

// Shortcut page (IDD_SHORTCUT).
#define IDC_SHORTCUT_CHOOSE 100
#define IDE_SHORTCUT_FOLDER 101
#define IDC_SHORTCUT_DESKTOP 110
#define IDC_SHORTCUT_START_MENU 111

// Start-menu folder chooser (IDD_BROWSE_SHORTCUT).
#define IDE_CHOOSER_PATH 211
#define IDL_CHOOSER_FOLDERS 212

// Copy page (IDD_COPY).
#define IDT_COPY_TITLE 101
#define IDT_COPY_PROGRESS 214
#define IDE_COPY_STATUS 215
