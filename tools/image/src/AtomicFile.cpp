#include "brelo_image/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <random>

#include "brelo_image/ImageError.h"

namespace Brelo {
namespace ImageIO {

namespace {

constexpr std::size_t kBufferSize = std::size_t(1) << 18;

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

// Six characters as mkstemp chooses them: a splitmix64 sequence shared by
// all threads (modules loaded into a host have little room for per-thread
// state).
std::string randomSuffix() {
  static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static std::atomic<std::uint64_t> state{(std::uint64_t(std::random_device{}()) << 32) ^ std::uint64_t(getpid())};
  std::uint64_t z = state.fetch_add(0x9E3779B97F4A7C15ull) + 0x9E3779B97F4A7C15ull;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  z ^= z >> 31;
  std::string s(6, 'X');
  for (char& ch : s) {
    ch = kChars[z % (sizeof kChars - 1)];
    z /= sizeof kChars - 1;
  }
  return s;
}

[[noreturn]] void cannotWrite(std::string const& what) { throw ImageError(ImageError::Kind::Write, what); }

}  // namespace

void AtomicFile::checkWritable(std::string const& path) {
  if (path.empty() || path.back() == '/') cannotWrite("cannot write \"" + path + "\": not a file name");
  struct stat st;
  if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) cannotWrite("cannot write " + path + ": it is a directory");
  std::string dir = dirOf(path);
  if (stat(dir.c_str(), &st) != 0) cannotWrite("cannot write " + path + ": " + dir + ": " + std::strerror(errno));
  if (!S_ISDIR(st.st_mode)) cannotWrite("cannot write " + path + ": " + dir + " is not a directory");
  if (access(dir.c_str(), W_OK | X_OK) != 0)
    cannotWrite("cannot write " + path + ": " + dir + ": " + std::strerror(errno));
}

AtomicFile::AtomicFile(std::string path) : m_path(std::move(path)) {
  checkWritable(m_path);
  // Hidden, and next to the target so that the rename stays on one file
  // system. Named and registered for removal on a signal before it exists;
  // the user's umask gives its mode, as for any new file.
  const std::string prefix = dirOf(m_path) + "/." + baseOf(m_path) + ".tmp-";
  for (int attempt = 0; m_fd < 0; ++attempt) {
    m_temp = prefix + randomSuffix();
    m_registration = std::make_unique<TemporaryFiles::Registration>(m_temp);
    m_fd = open(m_temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (m_fd < 0 && (errno != EEXIST || attempt == 100)) {
      const int err = errno;
      m_temp.clear();
      fail("cannot create a file next to it", err);
    }
  }
  m_buffer.resize(kBufferSize);
}

AtomicFile::~AtomicFile() {
  if (m_fd >= 0) close(m_fd);
  if (!m_committed && !m_temp.empty()) unlink(m_temp.c_str());
}

void AtomicFile::fail(std::string const& what, int err) {
  std::string message = "cannot write " + m_path + ": " + what + (err ? std::string(": ") + std::strerror(err) : "");
  if (m_failure.empty()) m_failure = message;
  cannotWrite(message);
}

void AtomicFile::flush() {
  const char* p = m_buffer.data();
  std::size_t left = m_buffered;
  while (left > 0) {
    ssize_t n = pwrite(m_fd, p, left, off_t(m_position));
    if (n < 0) {
      if (errno == EINTR) continue;
      fail("write failed", errno);
    }
    if (n == 0) fail("write failed", EIO);
    p += n;
    left -= std::size_t(n);
    m_position += std::uint64_t(n);
  }
  m_buffered = 0;
}

void AtomicFile::write(const void* data, std::size_t size) {
  if (!m_failure.empty()) cannotWrite(m_failure);
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    if (m_buffered == m_buffer.size()) flush();
    std::size_t n = std::min(size, m_buffer.size() - m_buffered);
    std::memcpy(m_buffer.data() + m_buffered, p, n);
    m_buffered += n;
    p += n;
    size -= n;
  }
}

void AtomicFile::seek(std::uint64_t position) {
  if (!m_failure.empty()) cannotWrite(m_failure);
  flush();
  m_position = position;
}

std::size_t AtomicFile::read(void* data, std::size_t size) {
  if (!m_failure.empty()) cannotWrite(m_failure);
  flush();
  std::size_t got = 0;
  while (got < size) {
    ssize_t n = pread(m_fd, static_cast<char*>(data) + got, size - got, off_t(m_position));
    if (n < 0) {
      if (errno == EINTR) continue;
      fail("cannot read the file back", errno);
    }
    if (n == 0) break;
    got += std::size_t(n);
    m_position += std::uint64_t(n);
  }
  return got;
}

std::uint64_t AtomicFile::size() {
  flush();
  struct stat st;
  if (fstat(m_fd, &st) != 0) fail("cannot stat the file", errno);
  return std::uint64_t(st.st_size);
}

void AtomicFile::commit() {
  if (!m_failure.empty()) cannotWrite(m_failure);
  flush();
  if (fsync(m_fd) != 0) fail("cannot flush the file to disk", errno);
  int fd = m_fd;
  m_fd = -1;
  if (close(fd) != 0) fail("cannot close the file", errno);
  if (rename(m_temp.c_str(), m_path.c_str()) != 0) fail("cannot put the file in place", errno);
  m_committed = true;
  m_registration.reset();
}

}  // namespace ImageIO
}  // namespace Brelo
