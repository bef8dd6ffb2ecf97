// The image cache: names as keys, replacement, ageing and limits.
#include "support/image_cache.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace html;

namespace {

std::unique_ptr<TBitmapItem> Item(int idle = 0, int uses = 0) {
  auto item = std::make_unique<TBitmapItem>();
  item->IdleCount = idle;
  item->UseCount = uses;
  return item;
}

}  // namespace

TEST(ImageCache, NamesDifferingInCaseOrSurroundingBlanksShareAKey) {
  struct Case {
    const char* stored;
    const char* looked;
  } cases[] = {
      {"a.gif", "A.GIF"},
      {"a.gif\t", "a.gif"},
      {" img/Logo.png\r\n", "IMG/logo.PNG"},
      {"x_[y].gif", "X_[Y].GIF"},  // punctuation between the letter ranges compares as it is
  };
  for (const auto& c : cases) {
    TStringBitmapList list;
    TBitmapItem* item = Item().release();
    list.AddObject(c.stored, std::unique_ptr<TBitmapItem>(item));
    EXPECT_EQ(list.Find(c.looked), item) << c.stored;
    EXPECT_EQ(TStringBitmapList::KeyOf(c.stored), TStringBitmapList::KeyOf(c.looked)) << c.stored;
  }
  EXPECT_EQ(TStringBitmapList::KeyOf(" a.gif\t"), "A.GIF");
  TStringBitmapList list;
  list.AddObject("a.gif", Item());
  EXPECT_EQ(list.Find("a.gi"), nullptr);
  EXPECT_EQ(list.Find("a.gif.x"), nullptr);
  EXPECT_EQ(list.Find("b a.gif"), nullptr);
}

TEST(ImageCache, AnExistingKeyIsReplaced) {
  TStringBitmapList list;
  list.AddObject("a.gif", Item());
  list.AddObject("b.gif", Item());
  TBitmapItem* second = Item().release();
  list.AddObject(" A.GIF", std::unique_ptr<TBitmapItem>(second));
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Find("a.gif"), second);
}

TEST(ImageCache, ANullItemIsRefused) {
  TStringBitmapList list;
  list.AddObject("a.gif", Item());
  EXPECT_THROW(list.AddObject("b.gif", nullptr), std::invalid_argument);
  EXPECT_THROW(list.AddObject("a.gif", nullptr), std::invalid_argument);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_NE(list.Find("a.gif"), nullptr);  // the entry stays as it was
  list.SetLimit(0);
  list.AgeAndPurge();
  EXPECT_EQ(list.Count(), 0);
}

TEST(ImageCache, IdleUnusedEntriesGoBeyondTheLimit) {
  TStringBitmapList list;  // limit 4
  list.AddObject("fresh", Item(0, 0));
  list.AddObject("old", Item(4, 0));
  list.AddObject("used", Item(9, 1));
  list.AgeAndPurge();
  EXPECT_NE(list.Find("fresh"), nullptr);
  EXPECT_EQ(list.Find("fresh")->IdleCount, 1);
  EXPECT_EQ(list.Find("old"), nullptr);  // idle 5 > 4
  EXPECT_NE(list.Find("used"), nullptr);
  list.SetLimit(0);
  EXPECT_EQ(list.CacheLimit(), 0);
  EXPECT_EQ(list.Find("fresh"), nullptr);  // idle 1 > 0
  EXPECT_NE(list.Find("used"), nullptr);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}
