// The pre-sale screens' test station: a session over the scripted
// communication library (text form) with the screens' caption sections, a
// chosen administrator, and a SaleHost that records what the screens asked
// of the main window.
#pragma once

#include <QStringList>
#include <functional>
#include <map>

#include "TestRoot.h"
#include "field/tests/QStringPrinter.h"
#include "messaging/tests/MessagingFixture.h"
#include "sale/SaleHost.h"

namespace vtx::client::sale::test {

struct PreSaleStation {
    PreSaleStation();

    // The answer of an eligibility for a sale that reads back `items`
    // ("code;type;qty;gross;discount;net;collect" in cents), `mais` the
    // continuation.
    static QString leitura(const QStringList& items, int mais);
    // The answer of a product query listing `items` ("code;description;type").
    static QString consulta(const QStringList& items, int mais);
    // Sends the eligibility whose answer the sale screen reads back.
    void elegibilidade(const QString& answer);
    // The value of field `key` in sent message `index` (-1: the last).
    QString sentField(const QString& key, int index = -1) const;

    vtx::test::TempRoot root;
    vtx::client::test::MessagingFixture f;
    SaleHost host;
    QStringList captions;
    std::map<QString, std::function<void()>> closeRoutines;
    int cardScreens = 0;
    int receipts = 0;
};

}  // namespace vtx::client::sale::test
