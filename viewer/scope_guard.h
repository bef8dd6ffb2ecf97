#pragma once
// Scope guards for the viewer's state flags and clean-up steps: they run
// when the scope ends, also when an exception passes.
#include <exception>
#include <utility>

#include "platform/controls.h"

namespace html {

// Runs an action at the end of the scope. While an exception is already
// passing, an exception from the action is dropped so that the first one
// goes on; otherwise the action's exception leaves the scope.
template <typename F>
class TFinally {
 public:
  explicit TFinally(F f) : f_(std::move(f)), exceptions_(std::uncaught_exceptions()) {}
  ~TFinally() noexcept(false) {
    if (std::uncaught_exceptions() > exceptions_) {
      try {
        f_();
      } catch (...) {
      }
    } else {
      f_();
    }
  }
  TFinally(const TFinally&) = delete;
  TFinally& operator=(const TFinally&) = delete;

 private:
  F f_;
  int exceptions_;
};

// Sets a flag for the scope and gives it back its old value at the end.
class TFlagScope {
 public:
  TFlagScope(bool& flag, bool value) : flag_(flag), old_(std::exchange(flag, value)) {}
  ~TFlagScope() { flag_ = old_; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& flag_;
  bool old_;
};

// Shows a screen cursor for the scope (the hourglass of a long operation).
class TScreenCursorScope {
 public:
  explicit TScreenCursorScope(plat::TCursor c) : old_(std::exchange(plat::Screen().Cursor, c)) {}
  ~TScreenCursorScope() { plat::Screen().Cursor = old_; }
  TScreenCursorScope(const TScreenCursorScope&) = delete;
  TScreenCursorScope& operator=(const TScreenCursorScope&) = delete;

 private:
  plat::TCursor old_;
};

}  // namespace html
