// WizardPrompts on QMessageBox: a box modal to the given window, its buttons
// labelled in Portuguese ("OK", "Cancelar") whether or not Qt's translations
// are installed.
//
// Thread-safety: the user-interface thread only.
#pragma once

#include <QPointer>
#include <QWidget>

#include "WizardPrompts.h"

namespace vtx::install {

class MessageBoxPrompts : public WizardPrompts {
public:
    explicit MessageBoxPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void message(const std::string& title, const std::string& text) override;
    bool question(const std::string& title, const std::string& text) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace vtx::install
