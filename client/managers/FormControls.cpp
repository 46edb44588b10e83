#include "managers/FormControls.h"

#include <QCursor>
#include <QDialog>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

#include "widgets/FormHelpers.h"

namespace vtx::client {

void applyFieldCaption(QLabel& label, QLineEdit& field, const CaptionEntry& entry) {
    label.setText(entry.label());
    if (entry.maxLength > 0) field.setMaxLength(entry.maxLength);
}

void prepareTextField(QLineEdit& field) {
    widgets::UpperCaseFilter::install(field);
    widgets::SelectOnFocusFilter::install(field);
}

void applyButtonCaption(QPushButton& button, const CaptionEntry& entry) {
    if (!entry.caption.isEmpty()) button.setText(entry.caption);
    button.setEnabled(entry.enabled());
}

void prepareButton(QPushButton& button) {
    button.setAutoDefault(false);
    button.setDefault(false);
}

void bindKey(QDialog& form, int key, QPushButton& button) {
    auto* shortcut = new QShortcut(QKeySequence(key), &form);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, &button, [&button] {
        if (button.isEnabled() && button.isVisible()) button.click();
    });
}

PointerShape::PointerShape(Qt::CursorShape shape) {
    QGuiApplication::setOverrideCursor(QCursor(shape));
}

PointerShape::~PointerShape() {
    QGuiApplication::restoreOverrideCursor();
}

}  // namespace vtx::client
