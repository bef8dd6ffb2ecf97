#include "host/screen_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "host/command_line.h"

namespace host {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0, i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.emplace_back(text.substr(start, i - start));
      i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::string ScreenFileBytes(std::string_view text) { return ScreenFileBytes(SplitLines(text)); }

std::string ScreenFileBytes(const std::vector<std::string>& lines) {
  size_t size = 0;
  for (const auto& line : lines) size += line.size() + 2;
  std::string bytes;
  bytes.reserve(size);
  for (const auto& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

void WriteScreenFile(const std::string& path, std::string_view text) { WriteScreenFile(path, SplitLines(text)); }

void WriteScreenFile(const std::string& path, const std::vector<std::string>& lines) {
  std::string bytes = ScreenFileBytes(lines);
  struct Closer {
    void operator()(FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<FILE, Closer> f(std::fopen(path.c_str(), "wb"));
  if (!f) throw EHostError("EFCreateError", "Cannot create file \"" + path + "\". " + std::strerror(errno));
  if (std::fwrite(bytes.data(), 1, bytes.size(), f.get()) != bytes.size() || std::fflush(f.get()) != 0)
    throw EHostError("EWriteError", "Cannot write file \"" + path + "\". " + std::strerror(errno));
  FILE* raw = f.release();
  if (std::fclose(raw) != 0) throw EHostError("EWriteError", "Cannot write file \"" + path + "\". " + std::strerror(errno));
}

}  // namespace host
