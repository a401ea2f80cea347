// ImageSetInfo: what the settings pages show of an image set. (Not exported.)
#pragma once
// A set name that is a full path ("C:\Photos", "\\server\share\Photos") names a folder set;
// any other names a numbered set in "Images".
bool IsFolderSetName(const char* name);
// The pictures of the set that list item `item` (state character and name) names: -1 when its
// folder is missing; -2 while a folder set's count is not known yet (it is never counted by
// walking a large tree on the caller's thread).
long CountSetPictures(const char* item);
