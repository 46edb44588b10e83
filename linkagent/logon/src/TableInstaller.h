// Puts a table file assembled at logon in place in the installation
// directory, replacing what the station had:
//   a name with an extension .Sxx (from its first ".S", exactly four
//     characters, e.g. UP.S07): the new file is moved in, then every other
//     generation of the family (UP.S??) is deleted;
//   any other name: the file it replaces is kept as "<name>.BKP" (an older
//     .BKP goes), then the new file is moved in.
// The new file is in place before anything older is removed, and the file
// it replaces stays readable under its name until the move, so a crash
// never leaves the station without a table it had; the new file reaches the
// disk before the move. Tables (manager passwords, card ranges) get mode
// 0600 at most. Names found on disk compare without regard to case.
//
// Thread-safety: one installer per logon thread; the directory is not
// locked against other writers.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "vtx/linkagent/AgentServices.h"

namespace vtx::linkagent::logon {

class TableInstaller {
public:
    // `dir`: the installation directory, native.
    TableInstaller(std::string dir, Logger& logger) : dir_(std::move(dir)), logger_(logger) {}

    // Moves `tempPath` to `name` (a safe name, see isSafeTableName). False
    // when the new file could not be put in place: logged as
    // "Erro movendo arquivo [%s] para [%s]", and the station keeps what it
    // had.
    bool install(const std::string& tempPath, const std::string& name) const;

    // True for a name whose text from its first ".S" is four characters.
    static bool isGenerationName(std::string_view name);

    // Deletes every generation of `name`'s family (a generation name) but
    // `name` itself: the second half of installing it, on its own for an
    // install that was cut short after the move.
    void removeOtherGenerations(const std::string& name) const;

private:
    // The directory's file with this name, found without regard to case.
    std::optional<std::string> existing(const std::string& name) const;
    bool move(const std::string& from, const std::string& to) const;
    bool keepCopy(const std::string& from, const std::string& to) const;

    std::string dir_;
    Logger& logger_;
};

}  // namespace vtx::linkagent::logon
