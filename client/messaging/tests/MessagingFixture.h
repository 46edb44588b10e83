// Test helpers for the messaging layer: a communication library fake that
// records what the client sent and answers from a script, and a session
// wired to it with a fixed clock and scripted message boxes.
#pragma once

#include <QDateTime>
#include <QStringList>
#include <deque>
#include <optional>

#include "core/ClientSession.h"
#include "core/testing/ScriptedDialogs.h"

namespace vtx::client::test {

class FakeCommLibrary : public CommLibrary {
public:
    struct Answer {
        int result = 0;
        QString message;  // framed into the buffer ("%04d" + message) when result >= 0
    };
    std::optional<int> process(QString& exchange, QString& admin, const QString& service) override;
    std::optional<Price> getPreco(const QString& code, const QString& itemType,
                                  const QString& store, const Price& given) override;

    void answer(int result, const QString& message = {}) { answers.push_back({result, message}); }
    void answerText(const QString& message) { answer(0, message); }

    bool reachable = true;
    std::deque<Answer> answers;   // consumed in order; when empty: "009-000=00;"
    QStringList sent;             // the message part of every exchange buffer
    QStringList buffers;          // every exchange buffer as passed
    QStringList admins;           // the administrator argument of every call
    std::optional<Price> price;   // the answer of getPreco
};

// A session over the fake, text form, settings filled as a station would.
struct MessagingFixture {
    MessagingFixture();
    testing::ScriptedDialogs dialogs;
    FakeCommLibrary comm;
    ClientSession session{dialogs, comm};
    // The fields of the last message sent, "KKK-NNN=value" each.
    QStringList fieldsSent(int index = -1) const;
};

}  // namespace vtx::client::test
