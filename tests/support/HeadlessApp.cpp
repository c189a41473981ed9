#include "support/HeadlessApp.h"

#include <gtest/gtest.h>

#include "platform/StdCtrls.hpp"

namespace support {

HeadlessApp::HeadlessApp()
    : oldApplication_(Application),
      widgets_(std::make_unique<THeadlessWidgetSet>()),
      application_(std::make_unique<TApplication>(nullptr)) {
    application_->SetProgramName("quindral");
    SetWidgetSet(widgets_.get());
    Application = application_.get();
}

HeadlessApp::~HeadlessApp() {
    application_->DestroyComponents();
    Application = oldApplication_;
    application_.reset();
    SetWidgetSet(nullptr);
}

namespace {
template <class Peer>
Peer &Cast(TControlPeer *peer) {
    auto *headless = dynamic_cast<Peer *>(peer);
    if (!headless) {
        ADD_FAILURE() << "no headless peer of that kind";
        static Peer none(nullptr);
        return none;
    }
    return *headless;
}
}  // namespace

THeadlessControlPeer &PeerOf(TControl *control) {
    return Cast<THeadlessControlPeer>(control->Peer());
}
THeadlessMemoPeer &PeerOf(TMemo *memo) { return Cast<THeadlessMemoPeer>(memo->Peer()); }
THeadlessFormPeer &PeerOf(TForm *form) { return Cast<THeadlessFormPeer>(form->Peer()); }

}  // namespace support
