// Walks the bits of an ISO 8583 field message up to the one asked for.
//
// Thread-safety: pure function.
#pragma once

#include <QString>
#include <QStringView>

namespace vtx::client {

struct IsoBitRead {
    enum class Status {
        kOk,         // data holds the bit's data
        kAbsent,     // the bit is not in the bitmap (or outside 1-64)
        kTruncated,  // a length of this or an earlier bit runs past the data
        kMalformed,  // short or non-hexadecimal bitmap, non-numeric length
    };
    Status status = Status::kAbsent;
    QString data;
};

// `isoText`: message type (4 characters), 16 hexadecimal bitmap digits, data.
IsoBitRead readIsoBit(int bit, QStringView isoText);

}  // namespace vtx::client
