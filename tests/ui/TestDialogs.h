// Ids of the ui tests' own dialog templates (TestDialogs.rc).
#pragma once

#define IDD_TEST 100      // edit, list box, combo, up-down, radios, OK, Cancel, Help
#define IDD_PAGE1 200     // property page with an edit
#define IDD_PAGE2 201
#define IDC_EDIT 101
#define IDC_LIST 102      // owner-drawn fixed, no strings
#define IDC_COMBO 103     // drop-down combo with an edit field
#define IDC_SPIN 104
#define IDC_RADIO1 105   // three radio buttons, one group
#define IDC_RADIO3 107
#define IDC_PAGE_EDIT 210
