#include "sale/CharacterFilter.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace vtx::client::sale {

CharacterFilter* CharacterFilter::install(QLineEdit& box, std::function<bool(QChar)> accepts) {
    auto* filter = new CharacterFilter(&box, std::move(accepts));
    box.installEventFilter(filter);
    return filter;
}

bool CharacterFilter::eventFilter(QObject*, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString text = key->text();
    if (text.isEmpty()) return false;
    return !accepts_(text.at(0));
}

}  // namespace vtx::client::sale
