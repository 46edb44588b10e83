// One kind of file the station writes, as the kill test drives and judges it:
// a generation of its content (0 before the first write, then 1, 2, ...),
// the production code path that writes generation n over n - 1, the
// start-up step of the production code that takes up what a killed writer
// left, and the judgement of what lies on disk.
//
// The writer (crash_writer, a program of its own) only calls write(); the
// test calls reset(), judge() and recover() in its own process, in the same
// VTX_ROOT. Generation contents are fixed functions of the generation, so
// both processes agree on them without talking.
//
// Thread-safety: one object per thread; the objects of two processes may
// work on the same folder one after the other, never at once (the test
// judges only a killed writer's folder).
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vtx::crash {

// What a folder holds after a kill.
struct Verdict {
    std::string problem;    // empty: sound
    long generation = -1;   // the generation a reader of the files finds
    bool leftover = false;  // a temporary or a mark of unfinished work lies there
};

class FileKind {
public:
    // `root`: the station root (native).
    explicit FileKind(std::string root) : root_(std::move(root)) {}
    virtual ~FileKind() = default;

    // The kind's name on the writer's command line ("answer", "ini", ...).
    virtual const char* name() const = 0;

    // Puts the kind's folders in their state before the writes: the first
    // time by prepare() on emptied folders, then by copying back what that
    // left (the same files, without the time the writes take to reach the
    // disk).
    void reset();

    // Writes generation `n` (>= 1) over generation n - 1 through the
    // production code path. Nothing is checked: the judgement reads disk.
    virtual void write(long n) = 0;

    // Judges the folder, a write of a generation in [older, newer] having
    // been cut short (older == newer: no write was under way). `settled`:
    // after recover(), so no temporary or unfinished mark may be left.
    virtual Verdict judge(long older, long newer, bool settled) const = 0;

    // What the production code does at its next start, or at its next
    // write, with what a killed writer left; `found` is the generation
    // judge() found. The generation the folder must then hold, or nullopt
    // when the start-up step may settle on either end of the cut write.
    virtual std::optional<long> recover(long found) = 0;

protected:
    // The folders the kind writes in (native), emptied by reset().
    virtual std::vector<std::string> folders() const = 0;
    // Writes generation 0 through the production code into the emptied
    // folders (the files a station holds before the writes).
    virtual void prepare() = 0;

    const std::string root_;

private:
    bool prepared_ = false;
};

// A kind that is one file replaced whole in its folder: it holds content(g)
// for a g in [older, newer]; hidden work files may lie beside it until the
// next write, which clears what a killed writer left.
class OneFileKind : public FileKind {
public:
    // `dir`: the file's folder, `file` its name.
    OneFileKind(std::string root, std::string dir, const std::string& file);

    Verdict judge(long older, long newer, bool settled) const override;
    std::optional<long> recover(long found) override;

protected:
    std::vector<std::string> folders() const override { return {dir_}; }
    // The bytes of generation `g`.
    virtual std::string content(long g) const = 0;

    const std::string dir_;
    const std::string path_;
};

// The kinds, in the order the test runs them.
std::vector<std::string> kindNames();

// The kind named `name` working below the station root `root` (native);
// nullptr for an unknown name.
std::unique_ptr<FileKind> makeKind(std::string_view name, const std::string& root);

// Helpers of the kinds.
namespace detail {

std::optional<std::string> readWhole(const std::string& path);
// Every regular file of `dir` (not recursive) with its content.
std::map<std::string, std::string> filesOf(const std::string& dir);
// Removes `dir` with everything in it and makes it again, empty.
void emptyFolder(const std::string& dir);
// True for the names the platform's replacements write before their
// rename (".<name>.<pid>.<n>.tmp") and other hidden work files.
bool isHiddenWorkFile(std::string_view name);
// `count` bytes of a repeating pattern that starts at `seed`.
std::string patterned(char seed, size_t count);
// "<what> is missing" or "<what> holds N bytes ..." for a failed judgement.
std::string describe(const std::string& what, const std::optional<std::string>& content);
// The generation in [older, newer] whose content(g) `found` is, -1 when none
// (the newest first, so a write that changed nothing counts as done).
long generationOf(const std::optional<std::string>& found, long older, long newer,
                  const std::function<std::string(long)>& content);

}  // namespace detail

std::unique_ptr<FileKind> makePasswordFileKind(const std::string& root);
std::unique_ptr<FileKind> makeLogonTablesKind(const std::string& root);
std::unique_ptr<FileKind> makeDownloadedFileKind(const std::string& root);
std::unique_ptr<FileKind> makeAnswerFileKind(const std::string& root);
std::unique_ptr<FileKind> makeExportFileKind(const std::string& root);
std::unique_ptr<FileKind> makeIniKeysKind(const std::string& root);
std::unique_ptr<FileKind> makeSocketTraceKind(const std::string& root);

}  // namespace vtx::crash
