#include "host/screen_file.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "host/command_line.h"

using namespace host;

TEST(ScreenFile, LineBreaksBecomeCrLf) {
  struct Case {
    std::string in, want;
  } cases[] = {
      {"a\nb\rc\r\n", "a\r\nb\r\nc\r\n"},
      {"a\n\rb", "a\r\n\r\nb\r\n"},  // LF CR is two breaks
      {"", ""},
      {"abc", "abc\r\n"},
      {"\r\n", "\r\n"},
      {"x\r", "x\r\n"},
      {std::string("a\0b", 3), std::string("a\0b\r\n", 5)},
  };
  for (const auto& c : cases) EXPECT_EQ(ScreenFileBytes(c.in), c.want);
  // Lines already split are written as they are, an empty one included.
  EXPECT_EQ(ScreenFileBytes(std::vector<std::string>{"a", "", "b"}), "a\r\n\r\nb\r\n");
  EXPECT_EQ(ScreenFileBytes(std::vector<std::string>{}), "");
}

TEST(ScreenFile, WritesAndReportsFailure) {
  std::string path = ::testing::TempDir() + "screen_test_" + std::to_string(::getpid()) + ".html";
  WriteScreenFile(path, "one\ntwo");
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  EXPECT_EQ(ss.str(), "one\r\ntwo\r\n");
  WriteScreenFile(path, "");
  std::ifstream again(path, std::ios::binary);
  std::stringstream s2;
  s2 << again.rdbuf();
  EXPECT_EQ(s2.str(), "");
  std::remove(path.c_str());
  try {
    WriteScreenFile("/nonexistent-dir/screen.html", "x");
    ADD_FAILURE();
  } catch (const EHostError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"/nonexistent-dir/screen.html\". ", 0), 0u) << e.what();
  }
}

TEST(ScreenFile, PlacementByHeight) {
  EXPECT_EQ(ImageTopFor(300, 100), 0);
  EXPECT_EQ(ImageTopFor(300, 300), 0);
  EXPECT_EQ(ImageTopFor(300, 450), -150);
}
