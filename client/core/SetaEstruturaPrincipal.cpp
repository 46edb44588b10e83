#include "core/SetaEstruturaPrincipal.h"

#include <new>
#include <optional>

#include "core/IniAccess.h"
#include "core/MontaTela.h"
#include "core/NumericText.h"
#include "vtx/platform/SharedLibrary.h"

namespace vtx::client {
namespace {

const QString kSetaEstruturaPrincipalProcedure = QStringLiteral("SetaEstruturaPrincipal");
const QString kCore = QStringLiteral("CORE");
const QString kConfig = QStringLiteral("CONFIG");
const QString kGeral = QStringLiteral("DADOS_GERAIS");

// A configured folder: Windows-style paths are upper-cased, native ones kept.
QString folderText(const QString& value) {
    return value.startsWith(u'/') ? value : value.toUpper();
}

// A number beyond its field: a run-time fault, reported as such.
bool overflow(const ErrorReporter& reporter) {
    reporter.TrataErro(kSetaEstruturaPrincipalProcedure, 6, QStringLiteral("Overflow"));
    return false;
}

// The keys up to IdentificaCartaoDS: any failed read ends the load.
bool loadFirstKeys(EstruturaPrincipal& s, const ErrorReporter& reporter,
                   const QString& programFolder) {
    const QString locator = QString::fromLatin1(kLocatorIni);
    QString v;
    if (!LeLinhaArquivoIni(kCore, QStringLiteral("Path Server"), programFolder, v, locator))
        return false;
    s.PathServer = folderText(v);
    if (!LeLinhaArquivoIni(kCore, QStringLiteral("Path CORE"), programFolder, v, locator))
        return false;
    s.PathCore = folderText(v);

    const QString client = s.clientIni();
    const QString core = s.serverCoreIni();
    if (!LeLinhaArquivoIni(kGeral, QStringLiteral("TipoLog"), QStringLiteral("M"), v, client))
        return false;
    s.TipoLog = v.toUpper().left(1);
    if (!LeLinhaArquivoIni(kGeral, QStringLiteral("TituloMensagem"), QStringLiteral("ATENÇÃO"), v,
                           client))
        return false;
    s.TituloMensagem = v.toUpper();
    if (!LeLinhaArquivoIni(kConfig, QStringLiteral("ESTAB_CODE"), QString(), v, core)) return false;
    s.CodigoEstab = v.toUpper();
    s.CodigoAcesso = QString::fromLatin1(kCodigoAcesso);
    if (!LeLinhaArquivoIni(kGeral, QStringLiteral("TimeOut_Login"), QString(), v, client))
        return false;
    std::optional<qint32> timeOut = toInt32(valueOf(v));
    if (!timeOut) return overflow(reporter);
    s.TimeOutLogin = *timeOut;
    if (!LeLinhaArquivoIni(kGeral, QStringLiteral("bMsgIso"), QString(), v, client)) return false;
    s.MsgIso = v == QStringLiteral("Y");
    if (!LeLinhaArquivoIni(kGeral, QStringLiteral("TIPOESTAB_Default"), QStringLiteral("1"), v,
                           client))
        return false;
    std::optional<qint16> tipoEstab = toInt16(valueOf(v));
    if (!tipoEstab) return overflow(reporter);
    s.TipoEstabDefault = *tipoEstab;
    if (!LeLinhaArquivoIni(kGeral, QStringLiteral("bIdentificaCartao_DS"), QStringLiteral("N"), v,
                           client))
        return false;
    if (v == QStringLiteral("Y")) s.IdentificaCartaoDS = true;
    return true;
}

// The keys after IdentificaCartaoDS: a missing or empty one takes its default.
bool loadLaterKeys(EstruturaPrincipal& s, const ErrorReporter& reporter) {
    const QString client = s.clientIni();
    const QString core = s.serverCoreIni();
    QString v;
    auto text = [&](const QString& section, const char* key, const QString& file,
                    const QString& def) {
        return LeLinhaArquivoIni(section, QString::fromLatin1(key), QString(), v, file)
                   ? v.toUpper()
                   : def;
    };
    s.FileAux.clear();
    if (LeLinhaArquivoIni(kConfig, QStringLiteral("FILEAUX"), QString(), v, core)) {
        s.FileAux = folderText(v);
        if (!s.FileAux.endsWith(u'\\') && !s.FileAux.endsWith(u'/')) s.FileAux += u'\\';
    }
    s.MsgApproval = text(kGeral, "Msg_Approval", client, QString());
    s.PendenteAoIniciar = text(kGeral, "PendenteAoIniciar", client, QStringLiteral("PERGUNTAR"));
    s.AlertaValBrId = text(kGeral, "AlertaValBr_Id", client, QStringLiteral("NNN"));
    s.AlertaDescId = text(kGeral, "AlertaDesc_Id", client, QStringLiteral("NNN"));
    QString layout = text(kConfig, "LayoutArquivo", core, QStringLiteral("0"));
    std::optional<qint16> layoutNumber = toInt16(valueOf(layout));
    if (!layoutNumber) return overflow(reporter);
    s.LayoutArquivo = *layoutNumber;
    s.CodProcessamentoPreVenda = text(kGeral, "Cod_Processamento_Pre_Venda", client, QString());
    return true;
}

}  // namespace

bool SetaEstruturaPrincipal(EstruturaPrincipal& settings, CaptionTable& captions,
                            const ErrorReporter& reporter, const QString& programFolder) {
    try {
        QString folder = programFolder;
        if (folder.isEmpty()) folder = QString::fromStdString(vtx::platform::programDirectory());
        if (!loadFirstKeys(settings, reporter, folder) || !loadLaterKeys(settings, reporter)) {
            return false;
        }
        MontaTela(settings, captions, reporter);
        settings.TipoEstab = settings.TipoEstabDefault;
        return true;
    } catch (const std::bad_alloc&) {
        reporter.TrataErro(kSetaEstruturaPrincipalProcedure, 7, QStringLiteral("Memória insuficiente"));
    }
    return false;
}

}  // namespace vtx::client
