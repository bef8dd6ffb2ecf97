#pragma once
// The viewer's Processing flag for the length of an operation.
#include <exception>

#include "viewer/folio.h"
#include "viewer/scope_guard.h"

namespace html {

// Turns Processing on (raising OnProcessing) and back to its old value at
// the end of the scope, also when an exception passes. The flag is stored
// before the event is raised, so a handler that throws cannot leave it set.
class TFolio::TProcessingScope {
 public:
  explicit TProcessingScope(TFolio& f) : f_(f), old_(f.processing_), exceptions_(std::uncaught_exceptions()) {
    try {
      f.SetProcessing(true);
    } catch (...) {
      f.processing_ = old_;
      throw;
    }
  }
  ~TProcessingScope() noexcept(false) {
    if (std::uncaught_exceptions() > exceptions_) {
      try {
        f_.SetProcessing(old_);
      } catch (...) {
      }
    } else {
      f_.SetProcessing(old_);
    }
  }
  TProcessingScope(const TProcessingScope&) = delete;
  TProcessingScope& operator=(const TProcessingScope&) = delete;

 private:
  TFolio& f_;
  bool old_;
  int exceptions_;
};

}  // namespace html
