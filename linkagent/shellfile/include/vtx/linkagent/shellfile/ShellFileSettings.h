// The folder interface's settings, CORE.INI section [ShellFile], and where
// its two folders are: below the installation directory, "<dir>\<folder>".
//
// Added key: Pause_Next_File, the milliseconds between taking one request
// file and taking the next (default 5000; 0 takes the next at once; at most
// one hour).
//
// Thread-safety: pure functions over the files.
#pragma once

#include <chrono>
#include <string>

namespace vtx::linkagent {

struct ShellFileSettings {
    std::string inputFolder = "REQ";               // Input_Folder
    std::string outputFolder = "RESP";             // Output_Folder
    std::string extension = "001";                 // "Input_Extension File"
    std::string dllExec = "VX32_CLI.DLL";          // "Dll Exec"
    std::string functionExec = "Process_Server";   // "Function Exec"
    std::string eofMarker = "999-999";             // EOF
    std::chrono::milliseconds pause{5000};         // Pause_Next_File
};

// `coreIni`: CORE.INI's path (Windows-style or native). Missing keys take
// their defaults; an empty folder, extension or library name too.
ShellFileSettings readShellFileSettings(const std::string& coreIni);

// Native paths of the two folders below the installation directory.
std::string shellInputFolder(const std::string& installDir, const ShellFileSettings& settings);
std::string shellOutputFolder(const std::string& installDir, const ShellFileSettings& settings);

}  // namespace vtx::linkagent
