// Test double of the installer's boxes: records every box and answers the
// questions from a script (Cancel once it is used up).
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "WizardPrompts.h"

namespace vtx::install {

class ScriptedPrompts : public WizardPrompts {
public:
    struct Shown {
        std::string title;
        std::string text;
        bool question = false;
    };
    void message(const std::string& title, const std::string& text) override {
        shown.push_back({title, text, false});
    }
    bool question(const std::string& title, const std::string& text) override {
        shown.push_back({title, text, true});
        const bool ok = !answers.empty() && answers.front();
        if (!answers.empty()) answers.pop_front();
        return ok;
    }
    std::vector<Shown> shown;
    std::deque<bool> answers;  // true: OK
};

}  // namespace vtx::install
