// Test fixture of the receipt and cancellation screens: a private station,
// a session over the scripted communication library (answers in the text
// form), scripted message boxes, a recording printer, a SaleHost that
// records what the screens ask of the program, and the batch files the
// batch screen reads (named with their checksums).
#pragma once

#include <gtest/gtest.h>

#include <QStringList>

#include "TestRoot.h"
#include "core/ClientSession.h"
#include "core/testing/RecordingPrinter.h"
#include "core/testing/ScriptedDialogs.h"
#include "messaging/tests/MessagingFixture.h"
#include "sale/SaleHost.h"

namespace vtx::client::sale {

class ReceiptCancelFixture : public ::testing::Test {
protected:
    ReceiptCancelFixture();

    // A caption value for type 1: flag, minimum and maximum length, caption.
    static QString slot(const QString& flag, int minimo, int maximo, const QString& caption);
    // Every button of the receipt and cancellation screens enabled, with
    // their standard captions.
    void enableButtons();

    // The answer of the last exchange as the session holds it.
    void setAnswer(const QString& fields);

    // Writes the lines as C:\VANTRIX\<stem>.S<checksum>; the name.
    QString writeChecked(const QString& stem, const QStringList& lines);
    // The same lines under a name whose checksum is wrong.
    QString writeDamaged(const QString& stem, const QStringList& lines);

    // The fields sent in exchange `index` (-1: the last), "KKK-NNN=value" each.
    QStringList sent(int index = -1) const;
    QString sentField(const QString& key, int index = -1) const;

    QStringList texts() const { return dialogs_.texts(); }

    vtx::test::TempRoot root_;
    vtx::client::testing::ScriptedDialogs dialogs_;
    vtx::client::test::FakeCommLibrary comm_;
    ClientSession session_{dialogs_, comm_};
    vtx::client::testing::RecordingPrinter printer_;
    SaleHost host_;
    QStringList captions_;           // main window titles set, in order
    std::vector<bool> printStates_;  // the print entry's states, in order
    std::map<QString, std::function<void()>> closeRoutines_;
    std::map<QString, std::function<void()>> printRoutines_;
    int receipts_ = 0;
    int productScreens_ = 0;
    std::function<void()> whileProducts_;  // what the products summary does
    int ended_ = 0;
};

}  // namespace vtx::client::sale
