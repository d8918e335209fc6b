// Temporaries removed when a signal ends the run, in a child process that
// the signal really ends.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "TempDir.h"
#include "brelo_image/TemporaryFiles.h"

using namespace BreloTest;
using Brelo::ImageIO::TemporaryFiles;

namespace {

// Runs `child` in a forked process; its wait status.
template <class F>
int inChild(F child) {
  const pid_t pid = fork();
  if (pid == 0) {
    child();
    _exit(0);
  }
  int status = 0;
  EXPECT_EQ(waitpid(pid, &status, 0), pid);
  return status;
}

}  // namespace

TEST(TemporaryFiles, RemovedWhenASignalEndsTheRun) {
  for (int sig : {SIGINT, SIGHUP, SIGTERM}) {
    TempDir dir;
    writeFile(dir / "partial", "half");
    writeFile(dir / "done", "whole");
    const int status = inChild([&] {
      TemporaryFiles::removeOnSignals();
      { TemporaryFiles::Registration renamed(dir / "done"); }
      TemporaryFiles::Registration writing(dir / "partial");
      TemporaryFiles::Registration other(dir / "never-created");
      raise(sig);
    });
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << sig << ": status " << status;
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"done"}) << sig;
  }
}

TEST(TemporaryFiles, ASignalTheRunWasStartedIgnoringStaysIgnored) {
  TempDir dir;
  writeFile(dir / "partial", "half");
  const int status = inChild([&] {
    signal(SIGHUP, SIG_IGN);  // as nohup starts it
    TemporaryFiles::removeOnSignals();
    TemporaryFiles::Registration writing(dir / "partial");
    raise(SIGHUP);
    _exit(7);
  });
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 7) << status;
  EXPECT_TRUE(exists(dir / "partial"));
}
