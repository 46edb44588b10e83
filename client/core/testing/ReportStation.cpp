#include "core/testing/ReportStation.h"

#include "core/CheckSum.h"
#include "core/Cp1252Text.h"

namespace vtx::client::testing {

QString reportFileName(const QString& stem, const QStringList& lines) {
    qint32 sum = 0;
    qint32 weight = 1;
    for (const QString& line : lines) SomaLinhaCheckSum(line, sum, weight);
    return stem + QStringLiteral(".S") + checkValueOf(sum);
}

void writeReport(const vtx::test::TempRoot& root, const QString& name, const QStringList& lines) {
    std::string content;
    for (const QString& line : lines) content += toCp1252(line) + "\r\n";
    root.writeFile("C/VANTRIX/" + name.toStdString(), content);
}

QString writeCheckedReport(const vtx::test::TempRoot& root, const QString& stem,
                           const QStringList& lines) {
    const QString name = reportFileName(stem, lines);
    writeReport(root, name, lines);
    return name;
}

}  // namespace vtx::client::testing
