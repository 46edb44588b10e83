#include "widgets/QtPrinter.h"

#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <vector>

#include "core/Cp1252Text.h"
#include "core/IniAccess.h"
#include "vtx/platform/Paths.h"

namespace vtx::client::widgets {
namespace {

constexpr int kColumnGapChars = 2;

QString nativeFile(const QString& path) {
    return QString::fromStdString(vtx::platform::resolve(toFileSystemPath(path)));
}

}  // namespace

QtPrinter::QtPrinter() : font_(QStringLiteral("Courier New"), 9) {
    font_.setStyleHint(QFont::TypeWriter);
}

QtPrinter::~QtPrinter() {
    if (painter_ && painter_->isActive()) painter_->end();
}

std::unique_ptr<QtPrinter> QtPrinter::fromSettings(const EstruturaPrincipal& settings) {
    auto printer = std::make_unique<QtPrinter>();
    QString file;
    if (LeLinhaArquivoIni(QStringLiteral("DADOS_GERAIS"), QStringLiteral("ArquivoPDF"), QString(),
                          file, settings.clientIni()))
        printer->setPdfFile(file);
    return printer;
}

bool QtPrinter::fail(const QString& error) {
    if (!failed_) lastError_ = error;
    failed_ = painter_ != nullptr;
    return false;
}

bool QtPrinter::beginDocument(bool landscape) {
    if (painter_) return fail(QStringLiteral("Já existe uma impressão em andamento."));
    lastError_.clear();
    failed_ = false;
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (pdfFile_.isEmpty()) {
        if (QPrinterInfo::defaultPrinter().isNull())
            return fail(QStringLiteral("Nenhuma impressora instalada."));
        printer_->setPrinterName(QPrinterInfo::defaultPrinter().printerName());
    } else {
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(nativeFile(pdfFile_));
    }
    printer_->setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(printer_.get())) {
        printer_.reset();
        return fail(pdfFile_.isEmpty() ? QStringLiteral("A impressora não está disponível.")
                                       : QStringLiteral("Não foi possível gravar o arquivo ") +
                                             pdfFile_ + QStringLiteral("."));
    }
    painter_ = std::move(painter);
    painter_->setFont(font_);
    y_ = 0;
    return true;
}

bool QtPrinter::setFont(const QString& name, double pointSize, bool bold) {
    if (!painter_) return fail(QStringLiteral("Nenhum documento de impressão aberto."));
    font_ = QFont(name, -1, bold ? QFont::Bold : QFont::Normal);
    font_.setStyleHint(QFont::TypeWriter);
    font_.setPointSizeF(pointSize > 0 ? pointSize : 9);
    painter_->setFont(font_);
    return true;
}

bool QtPrinter::ensureRoom(int height) {
    const int pageHeight = painter_->viewport().height();
    if (y_ == 0 || y_ + height <= pageHeight) return true;
    if (!printer_->newPage()) return false;
    y_ = 0;
    return true;
}

bool QtPrinter::printLine(const QString& text) {
    if (!painter_) return fail(QStringLiteral("Nenhum documento de impressão aberto."));
    const QFontMetrics metrics(painter_->font(), printer_.get());
    if (!ensureRoom(metrics.lineSpacing()))
        return fail(QStringLiteral("A impressora recusou uma nova página."));
    painter_->drawText(0, y_ + metrics.ascent(), text);
    y_ += metrics.lineSpacing();
    return true;
}

bool QtPrinter::printGrid(const GridModel& grid, const QString& header) {
    if (!painter_) return fail(QStringLiteral("Nenhum documento de impressão aberto."));
    std::vector<int> columns;
    for (int col = 1; col <= grid.maxCols(); ++col)
        if (!grid.isColumnHidden(col)) columns.push_back(col);

    const QFont bodyFont = painter_->font();
    QFont headingFont = bodyFont;
    headingFont.setBold(true);
    const QFontMetrics metrics(bodyFont, printer_.get());
    const int charWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    const int lineHeight = metrics.lineSpacing();

    // Column widths from the grid's widths in characters, shrunk together
    // when the page is too narrow for them.
    std::vector<int> widths;
    int total = 0;
    for (int col : columns) {
        const int chars =
            std::max({grid.columnWidth(col), static_cast<int>(grid.headingText(col).size()), 1});
        widths.push_back((chars + kColumnGapChars) * charWidth);
        total += widths.back();
    }
    const int pageWidth = painter_->viewport().width();
    if (total > pageWidth && total > 0)
        for (int& width : widths) width = width * pageWidth / total;

    auto printRow = [&](int row) {
        if (!ensureRoom(lineHeight)) return false;
        int x = 0;
        for (size_t i = 0; i < columns.size(); ++i) {
            const int col = columns[i];
            const Qt::Alignment align =
                row == 0 ? Qt::AlignLeft
                         : (grid.alignment(col) == GridModel::Alignment::Right    ? Qt::AlignRight
                            : grid.alignment(col) == GridModel::Alignment::Center ? Qt::AlignHCenter
                                                                                  : Qt::AlignLeft);
            const int gap = charWidth * kColumnGapChars / 2;
            const QRect cell(x + gap, y_, widths[i] - 2 * gap, lineHeight);
            painter_->drawText(
                cell, static_cast<int>(align | Qt::AlignVCenter),
                metrics.elidedText(grid.text(row, col), Qt::ElideRight, cell.width()));
            x += widths[i];
        }
        y_ += lineHeight;
        return true;
    };

    if (!printLine(header) || !printLine(QString())) return false;
    painter_->setFont(headingFont);
    const bool headingPrinted = printRow(0);
    painter_->setFont(bodyFont);
    if (!headingPrinted) return fail(QStringLiteral("A impressora recusou uma nova página."));
    painter_->drawLine(0, y_, std::min(total, pageWidth), y_);
    for (int row = 1; row <= grid.maxRows(); ++row)
        if (!printRow(row)) return fail(QStringLiteral("A impressora recusou uma nova página."));
    return true;
}

bool QtPrinter::endDocument() {
    if (!painter_) return fail(QStringLiteral("Nenhum documento de impressão aberto."));
    if (failed_) printer_->abort();
    const bool ended = painter_->end();
    painter_.reset();
    printer_.reset();
    if (failed_) {
        failed_ = false;
        return false;  // lastError_ keeps the first fault
    }
    if (!ended) return fail(QStringLiteral("A impressora não concluiu a impressão."));
    return true;
}

}  // namespace vtx::client::widgets
