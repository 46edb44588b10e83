// Replacing a whole file so that a crash or a kill leaves the old content or
// the new one, never neither and never a mix, and the small primitives this
// rests on: the write-all loop, the temporary name, the flush of a folder.
//
// A replacement writes the new content to a temporary file in the target's
// folder, ".<name>.<pid>.<n>.tmp" (the writer's process id and a counter of
// the process), and renames it over the target. A writer killed before its
// rename leaves its temporary behind; every later replacement of the same
// file removes such leftovers (removeStaleTemporaries()).
//
// Modes: the caller gives the widest mode of the file's kind. A new file is
// created with it, narrowed by the umask; a file that existed keeps its mode,
// narrowed to that widest mode (so a too-open old file is closed up, and a
// narrower one stays narrower).
//
// Thread-safety: every function may be called from any thread. Concurrent
// replacements of one file each land whole; the last rename wins.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace vtx::platform {

// Files holding passwords, keys or card data (manager tables, logon tables,
// route file, traces, logs, answer files): the installation's user only.
inline constexpr mode_t kPrivateFileMode = 0600;
// A file left for another program of the shop (the point-of-sale export
// file): also readable by the group of the folder's files, never by others.
inline constexpr mode_t kGroupReadFileMode = 0640;
// Plain settings: as the umask allows.
inline constexpr mode_t kSharedFileMode = 0666;

// A temporary this old is stale whatever its process id says: no writer holds
// one that long, so its id now belongs to another process (or to us).
inline constexpr std::chrono::hours kAbandonedTemporaryAge{1};

struct FileOptions {
    mode_t mode = kSharedFileMode;  // widest mode of the file, see above
    bool durable = false;           // flush the file and its folder to disk
};

// Writes all of `bytes` to `fd`, going on after short writes and EINTR.
// 0, or the errno of the write that failed.
int writeAll(int fd, std::string_view bytes);

// Flushes the folder `dir` (native), so that renames and removals made in it
// survive a power cut. Failures are ignored: there is nothing to undo.
void syncDirectory(const std::string& dir);

// A fresh temporary name for `path` (native) in its folder:
// "<dir>/.<name>.<pid>.<n>.tmp". No two calls in one process give the same.
std::string temporaryPathFor(const std::string& path);

// Writes `content` to `path` (native) through a temporary file and a rename.
// 0 when `path` holds `content`; else the errno of the step that failed, and
// the old file is unchanged.
int replaceFile(const std::string& path, std::string_view content, const FileOptions& options = {});

// replaceFile() as a yes or no, for callers that only report a failure.
bool replaceFileAtomically(const std::string& path, std::string_view content,
                           const FileOptions& options = {});

// Puts the already written file `from` in place of `to` (both native, in one
// folder) by a rename, its mode set by the rule above; with `durable`, `from`
// is flushed before and the folder after. 0, or the errno of the step that
// failed; `from` then stays where it was. When `from` and `to` already
// name the same file, `from` is removed and `to` stays.
int installFile(const std::string& from, const std::string& to, const FileOptions& options = {});

// Removes from `dir` (native) the stale temporaries of the files whose names
// match `namePattern` (wildcards as findFiles(); a replacement passes its own
// file's name): those whose process id names no running process (and is
// not this process's), and those older than kAbandonedTemporaryAge. Returns
// how many went. Which temporaries count as a file's is decided by name only:
// ".<name>.<decimal pid>.<decimal n>.tmp".
size_t removeStaleTemporaries(const std::string& dir, std::string_view namePattern);

}  // namespace vtx::platform
