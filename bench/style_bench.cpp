// Speed of selector matching: ResolveStyle for elements nested inside
// others, against a sheet with many descendant rules.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "styles/default_sheet.h"
#include "styles/prop_stack.h"
#include "styles/style_list.h"

using namespace html;

namespace {

const char* const kTags[] = {"div", "p", "li", "span", "a", "td", "ul", "table"};
constexpr int kTagCount = sizeof kTags / sizeof kTags[0];

std::string ClassName(int i) { return "c" + std::to_string(i % 7); }

// A sheet of `rules` descendant rules, spread over the tags, with one to
// three ancestor components (some with classes, some direct parents), plus
// a class rule per tag.
void BuildSheet(TStyleList& styles, int rules) {
  styles.BuildDefaultSheet(TDefaultSheetSettings{});
  for (int i = 0; i < kTagCount; ++i) styles.StoreRuleDeclaration(std::string(kTags[i]) + "." + ClassName(i), "color", "red");
  for (int i = 0; i < rules; ++i) {
    std::string subject = kTags[i % kTagCount];
    if (i % 3 == 0) subject += "." + ClassName(i);
    const int ancestors = 1 + i % 3;
    std::string key = subject + " " + std::to_string(ancestors) + styles.NextSerialText();
    for (int a = 0; a < ancestors; ++a) {
      std::string component = kTags[(i + a + 1) % kTagCount];
      if ((i + a) % 2 == 0) component += "." + ClassName(i + a) + "." + ClassName(i + a + 3);
      if ((i + a) % 5 == 0) component += ">";
      key += component + " ";
    }
    styles.StoreRuleDeclaration(key, i % 2 ? "font-weight" : "color", i % 2 ? "bold" : "blue");
  }
}

struct TDocument {
  TStyleList styles;
  TPropStack stack;

  TDocument(int rules, int depth) {
    BuildSheet(styles, rules);
    auto root = std::make_unique<TProperties>();
    root->InitFromDefaults(*styles.DefaultRule());
    stack.Push(std::move(root));
    for (int d = 0; d < depth; ++d) Open(kTags[d % kTagCount], ClassName(d) + "." + ClassName(d + 2) + "." + ClassName(d + 5));
  }
  void Open(const std::string& tag, const std::string& cls) {
    auto set = std::make_unique<TProperties>();
    set->DeriveFrom(stack.Top(), tag);
    TProperties& ref = stack.Push(std::move(set));
    ref.ResolveStyle(styles, stack, tag, cls, "", nullptr, "", "");
  }
  void Close() { stack.DeleteAt(stack.TopIndex()); }
};

// Opens and closes one element of every tag, with and without classes, at
// the bottom of `depth` open elements.
void BM_ResolveNested(benchmark::State& state) {
  TDocument doc(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) {
    for (int i = 0; i < kTagCount; ++i) {
      doc.Open(kTags[i], i % 2 ? ClassName(i) + "." + ClassName(i + 3) : std::string());
      benchmark::DoNotOptimize(doc.stack.Top().Values.data());
      doc.Close();
    }
  }
  state.SetItemsProcessed(state.iterations() * kTagCount);
}
BENCHMARK(BM_ResolveNested)->ArgsProduct({{100, 1000}, {4, 16}})->ArgNames({"rules", "depth"});

}  // namespace
