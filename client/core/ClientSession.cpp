#include "core/ClientSession.h"

namespace vtx::client {

void ProductLists::clear() {
    for (QStringList* list : {&codigo, &descricao, &tipoItem, &quantidade, &precoBruto,
                              &precoLiquido, &valorCredito, &valorReceber, &desconto, &complemento,
                              &status})
        list->clear();
    qtdProdutos = 0;
}

int ProductLists::appendEmpty() {
    for (QStringList* list : {&codigo, &descricao, &tipoItem, &quantidade, &precoBruto,
                              &precoLiquido, &valorCredito, &valorReceber, &desconto, &complemento,
                              &status})
        list->append(QString());
    ++qtdProdutos;
    return static_cast<int>(codigo.size()) - 1;
}

QString ProductLists::at(const QStringList& list, int index) {
    return index >= 0 && index < list.size() ? list.at(index) : QString();
}

QString ClientSession::supportReference() const {
    if (const OperatorRecord* record = operadoras.at(settings.AdmSelecionada))
        return record->code.trimmed();
    return settings.CodigoAdministradora.trimmed();
}

}  // namespace vtx::client
