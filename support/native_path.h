#pragma once
// Paths as documents write them ("\dir\file.htm", "sub\img.gif") become
// native paths here, at file-open time, and nowhere else.
#include <optional>
#include <string>

namespace html {

// Backslashes become slashes. A drive letter ("C:") or a network path
// ("\\server") has no meaning here: nothing is answered for them.
std::optional<std::string> NativePath(const std::string& dosPath);
// The process's current directory as a native path; nothing when it
// cannot be had (removed, too long).
std::optional<std::string> CurrentDirectory();
// The absolute, normalised native path of a name (against
// CurrentDirectory); "" for ""; the name itself without a current directory.
std::string FullPathOf(const std::string& name);
// The native path of an existing file for a document path: the exact name
// when it exists, otherwise a name that differs only in letter case (each
// component matched in its directory). Nothing when there is no such file.
std::optional<std::string> LocateFile(const std::string& dosPath);

}  // namespace html
