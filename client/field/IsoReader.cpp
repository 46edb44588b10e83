#include <algorithm>

#include "field/Bit63Layouts.h"
#include "field/GetCampo.h"
#include "field/IsoBitReader.h"
#include "field/IsoTables.h"
#include "field/LeadingNumber.h"

namespace vtx::client {

namespace {

constexpr qsizetype kLengthDigits = 4;
constexpr qsizetype kReceiptLineWidth = 38;

qsizetype declaredLength(QStringView answer) {
    if (answer.size() < kLengthDigits) return -1;
    qsizetype value = 0;
    for (QChar c : answer.left(kLengthDigits)) {
        if (c < u'0' || c > u'9') return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

}  // namespace

QStringView isoAnswerBody(QStringView answer) {
    qsizetype end = answer.size();
    while (end > 0 && answer[end - 1] == u' ') --end;
    const qsizetype declared = declaredLength(answer);
    if (declared >= 0 && kLengthDigits + declared <= answer.size()) {
        end = std::max(end, kLengthDigits + declared);
    }
    if (end <= kLengthDigits) return {};
    return answer.mid(kLengthDigits, end - kLengthDigits);
}

QString LeBitIso(int bit, QStringView isoText) {
    const IsoBitRead read = readIsoBit(bit, isoText);
    switch (read.status) {
        case IsoBitRead::Status::kOk:
            return read.data;
        case IsoBitRead::Status::kTruncated:
            return QStringLiteral("Tamanho Inválido");
        case IsoBitRead::Status::kAbsent:
        case IsoBitRead::Status::kMalformed:
            break;
    }
    return {};
}

FieldRead getCampoIso(QStringView answer, QStringView key, int& receiptLineCount) {
    const QStringView body = isoAnswerBody(answer);

    const IsoBitRead bit60 = readIsoBit(60, body);
    if (bit60.status == IsoBitRead::Status::kOk &&
        bit60.data == u"Erro de formatacao na mensagem") {
        return {};
    }

    static const QString kMap = QString::fromLatin1(kGroupBitMap);
    const int bit = bitOfKey(kMap, key);
    const IsoBitRead read = readIsoBit(bit, body);
    // A truncated bit reads as empty and is reported; the rules below then
    // work on empty data.
    std::optional<Fault> fault;
    if (read.status == IsoBitRead::Status::kTruncated) {
        fault = Fault{QStringLiteral("GetCampo"), QStringLiteral("9 - Tamanho Inválido")};
    }
    const QString raw = read.status == IsoBitRead::Status::kOk ? read.data : QString();
    const QStringView group = key.left(3);
    const qint64 occurrence = leadingNumber(key.mid(4, 3));

    QString value;
    if (bit == 61) {
        const qint64 start = occurrence * kReceiptLineWidth;
        if (start >= 0 && start < raw.size()) value = raw.mid(start, kReceiptLineWidth);
    } else if (bit == 60 && group == u"900") {
        value = raw.left(1);
    } else if (bit == 60 && group == u"901") {
        value = raw.mid(1, 2);
    } else if (bit == 60 && group == u"028") {
        if (raw.isEmpty()) {
            receiptLineCount = 0;
        } else {
            value = raw.mid(3, 2);
            receiptLineCount = static_cast<int>(leadingNumber(value));
        }
    } else if (bit == 63) {
        const QString kind = answer.mid(4, 4).toString() + answer.mid(24, 6).toString();
        value = bit63SubField(kind, group, occurrence, raw, receiptLineCount).value_or(raw);
    } else {
        value = raw;
    }
    return {value, fault};
}

}  // namespace vtx::client
