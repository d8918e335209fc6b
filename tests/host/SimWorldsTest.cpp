// Worlds the host makes: padding, the world suites, fill and copy.
#include <cstring>

#include "SimTestUtil.h"

using namespace Brelo::Sim;
using SimTest::Suite;

namespace {

TEST(SimWorlds, RowsArePaddedAndThePaddingIsWatched) {
  Session s(nullptr);
  s.host().setRowPadding(3);
  for (Depth d : {Depth::Bits8, Depth::Bits16, Depth::Bits32}) {
    HostWorld w = s.host().makeWorld(5, 4, d);
    EXPECT_EQ(std::size_t(w->rowbytes), 8 * pixelSize(d));
    EXPECT_TRUE(s.host().paddingIntact(w.get()));
    auto* bytes = static_cast<std::uint8_t*>(w->data);
    // The last pixel of a row is inside; the first byte after it is padding.
    bytes[w->rowbytes + 5 * pixelSize(d) - 1] = 0x11;
    EXPECT_TRUE(s.host().paddingIntact(w.get()));
    EXPECT_EQ(bytes[w->rowbytes + 5 * pixelSize(d)], Host::kPaddingByte);
    bytes[w->rowbytes + 5 * pixelSize(d)] = 0x11;
    EXPECT_FALSE(s.host().paddingIntact(w.get()));
  }
  // Writing one row past the end (or before the start) is caught too.
  HostWorld w = s.host().makeWorld(2, 2, Depth::Bits8);
  static_cast<std::uint8_t*>(w->data)[2 * w->rowbytes] = 0;
  EXPECT_FALSE(s.host().paddingIntact(w.get()));
  HostWorld v = s.host().makeWorld(2, 2, Depth::Bits8);
  static_cast<std::uint8_t*>(v->data)[-1] = 0;
  EXPECT_FALSE(s.host().paddingIntact(v.get()));
}

TEST(SimWorlds, WorldSuiteOneMakesClearedAndDeepWorlds) {
  Session s(nullptr);
  Suite<PF_WorldSuite1> ws(s.host(), kPFWorldSuite, 1);
  PF_ProgPtr ref = s.instance().ref();
  PF_EffectWorld w8, w16, raw;
  ASSERT_EQ(ws->new_world(ref, 4, 3, PF_NewWorldFlag_CLEAR_PIXELS, &w8), 0);
  ASSERT_EQ(ws->new_world(ref, 4, 3, PF_NewWorldFlag_CLEAR_PIXELS | PF_NewWorldFlag_DEEP_PIXELS, &w16), 0);
  ASSERT_EQ(ws->new_world(ref, 4, 3, PF_NewWorldFlag_NONE, &raw), 0);
  EXPECT_EQ(w8.width, 4);
  EXPECT_EQ(w8.height, 3);
  EXPECT_GT(std::size_t(w8.rowbytes), 4 * sizeof(PF_Pixel));
  EXPECT_TRUE(w16.world_flags & PF_WorldFlag_DEEP);
  PF_PixelFormat f = 0;
  ASSERT_EQ(ws->get_pixel_format(&w16, &f), 0);
  EXPECT_EQ(f, PF_PixelFormat_ARGB64);
  Image i8 = s.host().readWorld(&w8), i16 = s.host().readWorld(&w16);
  EXPECT_EQ(i8, Image(4, 3, Depth::Bits8));
  EXPECT_EQ(i16, Image(4, 3, Depth::Bits16));
  EXPECT_NE(s.host().readWorld(&raw), Image(4, 3, Depth::Bits8));  // not cleared: leftovers
  EXPECT_EQ(s.host().outstanding().worlds, 3u);

  ASSERT_EQ(ws->dispose_world(ref, &w8), 0);
  EXPECT_EQ(w8.data, nullptr);
  EXPECT_EQ(ws->dispose_world(ref, &w8), PF_Err_BAD_CALLBACK_PARAM);  // twice
  ASSERT_EQ(ws->dispose_world(ref, &w16), 0);
  ASSERT_EQ(ws->dispose_world(ref, &raw), 0);
  EXPECT_EQ(s.host().outstanding().worlds, 0u);
  EXPECT_EQ(ws->new_world(ref, 0, 3, 0, &w8), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(ws->new_world(ref, 4, 3, 0, nullptr), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(s.host().misuses().size(), 3u);
}

TEST(SimWorlds, WorldSuiteTwoReportsFormatsByDepth) {
  Session s(nullptr);
  Suite<PF_WorldSuite2> ws(s.host(), kPFWorldSuite, 2);
  Suite<PF_WorldSuite1> ws1(s.host(), kPFWorldSuite, 1);
  PF_ProgPtr ref = s.instance().ref();
  for (PF_PixelFormat fmt : {PF_PixelFormat_ARGB32, PF_PixelFormat_ARGB64, PF_PixelFormat_ARGB128}) {
    PF_EffectWorld w;
    ASSERT_EQ(ws->PF_NewWorld(ref, 3, 2, 1, fmt, &w), 0);
    PF_PixelFormat got = PF_PixelFormat_INVALID;
    ASSERT_EQ(ws->PF_GetPixelFormat(&w, &got), 0);
    EXPECT_EQ(got, fmt);
    // A world goes back through the suite version that made it.
    EXPECT_EQ(ws1->dispose_world(ref, &w), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(ws->PF_DisposeWorld(ref, &w), 0);
  }
  PF_EffectWorld w;
  EXPECT_EQ(ws->PF_NewWorld(ref, 3, 2, 1, PF_PixelFormat_BGRA32, &w), PF_Err_BAD_CALLBACK_PARAM);
  // The host's own worlds are not the plug-in's to dispose of.
  HostWorld mine = s.host().makeWorld(2, 2, Depth::Bits8);
  PF_EffectWorld copy = *mine.get();
  EXPECT_EQ(ws1->dispose_world(ref, &copy), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_TRUE(s.host().isLiveWorld(mine.get()));
  // Depths of the host's worlds as reported through the other call.
  PF_PixelFormat got = 0;
  HostWorld f = s.host().makeWorld(2, 2, Depth::Bits32);
  ASSERT_EQ(ws->PF_GetPixelFormat(f.get(), &got), 0);
  EXPECT_EQ(got, PF_PixelFormat_ARGB128);
  EXPECT_EQ(s.host().outstanding().worlds, 0u);
}

TEST(SimWorlds, FillWholeWorldOrClippedRectangleWithoutTouchingPadding) {
  Session s(nullptr);
  Suite<PF_FillMatteSuite2> fm(s.host(), kPFFillMatteSuite, 2);
  PF_ProgPtr ref = s.instance().ref();
  HostWorld w8 = s.host().makeWorld(4, 3, Depth::Bits8);
  PF_Pixel red{255, 255, 0, 0};
  ASSERT_EQ(fm->fill(ref, &red, nullptr, w8.get()), 0);
  Image expect(4, 3, Depth::Bits8);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) expect.px8(x, y) = red;
  EXPECT_EQ(s.host().readWorld(w8.get()), expect);
  PF_Pixel blue{128, 0, 0, 255};
  PF_LRect r{-5, 2, 2, 100};  // clipped to columns 0-1 of row 2
  ASSERT_EQ(fm->fill(ref, &blue, &r, w8.get()), 0);
  expect.px8(0, 2) = expect.px8(1, 2) = blue;
  EXPECT_EQ(s.host().readWorld(w8.get()), expect);
  EXPECT_TRUE(s.host().paddingIntact(w8.get()));
  PF_LRect outside{10, 10, 20, 20};
  EXPECT_EQ(fm->fill(ref, &blue, &outside, w8.get()), 0);
  EXPECT_EQ(s.host().readWorld(w8.get()), expect);

  HostWorld w16 = s.host().makeWorld(2, 2, Depth::Bits16);
  PF_Pixel16 c16{32768, 1, 2, 3};
  ASSERT_EQ(fm->fill16(ref, &c16, nullptr, w16.get()), 0);
  EXPECT_TRUE(SimTest::samePixel(s.host().readWorld(w16.get()).px16(1, 1), c16));
  HostWorld wf = s.host().makeWorld(2, 2, Depth::Bits32);
  PF_PixelFloat cf{1.0f, 1.5f, -0.25f, 0.5f};
  ASSERT_EQ(fm->fill_float(ref, &cf, nullptr, wf.get()), 0);
  EXPECT_TRUE(SimTest::samePixel(s.host().readWorld(wf.get()).pxF(0, 1), cf));
  // A fill of the wrong depth is refused, not reinterpreted.
  EXPECT_EQ(fm->fill(ref, &red, nullptr, w16.get()), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(fm->fill_float(ref, &cf, nullptr, w8.get()), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(fm->fill(ref, nullptr, nullptr, w8.get()), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(s.host().misuses().size(), 3u);
}

Image numbered(int w, int h, Depth d) {
  Image img(w, h, d);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.set(x, y, {1.0f, float(x) / 16.0f, float(y) / 16.0f, 0.5f});
  return img;
}

TEST(SimWorlds, CopyWholeOffsetClippedScaledAndOntoItself) {
  Session s(nullptr);
  PF_ProgPtr ref = s.instance().ref();
  auto copy = s.host().utils()->copy;
  for (Depth d : {Depth::Bits8, Depth::Bits16, Depth::Bits32}) {
    Image src = numbered(4, 3, d);
    HostWorld a = s.host().makeWorld(src);
    HostWorld b = s.host().makeWorld(4, 3, d);
    ASSERT_EQ(copy(ref, a.get(), b.get(), nullptr, nullptr), 0);
    EXPECT_EQ(s.host().readWorld(b.get()), src);

    // Same-size rectangles at an offset, partly outside the destination.
    HostWorld c = s.host().makeWorld(4, 3, d);
    PF_LRect from{0, 0, 2, 2}, to{3, 2, 5, 4};
    ASSERT_EQ(copy(ref, a.get(), c.get(), &from, &to), 0);
    Image expect(4, 3, d);
    std::memcpy(&expect.bytes()[(2 * 4 + 3) * pixelSize(d)], &src.bytes()[0], pixelSize(d));
    EXPECT_EQ(s.host().readWorld(c.get()), expect);
    EXPECT_TRUE(s.host().paddingIntact(c.get()));

    // A source rectangle reaching outside the source leaves those pixels alone.
    HostWorld e = s.host().makeWorld(4, 3, d);
    PF_LRect src_out{-1, 0, 3, 3}, dst_all{0, 0, 4, 3};
    ASSERT_EQ(copy(ref, a.get(), e.get(), &src_out, &dst_all), 0);
    Image ei = s.host().readWorld(e.get());
    EXPECT_EQ(ei.get(0, 0).a, 0.0f);
    EXPECT_EQ(ei.get(1, 1).r, src.get(0, 1).r);
    EXPECT_EQ(ei.get(3, 2).g, src.get(2, 2).g);

    // Doubling: every source pixel covers 2 x 2 destination pixels.
    HostWorld big = s.host().makeWorld(8, 6, d);
    ASSERT_EQ(copy(ref, a.get(), big.get(), nullptr, nullptr), 0);
    Image bi = s.host().readWorld(big.get());
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 8; ++x) ASSERT_EQ(bi.get(x, y).r, src.get(x / 2, y / 2).r);

    // Onto itself, overlapping: reads the pixels as they were before.
    PF_LRect s1{0, 0, 3, 3}, d1{1, 0, 4, 3};
    ASSERT_EQ(copy(ref, a.get(), a.get(), &s1, &d1), 0);
    Image ai = s.host().readWorld(a.get());
    for (int y = 0; y < 3; ++y)
      for (int x = 1; x < 4; ++x) ASSERT_EQ(ai.get(x, y).r, src.get(x - 1, y).r);
  }
  HostWorld p = s.host().makeWorld(2, 2, Depth::Bits8), q = s.host().makeWorld(2, 2, Depth::Bits16);
  EXPECT_EQ(copy(ref, p.get(), q.get(), nullptr, nullptr), PF_Err_BAD_CALLBACK_PARAM);
}

TEST(SimWorlds, ImageConversionsRoundToNearest) {
  Image f(1, 1, Depth::Bits32);
  f.set(0, 0, {1.0f, 0.5f, 0.25f, 2.0f});
  Image i8 = f.converted(Depth::Bits8), i16 = f.converted(Depth::Bits16);
  EXPECT_TRUE(SimTest::samePixel(i8.px8(0, 0), {255, 128, 64, 255}));
  EXPECT_TRUE(SimTest::samePixel(i16.px16(0, 0), {32768, 16384, 8192, 32768}));
  EXPECT_EQ(i16.converted(Depth::Bits32).pxF(0, 0).red, 0.5f);
}

}  // namespace
