#include "RenderTestUtil.h"

#include <dirent.h>
#include <fcntl.h>
#include <png.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <gtest/gtest.h>

extern char** environ;

namespace RenderTest {

namespace {

void removeTree(std::string const& path) {
  struct stat st;
  if (lstat(path.c_str(), &st) != 0) return;
  if (S_ISDIR(st.st_mode)) {
    if (DIR* d = opendir(path.c_str())) {
      while (dirent* e = readdir(d)) {
        std::string n = e->d_name;
        if (n != "." && n != "..") removeTree(path + "/" + n);
      }
      closedir(d);
    }
    rmdir(path.c_str());
  } else {
    unlink(path.c_str());
  }
}

}  // namespace

TempDir::TempDir() {
  std::string base = testing::TempDir();
  if (base.empty() || base.back() != '/') base += '/';
  std::string tmpl = base + "brelo-render-test-XXXXXX";
  std::vector<char> buf(tmpl.begin(), tmpl.end());
  buf.push_back('\0');
  if (!mkdtemp(buf.data())) throw std::runtime_error("mkdtemp failed");
  m_path = buf.data();
}

TempDir::~TempDir() { removeTree(m_path); }

std::vector<std::string> TempDir::entries() const {
  std::vector<std::string> out;
  if (DIR* d = opendir(m_path.c_str())) {
    while (dirent* e = readdir(d)) {
      std::string n = e->d_name;
      if (n != "." && n != "..") out.push_back(n);
    }
    closedir(d);
  }
  std::sort(out.begin(), out.end());
  return out;
}

RunResult runProgram(std::vector<std::string> const& argv, std::string const& dir,
                     std::vector<std::string> const& env) {
  std::string outPath = dir + "/../" + std::to_string(getpid()) + "-" + std::to_string(std::rand()) + ".stdout";
  std::string errPath = outPath.substr(0, outPath.size() - 7) + ".stderr";
  posix_spawn_file_actions_t fa;
  posix_spawn_file_actions_init(&fa);
  posix_spawn_file_actions_addopen(&fa, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&fa, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&fa, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addchdir_np(&fa, dir.c_str());
  std::vector<std::string> all = argv;
  std::vector<char*> args;
  for (std::string& a : all) args.push_back(&a[0]);
  args.push_back(nullptr);
  // The environment as it is, with `env` replacing entries of the same name.
  std::vector<std::string> vars = env;
  for (char** e = environ; *e; ++e) {
    std::string v = *e;
    std::string name = v.substr(0, v.find('='));
    bool replaced = false;
    for (std::string const& x : env) replaced = replaced || x.compare(0, name.size() + 1, name + "=") == 0;
    if (!replaced) vars.push_back(v);
  }
  std::vector<char*> envp;
  for (std::string& v : vars) envp.push_back(&v[0]);
  envp.push_back(nullptr);
  pid_t pid;
  RunResult r;
  if (posix_spawnp(&pid, all[0].c_str(), &fa, nullptr, args.data(), envp.data()) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  posix_spawn_file_actions_destroy(&fa);
  r.out = readFile(outPath);
  r.err = readFile(errPath);
  unlink(outPath.c_str());
  unlink(errPath.c_str());
  return r;
}

RunResult runTool(std::vector<std::string> const& args, std::string const& dir) {
  std::vector<std::string> argv{BRELO_RENDER_EXE};
  argv.insert(argv.end(), args.begin(), args.end());
  return runProgram(argv, dir);
}

std::string readFile(std::string const& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void writeFile(std::string const& path, std::string const& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), std::streamsize(bytes.size()));
}

bool exists(std::string const& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

namespace {

// libpng leaves by longjmp: these keep nothing with a destructor alive.
bool readAll(std::FILE* f, png_structp png, png_infop info) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, f);
  png_read_png(png, info, PNG_TRANSFORM_EXPAND | PNG_TRANSFORM_GRAY_TO_RGB, nullptr);
  return true;
}

bool writeAll(std::FILE* f, png_structp png, png_infop info, int width, int height, int bits, int type,
              png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, f);
  png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), bits, type, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_rows(png, info, rows);
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  return true;
}

}  // namespace

PngPixels decodePngFile(std::string const& path) {
  // The classic interface: the simplified one turns 16-bit files into linear light.
  PngPixels p;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return p;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (readAll(f, png, info)) {
    p.width = int(png_get_image_width(png, info));
    p.height = int(png_get_image_height(png, info));
    p.bits = png_get_bit_depth(png, info);
    const int channels = png_get_channels(png, info);
    png_bytepp rows = png_get_rows(png, info);
    p.samples.resize(std::size_t(p.width) * std::size_t(p.height) * 4);
    for (int y = 0; y < p.height; ++y) {
      for (int x = 0; x < p.width; ++x) {
        for (int c = 0; c < 4; ++c) {
          unsigned v;
          if (c >= channels) {
            v = p.bits == 16 ? 65535u : 255u;
          } else if (p.bits == 16) {
            png_bytep s = rows[y] + (std::size_t(x) * std::size_t(channels) + std::size_t(c)) * 2;
            v = unsigned(s[0]) << 8 | s[1];
          } else {
            v = rows[y][std::size_t(x) * std::size_t(channels) + std::size_t(c)];
          }
          p.samples[(std::size_t(y) * std::size_t(p.width) + std::size_t(x)) * 4 + std::size_t(c)] = v;
        }
      }
    }
  }
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(f);
  return p;
}

void encodePngFile(std::string const& path, int width, int height, int channels, int bits,
                   std::vector<unsigned> const& samples) {
  static const int kTypes[] = {0, PNG_COLOR_TYPE_GRAY, PNG_COLOR_TYPE_GRAY_ALPHA, PNG_COLOR_TYPE_RGB,
                               PNG_COLOR_TYPE_RGB_ALPHA};
  std::size_t rowBytes = std::size_t(width) * std::size_t(channels) * (bits == 16 ? 2 : 1);
  std::vector<png_byte> data(rowBytes * std::size_t(height));
  for (std::size_t i = 0; i < samples.size(); ++i) {
    if (bits == 16) {
      data[i * 2] = png_byte(samples[i] >> 8);
      data[i * 2 + 1] = png_byte(samples[i] & 0xFF);
    } else {
      data[i] = png_byte(samples[i]);
    }
  }
  std::vector<png_bytep> rows;
  for (int y = 0; y < height; ++y) rows.push_back(data.data() + std::size_t(y) * rowBytes);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  bool ok = writeAll(f, png, info, width, height, bits, kTypes[channels], rows.data());
  png_destroy_write_struct(&png, &info);
  std::fclose(f);
  ASSERT_TRUE(ok) << "libpng failed to write " << path;
}

}  // namespace RenderTest
