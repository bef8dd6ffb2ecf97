#include "support/native_path.h"

#include <strings.h>

#include <filesystem>
#include <system_error>

namespace html {

namespace fs = std::filesystem;

std::optional<std::string> NativePath(const std::string& dosPath) {
  if (dosPath.size() > 1 && dosPath[1] == ':') return std::nullopt;
  if (dosPath.rfind("\\\\", 0) == 0 || dosPath.rfind("//", 0) == 0) return std::nullopt;
  std::string p = dosPath;
  for (char& c : p)
    if (c == '\\') c = '/';
  return p;
}

std::optional<std::string> CurrentDirectory() {
  std::error_code ec;
  fs::path dir = fs::current_path(ec);
  if (ec || dir.empty()) return std::nullopt;
  return dir.string();
}

std::string FullPathOf(const std::string& name) {
  if (name.empty()) return {};
  fs::path p(name);
  if (!p.is_absolute()) {
    std::optional<std::string> dir = CurrentDirectory();
    if (!dir) return name;
    p = fs::path(*dir) / p;
  }
  return p.lexically_normal().string();
}

std::optional<std::string> LocateFile(const std::string& dosPath) {
  auto native = NativePath(dosPath);
  if (!native || native->empty()) return std::nullopt;
  std::error_code ec;
  fs::path path(*native);
  if (fs::is_regular_file(path, ec)) return *native;
  // Match each component without regard to case.
  fs::path found = path.is_absolute() ? path.root_path() : fs::path(".");
  for (const auto& part : path.relative_path()) {
    std::string name = part.string();
    if (name.empty() || name == ".") continue;
    if (name == "..") {
      found /= "..";
      continue;
    }
    fs::path exact = found / part;
    if (fs::exists(exact, ec)) {
      found = exact;
      continue;
    }
    bool matched = false;
    for (fs::directory_iterator it(found, ec), end; !ec && it != end; it.increment(ec)) {
      if (strcasecmp(it->path().filename().c_str(), name.c_str()) == 0) {
        found = it->path();
        matched = true;
        break;
      }
    }
    if (!matched) return std::nullopt;
  }
  if (!fs::is_regular_file(found, ec)) return std::nullopt;
  std::string result = found.string();
  if (!path.is_absolute() && result.rfind("./", 0) == 0) result.erase(0, 2);
  return result;
}

}  // namespace html
