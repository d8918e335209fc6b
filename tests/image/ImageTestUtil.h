// What the image module's tests share: the error a call throws, and frames
// that hold every value of a depth.
#pragma once

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "brelo_host/Image.h"
#include "brelo_image/ImageError.h"

namespace ImageTest {

using Brelo::ImageIO::ImageError;

// The message of the ImageError `f` throws; a test failure when it throws
// none or one of another kind.
inline std::string errorOf(ImageError::Kind kind, std::function<void()> const& f) {
  try {
    f();
  } catch (ImageError const& e) {
    EXPECT_EQ(int(e.kind()), int(kind)) << e.what();
    return e.what();
  }
  ADD_FAILURE() << "no error";
  return {};
}

inline bool contains(std::string const& s, std::string const& part) { return s.find(part) != std::string::npos; }

// Every 8-bit value in every channel; every host 16-bit value (0..32768);
// floats no integer format holds, negative and above 1 among them.
Brelo::Sim::Image everyValue(Brelo::Sim::Depth depth);

}  // namespace ImageTest
