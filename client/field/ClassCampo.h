// One field of a field message: its 7-character key "GGG-NNN", the length of
// its value, the field appended just before it and the value.
//
// Thread-safety: none; a field belongs to the message that holds it.
#pragma once

#include <QString>
#include <QtGlobal>

namespace vtx::client {

class ClassCampo {
public:
    static constexpr int kKeyLength = 7;

    // The key, always 7 characters.
    const QString& chaveKY9() const { return chave_; }
    // Stores `key` cut to 7 characters or padded on the right with blanks.
    void setChaveKY9(const QString& key);

    // Number of characters of the value; set when the field is appended to a
    // message that already holds a field, 0 otherwise. Saturates at 32767.
    qint16 Comprimento() const { return comprimento_; }
    void setComprimento(qsizetype length);

    // The field appended just before this one, or nullptr for the first field.
    // Not owned: the message owns every field.
    const ClassCampo* Proximo() const { return proximo_; }
    void setProximo(const ClassCampo* previous) { proximo_ = previous; }

    const QString& conteudo() const { return conteudo_; }
    void setConteudo(const QString& value) { conteudo_ = value; }

private:
    QString chave_ = QString(kKeyLength, u' ');
    qint16 comprimento_ = 0;
    const ClassCampo* proximo_ = nullptr;
    QString conteudo_;
};

}  // namespace vtx::client
