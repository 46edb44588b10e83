// The sale screens as the program opens them: one SaleHost over the main
// window (its title, print entry, close and print commands, screen area and
// end of the program) and the screens of the other layers the sale screens
// lead to (the card screen, the receipt, the products of a transaction), and
// the openers the card screen, the administrative menu and the report screens
// reach them by.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include "app/ReportWindows.h"
#include "core/ClientSession.h"
#include "sale/SaleHost.h"
#include "screens/MainFrame.h"
#include "screens/ScreenOpeners.h"

namespace vtx::client {

class SaleWindows {
public:
    // `openers` is the set the card screen and the menu are given; it and
    // the session and frame outlive this object.
    SaleWindows(ClientSession& session, MainFrame& frame, ScreenOpeners& openers);
    SaleWindows(const SaleWindows&) = delete;
    SaleWindows& operator=(const SaleWindows&) = delete;

    // Fills the openers of the pre-sale, the cancellation and the report
    // screens (with their links to the batch and item cancellation screens).
    void plugInto(ScreenOpeners& openers);

    const sale::SaleHost& host() const { return host_; }
    const ReportLinks& reportLinks() const { return links_; }

private:
    ClientSession& session_;
    MainFrame& frame_;
    sale::SaleHost host_;
    ReportLinks links_;
};

}  // namespace vtx::client
