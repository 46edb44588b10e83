#include "ClientChecks.h"

#include "core/CheckSum.h"
#include "core/Cp1252Text.h"
#include "core/Dialogs.h"
#include "core/EstruturaPrincipal.h"

namespace vtx::crash {
namespace {

class NoBoxes : public client::Dialogs {
public:
    client::MessageAnswer showMessage(const client::MessageRequest&) override {
        return client::MessageAnswer::Ok;
    }
};

}  // namespace

const client::ErrorReporter& quietReporter() {
    static const client::EstruturaPrincipal settings;
    static NoBoxes dialogs;
    static const client::ErrorReporter reporter(settings, dialogs);
    return reporter;
}

std::string checksummedName(std::string_view prefix, const std::vector<std::string>& lines) {
    qint32 sum = 0;
    qint32 weight = 1;
    for (const std::string& line : lines)
        client::SomaLinhaCheckSum(client::fromCp1252(line), sum, weight);
    return std::string(prefix) + client::checkValueOf(sum).toStdString();
}

bool nameMatchesContent(const std::string& path) {
    QString check;
    return client::Valida_Check_Sum_Arquivo(QString::fromStdString(path), check, quietReporter());
}

}  // namespace vtx::crash
