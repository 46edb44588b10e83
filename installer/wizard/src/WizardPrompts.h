// The boxes the installer's window shows: a message with an OK button and an
// OK/Cancel question. The texts are the configuration step's own, in
// Windows-1252 bytes ("\r\n" between lines); the implementation converts them
// for the screen. Tests answer the boxes from a script instead of blocking.
//
// Thread-safety: the user-interface thread only.
#pragma once

#include <string>

namespace vtx::install {

class WizardPrompts {
public:
    virtual ~WizardPrompts() = default;
    virtual void message(const std::string& title, const std::string& text) = 0;
    // True for OK, false for Cancel (or the box closed).
    virtual bool question(const std::string& title, const std::string& text) = 0;
};

}  // namespace vtx::install
