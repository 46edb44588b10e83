#include "widgets/FormLayout.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace vtx::client::widgets {

QHBoxLayout* evenButtonRow(std::initializer_list<QPushButton*> buttons, int height, int spacing) {
    auto* row = new QHBoxLayout;
    row->setSpacing(spacing);
    for (QPushButton* button : buttons) {
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setMinimumHeight(height);
        row->addWidget(button, 1);
    }
    return row;
}

}  // namespace vtx::client::widgets
