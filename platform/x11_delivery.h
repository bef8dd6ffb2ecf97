#pragma once
// Delivering whole documents to the display window over X11, one at a time
// and synchronously (README.md, "Delivering documents").
//
// The sender keeps the text, with its terminating zero, in a property of a
// window of its own and sends the receiver a request (a ClientMessage); the
// receiver reads at most the announced number of bytes, hands the text to
// its handler, deletes the property and answers with the handler's result
// and the request's serial number.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

union _XEvent;

namespace plat {

class TX11Connection;

// The tag of a document request; any other tag carries no document.
constexpr uint32_t kHtmlCopyDataId = 53456;
inline constexpr char kDefaultWindowName[] = "CustomerHTML";
// The receiver takes at most this much of any document.
constexpr uint32_t kMaxDocumentBytes = 256u << 20;

// Atom names of the protocol.
inline constexpr char kDeliveryRequestAtom[] = "_HTMLSCRN_COPYDATA";
inline constexpr char kDeliveryAnswerAtom[] = "_HTMLSCRN_COPYDATA_ANSWER";
inline constexpr char kDeliveryPropertyAtom[] = "_HTMLSCRN_DOCUMENT";
inline constexpr char kDeliveryTextType[] = "_HTMLSCRN_TEXT";

// Data words of the request: data.l[i].
enum TDeliveryRequestWord { kRequestTag = 0, kRequestSender = 1, kRequestProperty = 2, kRequestSize = 3, kRequestSerial = 4 };
// Data words of the answer.
enum TDeliveryAnswerWord { kAnswerResult = 0, kAnswerSerial = 1, kAnswerReceiver = 2 };

// The top-level window whose WM_NAME or _NET_WM_NAME is `name`, or 0. Looks
// through _NET_CLIENT_LIST when a window manager keeps one, then down the
// window tree from the root.
unsigned long FindWindowByName(TX11Connection& connection, std::string_view name);

// Handles delivery requests sent to one window.
class TDeliveryReceiver {
 public:
  // Called with the text (up to its first zero byte) of a document with the
  // accepted tag; returns the answer (1: handled). Requests with another tag
  // are answered 1 without calling it. An exception from the handler is
  // answered 0 and goes on to the caller of HandleEvent.
  using Handler = std::function<int(const std::string& text)>;

  TDeliveryReceiver(TX11Connection& connection, unsigned long window, Handler handler,
                    uint32_t accepted_tag = kHtmlCopyDataId);

  // Handles `event` when it is a request to our window: reads the text
  // (at most the announced size and kMaxDocumentBytes, up to the first zero
  // byte), calls the handler, deletes the property, answers. Returns false
  // for any other event. A request whose sender window has gone is dropped.
  bool HandleEvent(const _XEvent& event);

 private:
  // The text of a request, or nothing when the sender's window is gone.
  std::optional<std::string> ReadText(unsigned long sender, unsigned long property, uint32_t size);
  // Deletes the request's property and sends the answer.
  void Finish(unsigned long sender, unsigned long property, long result, long serial);

  TX11Connection& connection_;
  unsigned long window_;
  Handler handler_;
  uint32_t accepted_tag_;
  unsigned long request_atom_;
  unsigned long answer_atom_;
};

enum class TSendStatus {
  kAnswered,        // `answer` holds the receiver's result
  kNoWindow,        // no window of that name
  kTimeout,         // no answer in time
  kWindowGone,      // the receiver's window went away before answering
  kRefused,         // the server refused the document (too large, ...)
  kConnectionLost,  // the connection to the X server broke
};

struct TSendResult {
  TSendStatus status = TSendStatus::kNoWindow;
  long answer = 0;
  std::string error;  // a message for the user when not answered
};

struct TSendOptions {
  std::string window_name = kDefaultWindowName;
  uint32_t tag = kHtmlCopyDataId;
  double timeout_seconds = 30;
  // The byte count to announce instead of the text's length plus one
  // (diagnostics: a receiver must never read past it).
  std::optional<uint32_t> announced_size;
};

// Sends documents from one connection, one at a time, each waiting for its
// answer. Keeps a window of its own to hold the text.
class TDocumentSender {
 public:
  explicit TDocumentSender(TX11Connection& connection);
  ~TDocumentSender();
  TDocumentSender(const TDocumentSender&) = delete;
  TDocumentSender& operator=(const TDocumentSender&) = delete;

  // Finds the window named in `options` and sends `text` followed by a zero byte.
  TSendResult Send(std::string_view text, const TSendOptions& options = {});
  // Sends to a known window.
  TSendResult SendTo(unsigned long window, std::string_view text, const TSendOptions& options = {});

 private:
  void MakeWindow();
  void RetireWindow();
  TSendResult Wait(unsigned long target, long serial, double timeout_seconds);

  TX11Connection& connection_;
  unsigned long window_ = 0;
  uint32_t next_serial_;
};

}  // namespace plat
