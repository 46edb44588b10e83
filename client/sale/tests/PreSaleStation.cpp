#include "sale/tests/PreSaleStation.h"

#include "messaging/RequestBuilders.h"

namespace vtx::client::sale::test {
namespace {

QString key(const char* group, int index) {
    return QString::fromLatin1(group) + u'-' + QString::number(index).rightJustified(3, u'0');
}

}  // namespace

PreSaleStation::PreSaleStation() {
    ClientSession& s = f.session;
    s.settings.TipoEstab = 1;
    s.settings.PathServer = QStringLiteral("C:\\VANTRIX");
    const QString on = QStringLiteral("Y    ");
    s.captions.setValue("FormPreVenda", "cmdAdicionaProduto_Caption", on + "F3 - &Adiciona Produto");
    s.captions.setValue("FormPreVenda", "cmdConfirma_Caption", on + "F5 - &Finaliza Autorização");
    s.captions.setValue("FormPreVenda", "cmdExcluir_Caption", on + "F8 - &Exclui Produto");
    s.captions.setValue("FormPreVenda", "cmdEditar_Caption", on + "F10 - Edita &Produto");
    s.captions.setValue("FormPreVenda", "lblUsuario", QStringLiteral("N0610Nr Doc. Fiscal"));
    s.captions.setValue("FormSelecaoProduto", "cmdOk_Caption", on + "F3 - &OK");
    s.captions.setValue("FormSelecaoProduto", "cmdCancel_Caption", on + "ESC - &Cancel");
    s.captions.setValue("FormConsultaProdutos", "CmdConfirma_Caption", on + "F5 - C&onfirma Produto");
    s.captions.setValue("FormConsultaProdutos", "CmdRetorna_Caption", on + "F9 - &Produtos Selecionados");
    s.operadoras.setRecords({OperatorRecord::parse(QStringLiteral("REDE ALFA           ALFA0001"))});
    s.settings.AdmSelecionada = 1;
    s.cartao = {QStringLiteral("6012345678901234"), QStringLiteral("123"), QString()};

    host.setCaption = [this](const QString& text) { captions << text; };
    host.setCloseRoutine = [this](const QString& tela, std::function<void()> routine) {
        if (routine)
            closeRoutines[tela] = std::move(routine);
        else
            closeRoutines.erase(tela);
    };
    host.showCardScreen = [this] { ++cardScreens; };
    host.openReceipt = [this] { ++receipts; };
    host.endProgram = [] {};
}

QString PreSaleStation::leitura(const QStringList& items, int mais) {
    QString answer = QStringLiteral("009-000=00;012-000=000777;900-000=") + QString::number(mais) +
                     QStringLiteral(";901-000=") +
                     QString::number(items.size()).rightJustified(2, u'0') + u';';
    for (int i = 0; i < items.size(); ++i) {
        const QStringList v = items[i].split(u';');
        const char* groups[] = {"902", "906", "905", "910", "909", "911", "912"};
        for (int g = 0; g < 7; ++g) answer += key(groups[g], i) + u'=' + v.value(g) + u';';
        answer += key("919", i) + QStringLiteral("=00;");
    }
    return answer;
}

QString PreSaleStation::consulta(const QStringList& items, int mais) {
    QString answer = QStringLiteral("009-000=00;900-000=") + QString::number(mais) +
                     QStringLiteral(";901-000=") +
                     QString::number(items.size()).rightJustified(2, u'0') + u';';
    for (int i = 0; i < items.size(); ++i) {
        const QStringList v = items[i].split(u';');
        answer += key("902", i) + u'=' + v.value(0) + u';' + key("903", i) + u'=' + v.value(1) +
                  u';' + key("904", i) + QStringLiteral("=LAB;") + key("906", i) + u'=' +
                  v.value(2) + u';' + key("910", i) + QStringLiteral("=1250;") + key("909", i) +
                  QStringLiteral("=1000;") + key("911", i) + QStringLiteral("=1125;") +
                  key("912", i) + QStringLiteral("=900;") + key("919", i) + QStringLiteral("=00;");
    }
    return answer;
}

void PreSaleStation::elegibilidade(const QString& answer) {
    f.session.tipoTransacao = f.session.settings.TelaAtual;
    f.comm.answerText(answer);
    Mensagem_ElegPortador(f.session, 0);
}

QString PreSaleStation::sentField(const QString& wanted, int index) const {
    for (const QString& field : f.fieldsSent(index))
        if (field.startsWith(wanted + u'=')) return field.mid(wanted.size() + 1);
    return QStringLiteral("<absent>");
}

}  // namespace vtx::client::sale::test
