// The library's registered window message, "CorvaneMessage", which its windows, the
// wallpaper changer and the shell-refresh hook exchange. wParam selects the request.
#pragma once
#include "VntApi.h"

#define COMPANYMSG_QUIT 1          // the wallpaper changer quits (lParam COMPANYMSG_QUIT_KEY)
#define COMPANYMSG_QUIT_KEY 6294
#define COMPANYMSG_ACTIVATE 3      // a previous instance comes to the foreground
#define COMPANYMSG_REFRESH_VIEW 12 // a shell folder view refreshes itself
#define COMPANYMSG_IDENTIFY 21     // a previous window answers for its id

// Registered on the first call; the same value after.
VNT_API unsigned GetMyCompanyMsg();
