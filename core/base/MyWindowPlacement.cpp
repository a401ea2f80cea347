#include "base/MyWindowPlacement.h"

MyWindowPlacement::MyWindowPlacement() : WINDOWPLACEMENT()
{
    length = sizeof(WINDOWPLACEMENT);
    rcNormalPosition.left = kUnfilled;
}
