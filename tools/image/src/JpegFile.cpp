#include "brelo_image/JpegFile.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

// clang-format off: jpeglib.h needs the definitions of <cstdio> first.
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include "brelo_image/AtomicFile.h"
#include "brelo_image/ChannelRules.h"
#include "brelo_image/ImageError.h"
#include "brelo_image/ImageLimits.h"

namespace Brelo {
namespace ImageIO {

namespace {

// libjpeg reports errors through error_exit, which must not return: it
// jumps back to the setjmp of the function that called libjpeg. Those
// functions keep no objects with destructors alive; the message lands here.
struct Failure {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX] = {0};
};

void onError(j_common_ptr cinfo) {
  auto* f = reinterpret_cast<Failure*>(cinfo->err);
  if (!f->message[0]) (*cinfo->err->format_message)(cinfo, f->message);
  std::longjmp(f->jump, 1);
}

// Warnings are about corrupt data (a truncated file among them): errors here.
void onMessage(j_common_ptr cinfo, int level) {
  if (level < 0) onError(cinfo);
}

// A libjpeg compressor or decompressor whose errors end in its Failure,
// destroyed with it (destroying one never created does nothing).
template <class Struct>
struct Codec {
  Codec() {
    jpeg_std_error(&failure.mgr);
    failure.mgr.error_exit = onError;
    failure.mgr.emit_message = onMessage;
    cinfo.err = &failure.mgr;
  }
  ~Codec() { jpeg_destroy(reinterpret_cast<j_common_ptr>(&cinfo)); }
  Codec(Codec const&) = delete;
  Codec& operator=(Codec const&) = delete;
  Failure failure;
  Struct cinfo{};
};

struct Info {
  JDIMENSION width = 0, height = 0;
  J_COLOR_SPACE space = JCS_UNKNOWN;
};

bool readHeader(jpeg_decompress_struct* cinfo, Failure* f, std::FILE* file, Info* info) {
  if (setjmp(f->jump)) return false;
  jpeg_create_decompress(cinfo);
  jpeg_stdio_src(cinfo, file);
  jpeg_read_header(cinfo, TRUE);
  info->width = cinfo->image_width;
  info->height = cinfo->image_height;
  info->space = cinfo->jpeg_color_space;
  return true;
}

bool readRows(jpeg_decompress_struct* cinfo, Failure* f, JSAMPROW* rows) {
  if (setjmp(f->jump)) return false;
  // Decoded straight into the host's alpha, red, green, blue.
  cinfo->out_color_space = JCS_EXT_ARGB;
  jpeg_start_decompress(cinfo);
  while (cinfo->output_scanline < cinfo->output_height)
    jpeg_read_scanlines(cinfo, rows + cinfo->output_scanline, cinfo->output_height - cinfo->output_scanline);
  jpeg_finish_decompress(cinfo);
  return true;
}

// ---- writing: a destination that hands full buffers to the atomic file.

struct Destination {
  jpeg_destination_mgr mgr;
  AtomicFile* file;
  Failure* failure;
  std::vector<JOCTET> buffer;
};

void initDestination(j_compress_ptr cinfo) {
  auto* d = reinterpret_cast<Destination*>(cinfo->dest);
  d->mgr.next_output_byte = d->buffer.data();
  d->mgr.free_in_buffer = d->buffer.size();
}

// Any C++ exception is left behind before libjpeg hears of the failure.
bool put(Destination* d, std::size_t n) {
  try {
    d->file->write(d->buffer.data(), n);
    return true;
  } catch (std::exception const& e) {
    std::snprintf(d->failure->message, sizeof d->failure->message, "%s", e.what());
    return false;
  }
}

boolean emptyBuffer(j_compress_ptr cinfo) {
  auto* d = reinterpret_cast<Destination*>(cinfo->dest);
  if (!put(d, d->buffer.size())) std::longjmp(d->failure->jump, 1);
  initDestination(cinfo);
  return TRUE;
}

void termDestination(j_compress_ptr cinfo) {
  auto* d = reinterpret_cast<Destination*>(cinfo->dest);
  if (!put(d, d->buffer.size() - d->mgr.free_in_buffer)) std::longjmp(d->failure->jump, 1);
}

bool writeRows(jpeg_compress_struct* cinfo, Failure* f, PixelView const* view, JSAMPLE* row) {
  if (setjmp(f->jump)) return false;
  jpeg_create_compress(cinfo);
  cinfo->dest = &reinterpret_cast<Destination*>(cinfo->client_data)->mgr;
  cinfo->image_width = JDIMENSION(view->width);
  cinfo->image_height = JDIMENSION(view->height);
  cinfo->input_components = 3;
  cinfo->in_color_space = JCS_RGB;
  jpeg_set_defaults(cinfo);
  jpeg_set_quality(cinfo, kJpegQuality, TRUE);
  jpeg_start_compress(cinfo, TRUE);
  const RowLayout layout{SampleType::U8, ChannelOrder::RGB, true};
  for (int y = 0; y < view->height; ++y) {
    hostRowToSamples(*view, y, layout, row);
    jpeg_write_scanlines(cinfo, &row, 1);
  }
  jpeg_finish_compress(cinfo);
  return true;
}

}  // namespace

Sim::Image readJpeg(std::string const& path) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) throw ImageError(ImageError::Kind::Read, "cannot read " + path + ": " + std::strerror(errno));
  auto codec = std::make_unique<Codec<jpeg_decompress_struct>>();
  jpeg_decompress_struct* cinfo = &codec->cinfo;
  Failure* failure = &codec->failure;
  auto fail = [&](std::string const& why) {
    throw ImageError(ImageError::Kind::Read, "cannot read " + path + ": " + why);
  };
  Info info;
  if (!readHeader(cinfo, failure, file.get(), &info)) fail(std::string("damaged JPEG: ") + failure->message);
  checkReadableSize(info.width, info.height, path);
  if (info.space == JCS_CMYK || info.space == JCS_YCCK)
    fail("unsupported JPEG layout: CMYK (gray, YCbCr and RGB are read)");
  Sim::Image image(int(info.width), int(info.height), Sim::Depth::Bits8);
  std::vector<JSAMPROW> rows(info.height);
  for (JDIMENSION y = 0; y < info.height; ++y) rows[y] = image.bytes() + std::size_t(y) * image.rowBytes();
  if (!readRows(cinfo, failure, rows.data())) fail(std::string("damaged JPEG: ") + failure->message);
  return image;
}

void writeJpeg(PixelView const& view, std::string const& path) {
  AtomicFile file(path);
  auto codec = std::make_unique<Codec<jpeg_compress_struct>>();
  Failure* failure = &codec->failure;
  Destination dest{};
  dest.file = &file;
  dest.failure = failure;
  dest.buffer.resize(std::size_t(1) << 16);
  dest.mgr.init_destination = initDestination;
  dest.mgr.empty_output_buffer = emptyBuffer;
  dest.mgr.term_destination = termDestination;
  codec->cinfo.client_data = &dest;
  std::vector<JSAMPLE> row(std::size_t(view.width) * 3);
  if (!writeRows(&codec->cinfo, failure, &view, row.data())) {
    std::string why = failure->message;
    throw ImageError(ImageError::Kind::Write,
                     why.rfind("cannot write", 0) == 0 ? why : "cannot write " + path + ": " + why);
  }
  file.commit();
}

}  // namespace ImageIO
}  // namespace Brelo
