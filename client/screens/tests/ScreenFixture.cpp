#include "screens/tests/ScreenFixture.h"

namespace vtx::client::test {

QString slot(const char* flag, int min, int max, const QString& caption) {
    return QString::fromLatin1(flag).leftJustified(1, u' ', true) +
           QString::number(min).rightJustified(2, u'0') +
           QString::number(max).rightJustified(2, u'0') + caption.leftJustified(30, u' ', true);
}

QString allTypes(const QString& slotText) {
    return slotText + slotText + slotText;
}

QString operatorLine(const char* name, const char* code, const char* kind1, int min1, int max1,
                     const char* label1) {
    return QString::fromLatin1(name).leftJustified(20, u' ', true) +
           QString::fromLatin1(code).leftJustified(8, u' ', true) +
           QString::fromLatin1(kind1).leftJustified(1, u' ', true) +
           QString::number(min1).rightJustified(2, u'0') +
           QString::number(max1).rightJustified(2, u'0') +
           QString::fromLatin1(label1).leftJustified(20, u' ', true) + QString(25, u' ') +
           QString(25, u' ') + QStringLiteral("00");
}

ScreenTest::ScreenTest() {
    EstruturaPrincipal& s = session_.settings;
    s.PathServer = QStringLiteral("C:\\VANTRIX");
    s.PathCore = QStringLiteral("C:\\VANTRIX");
    s.TipoLog = QStringLiteral("M");
    s.TituloMensagem = QStringLiteral("ATENÇÃO");
    s.CodigoEstab = QStringLiteral("000000000012345");
    s.CodigoAcesso = QString::fromLatin1(kCodigoAcesso);
    s.TimeOutLogin = 30;
    s.TipoEstabDefault = 1;
    s.TipoEstab = 1;
    s.LeitorType = 0;

    setCardCaptions(session_.captions);
    session_.operadoras.setRecords(
        {OperatorRecord::parse(operatorLine("REDE ALFA", "ALFA0001", "N", 3, 10, "Matricula"))});
    // Pin pad windows run for real: their timer reads the card.
    dialogs_.onForm(QStringLiteral("FormPinPad"), [](ModalForm& form) { return form.exec(); });
}

void setCardCaptions(CaptionTable& captions) {
    const std::pair<const char*, QString> card[] = {
        {"txtCartao", slot("N", 10, 19, QStringLiteral("Número do Cartão"))},
        {"BtnPreVenda", slot("Y", 0, 0, {})},
        {"cmdVenda", slot("Y", 0, 0, {})},
        {"cmdAdmin", slot("Y", 0, 0, {})},
        {"CmdConfirmaOper_Caption", slot("Y", 0, 0, QStringLiteral("F3 - &Confirma Operadora"))},
        {"CmdConfirmaCartao_Caption", slot("Y", 0, 0, QStringLiteral("F3 - &Confirma Cartão"))},
        {"BtnPreVenda_Caption", slot("Y", 0, 0, QStringLiteral("F2 - &Pré Autorização"))},
        {"CmdVenda_Caption", slot("Y", 0, 0, QStringLiteral("F4 - &Autorização"))},
        {"CmdAdmin_Caption", slot("Y", 0, 0, QStringLiteral("F5 - &Administrativas"))},
        {"CmdLimpa_Caption", slot("Y", 0, 0, QStringLiteral("F8 - L&impa"))},
        {"fraSelecionaTipoEstab_Caption",
         slot("Y", 0, 0, QStringLiteral("Seleciona Tipo do Estabelecimento"))},
        {"fraIdentifica_Caption", slot("Y", 0, 0, QStringLiteral("Identificação do Portador"))},
        {"optSelecaoEstab", slot("Y", 0, 0, QStringLiteral("&Estabelecimento"))},
        {"optSelecaoRede", slot("Y", 0, 0, QStringLiteral("&Rede"))},
        {"optSelecaoDistribuidor", slot("Y", 0, 0, QStringLiteral("&Distribuidor"))},
        {"optLeitura", slot("Y", 0, 0, QStringLiteral("&Leitura"))},
        {"optDigitacao", slot("Y", 0, 0, QStringLiteral("&Digitação"))},
    };
    for (const auto& [key, value] : card)
        captions.setValue(QStringLiteral("FormInicial"), QString::fromLatin1(key), allTypes(value));
}

}  // namespace vtx::client::test
