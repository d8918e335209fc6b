// Writes that fail, runs that are interrupted and jobs too large for the
// memory: the built brelo-render under a file-size limit (the disk filling
// up), with its standard output on a full device, ended by a signal while
// it writes, and under an address-space limit. Nothing partial is left, and
// a file that was there stays as it was.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "RenderTestUtil.h"

using namespace RenderTest;

namespace {

struct Child {
  pid_t pid = -1;
  int errPipe = -1;
};

// Starts brelo-render in `dir` under a file-size limit of `fileSize` bytes
// and an address-space limit of `addressSpace` (0: none), SIGXFSZ ignored or
// not, its standard output to `out`.
Child start(std::vector<std::string> const& args, std::string const& dir, rlim_t fileSize = 0,
            bool ignoreFileSizeSignal = false, std::string const& out = "/dev/null", rlim_t addressSpace = 0) {
  int fds[2];
  if (pipe(fds) != 0) return {};
  std::vector<std::string> all{BRELO_RENDER_EXE};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    // Only async-signal-safe calls from here on.
    signal(SIGXFSZ, ignoreFileSizeSignal ? SIG_IGN : SIG_DFL);
    if (fileSize) {
      rlimit rl{fileSize, fileSize};
      setrlimit(RLIMIT_FSIZE, &rl);
    }
    if (addressSpace) {
      rlimit rl{addressSpace, addressSpace};
      setrlimit(RLIMIT_AS, &rl);
    }
    const int o = open(out.c_str(), O_WRONLY);
    if (o < 0 || chdir(dir.c_str()) != 0) _exit(127);
    dup2(o, 1);
    dup2(fds[1], 2);
    close(fds[0]);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(fds[1]);
  return {pid, fds[0]};
}

// Waits for the child; its wait status and what it wrote to stderr.
int finish(Child const& c, std::string* err) {
  char buf[4096];
  ssize_t n;
  while ((n = read(c.errPipe, buf, sizeof buf)) > 0) err->append(buf, std::size_t(n));
  close(c.errPipe);
  int status = 0;
  waitpid(c.pid, &status, 0);
  return status;
}

bool hiddenFileIn(TempDir const& dir) {
  std::vector<std::string> e = dir.entries();
  return std::any_of(e.begin(), e.end(), [](std::string const& n) { return n[0] == '.'; });
}

}  // namespace

// A disk filling up, stood in for by a file-size limit, wherever in the file
// it comes: the run fails with status 6, removes its temporary and leaves
// the file that was there, whether SIGXFSZ is ignored or not.
TEST(CliWriteFailure, AFullDiskFailsTheRunAndKeepsTheOldFile) {
  struct Case {
    std::vector<std::string> args;
    std::string out;
    std::vector<rlim_t> limits;
  };
  const std::vector<Case> cases = {
      // The report: a 1 x 1 float frame under a limit of one byte.
      {{"-e", "simplelines", "--size", "1x1", "-d", "32", "-o", "out.exr"}, "out.exr", {1}},
      {{"-e", "simplelines", "--size", "16x16", "-d", "32", "-o", "out.exr"}, "out.exr", {100, 400, 1000}},
      {{"-e", "simplelines", "--size", "16x16", "-d", "16", "-o", "out.png"}, "out.png", {1, 60, 300}},
      {{"-e", "lines", "--size", "16x16", "-d", "16", "-o", "out.tif"}, "out.tif", {1, 200, 500}},
      {{"-e", "lines", "--size", "16x16", "-o", "out.jpg"}, "out.jpg", {1, 200, 500}},
      {{"-e", "lines", "--size", "16x16", "--frames", "0-3", "--contact-sheet", "sheet.png"}, "sheet.png", {1, 200}},
      {{"-e", "lines", "--size", "16x16", "-s", "Max Slice=20", "--save-preset", "out.json"}, "out.json", {1, 50}},
  };
  for (Case const& c : cases) {
    // Limits below the whole file's size, some just short of it.
    std::vector<rlim_t> limits;
    {
      TempDir dir;
      std::string err;
      const int status = finish(start(c.args, dir.path()), &err);
      ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << err;
      const rlim_t full = rlim_t(readFile(dir / c.out).size());
      for (rlim_t limit : c.limits) {
        if (limit < full) limits.push_back(limit);
      }
      for (rlim_t shortBy : {rlim_t(1), rlim_t(17), rlim_t(64)}) {
        if (full > shortBy) limits.push_back(full - shortBy);
      }
      ASSERT_GE(limits.size(), 3u) << c.out << " is " << full << " bytes";
    }
    for (rlim_t limit : limits) {
      for (bool ignore : {true, false}) {
        SCOPED_TRACE(c.out + " limited to " + std::to_string(limit) + " bytes, SIGXFSZ " +
                     (ignore ? "ignored" : "as it comes"));
        TempDir dir;
        writeFile(dir / c.out, "OLD");
        std::string err;
        const int status = finish(start(c.args, dir.path(), limit, ignore), &err);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 6) << "status " << status << ": " << err;
        EXPECT_EQ(err.rfind("brelo-render: cannot write " + c.out + ": ", 0), 0u) << err;
        EXPECT_EQ(readFile(dir / c.out), "OLD");
        EXPECT_FALSE(hiddenFileIn(dir)) << BreloTest::TempDir::entriesOf(dir.path()).front();
      }
    }
  }
}

TEST(CliWriteFailure, AFullStandardOutputFailsTheRun) {
  TempDir dir;
  for (std::vector<std::string> args : {std::vector<std::string>{"-e", "lines", "--list"},
                                        std::vector<std::string>{"-e", "simplelines", "--values", "-q"}}) {
    std::string err;
    const int status = finish(start(args, dir.path(), 0, false, "/dev/full"), &err);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 6) << "status " << status << ": " << err;
    EXPECT_EQ(err.rfind("brelo-render: cannot write the standard output", 0), 0u) << err;
  }
}

// SIGINT, SIGHUP or SIGTERM while a frame is being written: the run ends by
// the signal, its temporary is gone, and the frames before it and the file
// that was there stay.
TEST(CliWriteFailure, ASignalWhileWritingLeavesNoTemporary) {
  for (int sig : {SIGINT, SIGHUP, SIGTERM}) {
    SCOPED_TRACE("signal " + std::to_string(sig));
    TempDir dir;
    writeFile(dir / "f_39.exr", "OLD");
    const Child c = start({"-e", "simplelines", "--size", "600x400", "-d", "32", "--frames", "0-39", "-o", "f_%02d.exr"},
                          dir.path());
    // Caught with a temporary in place: stopped, the process cannot rename it.
    bool caught = false;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!caught && std::chrono::steady_clock::now() < until) {
      if (hiddenFileIn(dir)) {
        kill(c.pid, SIGSTOP);
        caught = hiddenFileIn(dir);
        if (!caught) kill(c.pid, SIGCONT);
      }
      if (!caught) std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    ASSERT_TRUE(caught) << "no temporary seen";
    kill(c.pid, sig);
    kill(c.pid, SIGCONT);
    std::string err;
    const int status = finish(c, &err);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << "status " << status << ": " << err;
    EXPECT_FALSE(hiddenFileIn(dir));
    EXPECT_EQ(readFile(dir / "f_39.exr"), "OLD");
    for (std::string const& name : dir.entries()) {
      if (name != "f_39.exr") {
        EXPECT_NE(readFile(dir / name), "OLD") << name;
      }
    }
  }
}

// A job whose frames cannot fit is refused before they are allocated, saying
// how much it needs, instead of failing part-way or being killed.
TEST(CliWriteFailure, AJobTooLargeForTheMemoryIsRefusedBeforeItRenders) {
#if defined(BRELO_SANITIZED)
  GTEST_SKIP() << "a sanitizer's runtime needs an unlimited address space";
#else
  TempDir dir;
  writeFile(dir / "out.exr", "OLD");
  std::string err;
  const rlim_t threeGiB = rlim_t(3) << 30;
  int status = finish(start({"-e", "lines", "--size", "16384x16384", "-d", "32", "-o", "out.exr"}, dir.path(), 0,
                            false, "/dev/null", threeGiB),
                      &err);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << "status " << status << ": " << err;
  EXPECT_EQ(err.rfind("brelo-render: not enough memory: the frames of this job need 12.1 GiB more, and ", 0), 0u) << err;
  EXPECT_NE(err.find(" is available; render at a lower depth or downsampled\n"), std::string::npos) << err;
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"out.exr"});
  EXPECT_EQ(readFile(dir / "out.exr"), "OLD");
  // A smaller job, under the same limit, is rendered.
  err.clear();
  status = finish(start({"-e", "lines", "--size", "2048x2048", "-d", "32", "-q", "-o", "out.exr"}, dir.path(), 0,
                        false, "/dev/null", threeGiB),
                  &err);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status << ": " << err;
#endif
}

