#include "platform/HeadlessWidgetSet.hpp"

#include "platform/Forms.hpp"
#include "platform/Menus.hpp"
#include "platform/StdCtrls.hpp"

void THeadlessMemoPeer::SetText(const AnsiString &text) {
    Text = text;
    Shown += text.Bytes();
}

void THeadlessMemoPeer::AppendText(const AnsiString &tail) {
    Text += tail;
    Shown += tail.Bytes();
}

void THeadlessMemoPeer::SetSelection(int start, int length) {
    SelStart = start;
    SelLength = length;
}

void THeadlessFormPeer::AddMenuBarItem(TMenuItem *item) {
    MenuBar.push_back({item, AnsiString(), true});
}

void THeadlessFormPeer::SetMenuItemCaption(TMenuItem *item, const AnsiString &caption) {
    for (TBarItem &bar : MenuBar)
        if (bar.Item == item) bar.Caption = caption;
}

void THeadlessFormPeer::SetMenuItemVisible(TMenuItem *item, bool visible) {
    for (TBarItem &bar : MenuBar)
        if (bar.Item == item) bar.Visible = visible;
}

std::unique_ptr<TFormPeer> THeadlessWidgetSet::CreateFormPeer(TForm *form) {
    return std::make_unique<THeadlessFormPeer>(form);
}

std::unique_ptr<TControlPeer> THeadlessWidgetSet::CreateButtonPeer(TButton *button, TFormPeer *) {
    return std::make_unique<THeadlessControlPeer>(button);
}

std::unique_ptr<TMemoPeer> THeadlessWidgetSet::CreateMemoPeer(TMemo *memo, TFormPeer *) {
    return std::make_unique<THeadlessMemoPeer>(memo);
}

void THeadlessWidgetSet::Run() {
    ++RunCount;
    if (OnRun) OnRun();
}

int THeadlessWidgetSet::MessageBox(const AnsiString &text, const AnsiString &caption, int flags) {
    MessageBoxes.push_back({text, caption, flags});
    return MessageBoxResult;
}

void THeadlessWidgetSet::ClipboardClear() {
    ++ClipboardClears;
    ClipboardHasText = false;
    ClipboardText = AnsiString();
}

void THeadlessWidgetSet::ClipboardSetText(const AnsiString &text) {
    ClipboardHasText = true;
    ClipboardText = text;
}
