// Export/import marker for everything the VNT32 library offers to the program and the tests.
#pragma once

#ifdef VNT32_BUILD
#define VNT_API __declspec(dllexport)
#else
#define VNT_API __declspec(dllimport)
#endif
