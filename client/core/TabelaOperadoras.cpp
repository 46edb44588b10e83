#include "core/TabelaOperadoras.h"

#include <QSet>
#include <limits>

#include "core/Cp1252Text.h"
#include "core/DataFile.h"
#include "core/IniAccess.h"
#include "core/NumericText.h"

namespace vtx::client {
namespace {

constexpr char kTabelaOperadorasProcedure[] = "ObtemDadosOperadora";
constexpr size_t kMaxLineBytes = 4096;  // records use 105; the rest is ignored anyway

// Characters `from` (1-based) to `from + width - 1`, blank padded to `width`.
QString textAt(const QString& line, int from, int width) {
    return line.mid(from - 1, width).leftJustified(width, u' ', true);
}

qint16 numberAt(const QString& line, int from, int width) {
    return toInt16(valueOf(line.mid(from - 1, width))).value_or(0);
}

IdentificationField fieldAt(const QString& line, int from) {
    IdentificationField field;
    field.kind = textAt(line, from, 1);
    field.minLength = numberAt(line, from + 1, 2);
    field.maxLength = numberAt(line, from + 3, 2);
    field.label = textAt(line, from + 5, 20);
    return field;
}

}  // namespace

OperatorRecord OperatorRecord::parse(const QString& line) {
    OperatorRecord record;
    record.name = textAt(line, 1, 20);
    record.code = textAt(line, 21, 8);
    record.fields[0] = fieldAt(line, 29);
    record.fields[1] = fieldAt(line, 54);
    record.fields[2] = fieldAt(line, 79);
    record.finalCode = textAt(line, 104, 2);
    return record;
}

bool TabelaOperadoras::ObtemDadosOperadora(const EstruturaPrincipal& settings,
                                           const ErrorReporter& reporter) {
    records_.clear();
    const QString path = settings.serverFile(QString::fromLatin1(kFileName));
    if (!DataFile::exists(path)) {
        reporter.TrataErro(QString::fromLatin1(kTabelaOperadorasProcedure),
                           QStringLiteral("Arquivo ") + QString::fromLatin1(kFileName) +
                               QStringLiteral(" não foi encontrado."));
        return false;
    }
    std::vector<OperatorRecord> read;
    std::optional<FileFault> fault =
        DataFile::readLines(path, kMaxLineBytes, [&](std::string_view bytes) {
            QString line = fromCp1252(bytes);
            if (!trimBlanks(line).isEmpty()) read.push_back(OperatorRecord::parse(line));
            return true;
        });
    if (fault) {
        reporter.TrataErro(QString::fromLatin1(kTabelaOperadorasProcedure), fault->number, fault->description);
        return false;
    }
    records_ = std::move(read);
    return true;
}

const OperatorRecord* TabelaOperadoras::at(int index) const {
    if (index < 1 || index > size()) return nullptr;
    return &records_[static_cast<size_t>(index - 1)];
}

QStringList TabelaOperadoras::names() const {
    QStringList out;
    out.reserve(size());
    for (const OperatorRecord& record : records_) out.append(trimBlanks(record.name));
    return out;
}

std::vector<CodeChoice> TabelaOperadoras::distinctCodes() const {
    std::vector<CodeChoice> out;
    QSet<QString> seen;
    for (int i = 1; i <= size(); ++i) {
        QString code = trimBlanks(at(i)->code).toUpper();
        if (seen.contains(code)) continue;
        seen.insert(code);
        out.push_back({code, i});
    }
    return out;
}

int TabelaOperadoras::indexOfName(const QString& name) const {
    const QString wanted = trimBlanks(name);
    for (int i = 1; i <= size(); ++i) {
        if (trimBlanks(at(i)->name).compare(wanted, Qt::CaseInsensitive) == 0) return i;
    }
    return 0;
}

int TabelaOperadoras::indexOfCode(const QString& code) const {
    const QString wanted = trimBlanks(code).toUpper();
    for (int i = 1; i <= size(); ++i) {
        if (trimBlanks(at(i)->code).toUpper() == wanted) return i;
    }
    return 0;
}

bool TabelaOperadoras::select(int index, EstruturaPrincipal& settings) const {
    const OperatorRecord* record = at(index);
    // AdmSelecionada is 16-bit: a record beyond its range cannot be chosen.
    if (record == nullptr || index > std::numeric_limits<qint16>::max()) return false;
    settings.AdmSelecionada = static_cast<qint16>(index);
    settings.NomeAdministradora = trimBlanks(record->name);
    settings.CodigoAdministradora = trimBlanks(record->code);
    return true;
}

}  // namespace vtx::client
