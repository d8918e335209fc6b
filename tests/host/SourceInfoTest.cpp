// SourceInfo over the simulated host.
#include "Brelo/BreloSourceInfo.h"
#include "SimTestUtil.h"
#include "Util/MissingSuiteError.h"

using namespace Brelo;
using Sim::Call;
using Sim::Depth;
using Sim::Session;

namespace {

TEST(SourceInfo, DepthSizesAndOriginsOfTheRequest) {
  Session s(nullptr, 20, 10);
  s.setInputOrigin(-20, 8);
  const std::pair<Depth, BPC> depths[] = {{Depth::Bits8, BPC::Bits8}, {Depth::Bits16, BPC::Bits16},
                                          {Depth::Bits32, BPC::Bits32}};
  for (auto const& d : depths) {
    auto scope = s.beginSmartRender(0, d.first, Sim::Downsample({1, 2}, {1, 1}));
    SourceInfo info(scope->in_data(), scope->out_data(), scope->smartExtra());
    ASSERT_EQ(info.getError(), 0);
    EXPECT_EQ(info.getBPC(), d.second);
    EXPECT_EQ(info.getDownSampleX(), 0.5);
    EXPECT_EQ(info.getDownSampleY(), 1.0);
    EXPECT_EQ(info.getWidth(), 10);
    EXPECT_EQ(info.getHeight(), 10);
    EXPECT_EQ(info.getInputWidth(), 10);
    EXPECT_EQ(info.getOutputHeight(), 10);
    EXPECT_EQ(info.getInputOrigin().x, -20.0);
    EXPECT_EQ(info.getInputOrigin().y, 8.0);
    EXPECT_EQ(info.getOutputOrigin().x, 0.0);
    EXPECT_NE(info.getInputWorld(), info.getOutputWorld());
    // The suite it loaded for the format is given back at once.
    EXPECT_EQ(s.host().outstanding().suites, 0u);
  }
  EXPECT_TRUE(s.host().misuses().empty());
}

TEST(SourceInfo, ThreadCountAndSharedError) {
  Session s(nullptr);
  s.host().setNumThreads(6);
  auto scope = s.beginSmartRender(0, Depth::Bits8);
  {
    SourceInfo a(scope->in_data(), scope->out_data(), scope->smartExtra());
    SourceInfo b = a;
    EXPECT_EQ(a.getThreadNum(), 6);
    EXPECT_EQ(a.getThreadNum(), 6);
    EXPECT_EQ(s.host().suiteAcquisitions(kAEGPIterateSuite, 1), 1);  // cached in the context
    s.host().failCall(Call::GetNumThreads, s.host().callCount(Call::GetNumThreads) + 1, 513);
    EXPECT_EQ(b.getThreadNum(), 1);
    EXPECT_EQ(a.getError(), 513);
    EXPECT_EQ(b.getError(), 513);
    std::uint64_t calls = s.host().callCount(Call::GetNumThreads);
    EXPECT_EQ(a.getThreadNum(), 1);  // no host call while an error is recorded
    EXPECT_EQ(s.host().callCount(Call::GetNumThreads), calls);
    EXPECT_EQ(s.host().outstanding().suites, 1u);
  }
  EXPECT_EQ(s.host().outstanding().suites, 0u);
  s.host().withholdSuite(kAEGPIterateSuite, 1);
  SourceInfo c(scope->in_data(), scope->out_data(), scope->smartExtra());
  EXPECT_THROW(c.getThreadNum(), MissingSuiteError);
}

TEST(SourceInfo, EachHostCallFailingStopsTheLaterSteps) {
  const Call calls[] = {Call::CheckoutLayerPixels, Call::CheckoutOutput, Call::AcquireSuite, Call::PFGetPixelFormat,
                        Call::ReleaseSuite};
  for (Call c : calls) {
    SCOPED_TRACE(Sim::callName(c));
    Session s(nullptr);
    {
      auto scope = s.beginSmartRender(0, Depth::Bits16);
      s.host().failCall(c, s.host().callCount(c) + 1, 4);
      SourceInfo info(scope->in_data(), scope->out_data(), scope->smartExtra());
      // Acquisition failures come back through the routine as 516 with its text.
      PF_Err expected = c == Call::AcquireSuite ? PF_Err_BAD_CALLBACK_PARAM : 4;
      if (c == Call::ReleaseSuite) expected = 0;  // a release the host refuses is not the routine's failure
      EXPECT_EQ(info.getError(), expected);
      if (c == Call::CheckoutLayerPixels) {
        EXPECT_EQ(s.host().callCount(Call::CheckoutOutput), 0u);
        EXPECT_EQ(s.host().suiteAcquisitions(kPFWorldSuite, 2), 0);
      }
      if (c == Call::AcquireSuite) {
        EXPECT_STREQ(scope->out_data()->return_msg, "Couldn't load suite.");
      }
      if (expected) {
        EXPECT_EQ(info.getThreadNum(), 1);
      }
    }
    s.host().clearFaults();
    Sim::Outstanding o = s.host().outstanding();
    if (c == Call::ReleaseSuite) {
      EXPECT_EQ(o.suites, 1u);  // the host kept it
    } else {
      EXPECT_TRUE(o.none()) << o.describe();
    }
  }
}

TEST(SourceInfo, AnEmptyLayerIsAnErrorNotANullWorld) {
  Session s(nullptr);
  s.instance().setLayerEmpty(true);
  auto scope = s.beginSmartRender(0, Depth::Bits8);
  SourceInfo info(scope->in_data(), scope->out_data(), scope->smartExtra());
  EXPECT_EQ(info.getError(), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(s.host().callCount(Call::CheckoutOutput), 0u);
}

}  // namespace
