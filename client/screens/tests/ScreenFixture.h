// Test fixture of the screens: a private station (VTX_ROOT, installation
// directory C:\Vantrix), a session over scripted message boxes and a fake
// communication library, a recording main frame, the card screen's captions
// for all three establishment types and one administrator that asks for one
// numeric identification field.
#pragma once

#include <gtest/gtest.h>

#include <QWidget>
#include <functional>
#include <optional>

#include "TestRoot.h"
#include "core/ClientSession.h"
#include "core/testing/ScriptedDialogs.h"
#include "screens/MainFrame.h"
#include "screens/ScreenOpeners.h"

namespace vtx::client::test {

class FakeFrame : public MainFrame {
public:
    void SetaCaption(const QString& text) override { caption = text; }
    void setPrintEnabled(bool enabled) override { printEnabled = enabled; }
    void setLogonReminderEnabled(bool enabled) override { reminderChanges.push_back(enabled); }
    void encerra() override { ++encerrado; }
    QWidget* screenArea() override { return nullptr; }
    void setCloseRoutine(const QString&, std::function<void()>) override {}
    void setPrintRoutine(const QString&, std::function<void()>) override {}

    QString caption;
    bool printEnabled = true;
    std::vector<bool> reminderChanges;
    int encerrado = 0;
};

class FakeComm : public CommLibrary {
public:
    std::optional<int> process(QString& exchange, QString& admin, const QString&) override {
        ++calls;
        sent.push_back(exchange);
        (void)admin;
        if (!reply) return std::nullopt;
        return reply(exchange);
    }
    std::optional<Price> getPreco(const QString&, const QString&, const QString&,
                                  const Price&) override {
        return std::nullopt;
    }
    // nullptr: the library cannot be reached.
    std::function<int(QString& exchange)> reply;
    int calls = 0;
    QStringList sent;
};

// One 35-character caption slot.
QString slot(const char* flag, int min, int max, const QString& caption);
// The same slot for the three establishment types.
QString allTypes(const QString& slotText);
// The card screen's captions, the same for the three types: every control
// shown, typed cards of 10 to 19 digits only.
void setCardCaptions(CaptionTable& captions);

class ScreenTest : public ::testing::Test {
protected:
    ScreenTest();

    void setCaption(const char* section, const char* key, const QString& value) {
        session_.captions.setValue(QString::fromLatin1(section), QString::fromLatin1(key), value);
    }
    // The text of every box shown so far, joined (for failure output).
    std::string shown() const { return dialogs_.texts().join(" | ").toStdString(); }

    vtx::test::TempRoot root_;
    testing::ScriptedDialogs dialogs_;
    FakeComm comm_;
    ClientSession session_{dialogs_, comm_};
    FakeFrame frame_;
    ScreenOpeners openers_;
};

// A VXTb_Opr.txt record: field 1 of `kind` ("N", or " " for none).
QString operatorLine(const char* name, const char* code, const char* kind1, int min1, int max1,
                     const char* label1);

}  // namespace vtx::client::test
