#include "TestRoot.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vtx::test {

namespace {

std::optional<std::string> getEnv(const char* name) {
    const char* v = std::getenv(name);
    if (v == nullptr) return std::nullopt;
    return std::string(v);
}

void restoreEnv(const char* name, const std::optional<std::string>& value) {
    if (value) {
        ::setenv(name, value->c_str(), 1);
    } else {
        ::unsetenv(name);
    }
}

}  // namespace

TempRoot::TempRoot() : oldRoot_(getEnv("VTX_ROOT")), oldWindir_(getEnv("VTX_WINDIR")) {
    std::string base = getEnv("TMPDIR").value_or("/tmp");
    if (base.empty()) base = "/tmp";
    std::string pattern = base + "/vtx-test-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "mkdtemp failed for " << pattern;
    }
    path_ = pattern;
    ::setenv("VTX_ROOT", path_.c_str(), 1);
    ::unsetenv("VTX_WINDIR");
}

TempRoot::~TempRoot() {
    restoreEnv("VTX_ROOT", oldRoot_);
    restoreEnv("VTX_WINDIR", oldWindir_);
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string TempRoot::native(std::string_view relative) const {
    while (!relative.empty() && relative.front() == '/') relative.remove_prefix(1);
    return path_ + "/" + std::string(relative);
}

void TempRoot::writeFile(std::string_view relative, std::string_view content) const {
    std::filesystem::path p = native(relative);
    std::error_code ec;
    std::filesystem::create_directories(p.parent_path(), ec);
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (!out) ADD_FAILURE() << "cannot write " << p;
}

std::optional<std::string> TempRoot::readFile(std::string_view relative) const {
    std::ifstream in(native(relative), std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

}  // namespace vtx::test
