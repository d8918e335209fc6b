// What every format shares: the conversion rules, the choice of format and
// depth, writing straight from a host world's padded rows, and files that
// appear complete or not at all, even when the disk fills up mid-file.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>

#include <gtest/gtest.h>

#include "ImageTestUtil.h"
#include "ReferenceFiles.h"
#include "TempDir.h"
#include "brelo_host/Host.h"
#include "brelo_image/AtomicFile.h"
#include "brelo_image/ChannelRules.h"
#include "brelo_image/ImageFile.h"

using namespace Brelo;
using namespace Brelo::ImageIO;
using namespace ImageTest;
using BreloTest::TempDir;

TEST(ChannelRules, HostSixteenBitChannelsRoundTripExactly) {
  // Every host value survives the trip through a file's 0..65535.
  for (unsigned v = 0; v <= 32768; ++v) {
    std::uint16_t p = spread16(std::uint16_t(v));
    ASSERT_EQ(gather16(p), v) << v;
    if (v > 0) {
      ASSERT_GT(p, spread16(std::uint16_t(v - 1)));
    }
  }
  EXPECT_EQ(spread16(0), 0);
  EXPECT_EQ(spread16(32768), 65535);
  EXPECT_EQ(spread16(16384), 32768);  // 32767.5 rounds up
  for (unsigned p = 0; p <= 65535; ++p) {
    std::uint16_t h = gather16(std::uint16_t(p));
    ASSERT_LE(h, 32768);
    ASSERT_EQ(gather16(spread16(h)), h);
  }
  EXPECT_EQ(unitTo8(0.5f), 128);
  EXPECT_EQ(unitTo8(-0.0f), 0);
  EXPECT_EQ(unitTo8(std::nanf("")), 0);
  EXPECT_EQ(unitTo16(1.0f / 65535.0f), 1);
  EXPECT_EQ(unitTo16(7.0f), 65535);
}

TEST(ImageFormat, NamesSignaturesAndDepths) {
  EXPECT_EQ(formatForName("a/B.PNG", "x"), ImageFormat::Png);
  EXPECT_EQ(formatForName("b.tiff", "x"), ImageFormat::Tiff);
  EXPECT_EQ(formatForName("c.Jpeg", "x"), ImageFormat::Jpeg);
  EXPECT_EQ(errorOf(ImageError::Kind::Usage, [] { formatForName(".png.gif", "output .png.gif"); }),
            "output .png.gif: the name must end in .png, .exr, .tif, .tiff, .jpg or .jpeg");
  // The frame's depth where the format holds it, else the nearest below, else the format's only one.
  EXPECT_EQ(defaultBits(ImageFormat::Png, Sim::Depth::Bits32), 16);
  EXPECT_EQ(defaultBits(ImageFormat::Tiff, Sim::Depth::Bits32), 32);
  EXPECT_EQ(defaultBits(ImageFormat::Exr, Sim::Depth::Bits8), 32);
  EXPECT_EQ(defaultBits(ImageFormat::Jpeg, Sim::Depth::Bits16), 8);
  EXPECT_EQ(errorOf(ImageError::Kind::Usage, [] { checkWritableBits(ImageFormat::Exr, 16, "o.exr"); }),
            "o.exr: OpenEXR files hold 32 bits per channel, not 16");
  EXPECT_EQ(errorOf(ImageError::Kind::Usage, [] { checkWritableBits(ImageFormat::Tiff, 12, "o.tif"); }),
            "o.tif: TIFF files hold 8, 16 or 32 bits per channel, not 12");
  const unsigned char tiffBig[] = {'M', 'M', 0, 42}, tiffBigTiff[] = {'I', 'I', 43, 0}, jpeg[] = {0xFF, 0xD8, 0xFF};
  ImageFormat f;
  EXPECT_TRUE(formatOfSignature(tiffBig, 4, &f) && f == ImageFormat::Tiff);
  EXPECT_TRUE(formatOfSignature(tiffBigTiff, 4, &f) && f == ImageFormat::Tiff);
  EXPECT_TRUE(formatOfSignature(jpeg, 3, &f) && f == ImageFormat::Jpeg);
  EXPECT_FALSE(formatOfSignature(jpeg, 2, &f));
}

TEST(ImageFile, WorldsWithPaddedRowsAreWrittenAsTheirImages) {
  // brelo-render writes a frame straight from the host's output world.
  TempDir dir;
  Sim::Host host;
  for (Sim::Depth d : {Sim::Depth::Bits8, Sim::Depth::Bits16, Sim::Depth::Bits32}) {
    const Sim::Image img = everyValue(d);
    Sim::HostWorld world = host.makeWorld(img);
    ASSERT_GT(std::size_t(world->rowbytes), img.rowBytes());
    for (const char* ext : {".png", ".exr", ".tif", ".jpg"}) {
      SCOPED_TRACE(std::string(Sim::depthName(d)) + ext);
      writeImage(img, dir / (std::string("image") + ext));
      writeImage(PixelView(*world.get(), d), dir / (std::string("world") + ext));
      EXPECT_EQ(BreloTest::readFile(dir / (std::string("world") + ext)),
                BreloTest::readFile(dir / (std::string("image") + ext)));
    }
  }
}

TEST(AtomicFile, NothingAppearsUntilCommittedAndFailuresLeaveNothing) {
  TempDir dir;
  const auto write = ImageError::Kind::Write;
  BreloTest::writeFile(dir / "out.png", "OLD");
  {
    AtomicFile f(dir / "out.png");
    f.write("NEW", 3);
    EXPECT_EQ(BreloTest::readFile(dir / "out.png"), "OLD");
  }  // abandoned
  EXPECT_EQ(BreloTest::readFile(dir / "out.png"), "OLD");
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"out.png"});
  {
    AtomicFile f(dir / "out.png");
    f.write("NEW", 3);
    // Seeking back, as OpenEXR and libtiff do to fill in tables, and reading back.
    f.seek(1);
    f.write("O", 1);
    EXPECT_EQ(f.tell(), 2u);
    f.seek(0);
    char back[3];
    EXPECT_EQ(f.read(back, 3), 3u);
    EXPECT_EQ(std::string(back, 3), "NOW");
    EXPECT_EQ(f.size(), 3u);
    f.commit();
  }
  EXPECT_EQ(BreloTest::readFile(dir / "out.png"), "NOW");
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"out.png"});

  EXPECT_TRUE(contains(errorOf(write, [&] { AtomicFile f(dir / "no/such/out.png"); }), "No such file or directory"));
  EXPECT_EQ(errorOf(write, [&] { AtomicFile::checkWritable(dir.path()); }),
            "cannot write " + dir.path() + ": it is a directory");
  EXPECT_TRUE(
      contains(errorOf(write, [&] { AtomicFile::checkWritable(dir / "out.png/x.png"); }), "is not a directory"));
  // A directory of the name is refused before anything is written.
  mkdir((dir / "taken.png").c_str(), 0755);
  BreloTest::writeFile(dir / "taken.png/inside", "x");
  Sim::Image img(2, 2, Sim::Depth::Bits8);
  EXPECT_EQ(errorOf(write, [&] { writeImage(img, dir / "taken.png"); }),
            "cannot write " + dir / "taken.png" + ": it is a directory");
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"out.png", "taken.png"}));
}

TEST(ImageFile, AFullDiskFailsTheWriteAndLeavesTheOldFile) {
  // The disk filling up, stood in for by a limit on file size: every format
  // reports the failure, wherever in the file it comes, and leaves the file
  // that was there.
  TempDir dir;
  const Sim::Image img = everyValue(Sim::Depth::Bits32);
  for (const char* name : {"f.png", "f.exr", "f.tif", "f.jpg"}) writeImage(img, dir / name);
  for (const char* name : {"f.png", "f.exr", "f.tif", "f.jpg"}) {
    const std::string path = dir / name;
    const std::string before = BreloTest::readFile(path);
    for (rlim_t limit : {rlim_t(1), rlim_t(100), rlim_t(before.size() / 2), rlim_t(before.size() - 1)}) {
      SCOPED_TRACE(std::string(name) + " limited to " + std::to_string(limit) + " bytes");
      pid_t pid = fork();
      ASSERT_GE(pid, 0);
      if (pid == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit rl{limit, limit};
        setrlimit(RLIMIT_FSIZE, &rl);
        int code = 3;
        try {
          writeImage(img, path);
          code = 1;
        } catch (ImageError const& e) {
          code = e.kind() == ImageError::Kind::Write && std::string(e.what()).rfind("cannot write " + path, 0) == 0 ? 0
                                                                                                                    : 2;
        } catch (...) {
        }
        _exit(code);
      }
      int status = 0;
      waitpid(pid, &status, 0);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
      EXPECT_EQ(BreloTest::readFile(path), before);
      EXPECT_EQ(dir.entries(), (std::vector<std::string>{"f.exr", "f.jpg", "f.png", "f.tif"}));
    }
  }
}
