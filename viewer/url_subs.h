#pragma once
// Turning the names documents use (paths, file URLs) into local paths.
#include <string>
#include <string_view>

namespace html {

// A local path from a file URL or a path: percent escapes decoded (not
// when the name starts with "%"; decoding stops at a bad escape); for a
// name with "/", a leading "file://" (or "file:") scheme removed.
std::string DosPathOf(std::string_view name);
// DosPathOf of the trimmed name; a root-relative name ("/x") goes below
// `serverRoot` when one is given.
std::string ExpandWithServerRoot(std::string_view name, std::string_view serverRoot);
// The absolute, normalised form of a path (against the current directory);
// "" for "".
std::string FullPathOf(std::string_view name);
// The directory part of a path, with its trailing "/"; "" when it has none.
std::string ExtractFilePath(std::string_view name);
// True for a name with a scheme other than "file" ("http://...").
bool HasOtherScheme(std::string_view name);

}  // namespace html
