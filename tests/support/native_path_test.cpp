#include "support/native_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace html;
namespace fs = std::filesystem;

TEST(NativePath, BackslashesAndRefusals) {
  EXPECT_EQ(NativePath("\\docs\\a.htm"), "/docs/a.htm");
  EXPECT_EQ(NativePath("sub\\a.gif"), "sub/a.gif");
  EXPECT_FALSE(NativePath("C:\\a.htm").has_value());
  EXPECT_FALSE(NativePath("\\\\server\\share").has_value());
}

TEST(LocateFile, FindsNamesThatDifferInCase) {
  fs::path dir = fs::temp_directory_path() / ("locate_test_" + std::to_string(::getpid()));
  fs::create_directories(dir / "Images");
  std::ofstream(dir / "Images" / "Logo.GIF") << "x";
  std::string dos = dir.string();
  for (char& c : dos)
    if (c == '/') c = '\\';
  EXPECT_EQ(LocateFile(dos + "\\Images\\Logo.GIF"), (dir / "Images" / "Logo.GIF").string());
  EXPECT_EQ(LocateFile(dos + "\\images\\logo.gif"), (dir / "Images" / "Logo.GIF").string());
  EXPECT_FALSE(LocateFile(dos + "\\images\\missing.gif").has_value());
  EXPECT_FALSE(LocateFile(dos + "\\images").has_value());  // a directory is not a file
  EXPECT_FALSE(LocateFile("C:\\x").has_value());
  fs::remove_all(dir);
}
