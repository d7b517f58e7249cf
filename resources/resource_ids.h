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

// The settings window: its title, headings and check boxes in panel order, the colour captions (one per colour of
// the scheme, from IDS_FIRST_COLOR), the list buttons, and the executor editor.
#define IDS_SETTINGS_TITLE 223
#define IDS_GENERAL_HEADING 224
#define IDS_FIRST_OPTION 225
#define IDS_COLORS_HEADING 232
#define IDS_USE_WINDOWS_THEME 233
#define IDS_FIRST_COLOR 234
#define IDS_COLOR_SCHEMES_LINK 265
#define IDS_IMPORT 266
#define IDS_EXPORT 267
#define IDS_EXECUTORS_HEADING 268
#define IDS_ADD_BROWSING 269
#define IDS_REMOVE 270
#define IDS_APPS_LOCATIONS_HEADING 271
#define IDS_FILTERS_HEADING 272
#define IDS_ADD 273
#define IDS_PLACES_LOCATIONS_HEADING 274
#define IDS_DEFAULTS_HEADING 275
#define IDS_RESET 276
#define IDS_COLOR_SCHEME_FILES 277
#define IDS_FIRST_EXECUTOR_FIELD 278
#define IDS_EDITOR_TITLE 283
#define IDS_OK 284
#define IDS_CANCEL 285
#define IDS_BROWSE 286
#define IDS_PROGRAM_FILES 287
#define IDS_ALL_FILES 288
#define IDS_CHOOSE_FOLDER 289
#define IDS_CHOOSE_PROGRAM 290
#define IDS_CHOOSE_COLOR_SCHEME 291

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
