// The KeyPress rule of a text box: every key that types a character
// (Backspace and Enter included) is put to a rule, and a key the rule
// refuses does not reach the box. Keys without a character (arrows, Delete)
// and shortcuts (Ctrl+V, ...) pass untouched; what they bring in is for the
// screen's own checks.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QObject>
#include <functional>

class QLineEdit;

namespace vtx::client::sale {

class CharacterFilter : public QObject {
public:
    // Installs a filter owned by the box.
    static CharacterFilter* install(QLineEdit& box, std::function<bool(QChar)> accepts);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CharacterFilter(QObject* parent, std::function<bool(QChar)> accepts)
        : QObject(parent), accepts_(std::move(accepts)) {}

    std::function<bool(QChar)> accepts_;
};

}  // namespace vtx::client::sale
