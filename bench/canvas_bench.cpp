// Full-surface fills, transfers and alpha drawing on a page-sized bitmap.
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/argb_image.h"
#include "platform/canvas.h"

using namespace plat;

namespace {

constexpr int kW = 1000, kH = 3000;

void Report(benchmark::State& state, int64_t pixelsPerIteration) {
  state.SetBytesProcessed(int64_t(state.iterations()) * pixelsPerIteration * 4);
  state.SetItemsProcessed(int64_t(state.iterations()) * pixelsPerIteration);
}

TBitmap Pattern(int w, int h) {
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Row32(y)[x] = uint32_t(x * 2654435761u + y * 40503u) & 0xFFFFFF;
  return b;
}

void BM_FillRect(benchmark::State& state) {
  TBitmap dst(kW, kH);
  int i = 0;
  for (auto _ : state) {
    dst.Canvas().FillRect({0, 0, kW, kH}, (i++ & 1) ? clRed : clBlue);
    benchmark::ClobberMemory();
  }
  Report(state, int64_t{kW} * kH);
}
BENCHMARK(BM_FillRect)->Unit(benchmark::kMillisecond);

void BM_BitBlt(benchmark::State& state, uint32_t rop) {
  TBitmap src = Pattern(kW, kH), dst(kW, kH);
  for (auto _ : state) {
    dst.Canvas().BitBlt(0, 0, kW, kH, src.Canvas(), 0, 0, rop);
    benchmark::ClobberMemory();
  }
  Report(state, int64_t{kW} * kH);
}
BENCHMARK_CAPTURE(BM_BitBlt, SRCCOPY, SRCCOPY)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BitBlt, SRCAND, SRCAND)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BitBlt, MERGEPAINT_generic, MERGEPAINT)->Unit(benchmark::kMillisecond);

void BM_BitBltMonoToColour(benchmark::State& state) {
  TBitmap src(kW, kH, TPixelFormat::pf1bit), dst(kW, kH);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) src.Row1(y)[x] = ((x ^ y) & 8) ? 0xFF : 0;
  for (auto _ : state) {
    dst.Canvas().BitBlt(0, 0, kW, kH, src.Canvas(), 0, 0, SRCAND);
    benchmark::ClobberMemory();
  }
  Report(state, int64_t{kW} * kH);
}
BENCHMARK(BM_BitBltMonoToColour)->Unit(benchmark::kMillisecond);

void BM_StretchBlt(benchmark::State& state, TStretchMode mode, bool enlarge) {
  TBitmap src = enlarge ? Pattern(kW / 2, kH / 2) : Pattern(kW * 2, kH * 2), dst(kW, kH);
  dst.Canvas().SetStretchBltMode(mode);
  for (auto _ : state) {
    dst.Canvas().StretchBlt(0, 0, kW, kH, src.Canvas(), 0, 0, src.Width(), src.Height(), SRCCOPY);
    benchmark::ClobberMemory();
  }
  Report(state, int64_t{kW} * kH);
}
BENCHMARK_CAPTURE(BM_StretchBlt, COLORONCOLOR_enlarge2x, COLORONCOLOR, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StretchBlt, COLORONCOLOR_shrink2x, COLORONCOLOR, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StretchBlt, HALFTONE_shrink2x, HALFTONE, false)->Unit(benchmark::kMillisecond);

void BM_DrawArgb(benchmark::State& state, int srcW, int srcH, bool bilinear) {
  TArgbImage img(srcW, srcH);
  for (int y = 0; y < srcH; ++y)
    for (int x = 0; x < srcW; ++x) img.SetPixel(x, y, uint8_t(x + y), uint8_t(x), uint8_t(y), 200);
  TBitmap dst = Pattern(kW, kH);
  for (auto _ : state) {
    dst.Canvas().DrawArgb(img, {0, 0, kW, kH}, {0, 0, srcW, srcH}, bilinear);
    benchmark::ClobberMemory();
  }
  Report(state, int64_t{kW} * kH);
}
BENCHMARK_CAPTURE(BM_DrawArgb, over_full_size, kW, kH, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DrawArgb, over_nearest_enlarge2x, kW / 2, kH / 2, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DrawArgb, over_bilinear_enlarge2x, kW / 2, kH / 2, true)->Unit(benchmark::kMillisecond);

// A path of many short figures stroked as one set.
void BM_StrokePathManyFigures(benchmark::State& state) {
  TBitmap dst(1000, 1000);
  TCanvas& c = dst.Canvas();
  for (auto _ : state) {
    c.BeginPath();
    for (int64_t k = 0; k < state.range(0); ++k) {
      const int x = int(k * 37 % 990), y = int(k * 91 % 990);
      c.MoveTo(x, y);
      c.LineTo(x + 8, y + 3);
    }
    c.EndPath();
    c.StrokePath();
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_StrokePathManyFigures)->Arg(1000)->Arg(20000)->Unit(benchmark::kMillisecond);

// A region from a polygon of many points over many rows.
void BM_RegionPolygonManyPoints(benchmark::State& state) {
  std::vector<TPoint> pts;
  for (int64_t k = 0; k <= state.range(0); ++k) pts.push_back({int(k * 1000 / state.range(0)), int(k % 2 * 20)});
  pts.push_back({1000, 2000});
  pts.push_back({0, 2000});
  for (auto _ : state) {
    TRegion r = TRegion::Polygon(pts.data(), int(pts.size()), ALTERNATE);
    benchmark::DoNotOptimize(r);
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_RegionPolygonManyPoints)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
