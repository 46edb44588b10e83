// A file of the table download (ATCARQ.BIN's list) as LinkAgent receives it
// from the FTP server: the pieces go to a TableReplacement, which computes
// the CRC the list carries and swaps the file in whole, the previous one
// kept as NAME.OLD. Generations alternate between two contents of
// different sizes; the file must be one of them whole (and so carry the CRC
// the list gives for it), and NAME.OLD absent or a whole earlier generation.
#include <string>

#include "FileKind.h"
#include "TableReplacement.h"
#include "vtx/platform/Crc32.h"
#include "vtx/platform/Paths.h"

namespace vtx::crash {
namespace {

constexpr size_t kPiece = 64 * 1024;

class DownloadedFileKind : public OneFileKind {
public:
    explicit DownloadedFileKind(const std::string& root)
        : OneFileKind(root, platform::joinPath(root, "C/Vantrix/TAB"), "BIG.BIN"),
          content_{detail::patterned('a', 512 * 1024), detail::patterned('n', 384 * 1024)} {}

    const char* name() const override { return "download"; }

    void write(long n) override {
        const std::string& bytes = content_[n % 2];
        linkagent::download::TableReplacement replacement(path_);
        if (!replacement.open()) return;
        for (size_t at = 0; at < bytes.size(); at += kPiece) {
            if (!replacement.write(std::string_view(bytes).substr(at, kPiece))) return;
        }
        // The list's CRC is checked before the swap, as the download does.
        if (replacement.crc() == platform::crc32Mpeg2(bytes)) replacement.commit();
    }

    Verdict judge(long older, long newer, bool settled) const override {
        Verdict v = OneFileKind::judge(older, newer, settled);
        const std::optional<std::string> old = detail::readWhole(path_ + ".OLD");
        if (v.problem.empty() && old && *old != content_[0] && *old != content_[1])
            v.problem = detail::describe("BIG.BIN.OLD", old);
        return v;
    }

protected:
    void prepare() override { write(0); }
    std::string content(long g) const override { return content_[g % 2]; }

private:
    const std::string content_[2];
};

}  // namespace

std::unique_ptr<FileKind> makeDownloadedFileKind(const std::string& root) {
    return std::make_unique<DownloadedFileKind>(root);
}

}  // namespace vtx::crash
