#include "messaging/CarregaGrid.h"

#include <QFile>
#include <QFileInfo>

#include "core/CheckSum.h"
#include "core/Cp1252Text.h"
#include "core/IniAccess.h"
#include "messaging/ReportCell.h"
#include "messaging/ReportItems.h"
#include "vtx/platform/Paths.h"

namespace vtx::client {
namespace {

constexpr char kCarregaGridProcedure[] = "CarregaGrid";
const QString kTitle = QStringLiteral("Atenção");
const QString kHeadingCode = QStringLiteral("000");
const QString kHiddenHeading = QStringLiteral("0");

// Fills the grid from the items; the grid ends with one blank row after the
// last row that had cells, as rows are added one at a time.
void fillGrid(const QStringList& items, GridModel& grid, QString& subtitle) {
    qsizetype i = 0;
    const qsizetype count = items.size();
    while (i < count) {
        const QString code = items.at(i++);
        if (code.startsWith(kHeadingCode)) {
            if (i < count) subtitle = trimBlanks(items.at(i++)).mid(1);
            if (i < count) ++i;  // the empty item that ends the heading record
            continue;
        }
        // A grid row: the record code is not shown.
        const int row = grid.maxRows();
        int col = 0;
        while (i < count) {
            const QString item = items.at(i++);
            if (item.isEmpty()) break;
            ++col;
            // The heading row fixes the columns; cells beyond them are dropped.
            if (row == 0 && col > grid.maxCols()) grid.setMaxCols(col);
            const ReportCell cell = reportCell(item);
            grid.setText(row, col, cell.text);
            if (row > 0 && cell.known) grid.setAlignment(col, cell.alignment);
            if (col <= grid.maxCols() && cell.text.size() > grid.columnWidth(col))
                grid.setColumnWidth(col, static_cast<int>(cell.text.size()));
        }
        if (col > 0) grid.setMaxRows(row + 1);
    }
    for (int col = 1; col <= grid.maxCols(); ++col)
        grid.setColumnHidden(col, grid.headingText(col) == kHiddenHeading);
}

}  // namespace

ReportLoad loadReportFile(const QString& pattern, GridModel& grid, QString& subtitle,
                          const EstruturaPrincipal& settings, const ErrorReporter& reporter,
                          QString& path) {
    grid.setMaxRows(0);
    grid.setMaxCols(0);
    path = pattern;
    const std::optional<std::string> found = vtx::platform::findFirstFile(
        toFileSystemPath(settings.PathServer), toFileSystemPath(pattern));
    if (!found) return ReportLoad::Missing;
    path = settings.serverFile(QFileInfo(QString::fromStdString(*found)).fileName());
    QString checkValue;
    if (!Valida_Check_Sum_Arquivo(path, checkValue, reporter)) return ReportLoad::Corrupt;
    QFile file(QString::fromStdString(*found));
    if (!file.open(QIODevice::ReadOnly)) {
        reporter.TrataErro(QString::fromLatin1(kCarregaGridProcedure),
                           QStringLiteral("Arquivo ") + path + QStringLiteral(": ") + file.errorString());
        return ReportLoad::Unreadable;
    }
    const QByteArray bytes = file.readAll();
    const std::string_view text(bytes.constData(), static_cast<size_t>(bytes.size()));
    fillGrid(reportItems(text), grid, subtitle);
    // The row after the last one read is always blank: drop it.
    if (grid.maxRows() > 0) grid.setMaxRows(grid.maxRows() - 1);
    return grid.maxRows() == 0 ? ReportLoad::Empty : ReportLoad::Loaded;
}

bool CarregaGrid(const QString& pattern, GridModel& grid, QString& subtitle,
                 ClientSession& session) {
    QString path;
    switch (loadReportFile(pattern, grid, subtitle, session.settings, session.reporter, path)) {
        case ReportLoad::Loaded:
            return true;
        case ReportLoad::Missing:
            session.dialogs.message(QStringLiteral("Não existem registros a serem exibidos! Arquivo ") +
                                        pattern + QStringLiteral(" não foi encontrado."),
                                    kTitle, MessageIcon::Information);
            return false;
        case ReportLoad::Corrupt:
            session.dialogs.message(QStringLiteral("Arquivo ") + path +
                                        QStringLiteral(" corrompido ! Contatar o suporte !"),
                                    kTitle, MessageIcon::Critical);
            return false;
        case ReportLoad::Unreadable:
            return false;
        case ReportLoad::Empty:
            session.dialogs.message(QStringLiteral("Não existem registros a serem exibidos!"), kTitle,
                                    MessageIcon::Information);
            return false;
    }
    return false;
}

}  // namespace vtx::client
