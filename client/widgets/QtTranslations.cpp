#include "widgets/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace vtx::client::widgets {

bool installQtTranslations(const QString& folder) {
    static QTranslator* installed = nullptr;
    if (installed != nullptr) return true;
    auto* translator = new QTranslator(QCoreApplication::instance());
    const QString from =
        folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    if (!translator->load(QStringLiteral("qtbase_pt_BR"), from) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    installed = translator;
    return true;
}

}  // namespace vtx::client::widgets
