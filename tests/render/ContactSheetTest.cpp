// The contact sheet and the test card.
#include <cmath>

#include <gtest/gtest.h>

#include "brelo_render/ContactSheet.h"
#include "brelo_render/TestCard.h"

using namespace Brelo;
using namespace Brelo::Render;

TEST(ContactSheet, FramesInReadingOrderOverACheckerboard) {
  ContactSheet sheet(640, 360, 31);
  EXPECT_EQ(sheet.columns(), 6);
  EXPECT_EQ(sheet.rows(), 6);
  EXPECT_EQ(sheet.thumbWidth(), 256);
  EXPECT_EQ(sheet.thumbHeight(), 144);
  EXPECT_EQ(sheet.image().width(), 4 + 6 * 260);
  EXPECT_EQ(sheet.image().height(), 4 + 6 * 148);
  for (int i = 0; i < 31; ++i) {
    Sim::Image frame(640, 360, i % 2 ? Sim::Depth::Bits16 : Sim::Depth::Bits32);
    if (i != 30) frame.fill({1.0f, float(i) / 32.0f, 0.0f, 1.0f});
    sheet.add(frame);
  }
  for (int i = 0; i < 30; ++i) {
    PF_Pixel p = sheet.image().px8(sheet.cellX(i) + 100, sheet.cellY(i) + 50);
    EXPECT_EQ(p.red, std::lround(i / 32.0 * 255.0)) << i;
    EXPECT_EQ(p.blue, 255);
  }
  EXPECT_EQ(sheet.cellX(7), 4 + 260);
  EXPECT_EQ(sheet.cellY(7), 4 + 148);
  // The transparent last frame shows the checkerboard.
  PF_Pixel light = sheet.image().px8(sheet.cellX(30), sheet.cellY(30));
  PF_Pixel dark = sheet.image().px8(sheet.cellX(30) + 8, sheet.cellY(30));
  EXPECT_EQ(light.red, 153);
  EXPECT_EQ(dark.red, 102);
  // Beyond the last cell: background.
  EXPECT_EQ(sheet.image().px8(sheet.cellX(31) + 5, sheet.cellY(31) + 5).red, 32);

  // Long animations shrink the cells to keep the sheet within bounds; small frames are never enlarged.
  ContactSheet many(1920, 1080, 5000);
  EXPECT_LE(many.image().height(), 16384 + 4);
  EXPECT_EQ(ContactSheet(16, 8, 1).thumbWidth(), 16);
}

TEST(TestCard, OpaqueAndTheSameEveryTimeAtAnySize) {
  for (auto size : {std::pair<int, int>{640, 360}, {1, 1}, {3, 2}, {17, 900}}) {
    Sim::Image a = makeTestCard(size.first, size.second);
    EXPECT_EQ(a.width(), size.first);
    EXPECT_EQ(a.height(), size.second);
    EXPECT_TRUE(a == makeTestCard(size.first, size.second));
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x) ASSERT_EQ(a.px8(x, y).alpha, 255);
  }
  Sim::Image card = makeTestCard(640, 360);
  EXPECT_EQ(card.px8(50, 50).red, 191);    // white bar at 75%
  EXPECT_EQ(card.px8(640 - 50, 50).blue, 191);
  EXPECT_EQ(card.px8(640 - 50, 50).red, 0);
  EXPECT_EQ(card.px8(320, 180).green, 255);  // the centre cross
}
