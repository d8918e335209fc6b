// Edits of supervised controls: RGB Type presets, colours switching the type
// to Manual, and the Utility group driving all five channels.
#include <string>

#include "LinesModuleUtil.h"

using namespace LinesTest;

namespace {

PF_Pixel colour(Session& s, int index) { return current(s, index).u.cd.value; }

void expectRGB(PF_Pixel p, int r, int g, int b, int alpha) {
  EXPECT_EQ(p.red, r);
  EXPECT_EQ(p.green, g);
  EXPECT_EQ(p.blue, b);
  EXPECT_EQ(p.alpha, alpha);
}

CommandResult change(Session& s, int index) {
  const CommandResult r = s.userChangedParam(index);
  EXPECT_TRUE(r.out_flags & PF_OutFlag_FORCE_RERENDER) << index;
  return r;
}

TEST(LinesUserChange, RGBTypePresetsKeepAlpha) {
  Session s(entry());
  setUpEffect(s);
  // Alphas the presets must not touch.
  s.setColor(41, {10, 1, 2, 3});
  s.setColor(42, {20, 4, 5, 6});
  s.setColor(43, {30, 7, 8, 9});
  const struct {
    int entry;
    int rgb[3][3];
  } presets[] = {{2, {{255, 0, 0}, {0, 0, 0}, {0, 255, 255}}},
                 {3, {{0, 0, 255}, {0, 0, 0}, {255, 255, 0}}},
                 {1, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}}};
  for (auto const& p : presets) {
    SCOPED_TRACE("entry " + std::to_string(p.entry));
    s.setValue(40, p.entry);
    EXPECT_EQ(change(s, 40).err, PF_Err_NONE);
    for (int c = 0; c < 3; ++c) expectRGB(colour(s, 41 + c), p.rgb[c][0], p.rgb[c][1], p.rgb[c][2], 10 * (c + 1));
    EXPECT_EQ(current(s, 40).u.pd.value, p.entry);
  }
  // Manual changes no colour.
  s.setColor(42, {20, 11, 12, 13});
  s.setValue(40, 4);
  EXPECT_EQ(change(s, 40).err, PF_Err_NONE);
  expectRGB(colour(s, 41), 255, 0, 0, 10);
  expectRGB(colour(s, 42), 11, 12, 13, 20);
  expectRGB(colour(s, 43), 0, 0, 255, 30);
  expectClean(s, 1);
}

TEST(LinesUserChange, EditingAnRGBColourSwitchesToManual) {
  for (int edited : {41, 42, 43}) {
    SCOPED_TRACE("colour " + std::to_string(edited));
    Session s(entry());
    setUpEffect(s);
    s.setValue(40, 2);  // Red/Cyan
    ASSERT_EQ(change(s, 40).err, PF_Err_NONE);
    s.setColor(edited, {255, 50, 60, 70});
    EXPECT_EQ(change(s, edited).err, PF_Err_NONE);
    EXPECT_EQ(current(s, 40).u.pd.value, 4);
    expectRGB(colour(s, edited), 50, 60, 70, 255);
    if (edited != 42) expectRGB(colour(s, 42), 0, 0, 0, 255);
    // Already Manual: stays so, and the colours stay as they are.
    s.setColor(43, {255, 1, 1, 1});
    EXPECT_EQ(change(s, 43).err, PF_Err_NONE);
    EXPECT_EQ(current(s, 40).u.pd.value, 4);
    expectRGB(colour(s, 43), 1, 1, 1, 255);
    expectClean(s, 1);
  }
}

TEST(LinesUserChange, UtilityControlsDriveAllFiveChannels) {
  Session s(entry());
  setUpEffect(s);
  const struct {
    int utility;
    double value;
    int targets[5];
  } rows[] = {
      {117, 7, {27, 45, 69, 92, 105}},          // Per
      {118, 3, {28, 46, 70, 93, 106}},          // Offset
      {119, 37.5, {30, 48, 72, 95, 108}},       // Delay, percent
      {120, 5, {31, 49, 73, 96, 109}},          // Order
      {121, -123.25, {32, 50, 74, 97, 110}},    // Order Phase, degrees
      {122, 654321, {33, 51, 75, 98, 111}},     // Order Seed
      {123, 9, {34, 52, 76, 99, 112}},          // Easing Type
      {124, 2, {35, 53, 77, 100, 113}},         // Easing Mode
  };
  for (auto const& row : rows) {
    SCOPED_TRACE("utility " + std::to_string(row.utility));
    // Every other control keeps its value.
    std::vector<A_long> before;
    for (int i = 1; i < 126; ++i) before.push_back(firstWord(current(s, i)));
    s.setValue(row.utility, row.value);
    EXPECT_EQ(change(s, row.utility).err, PF_Err_NONE);
    const A_long word = firstWord(current(s, row.utility));
    for (int i = 1; i < 126; ++i) {
      bool target = false;
      for (int t : row.targets) target = target || t == i;
      if (target) {
        EXPECT_EQ(firstWord(current(s, i)), word) << i;
      } else if (i != row.utility) {
        EXPECT_EQ(firstWord(current(s, i)), before[std::size_t(i - 1)]) << i;
      }
    }
  }
  // The values as the channels show them.
  EXPECT_EQ(current(s, 105).u.sd.value, 7);
  EXPECT_EQ(current(s, 48).u.fd.value, 37 * 65536 + 32768);
  EXPECT_EQ(current(s, 110).u.ad.value, -(123 * 65536 + 16384));
  EXPECT_EQ(current(s, 75).u.sd.value, 654321);
  EXPECT_EQ(current(s, 53).u.pd.value, 2);
  expectClean(s, 1);
}

TEST(LinesUserChange, OtherControlsOnlyRerender) {
  Session s(entry());
  setUpEffect(s);
  std::vector<A_long> before;
  for (int i = 1; i < 126; ++i) before.push_back(firstWord(current(s, i)));
  for (int index : {63, 66, 1, 5, 20, 125}) {
    const CommandResult r = change(s, index);
    EXPECT_EQ(r.err, PF_Err_NONE);
  }
  for (int i = 1; i < 126; ++i) EXPECT_EQ(firstWord(current(s, i)), before[std::size_t(i - 1)]) << i;
  EXPECT_EQ(s.host().callCount(Call::GetNewEffectForEffect), 0u);
  expectClean(s, 1);
}

TEST(LinesUserChange, AnIndexOutsideTheControlsIsIgnored) {
  Session s(entry());
  setUpEffect(s);
  for (PF_ParamIndex index : {-1, 0, 126, 100000}) {
    auto scope = s.beginCommand(PF_Cmd_USER_CHANGED_PARAM);
    PF_UserChangedParamExtra extra{index};
    EXPECT_EQ(entry()(PF_Cmd_USER_CHANGED_PARAM, scope->in_data(), scope->out_data(), scope->params(), nullptr,
                      &extra),
              PF_Err_NONE);
    EXPECT_TRUE(scope->out_data()->out_flags & PF_OutFlag_FORCE_RERENDER);
  }
  expectClean(s, 1);
}

}  // namespace
