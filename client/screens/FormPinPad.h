// FormPinPad: the card-reading window of the card screen. Shown modally, it
// reads the card on its first timer tick (GetTrack with a 400-character
// buffer and an empty prompt), keeps the status and the track text for the
// card screen, and closes itself. When the adapter library or its entry
// point cannot be reached, "161 - Impossivel acessar Módulo VX32_Pin.dll" is
// reported through TrataErro and the window closes with the status left at
// -1.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QDialog>
#include <QTimer>

#include "core/Dialogs.h"
#include "core/ErrorReporter.h"
#include "screens/PinPadTrack.h"

namespace vtx::client {

inline const QString kTextoModuloPin =
    QStringLiteral("161 - Impossivel acessar Módulo VX32_Pin.dll");

class FormPinPad : public QDialog, public ModalForm {
public:
    FormPinPad(const ErrorReporter& reporter, GetTrackFunction getTrack, QWidget* parent = nullptr);

    QString formName() const override { return QStringLiteral("FormPinPad"); }
    int exec() override;

    // The read: status -1 and an empty track until a read was made.
    const TrackRead& leitura() const { return leitura_; }

    // The timer's single tick.
    void Timer1_Timer();

private:
    const ErrorReporter& reporter_;
    GetTrackFunction getTrack_;
    QTimer timer_;
    TrackRead leitura_;
};

}  // namespace vtx::client
