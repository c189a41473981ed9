// A fresh application object on a fresh headless widget set, for tests of forms:
//
//   support::HeadlessApp app;                   // Application and WidgetSet() are new
//   Application->CreateForm<TForm1>(&Form1);
//   app.Widgets().MessageBoxes ...               // what the widget set was told
//
// On destruction the application's forms are destroyed and the application object and
// widget set in use before come back.
#pragma once

#include <memory>

#include "platform/Forms.hpp"
#include "platform/HeadlessWidgetSet.hpp"

namespace support {

class HeadlessApp {
public:
    // The program's name, and so the application's title, is "quindral".
    HeadlessApp();
    ~HeadlessApp();
    HeadlessApp(const HeadlessApp &) = delete;
    HeadlessApp &operator=(const HeadlessApp &) = delete;

    THeadlessWidgetSet &Widgets() { return *widgets_; }

private:
    TApplication *oldApplication_;
    std::unique_ptr<THeadlessWidgetSet> widgets_;
    std::unique_ptr<TApplication> application_;
};

// The headless peer of a control or form; fails the test when it has none of that kind.
THeadlessControlPeer &PeerOf(TControl *control);
THeadlessMemoPeer &PeerOf(TMemo *memo);
THeadlessFormPeer &PeerOf(TForm *form);

}  // namespace support
