// What a caller may ask of a reader or writer beyond the file's name.
#pragma once

namespace Brelo {
namespace ImageIO {

// How colour relates to alpha in the file.
enum class Alpha {
  AsFormatExpects,  // OpenEXR and associated-alpha TIFF premultiplied, the others straight
  Straight,         // the host's straight values kept exactly, whatever the format
};

struct ReadOptions {
  Alpha alpha = Alpha::AsFormatExpects;
};

struct WriteOptions {
  int bits = 0;  // per channel: 8, 16 or 32 (float); 0: defaultBits for the frame's depth
  Alpha alpha = Alpha::AsFormatExpects;
};

}  // namespace ImageIO
}  // namespace Brelo
