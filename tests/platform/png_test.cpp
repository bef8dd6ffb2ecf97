// PNG files: bitmaps written and read back, files made byte by byte for
// the colour types and alpha, and files the reader must refuse.
#include "platform/png.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/errors.h"

using namespace plat;
namespace fs = std::filesystem;

namespace {

using TBytes = std::vector<uint8_t>;

uint32_t Crc32(const uint8_t* p, size_t n) {
  uint32_t c = 0xFFFFFFFFu;
  for (size_t i = 0; i < n; ++i) {
    c ^= p[i];
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
  }
  return ~c;
}

void Put32(TBytes& out, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(uint8_t(v >> s));
}

void Chunk(TBytes& out, const char* type, const TBytes& data) {
  Put32(out, uint32_t(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  Put32(out, Crc32(out.data() + start, out.size() - start));
}

// A PNG of 8-bit samples: `rows` already hold each row's filter byte.
// The image data is one stored (uncompressed) deflate block.
TBytes MakePng(uint32_t width, uint32_t height, uint8_t colourType, const TBytes& rows) {
  TBytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  TBytes ihdr;
  Put32(ihdr, width);
  Put32(ihdr, height);
  ihdr.insert(ihdr.end(), {8, colourType, 0, 0, 0});
  Chunk(png, "IHDR", ihdr);
  TBytes z = {0x78, 0x01, 0x01, uint8_t(rows.size()), uint8_t(rows.size() >> 8), uint8_t(~rows.size()),
              uint8_t(~rows.size() >> 8)};
  z.insert(z.end(), rows.begin(), rows.end());
  uint32_t a = 1, b = 0;
  for (uint8_t v : rows) a = (a + v) % 65521, b = (b + a) % 65521;
  Put32(z, b << 16 | a);
  Chunk(png, "IDAT", z);
  Chunk(png, "IEND", {});
  return png;
}

class PngFiles : public testing::Test {
 protected:
  void SetUp() override { fs::create_directories(dir_); }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Write(const std::string& name, const TBytes& bytes) {
    std::string path = (dir_ / name).string();
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

 private:
  fs::path dir_ = fs::temp_directory_path() / ("png_test_" + std::to_string(::getpid()));
};

}  // namespace

TEST_F(PngFiles, WrittenBitmapsReadBackPixelForPixel) {
  TBitmap colour(3, 2);  // odd width: rows are not a multiple of 16 bytes
  colour.SetPixel(0, 0, RGB(1, 2, 3));
  colour.SetPixel(2, 0, clRed);
  colour.SetPixel(1, 1, RGB(200, 100, 50));
  TBitmap mono(2, 2, TPixelFormat::pf1bit);
  mono.SetPixel(1, 0, clBlack);
  for (const TBitmap* b : {&colour, &mono}) {
    const std::string path = Path("out.png");
    WritePng(*b, path);
    TBitmap got = ReadPng(path);
    ASSERT_EQ(got.Width(), b->Width());
    ASSERT_EQ(got.Height(), b->Height());
    EXPECT_FALSE(got.Monochrome());
    for (int y = 0; y < b->Height(); ++y)
      for (int x = 0; x < b->Width(); ++x) {
        EXPECT_EQ(got.GetPixel(x, y), b->GetPixel(x, y)) << x << "," << y;
        EXPECT_EQ(got.Row32(y)[x] >> 24, 0u) << "the top byte stays clear";
      }
  }
  EXPECT_THROW(WritePng(TBitmap(), Path("empty.png")), EInOutError);
}

TEST_F(PngFiles, ColourTypesAndAlphaReadAsOpaqueColours) {
  struct Case {
    const char* name;
    uint8_t colourType;
    uint32_t width;
    TBytes rows;
    std::vector<uint32_t> want;  // colours, 0x00BBGGRR
  } cases[] = {
      {"RGB", 2, 2, {0, 10, 20, 30, 255, 0, 128}, {RGB(10, 20, 30), RGB(255, 0, 128)}},
      {"RGBA, alpha dropped", 6, 3, {0, 10, 20, 30, 0x80, 1, 2, 3, 0, 250, 251, 252, 255},
       {RGB(10, 20, 30), RGB(1, 2, 3), RGB(250, 251, 252)}},
      {"grey", 0, 2, {0, 0, 77}, {RGB(0, 0, 0), RGB(77, 77, 77)}},
      {"grey and alpha", 4, 1, {0, 99, 0}, {RGB(99, 99, 99)}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    TBitmap got = ReadPng(Write("c.png", MakePng(k.width, 1, k.colourType, k.rows)));
    ASSERT_EQ(got.Width(), int(k.width));
    ASSERT_EQ(got.Height(), 1);
    for (int x = 0; x < got.Width(); ++x) {
      EXPECT_EQ(got.GetPixel(x, 0), k.want[size_t(x)]) << x;
      EXPECT_EQ(got.Row32(0)[x] >> 24, 0u) << x;
    }
  }
}

TEST_F(PngFiles, FilesTheReaderRefuses) {
  const TBytes good = MakePng(2, 1, 2, {0, 1, 2, 3, 4, 5, 6});
  struct Case {
    const char* name;
    TBytes bytes;
  } cases[] = {
      {"not a PNG", {'G', 'I', 'F', '8', '9', 'a'}},
      {"empty", {}},
      {"cut short", TBytes(good.begin(), good.begin() + 40)},
      {"a side over the limit", MakePng(kMaxBitmapSide + 1, 1, 2, {0, 1, 2, 3})},
      {"more pixels than a bitmap may hold", MakePng(16384, 16385, 2, {0, 1, 2, 3})},
      {"too little image data", MakePng(4, 4, 2, {0, 1, 2, 3})},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    EXPECT_THROW(ReadPng(Write("bad.png", k.bytes)), EInOutError);
  }
  EXPECT_THROW(ReadPng(Path("missing.png")), EInOutError);
  EXPECT_NO_THROW(ReadPng(Write("good.png", good)));
}
