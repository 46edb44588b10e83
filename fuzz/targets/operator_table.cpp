// The operator table VXTb_Opr.txt, a line at a time, on any text: each line
// reads as a record without reading past the line.
#include <QString>

#include "FuzzInput.h"
#include "core/TabelaOperadoras.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString line = QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    (void)vtx::client::OperatorRecord::parse(line);
    return 0;
}
