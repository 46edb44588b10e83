// The record layouts of bit 63 (product items) in ISO answers, chosen by the
// answer's kind: message type followed by processing code, e.g. "0110800100".
//
// Thread-safety: constant tables and pure functions.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace vtx::client {

// Sub-field `group` of record `occurrence` in `raw` (bit 63's data) for
// `kind`; record n starts at n x size + 1, after `receiptLineCount` x 40
// characters for the kinds that carry the receipt lines first. nullopt when
// the kind has no layout or the group no place in it (the caller then takes
// the whole data). A record beyond the data reads as the characters that
// exist, possibly none.
std::optional<QString> bit63SubField(QStringView kind, QStringView group, qint64 occurrence,
                                     QStringView raw, int receiptLineCount);

}  // namespace vtx::client
