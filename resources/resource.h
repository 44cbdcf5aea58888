/* Resource ids of OPTION.dll. Read by windres as well as by the C++ code:
 * #defines only, grouped by kind in id order. The same control id may carry
 * several names, one per page that uses it. */
#ifndef OPTION_RESOURCE_H
#define OPTION_RESOURCE_H

/* Icon */
#define IDI_PRODUCT                         1001

/* Bitmaps */
#define IDB_SEPARATOR                       2001    /* 232 x 1, the rule under a section header */
#define IDB_PLAY                            2002    /* 13 x 13, 1 bpp */
#define IDB_STOP                            2003    /* 13 x 13, 1 bpp */
#define IDB_BUTTON                          2004    /* 16 x 16, a hardware button without an icon */
#define IDB_PLAY_2X                         2005    /* 26 x 26, 1 bpp, the play glyph for 192 dpi */
#define IDB_STOP_2X                         2006    /* 26 x 26, 1 bpp, the stop glyph for 192 dpi */
#define IDB_BUTTON_2X                       2007    /* 32 x 32, the button picture for 192 dpi */

/* Sound (resource type "WAVE") */
#define IDR_EVENT_SOUND                     2101

/* Dialog templates */
#define IDD_MENU                            3001
#define IDD_TAB_APPEARANCE                  3002
#define IDD_NEW_TAB                         3003
#define IDD_ALIAS                           3004
#define IDD_SERVICE                         3005
#define IDD_SCREEN                          3006
#define IDD_BUTTONS                         3007
#define IDD_VIEW                            3008
#define IDD_BROWSER                         3009
#define IDD_ABOUT                           3010

/* Push buttons */
#define IDC_NEW_TAB_PLAY                    4002
#define IDC_NEW_TAB_STOP                    4003
#define IDC_URL_ADD                         4004
#define IDC_URL_REMOVE                      4005
#define IDC_URL_UP                          4006
#define IDC_URL_DOWN                        4007
#define IDC_URL_DEFAULT                     4008

/* Labels and section headers */
#define IDC_MENU_TAB_HEADER                 4101
#define IDC_TAB_APPEARANCE_APPEARANCE_HEADER 4101
#define IDC_NEW_TAB_NEW_TAB_HEADER          4101
#define IDC_SCREEN_FULL_SCREEN_HEADER       4101
#define IDC_VIEW_POCKET_VIEW_HEADER         4101
#define IDC_BUTTONS_HEADER                  4101
#define IDC_BROWSER_IDENTIFICATION_HEADER   4101
#define IDC_ABOUT_NAME_LABEL                4101    /* first part of the product name */
#define IDC_MENU_BACK_HEADER                4102
#define IDC_TAB_APPEARANCE_POSITION_HEADER  4102
#define IDC_NEW_TAB_EVENT_HEADER            4102
#define IDC_SCREEN_DRAG_HEADER              4102
#define IDC_VIEW_SOURCE_HEADER              4102
#define IDC_BROWSER_SCRIPT_HEADER           4102
#define IDC_ABOUT_NAME_ACCENT_LABEL         4102    /* rest of the product name, coloured */
#define IDC_MENU_FORWARD_HEADER             4103
#define IDC_TAB_APPEARANCE_ACTION_HEADER    4103
#define IDC_BROWSER_CLEARTYPE_HEADER        4103
#define IDC_ABOUT_VERSION_LABEL             4103
#define IDC_MENU_MENUBAR_HEADER             4104
#define IDC_SCREEN_PIXELS_LABEL             4105
#define IDC_ABOUT_LINK_LABEL                4107
#define IDC_BUTTONS_INTERVAL_LABEL          4113
#define IDC_ALIAS_ALIAS_LABEL               4114
#define IDC_URL_URL_LABEL                   4115
#define IDC_SERVICE_NAME_LABEL              4116

/* Check boxes */
#define IDC_SCREEN_HIDE_MENU_BAR_CHECK      4201
#define IDC_SCREEN_HIDE_VSCROLL_CHECK       4202
#define IDC_SCREEN_HIDE_HSCROLL_CHECK       4203
#define IDC_SCREEN_HIDE_ADDRESS_BAR_CHECK   4204
#define IDC_VIEW_SPLIT_TEXT_CHECK           4205
#define IDC_VIEW_SPLIT_PRE_CHECK            4206
#define IDC_VIEW_COMBINE_TD_CHECK           4207
#define IDC_BROWSER_CLEARTYPE_CHECK         4208
#define IDC_NEW_TAB_SOUND_CHECK             4209
#define IDC_NEW_TAB_FOREGROUND_CHECK        4210
#define IDC_TAB_APPEARANCE_DOUBLE_TAP_CHECK 4211
#define IDC_TAB_APPEARANCE_HIDE_SINGLE_CHECK 4212
#define IDC_MENU_SOFTKEY_CHECK              4213
#define IDC_ALIAS_DEFAULT_CHECK             4214    /* flag position 1, "D" */
#define IDC_ALIAS_EXPAND_CHECK              4215    /* flag position 2, "E" */
#define IDC_SERVICE_CHILD_CHECK             4216    /* flag position 1, "C" */
#define IDC_SERVICE_SEPARATOR_CHECK         4217    /* flag position 2, "S" */

/* Radio buttons */
#define IDC_NEW_TAB_BLANK_RADIO             4301
#define IDC_NEW_TAB_HOME_RADIO              4302
#define IDC_NEW_TAB_CURRENT_RADIO           4303
#define IDC_SCREEN_RESTORE_BUTTON_RADIO     4304
#define IDC_SCREEN_RESTORE_BAR_RADIO        4305

/* Combo boxes */
#define IDC_SCREEN_BAR_HEIGHT_COMBO         4401
#define IDC_BROWSER_IDENTIFICATION_COMBO    4402
#define IDC_BROWSER_SCRIPT_COMBO            4403
#define IDC_BUTTONS_ASSIGNMENT_COMBO        4404
#define IDC_TAB_APPEARANCE_COUNT_COMBO      4405
#define IDC_TAB_APPEARANCE_HEIGHT_COMBO     4406
#define IDC_TAB_APPEARANCE_NEW_TAB_POS_COMBO 4407
#define IDC_TAB_APPEARANCE_ACTIVATE_COMBO   4408
#define IDC_BUTTONS_SCROLL_AMOUNT_COMBO     4409
#define IDC_NEW_TAB_SOUND_COMBO             4410
#define IDC_MENU_TAB_COMBO                  4411
#define IDC_MENU_BACK_COMBO                 4412
#define IDC_MENU_FORWARD_COMBO              4413
#define IDC_ALIAS_EXPAND_KEY_COMBO          4414

/* Edit boxes */
#define IDC_VIEW_SPLIT_LENGTH_EDIT          4501
#define IDC_VIEW_SOURCE_APP_EDIT            4503
#define IDC_ALIAS_ALIAS_EDIT                4504
#define IDC_URL_URL_EDIT                    4505
#define IDC_SERVICE_NAME_EDIT               4506

/* Up-down controls */
#define IDC_VIEW_SPLIT_LENGTH_SPIN          4601

/* List views */
#define IDC_BUTTONS_LIST                    4701
#define IDC_URL_LIST                        4702

/* Trackbars */
#define IDC_BUTTONS_INTERVAL_TRACKBAR       4801
#define IDC_SCREEN_SENSITIVITY_TRACKBAR     4802

/* User-interface strings */
#define IDS_SHEET_TITLE                     201
#define IDS_CONFIRM_DEFAULTS                311
#define IDS_HINT_ADD                        312
#define IDS_COLUMN_FLAG                     321
#define IDS_COLUMN_URL                      322
#define IDS_COLUMN_ALIAS                    323     /* also the text of a new alias row */
#define IDS_COLUMN_NAME                     324     /* also the text of a new service row */
#define IDS_ACTION_NO_CHANGE                401
#define IDS_ACTION_NONE                     402
#define IDS_ACTION_PIE_BACK                 403
#define IDS_ACTION_PIE_FORWARD              404
#define IDS_ACTION_PIE_STOP_REFRESH         405
#define IDS_ACTION_PIE_HOME                 406
#define IDS_ACTION_PIE_FAVORITES            407
#define IDS_ACTION_PIE_CHANGE_LAYOUT        408
#define IDS_ACTION_PIE_SHOW_IMAGES          409
#define IDS_ACTION_PIE_SHOW_ADDRESS_BAR     410
#define IDS_ACTION_PIE_HISTORY              411
#define IDS_ACTION_PIE_PROPERTIES           412
#define IDS_ACTION_MENU                     421
#define IDS_ACTION_TOGGLE_VIEW              422
#define IDS_ACTION_NEW_TAB                  423
#define IDS_ACTION_NEW_BLANK_TAB            424
#define IDS_ACTION_NEW_CURRENT_TAB          425
#define IDS_ACTION_NEW_HOME_TAB             426
#define IDS_ACTION_CLOSE_TAB                427
#define IDS_ACTION_NEXT_TAB                 428
#define IDS_ACTION_PREVIOUS_TAB             429
#define IDS_ACTION_TOGGLE_FULL_SCREEN       430
#define IDS_ACTION_CURSOR_TO_ADDRESS_BAR    431
#define IDS_ACTION_BEGINNING_OF_PAGE        432
#define IDS_ACTION_END_OF_PAGE              433
#define IDS_ACTION_PRESS_TAB                434
#define IDS_ACTION_PRESS_SHIFT_TAB          435
#define IDS_ACTION_TOGGLE_DPAD_SCROLL       436
#define IDS_ACTION_TOGGLE_JOG_DIAL_SCROLL   437
#define IDS_SHELL_START_MENU                441
#define IDS_SHELL_INPUT_PANEL               442
#define IDS_SHELL_TODAY                     443
#define IDS_SHELL_SCROLL_UP                 444
#define IDS_SHELL_SCROLL_DOWN               445
#define IDS_SHELL_SCROLL_LEFT               446
#define IDS_SHELL_SCROLL_RIGHT              447
#define IDS_SHELL_NONE                      448
#define IDS_SHELL_OK_CLOSE                  449
#define IDS_SHELL_CONTEXT_MENU              450
#define IDS_SHELL_ROTATE_SCREEN             451
#define IDS_BUTTONS_COLUMN_BUTTON           460
#define IDS_BUTTONS_COLUMN_ASSIGNMENT       461
#define IDS_BUTTONS_HOLD_SUFFIX             462     /* " (Hold)", with its leading space */
#define IDS_PIE_IDENT_PIE                   501
#define IDS_PIE_IDENT_IE55                  502
#define IDS_PIE_IDENT_IE60                  503
#define IDS_PIE_SCRIPT_DISABLE              504
#define IDS_PIE_SCRIPT_ENABLE               505
#define IDS_PIE_SCRIPT_SHOW_ERRORS          506
#define IDS_MENU_DROPDOWN                   511
#define IDS_MENU_NEW_BLANK_TAB              512
#define IDS_MENU_NEW_CURRENT_TAB            513
#define IDS_MENU_NEW_HOME_TAB               514
#define IDS_MENU_BACK                       515
#define IDS_MENU_FORWARD                    516
#define IDS_TABS_NEXT_TO_CURRENT            520
#define IDS_TABS_END_OF_BAR                 521
#define IDS_TABS_LEFT_TAB                   522
#define IDS_TABS_RIGHT_TAB                  523
/* Default URL lists: entry i is the stored name (two flag characters, then the
 * text) at FIRST + 2i and its URL at FIRST + 2i + 1; the list ends at the first
 * missing name. */
#define IDS_ALIAS_DEFAULTS_FIRST            601
#define IDS_SERVICE_DEFAULTS_FIRST          701

/* Registry value names and paths (language-neutral) */
#define IDS_VALUE_FS_ADDRESS_BAR            9111
#define IDS_VALUE_FS_TAB                    9112
#define IDS_VALUE_FS_MENU_BAR               9113
#define IDS_VALUE_FS_RESTORE_BAR            9114
#define IDS_VALUE_FS_RESTORE_BAR_HEIGHT     9115
#define IDS_VALUE_FS_VSCROLL                9116
#define IDS_VALUE_FS_HSCROLL                9117
#define IDS_VALUE_SPLIT_TEXT                9121
#define IDS_VALUE_SPLIT_TEXT_LEN            9122
#define IDS_VALUE_SPLIT_PRE                 9123
#define IDS_VALUE_COMBINE_TD                9124
#define IDS_VALUE_VIEW_SOURCE_APP           9125
#define IDS_VALUE_IDENTIFICATION            9131
#define IDS_PATH_INTERNET_SETTINGS          9132
#define IDS_PATH_INTERNET_EXPLORER          9133
#define IDS_PATH_SHELL_KEYS                 9141
#define IDS_VALUE_HOT_KEY_INTERVAL          9142
#define IDS_VALUE_SCROLL_LINE_AMOUNT        9143
#define IDS_VALUE_SCREEN_DRAG_SENSITIVITY   9152
#define IDS_VALUE_TAB_COUNT                 9162
#define IDS_VALUE_TAB_HEIGHT                9163
#define IDS_VALUE_TAB_DOUBLE_TAP            9164
#define IDS_VALUE_TAB_HIDE_SINGLE           9165
#define IDS_VALUE_TAB_POS_NEW_TAB           9166
#define IDS_VALUE_TAB_POS_ACTIVATE          9167
#define IDS_VALUE_TAB_NEW_TYPE              9168
#define IDS_VALUE_EVENT_SOUND               9171
#define IDS_VALUE_EVENT_SOUND_FILE          9172
#define IDS_VALUE_EVENT_FOREGROUND          9173
#define IDS_VALUE_MENU_TAB                  9181
#define IDS_VALUE_MENU_BACK                 9182
#define IDS_VALUE_MENU_FORWARD              9183
#define IDS_VALUE_MENU_SOFT_KEY             9184
#define IDS_VALUE_ALIAS_EXPAND_KEY          9191

#endif
