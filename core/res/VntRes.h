// Ids of the library's resources. Code outside the library names a string by the negative
// of its id, which selects the library's module (AppInfo::ConvertResourceId).
#pragma once

#define IDS_BROWSE_FOLDER_TITLE 20002   // title of the folder picker
#define IDS_BROWSE_FILE_TITLE 20003     // title of the file picker
#define IDS_BROWSE_FILTER 20004         // default filter of the file picker
#define IDS_OPEN_WEB_SITE 20007         // confirmation before the maker's web site opens
#define IDS_ABOUT_MENU 20022            // the About item of a dialog's system menu
#define IDS_WPCHANGER_LOAD_FAILED 20030 // the wallpaper changer cannot be started
#define IDS_NO_HTML_APP 22022           // no web browser to open a page with
#define IDB_CHECKLIST 21403           // the check-list box strip: ten 16x16 cells
