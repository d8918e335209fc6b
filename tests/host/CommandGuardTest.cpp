// What a command's failure becomes at the host boundary.
#include <new>
#include <stdexcept>

#include <gtest/gtest.h>

#include "Util/CommandGuard.h"

namespace {

using Brelo::guardCommand;

TEST(CommandGuard, TranslatesEveryFailureToAnErrorCode) {
  PF_InData in{};
  PF_OutData out{};
  int calls = 0;
  auto counted = [&calls](PF_Err e) {
    return [&calls, e] {
      ++calls;
      return e;
    };
  };

  // The command's own result passes through, success and error alike.
  EXPECT_EQ(guardCommand(&in, &out, counted(PF_Err_NONE)), PF_Err_NONE);
  EXPECT_EQ(guardCommand(&in, &out, counted(PF_Err_OUT_OF_MEMORY)), PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(calls, 2);

  // Without in_data or out_data the command never runs.
  EXPECT_EQ(guardCommand(nullptr, &out, counted(PF_Err_NONE)), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(guardCommand(&in, nullptr, counted(PF_Err_NONE)), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(guardCommand(nullptr, nullptr, counted(PF_Err_NONE)), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(calls, 2);

  // A missing suite reports the code it carries.
  EXPECT_EQ(guardCommand(&in, &out, []() -> PF_Err { throw MissingSuiteError{PF_Err_BAD_CALLBACK_PARAM, "X", 1}; }),
            PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(guardCommand(&in, &out, []() -> PF_Err { throw MissingSuiteError{PF_Err_INVALID_CALLBACK, "X", 1}; }),
            PF_Err_INVALID_CALLBACK);
  EXPECT_EQ(guardCommand(&in, &out, []() -> PF_Err { throw std::bad_alloc(); }), PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(guardCommand(&in, &out, []() -> PF_Err { throw std::runtime_error("x"); }),
            PF_Err_INTERNAL_STRUCT_DAMAGED);
  EXPECT_EQ(guardCommand(&in, &out, []() -> PF_Err { throw 7; }), PF_Err_INTERNAL_STRUCT_DAMAGED);
  EXPECT_EQ(PF_Err_OUT_OF_MEMORY, 4);
  EXPECT_EQ(PF_Err_INTERNAL_STRUCT_DAMAGED, 512);
}

}  // namespace
