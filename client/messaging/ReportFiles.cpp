#include "messaging/ReportFiles.h"

#include "core/IniAccess.h"
#include "core/NumericText.h"

namespace vtx::client {
namespace {

QString prefixOf(ReportFileKind kind, int tipoEstab) {
    if (kind == ReportFileKind::TransacoesPendentes) return QStringLiteral("TP");
    if (tipoEstab < 1 || tipoEstab > 3) return {};
    static const char* const kPrefixes[][3] = {
        {"SS", "SR", "SD"}, {"FS", "FR", "FD"}, {"PT", "DR", "DD"},
        {"PS", "PR", "PD"}, {"TS", "TR", "TD"}};
    return QString::fromLatin1(kPrefixes[static_cast<int>(kind)][tipoEstab - 1]);
}

QString zeroFilled(const QString& numero, int digits) {
    const double value = valueOf(numero);
    return QString::number(static_cast<qint64>(value < 0 ? 0 : value + 0.5))
        .rightJustified(digits, u'0');
}

}  // namespace

QString reportFilePattern(ReportFileKind kind, int tipoEstab, const QString& codigoAdministradora,
                          const QString& numero) {
    const QString prefix = prefixOf(kind, tipoEstab);
    if (prefix.isEmpty()) return {};
    QString suffix;
    if (kind == ReportFileKind::ProdutosTransacao) suffix = u'-' + zeroFilled(numero, 12);
    QString codigo = trimBlanks(codigoAdministradora);
    if (kind == ReportFileKind::ProdutosLote || kind == ReportFileKind::TransacoesLote)
        suffix = u'-' + zeroFilled(numero, 6);
    if (kind == ReportFileKind::TransacoesLote) codigo.truncate(8);
    return prefix + codigo + suffix + QStringLiteral(".S??");
}

}  // namespace vtx::client
