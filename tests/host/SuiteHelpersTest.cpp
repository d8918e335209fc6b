// The plug-in side glue against the simulated host: the suite handler, the
// suite acquisition helpers and the rectangle union.
#include <cstring>
#include <stdexcept>

#include "SimTestUtil.h"
#include "Util/AEFX_SuiteHelper.h"
#include "Util/AEGP_SuiteHandler.h"
#include "Util/SmartRect.h"

using namespace Brelo::Sim;

namespace {

TEST(SuiteHandler, AcquiresOnFirstUseCachesAndReleasesAtTheEnd) {
  Session s(nullptr);
  Host& h = s.host();
  {
    AEGP_SuiteHandler suites(h.basicSuite());
    EXPECT_EQ(h.suiteAcquisitions(kPFWorldSuite, 2), 0);  // nothing before first use
    PF_WorldSuite2* a = suites.WorldSuite2();
    PF_WorldSuite2* b = suites.WorldSuite2();
    EXPECT_EQ(a, b);
    EXPECT_EQ(h.suiteAcquisitions(kPFWorldSuite, 2), 1);
    suites.WorldSuite1();
    suites.IterateSuite1();
    EXPECT_EQ(h.outstanding().suites, 3u);
  }
  EXPECT_EQ(h.outstanding().suites, 0u);
  EXPECT_TRUE(h.misuses().empty());

  // Released when an exception leaves the scope too.
  try {
    AEGP_SuiteHandler suites(h.basicSuite());
    suites.FillMatteSuite2();
    suites.HandleSuite2();
    throw std::runtime_error("leave");
  } catch (std::runtime_error const&) {
  }
  EXPECT_EQ(h.outstanding().suites, 0u);
}

TEST(SuiteHandler, MissingSuiteRaises516AndKeepsWhatItHas) {
  Session s(nullptr);
  Host& h = s.host();
  h.withholdSuite(kAEGPIterateSuite, 1);
  {
    AEGP_SuiteHandler suites(h.basicSuite());
    suites.WorldSuite1();
    try {
      suites.IterateSuite1();
      FAIL() << "no failure";
    } catch (MissingSuiteError const& e) {
      EXPECT_EQ(e.error, PF_Err_BAD_CALLBACK_PARAM);
      EXPECT_STREQ(e.suite_name, kAEGPIterateSuite);
      EXPECT_EQ(e.version, 1);
    }
  }
  EXPECT_EQ(h.outstanding().suites, 0u);
  // A failing AcquireSuite call is the same to the handler.
  h.failCall(Call::AcquireSuite, h.callCount(Call::AcquireSuite) + 1, 3);
  AEGP_SuiteHandler suites(h.basicSuite());
  EXPECT_THROW(suites.StreamSuite9(), MissingSuiteError);
  EXPECT_NE(suites.StreamSuite9(), nullptr);  // the next attempt succeeds and is kept
  AEGP_SuiteHandler none(nullptr);
  EXPECT_THROW(none.HandleSuite2(), MissingSuiteError);
}

TEST(SuiteHelper, AcquireAndReleaseReportTheirTexts) {
  Session s(nullptr);
  auto scope = s.beginCommand(PF_Cmd_SMART_RENDER);
  PF_InData* in = scope->in_data();
  PF_OutData* out = scope->out_data();
  void* suite = nullptr;
  EXPECT_EQ(AEFX_AcquireSuite(in, out, kPFWorldSuite, 2, "Couldn't load suite.", &suite), 0);
  EXPECT_NE(suite, nullptr);
  EXPECT_EQ(out->out_flags, 0);
  EXPECT_EQ(s.host().suitesHeld(kPFWorldSuite, 2), 1);
  EXPECT_EQ(AEFX_ReleaseSuite(in, out, kPFWorldSuite, 2, "Couldn't release suite."), 0);
  EXPECT_EQ(s.host().suitesHeld(kPFWorldSuite, 2), 0);

  s.host().withholdSuite(kPFWorldSuite, 2);
  EXPECT_EQ(AEFX_AcquireSuite(in, out, kPFWorldSuite, 2, "Couldn't load suite.", &suite), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(suite, nullptr);
  EXPECT_STREQ(out->return_msg, "Couldn't load suite.");
  EXPECT_EQ(out->out_flags, PF_OutFlag_DISPLAY_ERROR_MESSAGE);
  out->out_flags = 0;
  EXPECT_EQ(AEFX_AcquireSuite(in, out, kPFWorldSuite, 2, nullptr, &suite), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_STREQ(out->return_msg, "Not able to acquire AEFX Suite.");

  PF_InData noBasic = *in;
  noBasic.pica_basicP = nullptr;
  std::memset(out->return_msg, 0, sizeof out->return_msg);
  EXPECT_EQ(AEFX_AcquireSuite(&noBasic, out, kPFWorldSuite, 1, "Couldn't load suite.", &suite),
            PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_STREQ(out->return_msg, "Couldn't load suite.");
  EXPECT_EQ(AEFX_ReleaseSuite(&noBasic, out, kPFWorldSuite, 1, nullptr), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_STREQ(out->return_msg, "Not able to release AEFX Suite.");
  EXPECT_EQ(AEFX_ReleaseSuite(&noBasic, out, kPFWorldSuite, 1, "Couldn't release suite."), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_STREQ(out->return_msg, "Couldn't release suite.");
  EXPECT_EQ(s.host().outstanding().suites, 0u);
}

TEST(SmartUtils, UnionLRectRules) {
  PF_LRect empty{5, 5, 5, 9}, a{0, 0, 4, 4}, b{2, -3, 10, 2};
  PF_LRect d = empty;
  UnionLRect(&a, &d);  // empty destination becomes the source
  EXPECT_EQ(d.left, 0);
  EXPECT_EQ(d.right, 4);
  UnionLRect(&b, &d);
  EXPECT_EQ(d.left, 0);
  EXPECT_EQ(d.top, -3);
  EXPECT_EQ(d.right, 10);
  EXPECT_EQ(d.bottom, 4);
  PF_LRect inverted{8, 8, 2, 20};
  UnionLRect(&inverted, &d);  // an empty source leaves it alone
  EXPECT_EQ(d.left, 0);
  EXPECT_EQ(d.bottom, 4);
  PF_LRect e2{3, 3, 3, 3};
  UnionLRect(&empty, &e2);  // both empty: the source
  EXPECT_EQ(e2.bottom, 9);
  EXPECT_TRUE(IsEmptyRect(&empty));
  EXPECT_FALSE(IsEmptyRect(&a));
}

}  // namespace
