// Forms and the application: the form built from its form description, the one
// application object with its form creation, message loop and exception display.
#pragma once

#include <functional>
#include <initializer_list>
#include <new>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

#include "platform/Classes.hpp"
#include "platform/Controls.hpp"
#include "platform/Menus.hpp"
#include "platform/SysUtils.hpp"
#include "platform/System.hpp"

class TApplication;

// A form's icon: the bytes of a Windows icon file (.ico), empty for none.
class TIcon : public TPersistent {
public:
    const std::string &Data() const { return data_; }
    void SetData(std::string icoBytes);
    bool Empty() const { return data_.empty(); }

    std::function<void()> OnChange;

private:
    std::string data_;
};

// A window with its controls. A class derived from TForm is built from its form
// description: the text registered under the class's name (see Resources.hpp), read when
// the TForm part is constructed through TApplication::CreateForm. The description's
// components are made, owned by the form, and its handlers bound by name to the methods
// the class publishes (TPublishedMethods). The derived class then takes its fields by
// name with Published. A plain TForm has no description and starts empty.
class TForm : public TControl {
    TMainMenu *GetMenu() const { return menu_; }
    void SetMenu(TMainMenu *value);
    int GetPixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int value) { pixelsPerInch_ = value; }
    int GetTextHeight() const { return textHeight_; }
    void SetTextHeight(int value) { textHeight_ = value; }

public:
    explicit TForm(TComponent *AOwner);
    ~TForm() override;

    // The menu bar; set it before the window is made.
    Property<TForm, TMainMenu *, &TForm::GetMenu, &TForm::SetMenu> Menu{this};
    // The screen resolution and the font's character height the layout was made for.
    Property<TForm, int, &TForm::GetPixelsPerInch, &TForm::SetPixelsPerInch> PixelsPerInch{this};
    Property<TForm, int, &TForm::GetTextHeight, &TForm::SetTextHeight> TextHeight{this};
    TIcon *const Icon;

    // The toolkit's request to close the window (its close box or system menu), and the
    // program's own: closing the application's main form terminates the application,
    // any other form is hidden. An exception on the way is shown by the application's
    // exception handling and does not leave Close.
    void Close();

    // Makes the form's window and its controls' peers, each given its whole state, if
    // not made yet. Showing the form does this first.
    void HandleNeeded();
    bool HandleAllocated() const { return Peer() != nullptr; }
    TFormPeer *FormPeer() const { return static_cast<TFormPeer *>(Peer()); }

    // The controls in the client area, in the order they were put there.
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl *Controls(int index) const;

protected:
    // The component of the form description named `name`, which must be a T: for the
    // member initialisers of a derived form's fields, such as
    //     TMemo *Memo1 = Published<TMemo>("Memo1");
    // EReadError when the description has no such component or it is of another class.
    template <class T>
    T *Published(const char *name) {
        TComponent *found = FindComponent(name);
        T *component = dynamic_cast<T *>(found);
        if (!component) FieldNotFound(name, found, typeid(T));
        return component;
    }

    void SetVisible(bool value) override;
    void CreateHandle(TFormPeer *parent) override;
    void PushState() override;
    void FontChanged() override;

private:
    friend class TControl;
    friend class TMenuItem;
    friend class TMainMenu;
    [[noreturn]] void FieldNotFound(const char *name, TComponent *found,
                                    const std::type_info &wanted) const;
    void InsertControl(TControl *control);
    void RemoveControl(TControl *control);
    void MenuItemAdded(TMenuItem *item);

    std::vector<TControl *> controls_;
    TMainMenu *menu_ = nullptr;
    int pixelsPerInch_ = 96;
    int textHeight_ = 0;
    std::unique_ptr<TIcon> icon_;
};

// The name of a class as its source spells it, without namespaces: "TForm1".
AnsiString ClassNameOf(const std::type_info &type);

// ---- Published methods --------------------------------------------------------------

// A form class's event handlers by name, for its form description's event properties
// (OnClick = K1Click). One object per class, made at start-up, for example
//     static const TPublishedMethods<TForm1> Form1Methods{
//         {"K1Click", &TForm1::K1Click}, ...};
// Names match without regard to case, as the description's identifiers do.
using TMethodInvoker = std::function<void(TForm *form, TObject *Sender)>;

class TPublishedMethodsBase {
public:
    TPublishedMethodsBase(const TPublishedMethodsBase &) = delete;
    TPublishedMethodsBase &operator=(const TPublishedMethodsBase &) = delete;
    ~TPublishedMethodsBase();

    // The handler named `name` of the form class `className`, or none.
    static const TMethodInvoker *Find(const AnsiString &className, const AnsiString &name);

protected:
    TPublishedMethodsBase(AnsiString className,
                          std::vector<std::pair<AnsiString, TMethodInvoker>> methods);

private:
    AnsiString className_;
    std::vector<std::pair<AnsiString, TMethodInvoker>> methods_;
};

template <class T>
class TPublishedMethods : public TPublishedMethodsBase {
public:
    using Method = void (T::*)(TObject *Sender);

    TPublishedMethods(std::initializer_list<std::pair<const char *, Method>> methods)
        : TPublishedMethodsBase(ClassNameOf(typeid(T)), Invokers(methods)) {}

private:
    static std::vector<std::pair<AnsiString, TMethodInvoker>> Invokers(
        std::initializer_list<std::pair<const char *, Method>> methods) {
        std::vector<std::pair<AnsiString, TMethodInvoker>> invokers;
        for (const auto &[name, method] : methods) {
            // The handler runs on the whole form, once its construction is done.
            invokers.emplace_back(name, [m = method](TForm *form, TObject *Sender) {
                (static_cast<T *>(form)->*m)(Sender);
            });
        }
        return invokers;
    }
};

// ---- The application ----------------------------------------------------------------

class TApplication : public TComponent {
    AnsiString GetTitle() const;
    void SetTitle(AnsiString value) { title_ = value; }

public:
    explicit TApplication(TComponent *AOwner);
    ~TApplication() override;

    // The platform's own set-up.
    void Initialize();

    // Makes a form of class T owned by the application: `*reference` is set first, then
    // the constructor runs (so that it can reach the form through the reference); when
    // the constructor throws, `*reference` is set back to none and the exception goes
    // on. The first form made becomes the main form.
    //     Application->CreateForm<TForm1>(&Form1);
    template <class T>
    void CreateForm(T **reference);

    // Shows the main form and runs the message loop until the application terminates
    // (closing the main form terminates it). Nothing happens without a main form.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }

    TForm *MainForm() const { return mainForm_; }

    // The caption of the exception boxes and of the task bar button. By default the
    // program's name.
    Property<TApplication, AnsiString, &TApplication::GetTitle, &TApplication::SetTitle> Title{
        this};
    // The program's name: the base name of its executable file, such as "quindral".
    AnsiString ProgramName() const { return programName_; }
    void SetProgramName(const AnsiString &name) { programName_ = name; }

    // A message box with the stop icon and an OK button: the exception's message
    // followed by ".", with Title as its caption.
    void ShowException(Exception *E);
    // Called from a handler of the exception in flight: shows it with ShowException.
    void HandleException(TObject *Sender);

private:
    friend class TForm;
    // Tells TForm's constructor which class is being made.
    class TFormCreation {
    public:
        explicit TFormCreation(AnsiString className);
        ~TFormCreation();
        TFormCreation(const TFormCreation &) = delete;
        TFormCreation &operator=(const TFormCreation &) = delete;
    };
    static AnsiString TakeFormClass();
    void FormCreated(TForm *form);
    void FormDestroyed(TForm *form);

    AnsiString title_;
    AnsiString programName_;
    TForm *mainForm_ = nullptr;
    bool terminated_ = false;
};

// The one application object.
extern TApplication *Application;

// Destroys the forms the application owns (their windows go with them). The program
// calls it once the entry has returned, while the toolkit still exists; a second call
// does nothing.
void DoneApplication();

template <class T>
void TApplication::CreateForm(T **reference) {
    static_assert(std::is_base_of_v<TForm, T>, "CreateForm makes forms");
    void *memory = ::operator new(sizeof(T));
    *reference = static_cast<T *>(memory);
    T *form = nullptr;
    try {
        TFormCreation creation(ClassNameOf(typeid(T)));
        form = ::new (memory) T(this);
    } catch (...) {
        *reference = nullptr;
        ::operator delete(memory);
        throw;
    }
    *reference = form;
    FormCreated(form);
}
