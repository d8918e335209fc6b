// Reading and writing one 1920 x 1080 frame in each file format brelo-render
// takes, next to the time to copy the same frame: "x_floor" is the time per
// file over the copy's, measured in the same run. Files go to a memory file
// system where there is one (/dev/shm), so that the disk does not set the pace.
#include <benchmark/benchmark.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchFloors.h"
#include "brelo_host/Image.h"
#include "brelo_image/ImageFile.h"
#include "brelo_render/TestCard.h"

namespace {

using namespace Brelo;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

std::string scratchDir() {
  static std::string dir = [] {
    const char* env = std::getenv("BRELO_BENCH_DIR");
    std::string base = env && *env ? env : (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
    std::string tmpl = base + "/brelo-io-bench-XXXXXX";
    std::vector<char> buf(tmpl.begin(), tmpl.end());
    buf.push_back('\0');
    return std::string(mkdtemp(buf.data()) ? buf.data() : base.c_str());
  }();
  return dir;
}

// The test card with a fine grain and a soft transparent band, so that
// compression works as on footage and premultiplying has work to do.
Sim::Image frame(Sim::Depth depth) {
  Sim::Image card = Render::makeTestCard(kWidth, kHeight).converted(depth);
  std::uint32_t seed = 12345;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      seed = seed * 1664525u + 1013904223u;
      float grain = float(int(seed >> 24) - 128) / 128.0f * 0.02f;
      Sim::RGBA c = card.get(x, y);
      c.r += grain, c.g += grain * 0.5f, c.b -= grain;
      if (y > kHeight / 3 && y < kHeight / 2) c.a = float(x) / float(kWidth);
      card.set(x, y, c);
    }
  }
  return card;
}

double floorSeconds(Sim::Depth depth) {
  Sim::Image a(kWidth, kHeight, depth), b(kWidth, kHeight, depth);
  return BreloBench::frameCopySeconds(a.bytes(), std::ptrdiff_t(a.rowBytes()), b.bytes(), std::ptrdiff_t(b.rowBytes()),
                                      a.rowBytes(), kHeight);
}

void report(benchmark::State& state, std::string const& path, Sim::Depth depth) {
  struct stat st;
  if (stat(path.c_str(), &st) == 0) state.counters["file_MB"] = double(st.st_size) / 1e6;
  double floor = floorSeconds(depth);
  state.counters["floor_ms"] = floor * 1e3;
  state.counters["x_floor"] = BreloBench::timesFloor(floor);
}

// file, frame depth, file bits
struct Case {
  const char* file;
  Sim::Depth depth;
  int bits;
};

const Case kCases[] = {
    {"frame8.png", Sim::Depth::Bits8, 8},    {"frame16.png", Sim::Depth::Bits16, 16},
    {"frame.exr", Sim::Depth::Bits32, 32},   {"frame8.tif", Sim::Depth::Bits8, 8},
    {"frame16.tif", Sim::Depth::Bits16, 16}, {"frame32.tif", Sim::Depth::Bits32, 32},
    {"frame.jpg", Sim::Depth::Bits8, 8},
};

void write(benchmark::State& state) {
  Case const& c = kCases[state.range(0)];
  Sim::Image img = frame(c.depth);
  std::string path = scratchDir() + "/" + c.file;
  for (auto _ : state) ImageIO::writeImage(img, path, ImageIO::WriteOptions{c.bits, ImageIO::Alpha::AsFormatExpects});
  report(state, path, c.depth);
  state.SetLabel(c.file);
}

void read(benchmark::State& state) {
  Case const& c = kCases[state.range(0)];
  std::string path = scratchDir() + "/" + c.file;
  ImageIO::writeImage(frame(c.depth), path, ImageIO::WriteOptions{c.bits, ImageIO::Alpha::AsFormatExpects});
  for (auto _ : state) {
    Sim::Image img = ImageIO::readImage(path);
    benchmark::DoNotOptimize(img.bytes());
  }
  report(state, path, c.depth);
  state.SetLabel(c.file);
}

}  // namespace

BENCHMARK(write)->DenseRange(0, 6)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(read)->DenseRange(0, 6)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
