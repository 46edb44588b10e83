#include "export/GerarArquivo.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <optional>

#include "export/LocalDecimal.h"
#include "export/TrcRecords.h"
#include "field/LeadingNumber.h"
#include "vtx/platform/AtomicFile.h"
#include "vtx/platform/Cp1252.h"
#include "vtx/platform/Paths.h"

namespace vtx::client {

namespace {

struct Failure {
    int number;
    const char* description;
};

constexpr Failure kOverflow{6, "Overflow"};
constexpr Failure kSubscriptOutOfRange{9, "Subscript out of range"};
constexpr Failure kTypeMismatch{13, "Type mismatch"};
constexpr Failure kDeviceIoError{57, "Device I/O error"};
constexpr Failure kFileAccessError{75, "Path/File access error"};
constexpr Failure kPathNotFound{76, "Path not found"};

constexpr int kCodeDigits = 13;
constexpr qint64 kMaxQuantity = 9'999;
constexpr qint64 kMaxTotalQuantity = 99'999;
constexpr int kMaxProductCount = 9'999;

ExportResult failed(Failure f) {
    return {false, QStringLiteral("Erro na função GerarArquivo : %1 - %2")
                       .arg(f.number)
                       .arg(QLatin1String(f.description))};
}

bool isAmount(qint64 hundredths) {
    return hundredths >= 0 && hundredths <= kMaxAmount;
}

// The code as a 13-digit number.
std::optional<Failure> convertCode(const QString& text, QString& code) {
    const QString digits = text.trimmed();
    if (digits.isEmpty()) return kTypeMismatch;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9') return kTypeMismatch;
    }
    qsizetype first = 0;
    while (first < digits.size() - 1 && digits[first] == u'0') ++first;
    if (digits.size() - first > kCodeDigits) return kOverflow;
    code = digits.mid(first).rightJustified(kCodeDigits, u'0');
    return std::nullopt;
}

std::optional<Failure> convertProduct(const ExportSale& sale, qsizetype i, QChar separator,
                                      TrcProduct& product, qint64& quantityHundredths) {
    if (i >= sale.quantities.size() || i >= sale.grossPrices.size() || i >= sale.netPrices.size()) {
        return kSubscriptOutOfRange;
    }
    if (auto fault = convertCode(sale.codes[i], product.code)) return fault;
    const auto quantity = parseHundredths(sale.quantities[i], separator);
    const auto gross = parseHundredths(sale.grossPrices[i], separator);
    const auto net = parseHundredths(sale.netPrices[i], separator);
    if (!quantity || !gross || !net) return kTypeMismatch;
    if (*quantity < 0 || !isAmount(*gross) || !isAmount(*net) || *net > *gross) return kOverflow;
    product.quantity = roundToUnits(*quantity);
    if (product.quantity > kMaxQuantity) return kOverflow;
    product.gross = *gross;
    product.net = *net;
    // Both factors are bounded above, so the product cannot overflow.
    product.netTimesQuantity = roundToUnits(*net * *quantity);
    if (!isAmount(product.netTimesQuantity)) return kOverflow;
    quantityHundredths = *quantity;
    return std::nullopt;
}

std::optional<Failure> convert(const ExportSale& sale, const ExportFormat& format,
                               TrcContent& content) {
    if (sale.productCount < 0 || sale.productCount > kMaxProductCount) return kOverflow;
    content.productCount = sale.productCount;
    qint64 quantityHundredths = 0;
    for (qsizetype i = 0; i < sale.codes.size(); ++i) {
        TrcProduct product;
        qint64 quantity = 0;
        if (auto fault = convertProduct(sale, i, format.decimalSeparator, product, quantity)) {
            return fault;
        }
        quantityHundredths += quantity;
        content.totalGross += product.gross;
        content.totalNet += product.net;
        if (!isAmount(content.totalGross)) return kOverflow;
        content.products.push_back(product);
    }
    content.totalQuantity = roundToUnits(quantityHundredths);
    if (content.totalQuantity > kMaxTotalQuantity) return kOverflow;
    content.nsu = sale.nsu;
    content.identification1 = sale.identification1;
    content.identification2 = sale.identification2;
    content.now = sale.now;
    return std::nullopt;
}

// The sale's identification and amounts, for the shop's point-of-sale
// program: the installation's user and group, never others.
std::optional<Failure> writeReplacing(const std::string& path, const std::string& bytes) {
    const int error = platform::replaceFile(path, bytes, {.mode = platform::kGroupReadFileMode});
    switch (error) {
        case 0:
            return std::nullopt;
        case ENOSPC:
        case EDQUOT:
        case EIO:
            return kDeviceIoError;
        default:
            return QFileInfo(QString::fromStdString(path)).absoluteDir().exists() ? kFileAccessError
                                                                                  : kPathNotFound;
    }
}

}  // namespace

ExportResult GerarArquivo(const QString& path, const ExportSale& sale, const ExportFormat& format) {
    TrcContent content;
    if (auto fault = convert(sale, format, content)) return failed(*fault);
    const std::string bytes = platform::utf8ToCp1252(trcText(content, format).toStdString());
    if (auto fault = writeReplacing(platform::resolve(path.toStdString()), bytes)) {
        return failed(*fault);
    }
    return {true, {}};
}

QString exportFileName(const QString& directory, const QString& nsu) {
    return directory + QString::number(leadingNumber(nsu)) + QStringLiteral(".TRC");
}

}  // namespace vtx::client
