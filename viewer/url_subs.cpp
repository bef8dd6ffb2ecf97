#include "viewer/url_subs.h"

#include <cctype>

#include <vector>

#include "support/native_path.h"
#include "support/text_util.h"

namespace html {

namespace {

// One left-to-right pass: what an escape produces is never decoded again.
std::string PercentDecode(const std::string& s) {
  if (s.empty() || s[0] == '%') return s;
  std::string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    if (s[i] != '%') {
      out += s[i++];
      continue;
    }
    if (i + 2 >= s.size()) break;  // fewer than two characters follow
    int hi = HexDigitValue(s[i + 1]), lo = HexDigitValue(s[i + 2]);
    if (hi < 0 || lo < 0) break;  // not an escape: the rest stays as it is
    int code = hi * 16 + lo;
    if (code == 0) {
      out.append(s, i, 3);  // never a NUL inside a path
    } else {
      out += static_cast<char>(code);
    }
    i += 3;
  }
  out.append(s, i, std::string::npos);
  return out;
}

size_t FindIgnoringCase(const std::string& s, const std::string& sub) {
  return LowerCase(s).find(LowerCase(sub));
}

std::string CutAtQuery(const std::string& s) {
  size_t q = s.find('?');
  return q == std::string::npos ? s : s.substr(0, q);
}

// The current directory in backslash form; the root without one.
std::string CurrentDosDirectory() { return DosFormOf(CurrentDirectory().value_or("/")); }

// "seg/../" after the root end p (1-based) goes with its segment; at or
// before the root only "../" goes. Each step acts on the leftmost "/../", so
// one pass suffices: an occurrence can only start inside the text already
// written when its end has just been appended. Linear: the backward search
// runs over the segment it then removes.
std::string RemoveDotDotSegments(const std::string& a, size_t p) {
  std::string out;
  out.reserve(a.size());
  for (size_t i = 0; i < a.size(); ++i) {
    out += a[i];
    if (out.size() < 4 || out.compare(out.size() - 4, 4, "/../") != 0) continue;
    size_t k = out.size() - 4;
    if (k + 1 <= p) {
      out.resize(k + 1);
      continue;
    }
    size_t prev = k == 0 ? std::string::npos : out.rfind('/', k - 1);
    if (prev == std::string::npos) {  // nothing to remove: the rest stays as it is
      out.append(a, i + 1, std::string::npos);
      break;
    }
    out.resize(prev + 1);
  }
  return out;
}

// Every "/./" becomes "/", again in one pass.
std::string CollapseDotSegments(const std::string& a) {
  std::string out;
  out.reserve(a.size());
  for (char c : a) {
    out += c;
    if (out.size() >= 3 && out.compare(out.size() - 3, 3, "/./") == 0) out.resize(out.size() - 2);
  }
  return out;
}

}  // namespace

std::string DosPathOf(const std::string& name) {
  std::string s = PercentDecode(name);
  if (s.find('/') == std::string::npos) return s;
  for (const char* prefix : {"file:///", "file://", "file:/"}) {
    size_t p = FindIgnoringCase(s, prefix);
    if (p == std::string::npos) continue;
    size_t len = std::char_traits<char>::length(prefix);
    // "file:///C|/x" drops all three slashes before the drive; a file URL
    // without a drive ("file:///home/x") keeps its root slash.
    bool drive = s.size() >= p + len + 2 && std::isalpha(static_cast<unsigned char>(s[p + len])) &&
                 (s[p + len + 1] == ':' || s[p + len + 1] == '|');
    if (len == 8 && !drive) --len;
    s.erase(p, len);
    break;
  }
  for (char& c : s) {
    if (c == '|') c = ':';
    else if (c == '/') c = '\\';
  }
  return s;
}

std::string ExpandWithServerRoot(const std::string& name, const std::string& serverRoot) {
  std::string p = Trim(DosPathOf(name));
  if (!p.empty() && !serverRoot.empty() && p.rfind("\\\\", 0) != 0 && !(p.size() > 1 && p[1] == ':') && p[0] == '\\')
    p = serverRoot + p;
  return p;
}

std::string ExpandFileName(const std::string& path) {
  std::string full = path;
  bool unc = full.rfind("\\\\", 0) == 0;
  bool drive = full.size() > 1 && full[1] == ':';
  if (!unc && !drive && (full.empty() || full[0] != '\\')) full = CurrentDosDirectory() + "\\" + full;
  // Resolve "." and ".." segments after the root.
  size_t rootLen = unc ? 2 : drive ? (full.size() > 2 && full[2] == '\\' ? 3 : 2) : 1;
  std::string root = full.substr(0, rootLen);
  std::vector<std::string> parts;
  size_t start = rootLen;
  while (start <= full.size()) {
    size_t bs = full.find('\\', start);
    std::string part = full.substr(start, bs == std::string::npos ? std::string::npos : bs - start);
    if (part == "..") {
      if (!parts.empty() && !(unc && parts.size() == 1)) parts.pop_back();
    } else if (part != "." && !(part.empty() && bs != std::string::npos)) {
      parts.push_back(part);
    }
    if (bs == std::string::npos) break;
    start = bs + 1;
  }
  std::string out = root;
  for (size_t i = 0; i < parts.size(); ++i) out += (i ? "\\" : "") + parts[i];
  return out;
}

std::string DosFormOf(const std::string& nativePath) {
  std::string s = nativePath;
  for (char& c : s)
    if (c == '/') c = '\\';
  return s;
}

bool HasOtherScheme(const std::string& name) {
  size_t scheme = name.find("://");
  return scheme != std::string::npos && scheme > 0 && FindIgnoringCase(name, "file://") == std::string::npos;
}

std::string ExtractFilePath(const std::string& path) {
  size_t p = path.find_last_of("\\:");
  return p == std::string::npos ? std::string() : path.substr(0, p + 1);
}

std::string ExpandDocumentName(const std::string& name, const std::string& serverRoot,
                               const std::string& documentBase, const std::string& documentName) {
  if (HasOtherScheme(name)) return name;
  std::string r = ExpandWithServerRoot(Trim(name), serverRoot);
  if (!r.empty() && r[0] == '\\') return ExpandFileName(r);
  bool drivePath = r.size() > 1 && r[1] == ':';
  if (drivePath || r.rfind("\\\\", 0) == 0 || LowerCase(documentBase) == "dospath") return r;
  if (!documentBase.empty()) return ExpandFileName(ExtractFilePath(DosPathOf(documentBase)) + r);
  std::string dir = ExtractFilePath(documentName);
  return ExpandFileName(dir.empty() ? r : dir + r);
}

std::string UrlBase(const std::string& url) {
  std::string u = CutAtQuery(Trim(url));
  size_t slashes = u.find("//");
  // The ending "/" must come after the "//" (after the first character without one).
  size_t after = slashes == std::string::npos ? 0 : slashes + 1;
  size_t last = u.rfind('/');
  if (last != std::string::npos && last > after) return u.substr(0, last + 1);
  return u + "/";
}

std::string CombineUrl(const std::string& base, const std::string& relative) {
  std::string b = Trim(base);
  std::string scheme = UrlProtocol(b);
  // p: length of the root part "scheme://host/" (0 when unknown).
  size_t p = 0;
  if (LowerCase(b).rfind("file:///", 0) == 0) {
    size_t s = b.find('/', 8);
    p = s == std::string::npos ? 8 : s + 1;
  } else if (size_t k = b.find("://"); k != std::string::npos) {
    // Without a "/" after the host ("http://host") the root is the whole base.
    if (size_t s = b.find('/', k + 3); s != std::string::npos) p = s + 1;
  } else if (size_t s = b.find('/'); s != std::string::npos) {
    p = s + 1;
  }
  if (p > 0) {
    if (b.empty() || b.back() != '/') b += '/';
  } else {
    b += '/';
    p = b.size();
  }
  std::string r = Trim(relative);
  std::string a;
  if (r.empty() || r[0] != '/')
    a = b + r;
  else if (r.rfind("//", 0) == 0)
    a = scheme != "file" ? scheme + ":" + r : "file:///" + r;
  else
    a = b.substr(0, p) + r.substr(1);
  return CollapseDotSegments(RemoveDotDotSegments(a, p));
}

bool IsFullUrl(const std::string& url) {
  std::string u = CutAtQuery(url);
  size_t scheme = u.find("://");
  size_t slash = u.find('/');
  if (scheme != std::string::npos && scheme < slash) return true;
  return LowerCase(u).find("mailto:") != std::string::npos;
}

std::string UrlProtocol(const std::string& url) { return LowerCase(ParseUrl(CutAtQuery(url)).Protocol); }

TUrlParts ParseUrl(const std::string& url) {
  TUrlParts parts;
  if (url.empty()) return parts;
  size_t hostStart = 0;
  if (size_t k = url.find("://"); k != std::string::npos) {
    parts.Protocol = url.substr(0, k);
    hostStart = k + 3;
  } else if (url[0] == '/') {
    parts.Protocol = "http";
    if (url.size() > 1 && url[1] != '/') {
      parts.Path = url;
      return parts;
    }
    hostStart = 2;  // "//host/path": the host follows the two slashes
  } else if (LowerCase(url.substr(0, 5)) == "http:") {
    parts.Protocol = "http";
    if (url.size() > 6 && url[6] != '/') {
      parts.Path = url.substr(5);
      return parts;
    }
    hostStart = std::min<size_t>(6, url.size());
  } else if (LowerCase(url.substr(0, 7)) == "mailto:") {
    parts.Protocol = "mailto";
    hostStart = 7;
  }
  if (hostStart > url.size()) hostStart = url.size();
  size_t slash = url.find('/', hostStart);
  std::string authority = url.substr(hostStart, slash == std::string::npos ? std::string::npos : slash - hostStart);
  parts.Path = slash == std::string::npos ? std::string() : url.substr(slash);
  int c = LastPos(":", authority), a = LastPos("@", authority);
  if (c == 0 && a == 0) {
    parts.Host = authority;
    return parts;
  }
  if (a < c) {
    parts.Port = authority.substr(static_cast<size_t>(c));
    parts.Host = authority.substr(static_cast<size_t>(a), static_cast<size_t>(c - a - 1));
    if (a == 0) return parts;
  } else {
    parts.Host = authority.substr(static_cast<size_t>(a));
  }
  std::string user = authority.substr(0, static_cast<size_t>(a - 1));
  size_t colon = user.find(':');
  if (colon != std::string::npos) {
    parts.User = user.substr(0, colon);
    parts.Password = user.substr(colon + 1);
  } else {
    parts.User = user;
  }
  return parts;
}

int LastPos(const std::string& sub, const std::string& s) {
  if (sub.empty() || sub.size() > s.size()) return 0;
  size_t p = s.rfind(sub);
  return p == std::string::npos ? 0 : static_cast<int>(p) + 1;
}

}  // namespace html
