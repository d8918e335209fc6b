// A file that appears complete or not at all: written under a temporary
// name in the same directory and renamed over the target once finished, so
// that a failure never leaves a half-written file and an existing file is
// only replaced by a complete one.
#pragma once

#include <cstddef>
#include <string>

namespace Brelo {
namespace Render {

class AtomicFile {
 public:
  // Creates the temporary file. Throws RenderError (output).
  explicit AtomicFile(std::string path);
  // Removes the temporary file unless committed.
  ~AtomicFile();
  AtomicFile(AtomicFile const&) = delete;
  AtomicFile& operator=(AtomicFile const&) = delete;

  std::string const& path() const { return m_path; }
  // The temporary file, for writers that open files by name.
  std::string const& tempPath() const { return m_temp; }
  int fd() const { return m_fd; }

  // Throws RenderError (output).
  void write(const void* data, std::size_t size);
  // Flushes to disk and renames over the target. Throws RenderError (output).
  void commit();

  // Throws RenderError (output) when `path` cannot be created: its directory
  // is missing or not writable, or the path names a directory.
  static void checkWritable(std::string const& path);

 private:
  [[noreturn]] void fail(std::string const& what, int err);

  std::string m_path;
  std::string m_temp;
  int m_fd = -1;
  bool m_committed = false;
};

}  // namespace Render
}  // namespace Brelo
