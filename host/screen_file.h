#pragma once
// "screen.html": the last document's text, every line ended by CR LF.
#include <string>
#include <string_view>
#include <vector>

namespace host {

// Lines of a text cut at CR, LF and CR LF (LF CR is two breaks). A final
// line break adds no empty line; an empty text has no lines.
std::vector<std::string> SplitLines(std::string_view text);
// The bytes of the file for a text, or for its lines already split.
std::string ScreenFileBytes(std::string_view text);
std::string ScreenFileBytes(const std::vector<std::string>& lines);
// Creates or truncates the file and writes the text's lines. Raises
// EHostError "Cannot create file \"%s\". %s" (or a write error) on failure.
void WriteScreenFile(const std::string& path, std::string_view text);
void WriteScreenFile(const std::string& path, const std::vector<std::string>& lines);

// Where the picture of a document of height h goes in a window of the
// given client height: a short document from the top, a taller one with
// its end on the bottom edge.
inline int ImageTopFor(int clientHeight, int h) { return clientHeight > h ? 0 : clientHeight - h; }

}  // namespace host
