// The event loop: posted messages first, then due timers.
#include "platform/app.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <thread>

#include "platform/controls.h"

namespace plat {

int64_t TSteadyClock::NowMs() const {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void TSteadyClock::WaitUntil(int64_t ms) {
  int64_t now = NowMs();
  if (ms > now) std::this_thread::sleep_for(std::chrono::milliseconds(ms - now));
}

TApplication::TApplication(std::shared_ptr<TClock> clock)
    : clock_(clock ? std::move(clock) : std::make_shared<TSteadyClock>()) {}

TApplication::~TApplication() {
  // Timers may outlive the loop (static objects at exit): they stop.
  for (TTimer* t : timers_) t->app_ = nullptr;
}

TApplication& Application() {
  static TApplication app;
  return app;
}

bool TApplication::PostMessage(TControl* target, uint32_t msg, uintptr_t wparam, intptr_t lparam) {
  if (!target) return false;
  queue_.push_back({target->AliveToken(), target, TMessage{msg, wparam, lparam, 0}});
  return true;
}

intptr_t TApplication::SendMessage(TControl* target, uint32_t msg, uintptr_t wparam, intptr_t lparam) {
  if (!target) return 0;
  TMessage m{msg, wparam, lparam, 0};
  target->WndProc(m);
  return m.Result;
}

bool TApplication::ProcessMessages() {
  bool handled = false;
  for (size_t n = queue_.size(); n > 0 && !queue_.empty(); --n) {
    Posted p = std::move(queue_.front());
    queue_.pop_front();
    if (p.alive.expired()) continue;
    handled = true;
    p.target->WndProc(p.msg);
  }
  return FireDueTimers() || handled;
}

bool TApplication::FireDueTimers() {
  int64_t now = Now();
  struct Due {
    int64_t deadline;
    uint64_t sequence;
    uint64_t id;
  };
  std::vector<Due> due;
  for (TTimer* t : timers_)
    if (t->Running() && t->deadline_ <= now) due.push_back({t->deadline_, t->sequence_, t->id_});
  std::sort(due.begin(), due.end(), [](const Due& a, const Due& b) {
    return a.deadline != b.deadline ? a.deadline < b.deadline : a.sequence < b.sequence;
  });
  bool fired = false;
  for (const Due& d : due) {
    // A callback may have stopped, changed or destroyed any timer.
    auto it = std::find_if(timers_.begin(), timers_.end(), [&](TTimer* t) { return t->id_ == d.id; });
    if (it == timers_.end()) continue;
    TTimer* t = *it;
    if (!t->Running() || t->deadline_ != d.deadline) continue;
    int64_t next = t->deadline_ + t->interval_;
    t->deadline_ = next > now ? next : now + t->interval_;
    t->sequence_ = NextSequence();
    fired = true;
    if (t->OnTimer) t->OnTimer(*t);
  }
  return fired;
}

int TApplication::NextDeadline() const {
  if (!queue_.empty()) return 0;
  bool any = false;
  int64_t earliest = 0;
  for (const TTimer* t : timers_) {
    if (!t->Running()) continue;
    if (!any || t->deadline_ < earliest) earliest = t->deadline_;
    any = true;
  }
  if (!any) return -1;
  int64_t wait = earliest - Now();
  return wait <= 0 ? 0 : static_cast<int>(std::min<int64_t>(wait, INT_MAX));
}

bool TApplication::RunOnce(int timeoutMs) {
  if (ProcessMessages()) return true;
  int wait = NextDeadline();
  if (timeoutMs >= 0 && (wait < 0 || wait > timeoutMs)) wait = timeoutMs;
  if (wait < 0) return false;
  clock_->WaitUntil(Now() + wait);
  return ProcessMessages();
}

void TApplication::AddTimer(TTimer* t) { timers_.push_back(t); }

void TApplication::RemoveTimer(TTimer* t) { std::erase(timers_, t); }

TTimer::TTimer(TApplication& app) : app_(&app), id_(app.NextSequence()) {
  app.AddTimer(this);
  Restart();
}

TTimer::~TTimer() {
  if (app_) app_->RemoveTimer(this);
}

void TTimer::SetInterval(int ms) {
  ms = std::max(ms, 0);
  if (ms == interval_) return;
  interval_ = ms;
  Restart();
}

void TTimer::SetEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  Restart();
}

void TTimer::Restart() {
  if (!app_) return;
  deadline_ = app_->Now() + interval_;
  sequence_ = app_->NextSequence();
}

}  // namespace plat
