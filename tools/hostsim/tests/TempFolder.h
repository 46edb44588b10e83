// A fresh folder under the system's temporary folder, removed with its
// content when the object goes.
//
// Thread-safety: immutable after construction.
#pragma once

#include <string>

namespace vtx::hostsim::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace vtx::hostsim::test
