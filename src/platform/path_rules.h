#pragma once

#include <string>

// How this system writes folders: its separator, its root, and where a
// folder's trailing separator belongs.

// The separator put between a folder and a name ("/"; "\" on Windows).
std::string PathSeparator();

// The folder used where no folder is stored: the first drive's root ("c:\")
// on Windows, the root "/" elsewhere.
std::string FallbackFolder();

// `folder` less one trailing separator, unless that separator is a root's
// own: "/" on this side, a drive's ("C:\") on Windows, where "\" or "/" both
// separate and "D:\Game\Data\" becomes "D:\Game\Data".
std::string FolderWithoutTrailingSeparator(std::string folder);
