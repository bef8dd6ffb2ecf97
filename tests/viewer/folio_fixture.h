#pragma once
// Shared pieces of the viewer tests: a section whose size is a function of
// the width it is laid out at, a viewer on a hidden form, temporary files.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "layout/section_list.h"
#include "viewer/folio.h"

namespace folio_test {

// A section of a given height and content width; it logs the widths it is
// laid out at.
class TProbeSection : public html::TSectionBase {
 public:
  TProbeSection(std::function<int(int)> height, int contentWidth, std::vector<int>* widths)
      : TSectionBase(nullptr), height_(std::move(height)), contentWidth_(contentWidth), widths_(widths) {}
  int LayoutPass(plat::TCanvas& c, int x, int& index, int& maxWidth, html::IndentManager* indents, int ph, int ah,
                 int availWidth, int r1, int r2, int y) override {
    if (widths_) widths_->push_back(availWidth);
    NaturalHeight = height_(availWidth);
    TSectionBase::LayoutPass(c, x, index, maxWidth, indents, ph, ah, availWidth, r1, r2, y);
    maxWidth = contentWidth_;
    return NaturalHeight;
  }

 private:
  std::function<int(int)> height_;
  int contentWidth_;
  std::vector<int>* widths_;
};

inline std::function<int(int)> Fixed(int h) {
  return [h](int) { return h; };
}

// A viewer on a hidden form, as the snapshot renderer holds one.
struct Viewer {
  plat::TForm form;
  html::TFolio folio{&form};
  // Sections put into the document as it is read (the reader itself reads no markup yet).
  std::function<void(html::TSectionList&)> content;

  Viewer() {
    folio.OnParseBegin = [this](html::TFolio& f, std::string&) {
      if (content) content(f.SectionList());
    };
  }
  // Adds a section to the document being read and answers it.
  static html::TSectionBase* Add(html::TSectionList& s, std::unique_ptr<html::TSectionBase> section) {
    html::TSectionBase* raw = section.get();
    s.AddSection(std::move(section), 0);
    return raw;
  }
};

// A directory of its own, removed with everything in it.
class TempDir {
 public:
  TempDir() {
    static int serial = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("folio_test_" + std::to_string(::getpid()) + "_" + std::to_string(++serial));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string Write(const std::string& name, const std::string& text) const {
    std::filesystem::path p = path_ / name;
    std::ofstream(p, std::ios::binary) << text;
    return p.string();
  }
  std::string Path(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace folio_test
