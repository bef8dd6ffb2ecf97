#pragma once
// A style list with the default sheet and a property stack holding the
// document's base set, as the reader keeps them while it reads.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "styles/default_sheet.h"
#include "styles/prop_stack.h"
#include "styles/style_list.h"
#include "tests/styles/fake_fonts.h"

namespace html::testing {

class StyleFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    styles.BuildDefaultSheet(settings);
    auto root = std::make_unique<TProperties>();
    root->InitFromDefaults(*styles.DefaultRule());
    stack.Push(std::move(root));
  }

  // Opens an element: derived from the top set, pushed, resolved.
  TProperties& Open(const std::string& tag, const std::string& cls = "", const std::string& id = "",
                    const std::string& pseudo = "", std::shared_ptr<const TProperties> inlineStyle = nullptr,
                    const std::string& title = "") {
    auto set = std::make_unique<TProperties>();
    set->DeriveFrom(stack.Top(), tag);
    TProperties& ref = stack.Push(std::move(set));
    ref.ResolveStyle(styles, stack, tag, cls, id, std::move(inlineStyle), title, pseudo);
    return ref;
  }
  TProperties& Link(const std::string& cls = "", const std::string& id = "") {
    return Open("a", cls, id, "link");
  }
  void Close() { stack.DeleteAt(stack.TopIndex()); }

  void Rule(const std::string& key, const std::string& name, const std::string& value) {
    styles.StoreRuleDeclaration(key, name, value);
  }
  // A descendant key as the style sheet parser builds it: the subject, the
  // number of ancestors and the next serial, then the ancestors nearest
  // first ("ul>" when it must be the direct parent).
  std::string Desc(const std::string& subject, const std::vector<std::string>& ancestors) {
    std::string key = subject + " " + std::to_string(ancestors.size()) + styles.NextSerialText();
    for (const auto& a : ancestors) key += a + " ";
    return key;
  }

  FakeFonts fonts;
  TDefaultSheetSettings settings;
  TStyleList styles;
  TPropStack stack;
};

inline PropValue Color(plat::TColor c) { return PropValue(int32_t{c}); }

}  // namespace html::testing
