// A control takes its entry of the station's caption section: a button its
// caption and enabled flag, a label its caption. An empty caption keeps the
// control's standard text (a station without the key still reads what the
// control does); the flag applies all the same, so a missing key leaves the
// button disabled.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include "core/CaptionTable.h"

class QLabel;
class QPushButton;

namespace vtx::client::sale {

void aplicaCaption(QPushButton& button, const CaptionEntry& entry);
void aplicaCaption(QLabel& label, const CaptionEntry& entry);

}  // namespace vtx::client::sale
