#include "field/Mensagem.h"

#include <QMap>

#include "field/IsoCodec.h"
#include "field/IsoTables.h"

namespace vtx::client {

namespace {

const QString kFirstKey = QStringLiteral("000-000");

}  // namespace

Mensagem::Mensagem() {
    NovaMensagem();
}

void Mensagem::InicializaMensagem(const QString& tipos, const QString& mapa,
                                  const QString& catalogo, const QString& formatos) {
    tipos_ = tipos;
    mapa_ = mapa;
    catalogo_ = catalogo;
    formatos_ = formatos;
    for (auto& slot : slots_) slot.reset();
    count_ = 0;
    slots_[0] = std::make_unique<ClassCampo>();
    slots_[0]->setChaveKY9(kFirstKey);
    slots_[0]->setConteudo(QStringLiteral("-1"));
}

std::optional<Fault> Mensagem::IncluiCampo(const QString& key, const QString& value) {
    if (value.isEmpty()) return std::nullopt;
    if (count_ >= kMaxCampos) {
        return Fault{QStringLiteral("IncluiCampo"), QStringLiteral("9 - Subscript out of range")};
    }
    // Slot 0 keeps the object that InicializaMensagem put there.
    if (count_ != 0) slots_[static_cast<size_t>(count_)] = std::make_unique<ClassCampo>();
    ClassCampo& field = *slots_[static_cast<size_t>(count_)];
    field.setChaveKY9(key);
    field.setConteudo(value);
    if (count_ != 0) {
        field.setProximo(slots_[static_cast<size_t>(count_ - 1)].get());
        field.setComprimento(value.size());
    } else {
        field.setProximo(nullptr);
    }
    ++count_;
    return std::nullopt;
}

void Mensagem::NovaMensagem() {
    InicializaMensagem(QString::fromLatin1(kIsoBitTypes), QString::fromLatin1(kGroupBitMap),
                       QString::fromLatin1(kFieldCatalogue), QString::fromLatin1(kIsoBitFormats));
}

std::optional<Fault> Mensagem::AdicionaCampo(const QString& key, const QString& value) {
    if (key.compare(kFirstKey, Qt::CaseInsensitive) == 0) NovaMensagem();
    std::optional<Fault> fault = IncluiCampo(key, value);
    if (fault) fault->procedure = QStringLiteral("AdicionaCampo");
    return fault;
}

QString Mensagem::MontaMensagemTexto() const {
    QString text;
    for (int i = 0; i < count_; ++i) {
        const ClassCampo& field = *slots_[static_cast<size_t>(i)];
        text += field.chaveKY9() + u'=' + field.conteudo() + u';';
    }
    return text;
}

IsoForm Mensagem::MontaMensagemIso() const {
    if (count_ == 0) return {};
    // Slot 0 is the message type; every other field adds its value to the
    // data of its bit, in the order the fields were added.
    QMap<int, QString> data;
    for (int i = 1; i < count_; ++i) {
        const int bit = BitDoCampo(slots_[static_cast<size_t>(i)]->chaveKY9());
        if (bit < 1 || bit > kIsoBitCount) continue;
        data[bit] += slots_[static_cast<size_t>(i)]->conteudo();
    }
    IsoBitmap bits;
    QString body;
    for (auto it = data.cbegin(); it != data.cend(); ++it) {
        const QString format = FormatoDoBit(it.key());
        const std::optional<QString> shaped = shapeBitData(it.value(), format, TipoDoBit(it.key()));
        if (!shaped) {
            return {{},
                    Fault{QStringLiteral("MontaMensagemIso"),
                          QStringLiteral("6 - Overflow: bit %1 com %2 caracteres, cabem %3")
                              .arg(it.key())
                              .arg(it.value().size())
                              .arg(bitCapacity(format))}};
        }
        bits[static_cast<size_t>(it.key() - 1)] = true;
        body += *shaped;
    }
    return {slots_[0]->conteudo() + encodeHexBitmap(bits) + body, std::nullopt};
}

qint16 Mensagem::BitDoCampo(QStringView key) const {
    return bitOfKey(mapa_, key);
}

QString Mensagem::FormatoDoBit(int bit) const {
    return formatOfBit(formatos_, bit);
}

QChar Mensagem::TipoDoBit(int bit) const {
    return typeOfBit(tipos_, bit);
}

void Mensagem::setBit63Flags(bool first, bool second) {
    bit63First_ = first;
    bit63Second_ = second;
}

const ClassCampo* Mensagem::campo(int slot) const {
    if (slot < 0 || slot >= kMaxCampos) return nullptr;
    return slots_[static_cast<size_t>(slot)].get();
}

}  // namespace vtx::client
