#pragma once
// The one event loop of the user-interface thread: a queue of posted
// messages and a set of timers, driven from outside (a display connection's
// poll loop, or a test) through ProcessMessages / RunOnce / NextDeadline.
// Time comes from an injectable clock, so tests never sleep.
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace plat {

class TControl;

// A window message as the controls receive it.
struct TMessage {
  uint32_t Msg = 0;
  uintptr_t WParam = 0;
  intptr_t LParam = 0;
  intptr_t Result = 0;
};

// Message numbers the controls know; private messages start at WM_USER.
enum : uint32_t {
  WM_SIZE = 0x0005,
  WM_PAINT = 0x000F,
  WM_COPYDATA = 0x004A,
  WM_TIMER = 0x0113,
  WM_USER = 0x0400,
};

// Milliseconds of a monotonic clock.
class TClock {
 public:
  virtual ~TClock() = default;
  virtual int64_t NowMs() const = 0;
  // Blocks until NowMs() >= ms (a fake clock simply jumps there).
  virtual void WaitUntil(int64_t ms) = 0;
};

// The real clock: std::chrono::steady_clock.
class TSteadyClock : public TClock {
 public:
  int64_t NowMs() const override;
  void WaitUntil(int64_t ms) override;
};

class TTimer;

class TApplication {
 public:
  // Without a clock the steady clock is used.
  explicit TApplication(std::shared_ptr<TClock> clock = nullptr);
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  TClock& Clock() { return *clock_; }
  int64_t Now() const { return clock_->NowMs(); }

  // Queues a message for `target`'s WndProc; answers false for no target.
  // Messages to a control destroyed before delivery are dropped.
  bool PostMessage(TControl* target, uint32_t msg, uintptr_t wparam = 0, intptr_t lparam = 0);
  // Delivers at once and answers the message's result (0 for no target).
  static intptr_t SendMessage(TControl* target, uint32_t msg, uintptr_t wparam = 0, intptr_t lparam = 0);

  // Delivers the messages queued when it starts (those posted meanwhile
  // wait for the next call, so a message that reposts itself cannot hang
  // it), then fires each due timer once, earliest deadline first.
  // Answers whether anything was delivered or fired.
  bool ProcessMessages();
  // ProcessMessages; when nothing was due, waits on the clock for the next
  // deadline (at most `timeoutMs`; negative: no limit) and processes what
  // became due. With nothing queued and no timer running there is nothing
  // to wait for, and it answers false at once.
  bool RunOnce(int timeoutMs);
  // Milliseconds until something is due, as poll() takes it: 0 when a
  // message is queued or a timer is due, -1 when nothing is scheduled.
  int NextDeadline() const;

  bool HasPendingMessages() const { return !queue_.empty(); }

  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }

 private:
  friend class TTimer;
  struct Posted {
    std::weak_ptr<const bool> alive;
    TControl* target;
    TMessage msg;
  };

  void AddTimer(TTimer* t);
  void RemoveTimer(TTimer* t);
  uint64_t NextSequence() { return ++sequence_; }
  bool FireDueTimers();

  std::shared_ptr<TClock> clock_;
  std::deque<Posted> queue_;
  std::vector<TTimer*> timers_;
  uint64_t sequence_ = 0;
  bool terminated_ = false;
};

// The application of the process, made on first use.
TApplication& Application();

// A periodic timer. It runs while enabled with an interval above 0; the
// first tick comes one interval after it was started or last changed.
// Missed ticks are not caught up: a late tick is followed by the next one
// a whole interval later.
class TTimer {
 public:
  explicit TTimer(TApplication& app = Application());
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  int Interval() const { return interval_; }
  // Negative values count as 0 (a timer that never fires). A change
  // restarts the timer; setting the value it has changes nothing.
  void SetInterval(int ms);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  bool Running() const { return app_ && enabled_ && interval_ > 0; }

  std::function<void(TTimer&)> OnTimer;

 private:
  friend class TApplication;
  void Restart();

  TApplication* app_;
  int interval_ = 1000;
  bool enabled_ = true;
  int64_t deadline_ = 0;
  uint64_t sequence_ = 0;  // orders timers with the same deadline
  uint64_t id_;
};

}  // namespace plat
