#include "MessageBoxPrompts.h"

#include <QMessageBox>
#include <QPushButton>

#include "CoreText.h"

namespace vtx::install {

void MessageBoxPrompts::message(const std::string& title, const std::string& text) {
    QMessageBox box(QMessageBox::Information, fromCore(title), fromCoreLines(text),
                    QMessageBox::Ok, parent_);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}

bool MessageBoxPrompts::question(const std::string& title, const std::string& text) {
    QMessageBox box(QMessageBox::Question, fromCore(title), fromCoreLines(text),
                    QMessageBox::Ok | QMessageBox::Cancel, parent_);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Cancelar"));
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

}  // namespace vtx::install
