// htmlsend: sends one document to the display window and waits for its answer.
//
//   htmlsend [--display NAME] [--name CustomerHTML] [--tag 53456] [--timeout SECONDS] FILE|-
//
// Exit codes: 0 answered 1; 1 answered otherwise; 2 bad usage or unreadable
// input; 3 no display or no window of that name; 4 no answer (timeout, the
// window went away, the connection broke, the server refused the document).
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

#include "host/delivery_tag.h"
#include "platform/x11_connection.h"
#include "platform/x11_delivery.h"

namespace {

constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;
constexpr int kExitNoReceiver = 3;
constexpr int kExitNoAnswer = 4;

int Usage(const std::string& problem) {
  if (!problem.empty()) std::cerr << "htmlsend: " << problem << "\n";
  std::cerr << "usage: htmlsend [--display NAME] [--name WINDOW] [--tag N] [--timeout SECONDS] FILE|-\n";
  return kExitUsage;
}

bool ParseSeconds(const char* text, double& out) {
  errno = 0;
  char* end = nullptr;
  double v = std::strtod(text, &end);
  if (errno || end == text || *end || !(v > 0) || v > 1e7) return false;
  out = v;
  return true;
}

bool ReadAll(const std::string& path, std::string& out) {
  if (path == "-") {
    std::ostringstream buffer;
    buffer << std::cin.rdbuf();
    out = buffer.str();
    return !std::cin.bad();
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  out.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !file.bad();
}

}  // namespace

int main(int argc, char** argv) {
  std::string display_name, path;
  bool have_path = false;
  plat::TSendOptions options;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--display" || arg == "--name" || arg == "--tag" || arg == "--timeout") {
      if (i + 1 >= argc) return Usage(arg + " needs a value");
      const char* v = argv[++i];
      if (arg == "--display") {
        display_name = v;
      } else if (arg == "--name") {
        options.window_name = v;
      } else if (arg == "--tag") {
        auto tag = host::ParseDeliveryTag(v);
        if (!tag)
          return Usage("bad tag \"" + std::string(v) +
                       "\": a decimal number, or hexadecimal after 0x or $, from 0 to 4294967295");
        options.tag = *tag;
      } else if (!ParseSeconds(v, options.timeout_seconds)) {
        return Usage("bad timeout \"" + std::string(v) + "\"");
      }
    } else if (arg == "-h" || arg == "--help") {
      Usage("");
      return 0;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return Usage("unknown option " + arg);
    } else if (have_path) {
      return Usage("one file only");
    } else {
      path = arg;
      have_path = true;
    }
  }
  if (!have_path) return Usage("no file given");

  std::string text;
  if (!ReadAll(path, text)) {
    std::cerr << "htmlsend: cannot read \"" << path << "\": " << std::strerror(errno) << "\n";
    return kExitUsage;
  }

  try {
    plat::TX11Connection connection(display_name);
    plat::TDocumentSender sender(connection);
    plat::TSendResult result = sender.Send(text, options);
    switch (result.status) {
      case plat::TSendStatus::kAnswered:
        if (result.answer == 1) return 0;
        std::cerr << "htmlsend: the window answered " << result.answer << "\n";
        return kExitRefused;
      case plat::TSendStatus::kNoWindow:
        std::cerr << "htmlsend: " << result.error << "\n";
        return kExitNoReceiver;
      case plat::TSendStatus::kTimeout:
        std::cerr << "htmlsend: no answer from \"" << options.window_name << "\" within " << options.timeout_seconds
                  << " s\n";
        return kExitNoAnswer;
      default:
        std::cerr << "htmlsend: " << result.error << "\n";
        return kExitNoAnswer;
    }
  } catch (const plat::EX11Error& e) {
    std::cerr << "htmlsend: " << e.what() << "\n";
    return kExitNoReceiver;
  }
}
