// Ids of the ui tests' own dialog templates (TestDialogs.rc).
#pragma once

#define IDD_TEST 100      // edit, up-down, list box, OK, Cancel, Help
#define IDD_PAGE1 200     // property page with an edit
#define IDD_PAGE2 201
#define IDC_EDIT 101
#define IDC_LIST 102      // owner-drawn fixed, no strings
#define IDC_SPIN 104
#define IDC_PAGE_EDIT 210
