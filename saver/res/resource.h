// Resource ids of Vantora.scr.
#pragma once

#define IDI_SAVER 100
#define IDD_SAVER_PARENT 2003
#define IDD_ABOUT_PAGE 2004
#define IDD_SCREENSAVER_PAGE 2005
#define IDD_WALLPAPER_PAGE 2006

// Strings. IDS_DESCRIPTION is the name the display settings show for the screen saver.
#define IDS_DESCRIPTION 1
#define IDS_VISIT_SITE 3
#define IDS_NOT_ACTIVE_SAVER 4
#define IDS_ADD_FOLDER_TITLE 180

// Items of the pages. The two image-set pages share their list, Move, random and Test ids.
#define IDC_IMAGE_SETS 1001
#define IDC_RANDOM 1002
#define IDC_MOVE 1008
#define IDC_SS_SECONDS 1011
#define IDC_SS_GRADUAL 1012
#define IDC_WP_UNIT 1013
#define IDC_WP_COUNT 1014
#define IDC_WP_CHANGE 1015
#define IDC_SS_CHANGE 1016
#define IDC_TEST 1017
#define IDC_ABOUT_SITE 1026
#define IDC_ABOUT_VERSION 1027
#define IDC_ABOUT_COPYRIGHT 1028
#define IDC_ABOUT_PRODUCT 1029
#define IDC_ADD_FOLDER 1030
#define IDC_REMOVE_SET 1031
#define IDC_SS_SECONDS_SPIN 1032
#define IDC_WP_COUNT_SPIN 1033
#define IDC_BLUR_EDGES 1034
