#include "core/CardRules.h"

#include <QLocale>

#include "core/IniAccess.h"

namespace vtx::client {
namespace {

const QString kTenteNovamente = QStringLiteral(" Tente novamente!");

QString apenasNumerosCartao() {
    return QStringLiteral("Dados Inválidos, digite apenas números no campo cartão.") +
           kTenteNovamente;
}

QString peloMenosCartao(qint16 minimum) {
    return QStringLiteral("Digite pelo menos ") + QString::number(minimum) +
           QStringLiteral(" números no campo cartão.") + kTenteNovamente;
}

}  // namespace

bool cartaoNumerico(const QString& text) {
    const QString trimmed = trimBlanks(text);
    if (trimmed.isEmpty()) return false;
    for (QChar c : trimmed)
        if (!c.isDigit() || c.unicode() > 127) return false;
    return true;
}

bool numerico(const QString& text) {
    QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return false;
    const QChar first = trimmed.at(0);
    if (!first.isDigit() && first != u'+' && first != u'-' && first != u'.' && first != u',')
        return false;
    bool ok = false;
    QLocale::c().toDouble(trimmed.replace(u',', u'.'), &ok);
    return ok;
}

CardCheck checkCard(const QString& card, bool typed, const CaptionEntry& rule) {
    const QString trimmed = trimBlanks(card);
    if (trimmed.isEmpty())
        return {typed ? QStringLiteral("Digite o número do Cartão. Tente novamente!")
                      : QStringLiteral("Passe o Cartão no leitor. Tente novamente!")};
    if (typed && rule.digitsOnly() && !cartaoNumerico(trimmed)) return {apenasNumerosCartao()};
    if (trimmed.size() < rule.minLength)
        return {typed ? peloMenosCartao(rule.minLength)
                      : QStringLiteral("Passe o cartão no leitor. Tente novamente!")};
    return {};
}

CardCheck checkIdentification(const QString& card, bool typed, const CaptionEntry& rule,
                              bool fieldsDigitsOnly,
                              const std::array<IdentificationEntry, 2>& fields) {
    const QString trimmed = trimBlanks(card);
    if (typed) {
        if (rule.digitsOnly() && !numerico(trimmed)) return {apenasNumerosCartao()};
        if (trimmed.size() < rule.minLength) return {peloMenosCartao(rule.minLength)};
    }
    // A field the administrator does not ask for is not checked: it is
    // empty and has nothing to meet.
    const QString notNumeric[] = {
        QStringLiteral("Dados Inválidos, digite apenas números no campo.") + kTenteNovamente,
        QStringLiteral("Dados Inválidos, digite apenas números.") + kTenteNovamente};
    const CardBox boxes[] = {CardBox::Campo1, CardBox::Campo2};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (!fields[i].asked) continue;
        const QString text = trimBlanks(fields[i].text);
        if (fieldsDigitsOnly && !numerico(text)) return {notNumeric[i], boxes[i]};
        if (text.size() < fields[i].minLength)
            return {QStringLiteral("Digite pelo menos ") + QString::number(fields[i].minLength) +
                        QStringLiteral(" números.") + kTenteNovamente,
                    boxes[i]};
    }
    return {};
}

QString pinPadReadMessage(int result) {
    if (result >= 0 || result == -4) return {};
    if (result <= -20) return QStringLiteral("Erro na Leitura do Cartão");
    return QStringLiteral("Erro no Acesso ao PinPad");
}

}  // namespace vtx::client
