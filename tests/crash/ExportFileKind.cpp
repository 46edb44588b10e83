// The client's point-of-sale export file <NSU>.TRC, written by GerarArquivo
// for a pre-sale. Generations alternate between two sales of the same NSU
// with different product lists; a generation's bytes are those GerarArquivo
// writes for its sale, taken once from a reference folder.
#include <QDateTime>
#include <map>
#include <string>

#include "FileKind.h"
#include "export/GerarArquivo.h"
#include "vtx/platform/Paths.h"

namespace vtx::crash {
namespace {

constexpr const char* kNsu = "000123456789";
constexpr const char* kFile = "123456789.TRC";  // exportFileName() of kNsu

client::ExportSale saleOf(long g) {
    client::ExportSale sale;
    const int products = g % 2 == 0 ? 300 : 220;
    sale.productCount = products;
    for (int p = 0; p < products; ++p) {
        sale.codes << QString::number(7891000100000LL + p + (g % 2) * 5000);
        sale.quantities << QString::number(1 + p % 7);
        sale.grossPrices << QStringLiteral("%1,%2").arg(10 + p).arg(p % 100, 2, 10, QChar(u'0'));
        sale.netPrices << QStringLiteral("%1,00").arg(8 + p);
    }
    sale.nsu = QString::fromLatin1(kNsu);
    sale.identification1 = QStringLiteral("12345678901");
    sale.now = QDateTime(QDate(2026, 12, 9), QTime(3, 0, 0));
    return sale;
}

// The export file of `g`'s sale in `dir` (native).
void exportTo(const std::string& dir, long g) {
    client::GerarArquivo(
        client::exportFileName(QString::fromStdString(dir) + u'/', QString::fromLatin1(kNsu)),
        saleOf(g));
}

class ExportFileKind : public OneFileKind {
public:
    explicit ExportFileKind(const std::string& root)
        : OneFileKind(root, platform::joinPath(root, "C/Vantrix/Export"), kFile),
          referenceDir_(platform::joinPath(root, "reference/export")) {}

    const char* name() const override { return "export"; }
    void write(long n) override { exportTo(dir_, n); }

protected:
    void prepare() override { write(0); }
    std::string content(long g) const override {
        std::string& bytes = reference_[g % 2];
        if (bytes.empty()) {
            detail::emptyFolder(referenceDir_);
            exportTo(referenceDir_, g);
            bytes = detail::readWhole(platform::joinPath(referenceDir_, kFile)).value_or("");
        }
        return bytes;
    }

private:
    const std::string referenceDir_;
    mutable std::map<long, std::string> reference_;
};

}  // namespace

std::unique_ptr<FileKind> makeExportFileKind(const std::string& root) {
    return std::make_unique<ExportFileKind>(root);
}

}  // namespace vtx::crash
