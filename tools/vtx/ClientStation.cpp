#include "ClientStation.h"

#include <QFile>
#include <QTextStream>
#include <cstdio>

#include "MaskedText.h"
#include "core/SetaEstruturaPrincipal.h"
#include "messaging/GridLoaders.h"
#include "messaging/MessageExchange.h"
#include "messaging/ReceiptLines.h"
#include "vtx/platform/Cp1252.h"
#include "vtx/platform/Paths.h"
#include "vtx/platform/SharedLibrary.h"

namespace vtx::tool {

using namespace vtx::client;

bool Options::parse(const Args& args, const std::vector<std::string>& valueOptions,
                    const std::vector<std::string>& flags) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto isIn = [&](const std::vector<std::string>& list) {
            return std::find(list.begin(), list.end(), a) != list.end();
        };
        if (isIn(flags)) {
            values_.emplace_back(a, "");
        } else if (isIn(valueOptions) && i + 1 < args.size()) {
            values_.emplace_back(a, args[++i]);
        } else {
            std::fprintf(stderr, "vtx: unknown option or missing value: %s\n", a.c_str());
            return false;
        }
    }
    return true;
}

QString Options::value(const std::string& name, const QString& def) const {
    for (const auto& [k, v] : values_)
        if (k == name) return QString::fromStdString(v);
    return def;
}

bool Options::has(const std::string& name) const {
    for (const auto& kv : values_)
        if (kv.first == name) return true;
    return false;
}

ClientStation::ClientStation() : comm_(QString()), session_(dialogs_, comm_) {}

bool ClientStation::open(const QString& admin, bool iso) {
    EstruturaPrincipal& s = session_.settings;
    if (!SetaEstruturaPrincipal(s, session_.captions, session_.reporter,
                                QString::fromStdString(platform::programDirectory()))) {
        std::fputs("vtx: Erro nos arquivos de configuração! (VtxClient.ini / CORE.INI)\n", stderr);
        return false;
    }
    if (iso) s.MsgIso = true;
    if (!session_.operadoras.ObtemDadosOperadora(s, session_.reporter)) return false;
    int index = admin.isEmpty() ? 1 : session_.operadoras.indexOfName(admin);
    if (index == 0) index = session_.operadoras.indexOfCode(admin);
    if (!session_.operadoras.select(index, s)) {
        std::fprintf(stderr, "vtx: no administrator \"%s\" in VXTb_Opr.txt\n",
                     admin.toUtf8().constData());
        return false;
    }
    // The client sends the administrator's name upper-cased.
    s.NomeAdministradora = s.NomeAdministradora.toUpper();
    // The transactions sent from here go into the station's journal, as the
    // client's do, so that neither leaves one the other does not know.
    journal_ = std::make_unique<client::TransactionJournal>(client::TransactionJournal::pathFor(s));
    if (!journal_->load()) {
        std::fprintf(stderr, "vtx: %s: %s\n", journal_->path().c_str(),
                     journal_->lastError().toUtf8().constData());
        return false;
    }
    session_.journal = journal_.get();
    session_.journalActor = client::JournalActor::Suporte;
    return true;
}

void ClientStation::printAnswer(bool accepted) {
    // The host's answer, its fields and receipt lines may carry the card
    // back: printed masked, as the station's traces show them.
    const auto masked = [](const QString& text) { return maskedText(text.toStdString()); };
    const QString& answer = session_.RetornoMensagem;
    const int length = answer.left(4).toInt();
    std::printf("answer: %s\n", masked(answer.mid(4, length > 0 ? length : -1).trimmed()).c_str());
    for (const char* key : {"009-000", "012-000", "030-000"}) {
        const QString value = GetCampo(session_, QString::fromLatin1(key));
        if (!value.isEmpty()) std::printf("  %s = %s\n", key, masked(value).c_str());
    }
    const qint16 lines = GetQtdLinha(session_);
    if (lines > 0) {
        std::printf("receipt (%d lines):\n", lines);
        for (qint16 i = 0; i < lines; ++i)
            std::printf("  | %s\n", masked(GetLinhaImpressao(session_, i)).c_str());
    }
    std::printf("status: %s\n", accepted ? "accepted" : "refused");
}

void ClientStation::printGrid(const GridModel& grid) {
    using namespace PreSaleColumn;
    for (int row = 1; row <= grid.maxRows(); ++row) {
        std::printf("  item %d: code %s type %s qty %s gross %s discount %s net %s collect %s status %s\n",
                    row, grid.text(row, kCodigo).toUtf8().constData(),
                    grid.text(row, kTipoItem).toUtf8().constData(),
                    grid.text(row, kQuantidade).toUtf8().constData(),
                    grid.text(row, kPrecoBruto).toUtf8().constData(),
                    grid.text(row, kDesconto).toUtf8().constData(),
                    grid.text(row, kPrecoLiquido).toUtf8().constData(),
                    grid.text(row, kValorReceber).toUtf8().constData(),
                    grid.text(row, kStatus).toUtf8().constData());
    }
}

std::optional<GridModel> readProductsCsv(const QString& path) {
    QFile file(QString::fromStdString(platform::resolve(path.toStdString())));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "vtx: cannot read %s\n", path.toUtf8().constData());
        return std::nullopt;
    }
    GridModel grid(0, PreSaleColumn::kCount);
    int number = 0;
    while (!file.atEnd() && number < 100000) {
        ++number;
        QString line = QString::fromStdString(platform::cp1252ToUtf8(file.readLine().toStdString())).trimmed();
        if (line.isEmpty() || line.startsWith(u'#') || line.startsWith(QStringLiteral("code"))) continue;
        QStringList f = line.split(line.contains(u';') ? u';' : u',');
        if (f.size() < 3) {
            std::fprintf(stderr, "vtx: %s line %d: expected code;quantity;gross[;discount;net;type;complement]\n",
                         path.toUtf8().constData(), number);
            return std::nullopt;
        }
        while (f.size() < 7) f << QString();
        using namespace PreSaleColumn;
        const int row = grid.maxRows() + 1;
        grid.setMaxRows(row);
        grid.setText(row, kCodigo, f[0].trimmed());
        grid.setText(row, kQuantidade, f[1].trimmed());
        grid.setText(row, kPrecoBruto, f[2].trimmed());
        grid.setText(row, kDesconto, f[3].trimmed().isEmpty() ? QStringLiteral("0,00") : f[3].trimmed());
        grid.setText(row, kPrecoLiquido, f[4].trimmed().isEmpty() ? f[2].trimmed() : f[4].trimmed());
        grid.setText(row, kTipoItem, f[5].trimmed().isEmpty() ? QStringLiteral("U") : f[5].trimmed());
        grid.setText(row, kComplemento, f[6].trimmed());
        grid.setText(row, kValorReceber, QStringLiteral("0,00"));
        grid.setText(row, kValorCredito, QStringLiteral("0,00"));
    }
    return grid;
}

}  // namespace vtx::tool
