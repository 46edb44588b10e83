#include "core/CheckSum.h"

#include <limits>
#include <string_view>

#include "core/Cp1252Text.h"
#include "core/DataFile.h"
#include "core/IniAccess.h"

namespace vtx::client {
namespace {

constexpr char kCheckSumProcedure[] = "Valida_Check_Sum_Arquivo";
constexpr qint64 kSumMax = std::numeric_limits<qint32>::max();

// Adds one byte; false (nothing changed) when the sum or the weight would
// leave the 32-bit range.
bool addByte(unsigned char byte, qint32& sum, qint32& weight) {
    qint64 next = static_cast<qint64>(sum) + static_cast<qint64>(byte) * (weight % 255);
    if (next > kSumMax || weight == std::numeric_limits<qint32>::max()) return false;
    sum = static_cast<qint32>(next);
    ++weight;
    return true;
}

}  // namespace

bool SomaLinhaCheckSum(const QString& line, qint32& sum, qint32& weight) {
    for (char c : toCp1252(line)) {
        if (!addByte(static_cast<unsigned char>(c), sum, weight)) return false;
    }
    return true;
}

QString checkValueOf(qint32 sum) {
    return QStringLiteral("%1").arg(sum % 255, 2, 16, QLatin1Char('0')).toUpper();
}

bool Valida_Check_Sum_Arquivo(const QString& path, QString& checkValue,
                              const ErrorReporter& reporter) {
    if (!DataFile::exists(path)) {
        reporter.TrataErro(
            QString::fromLatin1(kCheckSumProcedure),
            QStringLiteral("Arquivo ") + trimBlanks(path) + QStringLiteral(" não foi encontrado."));
        return false;
    }
    qint32 sum = 0;
    qint32 weight = 1;
    std::optional<FileFault> fault = DataFile::readChunks(path, [&](std::string_view chunk) {
        for (char c : chunk) {
            // Line terminators are not part of the text.
            if (c == '\r' || c == '\n') continue;
            if (!addByte(static_cast<unsigned char>(c), sum, weight)) return false;
        }
        return true;
    });
    if (fault) {
        reporter.TrataErro(
            QString::fromLatin1(kCheckSumProcedure),
            QString::number(fault->number) + QStringLiteral(" - ") + fault->description);
        return false;
    }
    QString computed = checkValueOf(sum);
    if (computed != path.right(2)) return false;
    checkValue = computed;
    return true;
}

}  // namespace vtx::client
