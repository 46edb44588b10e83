#include "export/TrcRecords.h"

#include <QStringList>

#include "export/LocalDecimal.h"

namespace vtx::client {

namespace {

const QString kZeroAmount = QStringLiteral("0000000,00");
const QString kLineEnd = QStringLiteral("\r\n");

QString blanks(int count) {
    return QString(count, u' ');
}

// Left-justified in `width` characters: cut or blank-filled.
QString fitted(const QString& text, int width) {
    return text.left(width).leftJustified(width);
}

QString dateText(const QDate& date, QChar separator) {
    return zeroPadded(date.day(), 2) + separator + zeroPadded(date.month(), 2) + separator +
           zeroPadded(date.year() % 100, 2);
}

QString identificationRecord(const char* tag, const QString& field) {
    return QLatin1String(tag) + fitted(field, 32) + QStringLiteral("00") + blanks(22);
}

}  // namespace

QString trcText(const TrcContent& c, const ExportFormat& format) {
    const QChar sep = format.decimalSeparator;
    const auto amount = [sep](qint64 hundredths) { return formatAmount(hundredths, sep); };
    const QString nsu8 = fitted(c.nsu.trimmed().right(8), 16);

    QStringList lines;
    lines << QStringLiteral("R1000000-000000X") + dateText(c.now.date(), format.dateSeparator) +
                 QStringLiteral("00") + zeroPadded(c.now.time().hour(), 2) +
                 zeroPadded(c.now.time().minute(), 2) +
                 QStringLiteral("00000000000000000000000004") + blanks(2);
    lines << QStringLiteral("R211100N0") + zeroPadded(c.productCount, 4) +
                 zeroPadded(c.totalQuantity, 5) + amount(c.totalGross) +
                 amount(c.totalGross - c.totalNet) + kZeroAmount + amount(c.totalNet);
    lines << QStringLiteral("R30000000,00") + amount(c.totalNet) + kZeroAmount +
                 amount(c.totalNet) + blanks(16);
    lines << QStringLiteral("R4") + blanks(24) + nsu8 + nsu8;
    lines << QStringLiteral("R5X000000-000000X000000-000000000000000") + blanks(1) +
                 QStringLiteral("000000000000000,00");
    lines << QStringLiteral("R60000000,00") + blanks(40) + QStringLiteral("000000");
    lines << QStringLiteral("R7") + blanks(46) + kZeroAmount;
    lines << identificationRecord("R8", c.identification1);
    lines << identificationRecord("R9", c.identification2);
    for (const TrcProduct& p : c.products) {
        lines << QStringLiteral("RA00000") + zeroPadded(p.quantity, 4) + amount(p.gross) +
                     amount(p.gross - p.net) + amount(p.net) + amount(p.netTimesQuantity) +
                     QStringLiteral("A????000000") + p.code + blanks(3);
    }
    for (const TrcProduct& p : c.products) {
        lines << QStringLiteral("RB0000000000000XXX00000000X0000000000/00/00000000") + p.code +
                     blanks(16);
    }
    return lines.join(kLineEnd) + kLineEnd;
}

}  // namespace vtx::client
