// Resource numbers shared by the resource script and the program.
#pragma once

#define IDI_OMBRIX 101
#define IDS_FIRST 192
#define IDS_LANGUAGE 192
#define IDS_LAST 291
#define IDM_CONTEXT_MENUS 512

// The popup's bitmaps: seven sets of four sizes, one for each DPI class, each bitmap IDB_POPUP_FIRST + 4 * set +
// class: the jump-list mark, the resize grip, the unpinned and the pinned pin, the mode button in the command and in
// the application mode, and the power button.
#define IDB_POPUP_FIRST 102
#define IDB_POPUP_SETS 7

// Headers of the jump list's groups.
#define IDS_PINNED_HEADER 207
#define IDS_RECENT_HEADER 208
#define IDS_FREQUENT_HEADER 209
#define IDS_UNNAMED_CATEGORY_HEADER 210
#define IDS_TASKS_HEADER 211

// Captions of the places list's headers and command rows.
#define IDS_PLACES_HEADER 212
#define IDS_WINDOWS_HEADER 213
#define IDS_OMBRIX_HEADER 214
#define IDS_SYSTEM_SETTINGS 215
#define IDS_SHELL_START_MENU 216
#define IDS_RELOAD_CATALOGUE 217
#define IDS_SETTINGS_WINDOW 218
#define IDS_HOME_PAGE 219
#define IDS_HELP 220
#define IDS_ABOUT 221
#define IDS_EXIT 222

// Glyph bitmaps of the places list's command rows: each glyph's number plus the scale index (0 to 3) names the
// bitmap at 16, 20, 24 or 32 px.
#define IDB_GLYPH_START 130
#define IDB_GLYPH_RELOAD 134
#define IDB_GLYPH_SETTINGS 138
#define IDB_GLYPH_HOME 142
#define IDB_GLYPH_HELP 146
#define IDB_GLYPH_ABOUT 150
#define IDB_GLYPH_EXIT 154
#define IDB_GLYPH_FIRST IDB_GLYPH_START
#define IDB_GLYPH_COUNT 7
#define IDB_GLYPH_SCALES 4

// Commands of the context menus (submenus of IDM_CONTEXT_MENUS).
#define IDC_POWER_LOCK 40001
#define IDC_POWER_SIGN_OUT 40002
#define IDC_POWER_DISPLAY_OFF 40003
#define IDC_POWER_SLEEP 40004
#define IDC_POWER_HIBERNATE 40005
#define IDC_POWER_RESTART 40006
#define IDC_POWER_SHUT_DOWN 40007
#define IDC_OPEN 40008
#define IDC_OPEN_ELEVATED 40009
#define IDC_COPY_TO_SEARCH 40010
#define IDC_TOGGLE_PIN 40011
#define IDC_REMOVE 40012
#define IDC_CLEAR_LIST 40013
