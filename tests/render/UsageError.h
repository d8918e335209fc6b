// The message of a usage error, for the tests of brelo-render's units.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "brelo_render/RenderError.h"

namespace RenderTest {

// The message of the usage error `f` throws; fails the test when it throws
// nothing or an error of another exit code.
template <class F>
std::string usageError(F f) {
  try {
    f();
  } catch (Brelo::Render::RenderError const& e) {
    EXPECT_EQ(e.code(), Brelo::Render::ExitCode::Usage) << e.what();
    return e.what();
  }
  ADD_FAILURE() << "no error";
  return {};
}

}  // namespace RenderTest
