#include "ConsoleStatusBoard.h"

namespace vtx::linkagent {

const char* ConsoleStatusBoard::fieldName(StatusField field) {
    switch (field) {
        case StatusField::Message:
            return "message";
        case StatusField::Connection:
            return "connection";
        case StatusField::Logon:
            return "logon";
        case StatusField::Ftp:
            return "ftp";
        case StatusField::DialUpDetail:
            return "dialup";
    }
    return "status";
}

void ConsoleStatusBoard::show(StatusField field, const std::string& text) {
    const std::string line = std::string(fieldName(field)) + ": " + text;
    output_.line(line);
    logger_.log(line);
    if (window_) window_->show(field, text);
}

}  // namespace vtx::linkagent
