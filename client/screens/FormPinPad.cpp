#include "screens/FormPinPad.h"

#include <QLabel>
#include <QVBoxLayout>

#include "core/Guarded.h"
#include "widgets/FormHelpers.h"

namespace vtx::client {

FormPinPad::FormPinPad(const ErrorReporter& reporter, GetTrackFunction getTrack, QWidget* parent)
    : QDialog(parent), reporter_(reporter), getTrack_(std::move(getTrack)) {
    setObjectName(QStringLiteral("FormPinPad"));
    setWindowTitle(QStringLiteral("PinPad"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("Passe o cartão no PinPad"), this);
    label->setObjectName(QStringLiteral("lblMensagem"));
    layout->addWidget(label);
    timer_.setSingleShot(true);
    timer_.setInterval(1);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { Timer1_Timer(); });
}

int FormPinPad::exec() {
    leitura_ = TrackRead{};
    adjustSize();
    widgets::CentralizaJanela(*this);
    timer_.start();
    return QDialog::exec();
}

void FormPinPad::Timer1_Timer() {
    timer_.stop();
    guarded(reporter_, "Timer1_Timer", [&] {
        std::optional<TrackRead> read = getTrack_ ? getTrack_() : std::nullopt;
        if (read) {
            leitura_ = *read;
        } else {
            leitura_ = TrackRead{};
            reporter_.TrataErro(QStringLiteral("Timer1_Timer"), kTextoModuloPin);
        }
    });
    accept();
}

}  // namespace vtx::client
