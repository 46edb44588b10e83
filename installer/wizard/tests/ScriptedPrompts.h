// Test double of the installer's boxes: records every box shown and answers
// the questions from a script (Cancel once the script is used up), so no
// test waits on a box.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "WizardPrompts.h"

namespace vtx::installer {

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
        if (answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<Shown> shown;
    std::deque<bool> answers;  // true: OK
};

}  // namespace vtx::installer
