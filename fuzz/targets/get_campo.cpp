// Reading the host's answer field by field on any bytes, in both forms: the
// text form's GetCampo and the ISO form's bits (LeBitIso, getCampoIso).
#include <QString>

#include "FuzzInput.h"
#include "field/GetCampo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vtx::client;
    const QString answer = QString::fromLatin1(reinterpret_cast<const char*>(data),
                                               static_cast<qsizetype>(size));
    int lines = 0;
    for (const char* key : {"000-000", "009-000", "028-000", "900-000", "901-001", "063-002",
                            "061-003", "060-000"}) {
        const QString k = QString::fromLatin1(key);
        (void)GetCampo(answer, k, false, lines);
        (void)GetCampo(answer, k, true, lines);
    }
    for (int bit : {2, 3, 4, 11, 39, 60, 61, 62, 63, 127, 128})
        (void)LeBitIso(bit, answer);
    return 0;
}
