#pragma once

#include <string>

namespace kv::test {

// A folder of its own for one test: made under $TMPDIR (or /tmp) with a name
// that carries the running test's name and a random part, so tests that run in
// parallel never share a file, and removed with everything in it when the
// object goes. Creation failing fails the test at once (no test runs on in a
// folder it does not own).
//
//   ScratchFolder scratch;
//   std::string ini = scratch.file("kvmanager.ini");
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return path_; }
    // path() + "/" + name; the file is not created.
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

}  // namespace kv::test
