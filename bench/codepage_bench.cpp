// Conversion speed of a run of document text, reusing one output buffer as
// the reader does.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/codepage.h"

namespace {

std::string Repeat(std::string_view piece, size_t bytes) {
  std::string s;
  while (s.size() < bytes) s += piece;
  return s;
}

void Decode(benchmark::State& state, unsigned codePage, std::string_view piece) {
  const std::string text = Repeat(piece, 4096);
  std::u16string out;
  for (auto _ : state) {
    out.clear();
    plat::MultiByteToWideChar(codePage, text, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void Encode(benchmark::State& state, unsigned codePage, std::u16string_view piece) {
  std::u16string text;
  while (text.size() < 2048) text += piece;
  std::string out;
  for (auto _ : state) {
    out.clear();
    plat::WideCharToMultiByte(codePage, text, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void Upper(benchmark::State& state) {
  std::u16string text;
  while (text.size() < 2048) text += u"Grüße, Ωμέγα и Жук! ";
  for (auto _ : state) {
    std::u16string copy = text;
    plat::CharUpperBuffW(copy.data(), copy.size());
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

}  // namespace

BENCHMARK_CAPTURE(Decode, ascii_utf8, plat::CP_UTF8, "The quick brown fox jumps over the lazy dog. ");
BENCHMARK_CAPTURE(Decode, mixed_utf8, plat::CP_UTF8, "Gr\xC3\xBC\xC3\x9F" "e \xE6\x97\xA5\xE6\x9C\xAC ok ");
BENCHMARK_CAPTURE(Decode, latin_1252, 1252u, "Caf\xE9 cr\xE8me \x80 10, na\xEFve text. ");
BENCHMARK_CAPTURE(Decode, japanese_932, 932u, "\x93\xFA\x96\x7B\x8C\xEA\x83\x65\x83\x4C\x83\x58\x83\x67 abc ");
BENCHMARK_CAPTURE(Encode, latin_1252, 1252u, u"Café crème € 10, naïve text. ");
BENCHMARK_CAPTURE(Encode, japanese_932, 932u, u"日本語テキスト abc ");
BENCHMARK_CAPTURE(Encode, mixed_utf8, plat::CP_UTF8, u"Grüße 日本 ok \U0001F600 ");
BENCHMARK(Upper);
