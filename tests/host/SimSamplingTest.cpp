// The host's sub-pixel and nearest sampling: exact values at whole and half
// positions, transparent outside, the same on every thread.
#include <cmath>
#include <thread>
#include <vector>

#include "SimTestUtil.h"

using namespace Brelo::Sim;
using SimTest::Suite;

namespace {

Image pattern(Depth d) {
  // 3 x 2, every channel different.
  Image img(3, 2, d);
  const float v[6][4] = {{1.0f, 0.2f, 0.4f, 0.6f}, {0.5f, 0.9f, 0.1f, 0.3f}, {0.25f, 0.0f, 1.0f, 0.5f},
                         {0.8f, 0.7f, 0.6f, 0.5f}, {0.1f, 0.3f, 0.5f, 0.7f}, {0.0f, 1.0f, 1.0f, 1.0f}};
  for (int i = 0; i < 6; ++i) img.set(i % 3, i / 3, {v[i][0], v[i][1], v[i][2], v[i][3]});
  // Odd raw values so that half sums need rounding.
  if (d == Depth::Bits8) img.px8(1, 0).red = 201;
  if (d == Depth::Bits16) img.px16(1, 0).red = 20001;
  return img;
}

// Independent bilinear reference in double: transparent outside the image.
double reference(Image const& img, int ch, PF_Fixed fx, PF_Fixed fy) {
  double x = fx / 65536.0, y = fy / 65536.0;
  double x0 = std::floor(x), y0 = std::floor(y);
  double tx = x - x0, ty = y - y0, sum = 0;
  for (int j = 0; j < 2; ++j)
    for (int i = 0; i < 2; ++i) {
      int px = int(x0) + i, py = int(y0) + j;
      if (px < 0 || py < 0 || px >= img.width() || py >= img.height()) continue;
      double w = (i ? tx : 1 - tx) * (j ? ty : 1 - ty);
      double c;
      if (img.depth() == Depth::Bits8) {
        PF_Pixel p = img.px8(px, py);
        c = ch == 0 ? p.alpha : ch == 1 ? p.red : ch == 2 ? p.green : p.blue;
      } else if (img.depth() == Depth::Bits16) {
        PF_Pixel16 p = img.px16(px, py);
        c = ch == 0 ? p.alpha : ch == 1 ? p.red : ch == 2 ? p.green : p.blue;
      } else {
        PF_PixelFloat p = img.pxF(px, py);
        c = ch == 0 ? p.alpha : ch == 1 ? p.red : ch == 2 ? p.green : p.blue;
      }
      sum += w * c;
    }
  return img.depth() == Depth::Bits32 ? sum : std::floor(sum + 0.5);  // half up
}

template <class P>
double channel(P const& p, int ch) {
  return ch == 0 ? double(p.alpha) : ch == 1 ? double(p.red) : ch == 2 ? double(p.green) : double(p.blue);
}

const PF_Fixed kPositions[] = {0,        1 << 16,  2 << 16,  32768,       98304,       -32768, -65536,
                               -(3 << 16), 3 << 16, (2 << 16) + 32768, 7 << 16, 16384, 49152 + (1 << 16), 12345};

template <class P, class Fn>
void checkAgainstReference(Session& s, Depth d, Fn sample) {
  Image img = pattern(d);
  HostWorld w = s.host().makeWorld(img);
  PF_SampPB pb{};
  pb.src = w.get();
  for (PF_Fixed y : kPositions)
    for (PF_Fixed x : kPositions) {
      P out{};
      ASSERT_EQ(sample(s.instance().ref(), x, y, &pb, &out), PF_Err_NONE);
      for (int ch = 0; ch < 4; ++ch) {
        double expect = reference(img, ch, x, y);
        if (d == Depth::Bits32)
          EXPECT_NEAR(channel(out, ch), expect, 1e-6) << x << "," << y << " ch " << ch;
        else
          EXPECT_EQ(channel(out, ch), expect) << x << "," << y << " ch " << ch;
      }
    }
}

TEST(SimSampling, SubpixelExactAtWholeAndHalfPositionsInEveryDepth) {
  Session s(nullptr);
  Suite<PF_Sampling8Suite1> s8(s.host(), kPFSampling8Suite, 1);
  Suite<PF_Sampling16Suite1> s16(s.host(), kPFSampling16Suite, 1);
  Suite<PF_SamplingFloatSuite1> sf(s.host(), kPFSamplingFloatSuite, 1);
  checkAgainstReference<PF_Pixel>(s, Depth::Bits8, s8->subpixel_sample);
  checkAgainstReference<PF_Pixel16>(s, Depth::Bits16, s16->subpixel_sample16);
  checkAgainstReference<PF_PixelFloat>(s, Depth::Bits32, sf->subpixel_sample_float);
  // area sampling equals sub-pixel sampling
  checkAgainstReference<PF_Pixel>(s, Depth::Bits8, s8->area_sample);
}

// Any 16.16 position, inside, straddling an edge or outside, against the
// four pixels weighed one by one: integer depths exactly (products of the
// 16-bit fractions, half up), float bit for bit (double sums in the order
// top-left, top-right, bottom-left, bottom-right). Raw values span the whole
// channel type, not just the nominal range.
void weighAnywhere(Session& s) {
  Suite<PF_Sampling8Suite1> s8(s.host(), kPFSampling8Suite, 1);
  Suite<PF_Sampling16Suite1> s16(s.host(), kPFSampling16Suite, 1);
  Suite<PF_SamplingFloatSuite1> sf(s.host(), kPFSamplingFloatSuite, 1);
  int const w = 9, h = 7;
  std::uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
  for (Depth d : {Depth::Bits8, Depth::Bits16, Depth::Bits32}) {
    Image img(w, h, d);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        if (d == Depth::Bits8) img.px8(x, y) = {A_u_char(next() >> 24), A_u_char(next() >> 24), A_u_char(next() >> 24), A_u_char(next() >> 24)};
        if (d == Depth::Bits16) img.px16(x, y) = {A_u_short(next() >> 16), A_u_short(next() >> 16), A_u_short(next() >> 16), A_u_short(next() >> 16)};
        if (d == Depth::Bits32) img.pxF(x, y) = {float(next() >> 8) / 65536.0f - 100.0f, float(next() >> 16) / 32768.0f, float(next() >> 20) / 4096.0f, -float(next() >> 24)};
      }
    HostWorld world = s.host().makeWorld(img);
    PF_SampPB pb{};
    pb.src = world.get();
    for (int i = 0; i < 20000; ++i) {
      // Mostly fractional, sometimes whole in one or both axes.
      PF_Fixed const x = PF_Fixed(next() % std::uint32_t((w + 4) << 16)) - (2 << 16);
      PF_Fixed const y = PF_Fixed(next() % std::uint32_t((h + 4) << 16)) - (2 << 16);
      PF_Fixed const xs = (i % 7 == 0) ? (x & ~0xFFFF) : x, ys = (i % 5 == 0) ? (y & ~0xFFFF) : y;
      std::int64_t const fx = xs & 0xFFFF, fy = ys & 0xFFFF, x0 = xs >> 16, y0 = ys >> 16;
      std::int64_t const wt[4] = {(65536 - fx) * (65536 - fy), fx * (65536 - fy), (65536 - fx) * fy, fx * fy};
      std::int64_t sum[4] = {0, 0, 0, 0};
      double dsum[4] = {0, 0, 0, 0};
      for (int k = 0; k < 4; ++k) {
        std::int64_t const px = x0 + (k & 1), py = y0 + (k >> 1);
        if (wt[k] == 0 || px < 0 || py < 0 || px >= w || py >= h) continue;
        for (int ch = 0; ch < 4; ++ch) {
          if (d == Depth::Bits8) sum[ch] += wt[k] * std::int64_t(channel(img.px8(int(px), int(py)), ch));
          if (d == Depth::Bits16) sum[ch] += wt[k] * std::int64_t(channel(img.px16(int(px), int(py)), ch));
          if (d == Depth::Bits32) dsum[ch] += double(wt[k]) / 4294967296.0 * channel(img.pxF(int(px), int(py)), ch);
        }
      }
      for (int ch = 0; ch < 4; ++ch) {
        double got = 0;
        if (d == Depth::Bits8) {
          PF_Pixel p{};
          ASSERT_EQ(s8->subpixel_sample(s.instance().ref(), xs, ys, &pb, &p), PF_Err_NONE);
          got = channel(p, ch);
        } else if (d == Depth::Bits16) {
          PF_Pixel16 p{};
          ASSERT_EQ(s16->subpixel_sample16(s.instance().ref(), xs, ys, &pb, &p), PF_Err_NONE);
          got = channel(p, ch);
        } else {
          PF_PixelFloat p{};
          ASSERT_EQ(sf->subpixel_sample_float(s.instance().ref(), xs, ys, &pb, &p), PF_Err_NONE);
          got = channel(p, ch);
        }
        double const expect = d == Depth::Bits32 ? double(float(dsum[ch]))
                                                 : double((sum[ch] + (std::int64_t(1) << 31)) >> 32);
        ASSERT_EQ(got, expect) << depthName(d) << " at " << xs << "," << ys << " ch " << ch;
      }
    }
  }
  EXPECT_TRUE(s.host().misuses().empty());
}

TEST(SimSampling, SubpixelMatchesPixelByPixelWeighingAnywhere) {
  // Every set of kernels this processor has.
  for (Kernels asked : {Kernels::Avx2, Kernels::Sse41, Kernels::Scalar}) {
    Session s(nullptr);
    Kernels const got = s.host().setKernels(asked);
    if (got != asked) continue;
    SCOPED_TRACE(::testing::Message() << "kernels " << int(got));
    weighAnywhere(s);
  }
}

// Samples `img` with the suite function `sample` at each case's position
// and expects the case's pixel.
template <class P>
struct SampleCase {
  PF_Fixed x, y;
  P expected;
};

template <class P, class Sample>
void expectSamples(Session& s, Sample sample, Image const& img, std::vector<SampleCase<P>> const& cases) {
  HostWorld w = s.host().makeWorld(img);
  PF_SampPB pb{};
  pb.src = w.get();
  for (SampleCase<P> const& c : cases) {
    P p;
    ASSERT_EQ(sample(s.instance().ref(), c.x, c.y, &pb, &p), 0);
    EXPECT_TRUE(SimTest::samePixel(p, c.expected)) << c.x << "," << c.y;
  }
}

TEST(SimSampling, HandComputedValues) {
  Session s(nullptr);
  Suite<PF_Sampling8Suite1> s8(s.host(), kPFSampling8Suite, 1);
  expectSamples<PF_Pixel>(s, s8->subpixel_sample,
                          SimTest::imageOf<PF_Pixel>(2, 1, {{200, 10, 0, 255}, {101, 21, 255, 0}}),
                          {
                              {1 << 16, 0, {101, 21, 255, 0}},
                              // Midway: (200+101)/2 = 150.5 and (10+21)/2 = 15.5 round up; 127.5 too.
                              {32768, 0, {151, 16, 128, 128}},
                              // Half a pixel outside on the left: half of the edge pixel, colour included.
                              {-32768, 0, {100, 5, 0, 128}},
                              // Fully outside, far and near.
                              {-65536, 0, {0, 0, 0, 0}},
                              {2 << 16, 0, {0, 0, 0, 0}},
                              {1 << 30, 0, {0, 0, 0, 0}},
                              {-(1 << 30), 0, {0, 0, 0, 0}},
                              {0, 1 << 16, {0, 0, 0, 0}},
                          });
}

TEST(SimSampling, NearestTakesTheClosestPixelOrTransparent) {
  Session s(nullptr);
  Suite<PF_Sampling16Suite1> s16(s.host(), kPFSampling16Suite, 1);
  expectSamples<PF_Pixel16>(
      s, s16->nn_sample16,
      SimTest::imageOf<PF_Pixel16>(2, 2, {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 16}}),
      {
          {32767, 32768, {9, 10, 11, 12}},  // x rounds down, y half rounds up
          {32768, 0, {5, 6, 7, 8}},
          {-32769, 0, {0, 0, 0, 0}},
          {-32768, 0, {1, 2, 3, 4}},
      });
}

// A thread's first call to a world checks it in full; later calls rely on
// that until something changes. Each change is still caught on the next call.
TEST(SimSampling, ChecksHoldAfterAWorldWasSampled) {
  Session s(nullptr);
  Suite<PF_Sampling8Suite1> s8(s.host(), kPFSampling8Suite, 1);
  PF_SampPB pb{};
  PF_Pixel p{};
  auto sample = [&](PF_ProgPtr ref = nullptr) {
    return s8->subpixel_sample(ref ? ref : s.instance().ref(), 32768, 32768, &pb, &p);
  };
  Image img(4, 4, Depth::Bits8);
  img.fill({1.0f, 1.0f, 1.0f, 1.0f});
  HostWorld kept = s.host().makeWorld(img);
  pb.src = kept.get();
  ASSERT_EQ(sample(), PF_Err_NONE);
  ASSERT_EQ(sample(), PF_Err_NONE);

  // An altered record.
  PF_EffectWorld const original = *kept.get();
  kept.get()->rowbytes += 4;
  EXPECT_EQ(sample(), PF_Err_BAD_CALLBACK_PARAM);
  *kept.get() = original;
  EXPECT_EQ(sample(), PF_Err_NONE);

  // Another effect reference, and the same world through the other depths.
  int foreign = 0;
  EXPECT_EQ(sample(reinterpret_cast<PF_ProgPtr>(&foreign)), PF_Err_BAD_CALLBACK_PARAM);
  Suite<PF_Sampling16Suite1> s16(s.host(), kPFSampling16Suite, 1);
  PF_Pixel16 p16{};
  EXPECT_EQ(s16->subpixel_sample16(s.instance().ref(), 0, 0, &pb, &p16), PF_Err_BAD_CALLBACK_PARAM);
  // No world, at a depth this thread has not sampled yet and at one it has.
  PF_SampPB none{};
  EXPECT_EQ(s16->subpixel_sample16(s.instance().ref(), 0, 0, &none, &p16), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(s8->subpixel_sample(s.instance().ref(), 0, 0, &none, &p), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(sample(), PF_Err_NONE);

  // A fault armed after the world was sampled hits exactly the call it names.
  std::uint64_t const done = s.host().callCount(Call::SubpixelSample);
  s.host().failCall(Call::SubpixelSample, done + 2, PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(sample(), PF_Err_NONE);
  EXPECT_EQ(sample(), PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(sample(), PF_Err_NONE);
  s.host().clearFaults();
  EXPECT_EQ(sample(), PF_Err_NONE);
  EXPECT_EQ(s.host().callCount(Call::SubpixelSample), done + 4);

  // A world disposed of after it was sampled.
  HostWorld gone = s.host().makeWorld(img);
  pb.src = gone.get();
  ASSERT_EQ(sample(), PF_Err_NONE);
  PF_EffectWorld* const record = gone.get();  // the host keeps its records
  gone = HostWorld();
  EXPECT_EQ(sample(), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(record, pb.src);
  EXPECT_EQ(s.host().misuses().size(), 6u);
}

TEST(SimSampling, WrongDepthOrDisposedWorldIsRefusedAndRecorded) {
  Session s(nullptr);
  Suite<PF_Sampling8Suite1> s8(s.host(), kPFSampling8Suite, 1);
  HostWorld w16 = s.host().makeWorld(2, 2, Depth::Bits16);
  PF_SampPB pb{};
  pb.src = w16.get();
  PF_Pixel p;
  EXPECT_EQ(s8->subpixel_sample(s.instance().ref(), 0, 0, &pb, &p), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(s8->subpixel_sample(s.instance().ref(), 0, 0, nullptr, &p), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(s8->subpixel_sample(nullptr, 0, 0, &pb, &p), PF_Err_BAD_CALLBACK_PARAM);
  PF_EffectWorld stale;
  {
    HostWorld w8 = s.host().makeWorld(2, 2, Depth::Bits8);
    stale = *w8.get();
  }
  pb.src = &stale;
  EXPECT_EQ(s8->subpixel_sample(s.instance().ref(), 0, 0, &pb, &p), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(s.host().misuses().size(), 4u);
}

TEST(SimSampling, SameResultsFromManyThreads) {
  Session s(nullptr);
  Suite<PF_Sampling16Suite1> s16(s.host(), kPFSampling16Suite, 1);
  Image img(17, 13, Depth::Bits16);
  for (int y = 0; y < 13; ++y)
    for (int x = 0; x < 17; ++x) img.px16(x, y) = {A_u_short(x * 1000 + y), A_u_short(x * 37), A_u_short(y * 2001), 32768};
  HostWorld w = s.host().makeWorld(img);
  PF_SampPB pb{};
  pb.src = w.get();
  auto run = [&](std::vector<PF_Pixel16>& out) {
    for (int i = 0; i < 4000; ++i) {
      PF_Pixel16 p{};
      s16->subpixel_sample16(s.instance().ref(), (i * 7919) % (20 << 16) - (1 << 16), (i * 104729) % (16 << 16) - 65536,
                             &pb, &p);
      out.push_back(p);
    }
  };
  std::vector<PF_Pixel16> one;
  run(one);
  std::vector<std::vector<PF_Pixel16>> many(4);
  std::vector<std::thread> threads;
  for (auto& m : many) threads.emplace_back(run, std::ref(m));
  for (auto& t : threads) t.join();
  for (auto const& m : many) {
    ASSERT_EQ(m.size(), one.size());
    for (std::size_t i = 0; i < m.size(); ++i) ASSERT_TRUE(SimTest::samePixel(m[i], one[i])) << i;
  }
  EXPECT_EQ(s.host().callCount(Call::SubpixelSample16), 5u * 4000u);
}

}  // namespace
