// Name-to-path helpers.
#include "viewer/url_subs.h"

#include <filesystem>

#include "support/text_util.h"

namespace html {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Repeatedly decodes the first "%xx" of the text; a "%" made by decoding
// is itself the first "%" of the next step. Done in one pass, so long
// texts of escapes cost linear time.
std::string PercentDecode(std::string_view s) {
  size_t i = s.find('%');
  if (i == std::string_view::npos || i == 0) return std::string(s);
  std::string out(s.substr(0, i));
  size_t r = i + 1;  // read position after the current "%"
  char cur = '%';
  for (;;) {
    int hi = r + 1 < s.size() ? HexDigit(s[r]) : -1, lo = r + 1 < s.size() ? HexDigit(s[r + 1]) : -1;
    if (hi < 0 || lo < 0) {
      out += cur;
      out.append(s.substr(r));
      return out;
    }
    cur = static_cast<char>(hi * 16 + lo);
    r += 2;
    if (cur == '%') continue;
    out += cur;
    size_t j = s.find('%', r);
    if (j == std::string_view::npos) {
      out.append(s.substr(r));
      return out;
    }
    out.append(s.substr(r, j - r));
    r = j + 1;
    cur = '%';
  }
}

}  // namespace

std::string DosPathOf(std::string_view name) {
  std::string r = PercentDecode(name);
  if (r.find('/') == std::string::npos) return r;
  std::string lower = LowerCase(r);
  for (std::string_view scheme : {"file://", "file:"}) {
    size_t p = lower.find(scheme);
    if (p != std::string::npos) {
      r.erase(p, scheme.size());
      break;
    }
  }
  return r;
}

std::string ExpandWithServerRoot(std::string_view name, std::string_view serverRoot) {
  std::string p = TrimBlanks(DosPathOf(name));
  if (!p.empty() && !serverRoot.empty() && p[0] == '/' && p.rfind("//", 0) != 0) p = std::string(serverRoot) + p;
  return p;
}

std::string FullPathOf(std::string_view name) {
  if (name.empty()) return {};
  std::error_code ec;
  std::filesystem::path p = std::filesystem::absolute(std::filesystem::path(name), ec);
  if (ec) return std::string(name);
  return p.lexically_normal().string();
}

std::string ExtractFilePath(std::string_view name) {
  size_t p = name.rfind('/');
  return p == std::string_view::npos ? std::string() : std::string(name.substr(0, p + 1));
}

bool HasOtherScheme(std::string_view name) {
  size_t p = name.find("://");
  return p != std::string_view::npos && p > 0 && LowerCase(name).find("file://") == std::string::npos;
}

}  // namespace html
