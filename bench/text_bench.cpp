// Speed of text measuring and drawing once the caches are warm.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/canvas.h"

using namespace plat;

namespace {

const std::u16string kParagraph =
    u"The quick brown fox jumps over the lazy dog. Layout measures every word of a paragraph, "
    u"often several times, while it looks for line breaks; the widths must come from a cache "
    u"and never from the font files. Numbers like 1,234.56 and punctuation (\"quoted\", dashes - "
    u"and so on) are part of ordinary text, as are accented letters: caf\xE9, na\xEFve, \xC5ngstr\xF6m.";

// The paragraph's words, each with its following space.
std::vector<std::u16string_view> Words() {
  std::vector<std::u16string_view> words;
  const std::u16string_view p(kParagraph);
  size_t start = 0;
  while (start < p.size()) {
    size_t end = p.find(u' ', start);
    end = end == std::u16string_view::npos ? p.size() : end + 1;
    words.push_back(p.substr(start, end - start));
    start = end;
  }
  return words;
}

TCanvas& Canvas(TBitmap& b) {
  TCanvas& c = b.Canvas();
  c.Font().Name = "Times New Roman";
  c.Font().Height = -16;
  return c;
}

void BM_MeasureParagraph(benchmark::State& state) {
  TBitmap b(1, 1);
  TCanvas& c = Canvas(b);
  int64_t sum = 0;
  for (auto _ : state) {
    sum += c.GetTextExtentPoint32W(kParagraph).cx;
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(kParagraph.size()));
}
BENCHMARK(BM_MeasureParagraph);

// Word by word, as line breaking measures.
void BM_MeasureWords(benchmark::State& state) {
  TBitmap b(1, 1);
  TCanvas& c = Canvas(b);
  const std::vector<std::u16string_view> words = Words();
  int64_t sum = 0;
  for (auto _ : state) {
    for (std::u16string_view w : words) sum += c.GetTextExtentPoint32W(w).cx;
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(kParagraph.size()));
}
BENCHMARK(BM_MeasureWords);

// Fitting with cumulative extents, as the caret and the break search use it.
void BM_FitParagraph(benchmark::State& state) {
  TBitmap b(1, 1);
  TCanvas& c = Canvas(b);
  std::vector<int> extents(kParagraph.size());
  int fit = 0;
  for (auto _ : state) {
    c.GetTextExtentExPointW(kParagraph, 400, &fit, extents.data());
    benchmark::DoNotOptimize(fit);
    benchmark::DoNotOptimize(extents.data());
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(kParagraph.size()));
}
BENCHMARK(BM_FitParagraph);

// Measuring with a font switch between words (two runs alternating).
void BM_MeasureWordsTwoFonts(benchmark::State& state) {
  TBitmap b(1, 1);
  TCanvas& c = Canvas(b);
  TFont regular = c.Font(), bold = c.Font();
  bold.Style.Bold = true;
  const std::vector<std::u16string_view> words = Words();
  int64_t sum = 0;
  for (auto _ : state) {
    bool flip = false;
    for (std::u16string_view w : words) {
      c.Font() = (flip = !flip) ? bold : regular;
      sum += c.GetTextExtentPoint32W(w).cx;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(kParagraph.size()));
}
BENCHMARK(BM_MeasureWordsTwoFonts);

void BM_DrawParagraph(benchmark::State& state) {
  TBitmap b(1200, 40);
  TCanvas& c = Canvas(b);
  c.SetBkMode(TRANSPARENT);
  for (auto _ : state) c.TextOut(0, 10, kParagraph);
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(kParagraph.size()));
}
BENCHMARK(BM_DrawParagraph);

// Characters above U+FFFF measured with spacing (the per-character path).
void BM_MeasureSupplementaryWithExtra(benchmark::State& state) {
  TBitmap b(1, 1);
  TCanvas& c = Canvas(b);
  c.SetTextCharacterExtra(1);
  std::u16string text;
  for (int i = 0; i < 1000; ++i) text += u"\xD835\xDC00";
  int64_t sum = 0;
  for (auto _ : state) {
    sum += c.GetTextExtentPoint32W(text).cx;
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * 1000);
}
BENCHMARK(BM_MeasureSupplementaryWithExtra);

// DrawTextW with a mark on every character of one long line.
void BM_DrawTextManyMarks(benchmark::State& state) {
  TBitmap b(400, 40);
  TCanvas& c = Canvas(b);
  std::u16string text;
  for (int64_t i = 0; i < state.range(0); ++i) text += u"&a";
  for (auto _ : state) {
    TRect r{0, 0, 400, 40};
    c.DrawTextW(text, r, DT_SINGLELINE);
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_DrawTextManyMarks)->Arg(1000)->Arg(40000)->Unit(benchmark::kMillisecond);

}  // namespace
