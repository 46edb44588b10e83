// Test fixture for the manager login: a private station (VTX_ROOT) whose
// installation directory C:\Vantrix holds UP.Sxx and LT0001.Sxx named with
// their checksums, and a session over scripted message boxes.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "TestRoot.h"
#include "core/ClientSession.h"
#include "core/Cp1252Text.h"
#include "core/PasswordScrambler.h"
#include "core/testing/ChecksummedName.h"
#include "core/testing/ScriptedDialogs.h"
#include "vtx/platform/Paths.h"

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace vtx::client {

class ManagerStation : public ::testing::Test {
protected:
    ManagerStation() {
        session_.settings.PathServer = QStringLiteral("C:\\VANTRIX");
        session_.settings.PathCore = QStringLiteral("C:\\VANTRIX");
        session_.settings.TipoLog = QStringLiteral("M");
        session_.settings.TituloMensagem = QStringLiteral("ATENÇÃO");
        session_.settings.TipoEstab = 1;
        root_.writeFile("C/Vantrix/VtxClient.ini", "");
    }

    // Five slots of scrambled passwords, as UP.Sxx holds them.
    static std::string passwordLine(const std::vector<std::string>& passwords) {
        std::string line;
        for (const std::string& plain : passwords) {
            QString slot = QString::fromLatin1(plain.c_str());
            CriptografiaSenha(slot, QStringLiteral("C"));
            std::string bytes = toCp1252(slot);
            bytes.resize(6, ' ');
            line += bytes;
        }
        return line;
    }

    // Writes `bytes` as C:\Vantrix\<prefix><checksum>; the file name.
    std::string writeChecksummed(const std::string& prefix, const std::string& bytes) {
        std::string name = testing::checksummedName(prefix, bytes);
        root_.writeFile("C/Vantrix/" + name, bytes);
        return name;
    }

    std::string writePasswords(const std::vector<std::string>& passwords) {
        return writeChecksummed("UP.S", passwordLine(passwords) + "\r\n");
    }

    std::vector<std::string> filesLike(const std::string& pattern) const {
        return platform::findFiles(root_.native("C/Vantrix"), pattern);
    }

    std::string readServerFile(const std::string& name) const {
        return root_.readFile("C/Vantrix/" + name).value_or("<missing>");
    }

    // Caption value of one field rule for type 1: kind, minimum, maximum, label.
    void setRule(const char* key, const char* slot) {
        session_.captions.setValue(QStringLiteral("FormLogin"), QString::fromLatin1(key),
                                   QString::fromUtf8(slot));
    }

    vtx::test::TempRoot root_;
    testing::ScriptedDialogs dialogs_;
    testing::UnreachableCommLibrary comm_;
    ClientSession session_{dialogs_, comm_};
};

}  // namespace vtx::client
