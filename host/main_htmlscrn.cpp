// htmlscrn LEFT TOP WIDTH HEIGHT COLOR: the display process. A borderless
// window named "CustomerHTML" that shows each document delivered to it
// (see "Delivering documents" in the README) with its end in view.
#include <cstdio>
#include <exception>
#include <memory>

#include "host/error_report.h"
#include "host/html_form.h"
#include "host/snapshot_renderer.h"
#include "platform/app.h"
#include "platform/x11_connection.h"
#include "platform/x11_loop.h"
#include "platform/x11_window.h"

namespace {

constexpr const char* kModule = "htmlscrn";

void ReportToStderr(const std::string& text) {
  std::fputs(text.c_str(), stderr);
  std::fflush(stderr);
}

}  // namespace

int main(int argc, char** argv) {
  host::TSnapshotRenderer renderer;
  host::THtmlForm form([&](const std::string& html, int width, int& height) {
    return renderer.RenderHtmlToBitmap(html, width, height);
  });
  try {
    form.FormCreate(host::TCommandLine(argc, argv));
  } catch (const host::EHostError& e) {
    ReportToStderr(host::ExceptionReportText(e.ClassName(), e.what(), kModule));
    return 1;
  }

  try {
    plat::TX11Connection connection;
    plat::TX11WindowOptions options;
    options.left = form.Left();
    options.top = form.Top();
    options.width = form.Width();
    options.height = form.Height();
    options.background = static_cast<plat::TColor>(plat::ColorToRGB(form.Color()));
    options.title = form.Caption;
    plat::TX11Window window(connection, options);
    window.SetPicture(form.WindowPicture(), 0, 0);
    window.Show();

    // Errors are reported on standard error and in a window of their own
    // that never blocks the loop: a document that arrives meanwhile is
    // handled as usual.
    std::unique_ptr<plat::TX11Window> report;
    form.OnError = [&](const std::string& className, const std::string& message) {
      std::string text = host::ExceptionReportText(className, message, kModule);
      ReportToStderr(text);
      try {
        plat::TBitmap picture = host::RenderErrorReport(text);
        if (!report) {
          plat::TX11WindowOptions o;
          o.left = form.Left() + 20;
          o.top = form.Top() + 20;
          o.width = picture.Width();
          o.height = picture.Height();
          o.background = static_cast<plat::TColor>(plat::ColorToRGB(plat::clBtnFace));
          o.title = host::kErrorReportTitle;
          o.class_name = "TMessageForm";
          report = std::make_unique<plat::TX11Window>(connection, o);
          report->Show();
        }
        report->SetPicture(std::move(picture), 0, 0);
      } catch (const std::exception&) {
        // The report on standard error stands.
      }
    };

    plat::TX11EventLoop loop(window, [&](const std::string& text) {
      int result = form.WMCopyData(host::HtmlCopyDataId, text);
      window.SetPicture(form.WindowPicture(), 0, 0);
      return result;
    });
    loop.SetIdleHook([] {
      plat::Application().ProcessMessages();
      return plat::Application().NextDeadline();
    });
    loop.SetEventHook([&](const _XEvent& event) {
      if (!report) return false;
      if (report->HandleEvent(event)) report.reset();  // closed by the user
      return false;
    });
    return loop.Run() == plat::TX11EventLoop::TExit::kClosed ? 0 : 1;
  } catch (const std::exception& e) {
    ReportToStderr(std::string(kModule) + ": " + e.what() + "\n");
    return 1;
  }
}
