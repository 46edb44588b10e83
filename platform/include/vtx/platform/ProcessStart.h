// Starting a program hidden and detached, as the shop stations start the
// connection manager from a one-line batch file.
//
// Thread-safety: safe from any thread.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vtx::platform {

// Result codes in the manner of the Windows program start: above 31 means
// started; the others say why not.
inline constexpr int kStartOk = 33;
inline constexpr int kStartOutOfResources = 0;
inline constexpr int kStartFileNotFound = 2;
inline constexpr int kStartPathNotFound = 3;

// Runs the command file `batchFile` (Windows-style or native path) with
// /bin/sh in a new session, stdin/stdout/stderr on /dev/null, without waiting
// for it and without leaving a zombie. Returns kStartOk when the shell was
// started, kStartFileNotFound when the file does not exist, kStartPathNotFound
// when its folder does not exist, kStartOutOfResources when the process could
// not be created.
int startHidden(std::string_view batchFile);

// Runs the program `program` (Windows-style or native path) with `arguments`
// in the same way: new session, no terminal, not waited for. kStartOk when
// it started; kStartFileNotFound when it does not exist or may not be run.
int startProgramHidden(std::string_view program, const std::vector<std::string>& arguments = {});

}  // namespace vtx::platform
