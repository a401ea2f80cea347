// Resource ids of Vantora.scr.
#pragma once

#define IDI_SAVER 100
#define IDD_SAVER_PARENT 2003
// The name the display settings show for the screen saver.
#define IDS_DESCRIPTION 1
