// A file that appears complete or not at all: written under a temporary
// name in the same directory and renamed over the target once finished, so
// that a failure never leaves a half-written file and an existing file is
// only replaced by a complete one.
//
// Every write, seek and the final flush, sync and close is checked; the first
// failure is kept, so that a failure a library swallowed (OpenEXR writes its
// last table from a destructor) still fails the commit. The temporary is
// registered with TemporaryFiles, so that a signal ending the program
// removes it too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "brelo_image/TemporaryFiles.h"

namespace Brelo {
namespace ImageIO {

class AtomicFile {
 public:
  // Creates the temporary file. Throws ImageError (write).
  explicit AtomicFile(std::string path);
  // Removes the temporary file unless committed.
  ~AtomicFile();
  AtomicFile(AtomicFile const&) = delete;
  AtomicFile& operator=(AtomicFile const&) = delete;

  std::string const& path() const { return m_path; }

  // Buffered. Throws ImageError (write).
  void write(const void* data, std::size_t size);
  // The position of the next write, in bytes from the start.
  std::uint64_t tell() const { return m_position + m_buffered; }
  // Moves the position of the next write or read. Throws ImageError (write).
  void seek(std::uint64_t position);
  // Reads back what was written; fewer bytes at the end. Throws ImageError (write).
  std::size_t read(void* data, std::size_t size);
  std::uint64_t size();

  // Flushes, syncs to disk and renames over the target. Throws ImageError
  // (write), also for any earlier failure.
  void commit();

  // Throws ImageError (write) when `path` cannot be created: its directory
  // is missing or not writable, or the path names a directory.
  static void checkWritable(std::string const& path);

 private:
  void flush();
  [[noreturn]] void fail(std::string const& what, int err);

  std::string m_path;
  std::string m_temp;
  std::unique_ptr<TemporaryFiles::Registration> m_registration;  // until renamed or removed
  int m_fd = -1;
  bool m_committed = false;
  std::string m_failure;       // the first failure, for commit
  std::vector<char> m_buffer;  // written bytes not yet handed to the system
  std::size_t m_buffered = 0;
  std::uint64_t m_position = 0;  // where the buffer starts in the file
};

}  // namespace ImageIO
}  // namespace Brelo
