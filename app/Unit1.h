// The main window: its controls, its handlers and its start-up.
#pragma once

#include "platform/Classes.hpp"
#include "platform/Controls.hpp"
#include "platform/Forms.hpp"
#include "platform/Menus.hpp"
#include "platform/StdCtrls.hpp"

class TForm1 : public TForm {
public:  // the components of the form description (Unit1.dfm), taken by name
    TMemo *Memo1 = Published<TMemo>("Memo1");
    TMainMenu *MainMenu1 = Published<TMainMenu>("MainMenu1");
    TMenuItem *K1 = Published<TMenuItem>("K1");
    TMenuItem *Close1 = Published<TMenuItem>("Close1");
    TButton *Button1 = Published<TButton>("Button1");
    TButton *Button2 = Published<TButton>("Button2");
    TButton *Button3 = Published<TButton>("Button3");

    // The commands, bound by name from the form description.
    void K1Click(TObject *Sender);
    void Close1Click(TObject *Sender);
    void Button1Click(TObject *Sender);
    void Button2Click(TObject *Sender);
    void Button3Click(TObject *Sender);

    // Builds the window from its form description, closes the gate of Compare and
    // Update file, and runs the start-up sequence.
    explicit TForm1(TComponent *Owner);
};

// The main window, set by the application's form creation before the constructor runs.
extern TForm1 *Form1;
