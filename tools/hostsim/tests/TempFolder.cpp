#include "TempFolder.h"

#include <stdlib.h>

#include <filesystem>
#include <system_error>

namespace vtx::hostsim::test {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "hostsim-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

}  // namespace vtx::hostsim::test
