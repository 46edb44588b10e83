#include "widgets/Hourglass.h"

#include <QCursor>
#include <QGuiApplication>

namespace vtx::client {
namespace {

bool busy_ = false;

}  // namespace

void setHourglass(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    if (busy)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QGuiApplication::restoreOverrideCursor();
}

bool hourglassShown() {
    return busy_;
}

}  // namespace vtx::client
