// The event loop with a fake clock: posted messages, timers, deadlines.
#include "platform/app.h"

#include <gtest/gtest.h>

#include "platform/controls.h"

using namespace plat;

namespace {

class TFakeClock : public TClock {
 public:
  int64_t NowMs() const override { return now; }
  void WaitUntil(int64_t ms) override {
    if (ms > now) now = ms;
  }
  int64_t now = 1000;
};

// Records every message it receives as "msg:wparam".
class TRecorder : public TControl {
 public:
  explicit TRecorder(std::vector<std::string>* log) : log_(log) {}
  std::function<void(TMessage&)> OnMessage;
  void WndProc(TMessage& m) override {
    log_->push_back(Name + std::to_string(m.Msg - WM_USER) + ":" + std::to_string(m.WParam));
    if (OnMessage) OnMessage(m);
  }

 private:
  std::vector<std::string>* log_;
};

struct Loop : ::testing::Test {
  std::shared_ptr<TFakeClock> clock = std::make_shared<TFakeClock>();
  TApplication app{clock};
  std::vector<std::string> log;

  std::unique_ptr<TTimer> MakeTimer(const std::string& name, int interval) {
    auto t = std::make_unique<TTimer>(app);
    t->SetInterval(interval);
    t->OnTimer = [this, name](TTimer&) { log.push_back(name + "@" + std::to_string(clock->now - 1000)); };
    return t;
  }
};

}  // namespace

TEST_F(Loop, PostedMessagesArriveInOrderAndRepostsWaitForTheNextRound) {
  TRecorder a(&log), b(&log);
  a.Name = "a", b.Name = "b";
  a.OnMessage = [&](TMessage& m) {
    if (m.WParam == 1) app.PostMessage(&a, WM_USER, 99);
  };
  app.PostMessage(&a, WM_USER, 1);
  app.PostMessage(&b, WM_USER + 2, 2);
  EXPECT_FALSE(app.PostMessage(nullptr, WM_USER));
  EXPECT_EQ(app.NextDeadline(), 0);
  EXPECT_TRUE(app.ProcessMessages());
  EXPECT_EQ(log, (std::vector<std::string>{"a0:1", "b2:2"}));
  EXPECT_TRUE(app.ProcessMessages());
  EXPECT_EQ(log.back(), "a0:99");
  EXPECT_FALSE(app.ProcessMessages());
  EXPECT_EQ(app.NextDeadline(), -1);

  EXPECT_EQ(TApplication::SendMessage(&b, WM_USER + 5, 7), 0);
  EXPECT_EQ(log.back(), "b5:7");
}

TEST_F(Loop, MessagesToADestroyedControlAreDropped) {
  auto gone = std::make_unique<TRecorder>(&log);
  TRecorder stays(&log);
  app.PostMessage(gone.get(), WM_USER, 1);
  app.PostMessage(&stays, WM_USER, 2);
  gone.reset();
  app.ProcessMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"0:2"}));
}

TEST_F(Loop, TimersFireByDeadlineAndKeepTheirPeriod) {
  auto slow = MakeTimer("slow", 50), fast = MakeTimer("fast", 20);
  auto off = MakeTimer("off", 10);
  off->SetEnabled(false);
  auto zero = MakeTimer("zero", 0);  // never runs
  EXPECT_EQ(app.NextDeadline(), 20);
  for (int i = 0; i < 6; ++i) app.RunOnce(-1);
  // At 100 both are due: the one armed earlier (at 50) goes first.
  EXPECT_EQ(log,
            (std::vector<std::string>{"fast@20", "fast@40", "slow@50", "fast@60", "fast@80", "slow@100", "fast@100"}));
  EXPECT_EQ(clock->now - 1000, 100);
}

TEST_F(Loop, RunOnceWaitsNoLongerThanItsTimeoutAndNotAtAllForNothing) {
  auto t = MakeTimer("t", 200);
  EXPECT_FALSE(app.RunOnce(50));
  EXPECT_EQ(clock->now - 1000, 50);
  EXPECT_EQ(app.NextDeadline(), 150);
  t.reset();
  EXPECT_FALSE(app.RunOnce(-1));  // nothing scheduled: answers at once
  EXPECT_EQ(clock->now - 1000, 50);
}

TEST_F(Loop, LateTicksAreNotCaughtUp) {
  auto t = MakeTimer("t", 40);
  clock->now += 130;  // three periods missed
  app.ProcessMessages();
  app.ProcessMessages();  // the same instant: not due again
  EXPECT_EQ(log, (std::vector<std::string>{"t@130"}));
  EXPECT_EQ(app.NextDeadline(), 40);
}

TEST_F(Loop, TimerChangesInCallbacksAreHonoured) {
  auto a = MakeTimer("a", 10), b = MakeTimer("b", 10), c = MakeTimer("c", 10);
  // a fires first (created first), destroys b and slows c; both were due.
  a->OnTimer = [&](TTimer&) {
    log.push_back("a");
    b.reset();
    c->SetInterval(30);
  };
  clock->now += 10;
  app.ProcessMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"a"}));
  // Setting the value a timer has does not restart it.
  clock->now += 5;
  a->SetEnabled(true);
  a->SetInterval(10);
  EXPECT_EQ(app.NextDeadline(), 5);
}

TEST_F(Loop, TimersOutliveTheirApplicationQuietly) {
  TTimer* t = nullptr;
  std::unique_ptr<TTimer> keep;
  {
    TApplication local(clock);
    keep = std::make_unique<TTimer>(local);
    t = keep.get();
    t->SetInterval(5);
    EXPECT_TRUE(t->Running());
  }
  EXPECT_FALSE(t->Running());
  t->SetEnabled(false);
}
