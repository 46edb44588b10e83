#include "core/IniAccess.h"

#include "core/Cp1252Text.h"
#include "vtx/platform/IniFile.h"

namespace vtx::client {
namespace {

constexpr size_t kReadBufferChars = 1023;  // a 1024-character buffer with its terminator

}  // namespace

QString trimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ') ++begin;
    while (end > begin && text[end - 1] == u' ') --end;
    return text.mid(begin, end - begin);
}

bool LeLinhaArquivoIni(const QString& section, const QString& key, const QString& def,
                       QString& value, const QString& file) {
    std::string read = vtx::platform::iniGetString(toFileSystemPath(file), toCp1252(section),
                                                   toCp1252(key), toCp1252(def), kReadBufferChars);
    if (read.empty()) {
        value.clear();
        return false;
    }
    value = trimBlanks(fromCp1252(read));
    return true;
}

bool GravaLinhaArquivoIni(const QString& section, const QString& key, const QString& value,
                          const QString& file) {
    return vtx::platform::iniWriteString(toFileSystemPath(file), toCp1252(section), toCp1252(key),
                                         toCp1252(value));
}

}  // namespace vtx::client
