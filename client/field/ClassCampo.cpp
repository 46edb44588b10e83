#include "field/ClassCampo.h"

#include <algorithm>
#include <limits>

namespace vtx::client {

void ClassCampo::setChaveKY9(const QString& key) {
    chave_ = key.left(kKeyLength).leftJustified(kKeyLength, u' ');
}

void ClassCampo::setComprimento(qsizetype length) {
    constexpr qsizetype kMax = std::numeric_limits<qint16>::max();
    comprimento_ = static_cast<qint16>(std::clamp<qsizetype>(length, 0, kMax));
}

}  // namespace vtx::client
