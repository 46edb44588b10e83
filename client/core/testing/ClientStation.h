// Test fixture: a private station (VTX_ROOT) with the client's configuration
// files, a settings record, a scripted Dialogs and an error reporter over
// them. The installation directory is C:\Vantrix.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "TestRoot.h"
#include "core/ErrorReporter.h"
#include "core/EstruturaPrincipal.h"
#include "core/testing/ScriptedDialogs.h"

namespace vtx::client {

class ClientStation : public ::testing::Test {
protected:
    // Raw bytes (Windows-1252) of a file below the root, e.g. "C/Vantrix/X".
    void writeFile(std::string_view relative, std::string_view bytes) {
        root_.writeFile(relative, bytes);
    }

    // Settings as if loaded: reports shown, files in C:\Vantrix.
    void useLoadedSettings() {
        settings_.PathServer = QStringLiteral("C:\\VANTRIX");
        settings_.PathCore = QStringLiteral("C:\\VANTRIX");
        settings_.TipoLog = QStringLiteral("M");
        settings_.TituloMensagem = QStringLiteral("ATENÇÃO");
    }

    vtx::test::TempRoot root_;
    EstruturaPrincipal settings_;
    testing::ScriptedDialogs dialogs_;
    ErrorReporter reporter_{settings_, dialogs_};
};

}  // namespace vtx::client
