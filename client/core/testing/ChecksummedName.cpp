#include "core/testing/ChecksummedName.h"

#include "core/CheckSum.h"
#include "core/Cp1252Text.h"

namespace vtx::client::testing {

std::string checksummedName(std::string_view prefix, std::string_view bytes) {
    qint32 sum = 0;
    qint32 weight = 1;
    std::string line;
    for (char c : bytes) {
        if (c == '\r' || c == '\n') continue;
        line.push_back(c);
    }
    SomaLinhaCheckSum(fromCp1252(line), sum, weight);
    return std::string(prefix) + checkValueOf(sum).toStdString();
}

}  // namespace vtx::client::testing
