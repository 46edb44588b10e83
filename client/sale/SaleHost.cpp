#include "sale/SaleHost.h"

#include <QCoreApplication>

namespace vtx::client::sale {

void SaleHost::caption(const QString& text) const {
    if (setCaption) setCaption(text);
}

void SaleHost::printEnabled(bool enabled) const {
    if (setPrintEnabled) setPrintEnabled(enabled);
}

void SaleHost::closeRoutine(const QString& telaAtual, std::function<void()> routine) const {
    if (setCloseRoutine) setCloseRoutine(telaAtual, std::move(routine));
}

void SaleHost::printRoutine(const QString& telaAtual, std::function<void()> routine) const {
    if (setPrintRoutine) setPrintRoutine(telaAtual, std::move(routine));
}

void SaleHost::endTheProgram() const {
    if (endProgram)
        endProgram();
    else
        QCoreApplication::quit();
}

}  // namespace vtx::client::sale
