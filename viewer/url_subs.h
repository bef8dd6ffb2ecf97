#pragma once
// Names of linked files and images: URLs and local paths written in URL
// form, turned into paths and combined. Paths keep the backslash form
// documents use; they become native paths only when a file is opened
// (support/native_path.h). Positions are 1-based where a function answers
// one; 0 means "not found".
#include <string>

namespace html {

// A local path from a file URL or path: percent escapes decoded (one
// left-to-right pass; "%00" is kept as it is), and when the name holds a
// "/", the "file:" prefix dropped, "|" made ":" and "/" made "\".
std::string DosPathOf(const std::string& name);
// DosPathOf(name) trimmed; a root-relative path ("\x") is put under serverRoot.
std::string ExpandWithServerRoot(const std::string& name, const std::string& serverRoot);
// The full path of a backslash path: relative paths are taken from the
// current directory; "." and ".." segments are resolved.
std::string ExpandFileName(const std::string& path);
// A native path written with backslashes, as the functions here take it.
std::string DosFormOf(const std::string& nativePath);
// True for a name with a scheme other than "file" ("http://...").
bool HasOtherScheme(const std::string& name);
// The directory part of a backslash path, with its trailing "\".
std::string ExtractFilePath(const std::string& path);
// The viewer's expansion of a link, image or style sheet name against the
// document's base and file name.
std::string ExpandDocumentName(const std::string& name, const std::string& serverRoot,
                               const std::string& documentBase, const std::string& documentName);

// The address up to and including its last "/" after the host.
std::string UrlBase(const std::string& url);
std::string CombineUrl(const std::string& base, const std::string& relative);
bool IsFullUrl(const std::string& url);
// The lower-cased protocol ("http", "file", "mailto", or empty).
std::string UrlProtocol(const std::string& url);

struct TUrlParts {
  std::string Protocol, User, Password, Host, Port, Path;
};
TUrlParts ParseUrl(const std::string& url);

// 1-based position of the last occurrence of sub in s; 0 when absent.
int LastPos(const std::string& sub, const std::string& s);

}  // namespace html
