#include "brelo_render/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "brelo_render/RenderError.h"

namespace Brelo {
namespace Render {

namespace {

std::string dirOf(std::string const& path) {
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string baseOf(std::string const& path) {
  std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The mode a new file gets: what the user's umask leaves of rw-rw-rw-.
mode_t newFileMode() {
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

void AtomicFile::checkWritable(std::string const& path) {
  if (path.empty() || path.back() == '/')
    throw RenderError(ExitCode::Output, "cannot write \"" + path + "\": not a file name");
  struct stat st;
  if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
    throw RenderError(ExitCode::Output, "cannot write " + path + ": it is a directory");
  std::string dir = dirOf(path);
  if (stat(dir.c_str(), &st) != 0)
    throw RenderError(ExitCode::Output, "cannot write " + path + ": " + dir + ": " + std::strerror(errno));
  if (!S_ISDIR(st.st_mode))
    throw RenderError(ExitCode::Output, "cannot write " + path + ": " + dir + " is not a directory");
  if (access(dir.c_str(), W_OK | X_OK) != 0)
    throw RenderError(ExitCode::Output, "cannot write " + path + ": " + dir + ": " + std::strerror(errno));
}

AtomicFile::AtomicFile(std::string path) : m_path(std::move(path)) {
  checkWritable(m_path);
  // Hidden, and next to the target so that the rename stays on one file system.
  std::string tmpl = dirOf(m_path) + "/." + baseOf(m_path) + ".tmp-XXXXXX";
  std::vector<char> buf(tmpl.begin(), tmpl.end());
  buf.push_back('\0');
  m_fd = mkstemp(buf.data());
  if (m_fd < 0) fail("cannot create a file next to it", errno);
  m_temp = buf.data();
  if (fchmod(m_fd, newFileMode()) != 0) fail("cannot set the file's mode", errno);
}

AtomicFile::~AtomicFile() {
  if (m_fd >= 0) close(m_fd);
  if (!m_committed && !m_temp.empty()) unlink(m_temp.c_str());
}

void AtomicFile::fail(std::string const& what, int err) {
  throw RenderError(ExitCode::Output, "cannot write " + m_path + ": " + what + ": " + std::strerror(err));
}

void AtomicFile::write(const void* data, std::size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t n = ::write(m_fd, p, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail("write failed", errno);
    }
    p += n;
    size -= std::size_t(n);
  }
}

void AtomicFile::commit() {
  if (fsync(m_fd) != 0) fail("cannot flush the file to disk", errno);
  int fd = m_fd;
  m_fd = -1;
  if (close(fd) != 0) fail("cannot close the file", errno);
  if (rename(m_temp.c_str(), m_path.c_str()) != 0) fail("cannot put the file in place", errno);
  m_committed = true;
}

}  // namespace Render
}  // namespace Brelo
