// The numbers of the host interface that the plug-ins and saved projects
// depend on.
#include <cstddef>
#include <cstring>

#include <gtest/gtest.h>

#include "Util/BreloHostAPI.h"

namespace {

A_long fourCC(const char (&c)[5]) {
  return A_long(A_u_long(A_u_char(c[0])) | A_u_long(A_u_char(c[1])) << 8 | A_u_long(A_u_char(c[2])) << 16 |
                A_u_long(A_u_char(c[3])) << 24);
}

TEST(HostApi, FlagValuesMatchTheResourceDescription) {
  EXPECT_EQ(PF_OutFlag_DEEP_COLOR_AWARE | PF_OutFlag_SEND_UPDATE_PARAMS_UI, 100663296);
  EXPECT_EQ(PF_OutFlag2_SUPPORTS_SMART_RENDER | PF_OutFlag2_FLOAT_COLOR_AWARE, 5120);
  EXPECT_EQ(PF_ParamFlag_START_COLLAPSED, 32);
  EXPECT_EQ(PF_ParamFlag_SUPERVISE, 64);
  EXPECT_EQ(PF_ParamFlag_CANNOT_TIME_VARY, 2);
  EXPECT_EQ(PF_ChangeFlag_CHANGED_VALUE, 1);
  EXPECT_EQ(PF_VERSION(1, 0, 0, PF_STAGE_RELEASE, 1), 525825u);
}

TEST(HostApi, ErrorCodes) {
  EXPECT_EQ(PF_Err_OUT_OF_MEMORY, 4);
  EXPECT_EQ(PF_Err_INTERNAL_STRUCT_DAMAGED, 512);
  EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, 516);
}

TEST(HostApi, PixelFormatsAreFourCharactersLowByteFirst) {
  EXPECT_EQ(PF_PixelFormat_ARGB32, fourCC("argb"));
  EXPECT_EQ(PF_PixelFormat_ARGB64, fourCC("ae16"));
  EXPECT_EQ(PF_PixelFormat_ARGB128, fourCC("ae32"));
  EXPECT_EQ(PF_PixelFormat_BGRA32, fourCC("bgra"));
  EXPECT_EQ(PF_PixelFormat_BGRA128, fourCC("BGra"));
  EXPECT_EQ(PF_PixelFormat_INVALID, fourCC("badf"));
}

TEST(HostApi, TransferModes) {
  const int expected[][2] = {{PF_Xfer_IN_FRONT, 2},     {PF_Xfer_ADD, 4},          {PF_Xfer_MULTIPLY, 5},
                             {PF_Xfer_SCREEN, 6},       {PF_Xfer_OVERLAY, 7},      {PF_Xfer_SOFT_LIGHT, 8},
                             {PF_Xfer_HARD_LIGHT, 9},   {PF_Xfer_COLOR_DODGE2, 27}, {PF_Xfer_COLOR_BURN2, 28},
                             {PF_Xfer_DARKEN, 10},      {PF_Xfer_LIGHTEN, 11},     {PF_Xfer_DIFFERENCE2, 26},
                             {PF_Xfer_EXCLUSION, 25},   {PF_Xfer_HUE, 13},         {PF_Xfer_SATURATION, 14},
                             {PF_Xfer_LUMINOSITY, 16},  {PF_Xfer_ALPHA_ADD, 22}};
  for (auto const& e : expected) EXPECT_EQ(e[0], e[1]);
}

TEST(HostApi, PixelLayoutsAreAlphaRedGreenBlue) {
  EXPECT_EQ(sizeof(PF_Pixel), 4u);
  EXPECT_EQ(sizeof(PF_Pixel16), 8u);
  EXPECT_EQ(sizeof(PF_PixelFloat), 16u);
  EXPECT_EQ(offsetof(PF_Pixel16, alpha), 0u);
  EXPECT_EQ(offsetof(PF_Pixel16, blue), 6u);
  EXPECT_EQ(offsetof(PF_PixelFloat, red), 4u);
}

TEST(HostApi, EveryThirtyTwoBitValueIsTheFirstWordOfTheUnion) {
  PF_ParamDef def;
  std::memset(&def, 0, sizeof def);
  EXPECT_EQ(static_cast<void*>(&def.u.sd.value), static_cast<void*>(&def.u));
  EXPECT_EQ(static_cast<void*>(&def.u.fd.value), static_cast<void*>(&def.u));
  EXPECT_EQ(static_cast<void*>(&def.u.ad.value), static_cast<void*>(&def.u));
  EXPECT_EQ(static_cast<void*>(&def.u.bd.value), static_cast<void*>(&def.u));
  EXPECT_EQ(static_cast<void*>(&def.u.pd.value), static_cast<void*>(&def.u));
  EXPECT_EQ(static_cast<void*>(&def.u.cd.value), static_cast<void*>(&def.u));
  EXPECT_EQ(sizeof(def.uu), 4u);
}

}  // namespace
