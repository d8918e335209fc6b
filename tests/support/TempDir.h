// A fresh directory for a test's files, and small helpers for files in it.
#pragma once

#include <string>
#include <vector>

namespace BreloTest {

// Created under the test's temporary directory; removed with everything in
// it at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(TempDir const&) = delete;
  TempDir& operator=(TempDir const&) = delete;
  std::string const& path() const { return m_path; }
  std::string operator/(std::string const& name) const { return m_path + "/" + name; }
  // Names of the entries, sorted; hidden ones included.
  std::vector<std::string> entries() const { return entriesOf(m_path); }
  static std::vector<std::string> entriesOf(std::string const& dir);

 private:
  std::string m_path;
};

std::string readFile(std::string const& path);
void writeFile(std::string const& path, std::string const& bytes);
bool exists(std::string const& path);

}  // namespace BreloTest
