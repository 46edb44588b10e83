#include "sale/tests/ReceiptCancelFixture.h"

#include "core/CheckSum.h"
#include "core/Cp1252Text.h"

namespace vtx::client::sale {

ReceiptCancelFixture::ReceiptCancelFixture() {
    EstruturaPrincipal& s = session_.settings;
    s.PathServer = QStringLiteral("C:\\VANTRIX");
    s.TipoLog = QStringLiteral("M");
    s.TituloMensagem = QStringLiteral("ATENÇÃO");
    s.TipoEstab = 1;
    s.CodigoEstab = QStringLiteral("123456789012345");
    s.CodigoAcesso = QString::fromLatin1(kCodigoAcesso);
    s.NomeAdministradora = QStringLiteral("REDE ALFA");
    s.CodigoAdministradora = QStringLiteral("ALFA0001");
    session_.clock = [] { return QDateTime(QDate(2026, 12, 7), QTime(14, 5, 9)); };
    session_.printer = &printer_;
    host_.setCaption = [this](const QString& text) { captions_ << text; };
    host_.setPrintEnabled = [this](bool on) { printStates_.push_back(on); };
    host_.endProgram = [this] { ++ended_; };
    host_.setCloseRoutine = [this](const QString& tela, std::function<void()> r) {
        closeRoutines_[tela] = std::move(r);
    };
    host_.setPrintRoutine = [this](const QString& tela, std::function<void()> r) {
        printRoutines_[tela] = std::move(r);
    };
    host_.openReceipt = [this] { ++receipts_; };
    host_.openTransactionProducts = [this] {
        ++productScreens_;
        if (whileProducts_) whileProducts_();
    };
}

QString ReceiptCancelFixture::slot(const QString& flag, int minimo, int maximo,
                                   const QString& caption) {
    return flag.leftJustified(1, u' ') + QString::number(minimo).rightJustified(2, u'0') +
           QString::number(maximo).rightJustified(2, u'0') + caption;
}

void ReceiptCancelFixture::enableButtons() {
    CaptionTable& c = session_.captions;
    auto on = [](const char* caption) { return slot("Y", 0, 0, QString::fromUtf8(caption)); };
    c.setValue("FormImpressao", "CmdConfirma_Caption", on("F5 - C&onfirma "));
    c.setValue("FormImpressao", "cmdImprimir_Caption", on("F8 - Im&primir"));
    c.setValue("FormImpressao", "cmdAnula_Caption", on("F12 - &Anula"));
    c.setValue("FormNsu", "CmdCanceltotal_Caption", on("F4 - Cancela &Total"));
    c.setValue("FormNsu", "cmdCancelParcial_Caption", on("F8 - &Produtos da Transação"));
    c.setValue("FormCancela", "cmdOk", on("F3 - &OK"));
    c.setValue("FormCancela", "cmdCancel", on("ESC - &Cancel"));
    c.setValue("frmCancelaProdutos", "cmdOk_Caption", on("F3 - &OK"));
    c.setValue("frmCancelaProdutos", "cmdCancel_Caption", on("ESC - &Cancel"));
}

void ReceiptCancelFixture::setAnswer(const QString& fields) {
    session_.RetornoMensagem = QString::number(fields.size()).rightJustified(4, u'0') + fields;
}

QString ReceiptCancelFixture::writeChecked(const QString& stem, const QStringList& lines) {
    qint32 sum = 0;
    qint32 weight = 1;
    std::string content;
    for (const QString& line : lines) {
        SomaLinhaCheckSum(line, sum, weight);
        content += toCp1252(line) + "\r\n";
    }
    const QString name = stem + QStringLiteral(".S") + checkValueOf(sum);
    root_.writeFile("C/VANTRIX/" + name.toStdString(), content);
    return name;
}

QString ReceiptCancelFixture::writeDamaged(const QString& stem, const QStringList& lines) {
    const QString good = writeChecked(stem, lines);
    std::optional<std::string> content = root_.readFile("C/VANTRIX/" + good.toStdString());
    std::remove(root_.native("C/VANTRIX/" + good.toStdString()).c_str());
    const QString bad = stem + (good.endsWith(QStringLiteral("ZZ")) ? QStringLiteral(".SYY")
                                                                   : QStringLiteral(".SZZ"));
    root_.writeFile("C/VANTRIX/" + bad.toStdString(), content.value_or(std::string()));
    return bad;
}

QStringList ReceiptCancelFixture::sent(int index) const {
    const QString message = index < 0 ? comm_.sent.last() : comm_.sent.at(index);
    return message.split(u';', Qt::SkipEmptyParts);
}

QString ReceiptCancelFixture::sentField(const QString& key, int index) const {
    for (const QString& field : sent(index))
        if (field.startsWith(key + u'=')) return field.mid(key.size() + 1);
    return QStringLiteral("<absent>");
}

}  // namespace vtx::client::sale
