#pragma once
/* Resource and command identifiers, shared by the resource script and the code.
   Plain macros, because the resource compiler reads this file too. */

#define IDR_MAINMENU 100
#define IDR_ACCELERATORS 101
#define IDI_NERULA 102

/* "ファイル(&F)" */
#define IDM_FILE_OPEN 1001 /* FileOpenMnu */
#define IDM_FILE_EXIT 1002 /* FileExitMnu */

/* "編集(&E)" */
#define IDM_EDIT_COPY 1101      /* EditCopyMnu */
#define IDM_EDIT_FIND 1102      /* EditFindMnu */
#define IDM_EDIT_FIND_PREV 1103 /* EditFindPrevMnu */
#define IDM_EDIT_FIND_NEXT 1104 /* EditFindNextMnu */

/* "表示(&V)" */
#define IDM_VIEW_ADJUST_WINDOW 1201 /* ViewAdjustWindowMnu, view style 1 */
#define IDM_VIEW_FULL_SIZE 1202     /* ViewFullSizeMnu, view style 2 */
#define IDM_VIEW_ENCODE_AUTO 1210   /* ViewEncodeAutoMnu */
#define IDM_VIEW_ENCODE_SHIFTJIS 1211
#define IDM_VIEW_ENCODE_UTF16 1212
#define IDM_VIEW_ENCODE_UTF16BE 1213
#define IDM_VIEW_ENCODE_JIS 1214
#define IDM_VIEW_ENCODE_ISO2022JP 1215
#define IDM_VIEW_ENCODE_EUCJP 1216
#define IDM_VIEW_ENCODE_UTF8 1217
#define IDM_VIEW_WORD_WRAP 1220 /* ViewWordWrapMnu */

/* "オプション(&O)" */
#define IDM_OPTION_CONFIG 1301 /* OptionConfigMnu */

/* Child windows of the main window. */
#define IDC_IMAGE_BOX 2001
#define IDC_MEMO 2002

/* Controls of the find window (REDialogForm). */
#define IDC_FIND_TEXT 3001          /* FindTextEdt */
#define IDC_REPLACE_TEXT 3002       /* ReplaceTextEdt */
#define IDC_WHOLE_WORD 3003         /* WholeWordChk */
#define IDC_MATCH_CASE 3004         /* MatchCaseChk */
#define IDC_USES_REGEXP 3005        /* UsesRegexpChk */
#define IDC_MULTI_LINE 3006         /* MultiLineChk */
#define IDC_DIRECTION 3010          /* DirectionRgp; its items take 3011 (up) and 3012 (down) */
#define IDC_FIND_BUTTON 3020        /* FindBtn */
#define IDC_REPLACE_BUTTON 3021     /* ReplaceBtn */
#define IDC_REPLACE_ALL_BUTTON 3022 /* ReplaceAllBtn */

/* Controls of the Options dialog (ConfigDialog); OK and Cancel are IDOK and IDCANCEL. */
#define IDC_APPLY_BUTTON 4001       /* ApplyButton */
#define IDC_OPTION_PAGE 4002        /* OptionPage */
#define IDC_PLUGIN_PATH 4010        /* PluginPathEdt */
#define IDC_PLUGIN_PATH_BUTTON 4011 /* PluginPathEdt's "..." button */
#define IDC_TAB_WIDTH 4020          /* TabWidthEdt */
#define IDC_TAB_WIDTH_UPDOWN 4021   /* TabWidthEdt's up-down */
#define IDC_FONT_BUTTON 4022        /* FontBtn */
#define IDC_ASSOCIATIONS 4030       /* AssociationLst */
#define IDC_ALL_IMAGE 4031          /* AllImageChk */
#define IDC_ALL_TEXT 4032           /* AllTextChk */

/* Positions of the main menu's drop-down menus. */
#define MENU_POS_FILE 0
#define MENU_POS_EDIT 1
#define MENU_POS_VIEW 2
#define MENU_POS_OPTION 3
/* Position of "エンコード(&E)" in "表示(&V)". */
#define MENU_POS_VIEW_ENCODE 3
