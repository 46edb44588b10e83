#include "widgets/FormLayout.h"

#include <QGridLayout>
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

QGridLayout* evenButtonGrid(std::initializer_list<QPushButton*> buttons, int columns, int height,
                            int spacing) {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(spacing);
    grid->setVerticalSpacing(spacing);
    int position = 0;
    for (QPushButton* button : buttons) {
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setMinimumHeight(height);
        grid->addWidget(button, position / columns, position % columns);
        ++position;
    }
    for (int column = 0; column < columns; ++column) grid->setColumnStretch(column, 1);
    return grid;
}

}  // namespace vtx::client::widgets
