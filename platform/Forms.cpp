#include "platform/Forms.hpp"

#include <cxxabi.h>
#include <unistd.h>

#include <cstdlib>
#include <exception>
#include <memory>

#include "platform/FormReader.hpp"
#include "platform/Windows.hpp"

// ---- TIcon --------------------------------------------------------------------------

void TIcon::SetData(std::string icoBytes) {
    data_ = std::move(icoBytes);
    if (OnChange) OnChange();
}

// ---- TForm --------------------------------------------------------------------------

TForm::TForm(TComponent *AOwner) : TControl(AOwner), Icon(new TIcon), icon_(Icon) {
    visible_ = false;
    Icon->OnChange = [this] {
        if (HandleAllocated()) FormPeer()->SetIcon(Icon->Data());
    };
    AnsiString className = TApplication::TakeFormClass();
    if (className.IsEmpty() || SameIdentifier(className, "TForm")) return;
    try {
        ReadForm(this, className);
    } catch (...) {
        // What was made goes while the form's own lists still exist.
        DestroyComponents();
        throw;
    }
}

TForm::~TForm() {
    // The controls' windows go before the form's, and all of them before the components.
    for (TControl *control : controls_) control->DestroyHandle();
    DestroyHandle();
    if (auto *owner = dynamic_cast<TApplication *>(Owner())) owner->FormDestroyed(this);
    if (Application) Application->FormDestroyed(this);
    if (menu_ && menu_->form_ == this) menu_->form_ = nullptr;
    DestroyComponents();
    // Controls of other owners stay, without a form.
    while (!controls_.empty()) controls_.back()->Parent = nullptr;
}

TControl *TForm::Controls(int index) const {
    if (index < 0 || index >= ControlCount()) throw ERangeError("List index out of bounds");
    return controls_[static_cast<std::size_t>(index)];
}

void TForm::InsertControl(TControl *control) { controls_.push_back(control); }

void TForm::RemoveControl(TControl *control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

void TForm::SetMenu(TMainMenu *value) {
    if (menu_ && menu_->form_ == this) menu_->form_ = nullptr;
    menu_ = value;
    if (!menu_) return;
    if (menu_->form_ && menu_->form_ != this) menu_->form_->menu_ = nullptr;
    menu_->form_ = this;
    if (HandleAllocated())
        for (int i = 0; i < menu_->Items->Count(); ++i) MenuItemAdded(menu_->Items->Items(i));
}

void TForm::MenuItemAdded(TMenuItem *item) {
    if (!HandleAllocated()) return;
    TFormPeer *peer = FormPeer();
    peer->AddMenuBarItem(item);
    peer->SetMenuItemCaption(item, item->Caption);
    peer->SetMenuItemVisible(item, item->Visible);
}

void TForm::SetVisible(bool value) {
    if (value) HandleNeeded();
    TControl::SetVisible(value);
}

void TForm::HandleNeeded() {
    if (HandleAllocated()) return;
    SetPeer(WidgetSet().CreateFormPeer(this));
    PushState();
    if (menu_)
        for (int i = 0; i < menu_->Items->Count(); ++i) MenuItemAdded(menu_->Items->Items(i));
    for (TControl *control : controls_) control->CreateHandle(FormPeer());
    FormPeer()->SetVisible(visible_);
}

void TForm::CreateHandle(TFormPeer *) {
    // A form is a window of its own, whatever holds it.
    HandleNeeded();
}

void TForm::PushState() {
    TFormPeer *peer = FormPeer();
    peer->SetBounds(Left, Top, Width, Height);
    peer->SetCaption(Caption);
    peer->SetFont(Font->Data());
    peer->SetCursor(Cursor);
    if (!Icon->Empty()) peer->SetIcon(Icon->Data());
}

void TForm::FontChanged() {
    TControl::FontChanged();
    for (TControl *control : controls_)
        if (control->ParentFont) control->TakeParentFont();
}

void TForm::Close() {
    RunEventHandler(this, [this] {
        if (Application && Application->MainForm() == this)
            Application->Terminate();
        else
            Hide();
    });
}

void TForm::FieldNotFound(const char *name, TComponent *found, const std::type_info &wanted) const {
    AnsiString form = ClassNameOf(typeid(*this));
    if (found)
        throw EReadError(Format("%s: component %s is a %s, not a %s",
                                {form, name, ClassNameOf(typeid(*found)), ClassNameOf(wanted)}));
    throw EReadError(
        Format("%s: the form description has no component %s", {form, AnsiString(name)}));
}

AnsiString ClassNameOf(const std::type_info &type) {
    int status = 0;
    std::unique_ptr<char, void (*)(void *)> demangled(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    std::string name = status == 0 && demangled ? demangled.get() : type.name();
    std::size_t colons = name.rfind("::");
    if (colons != std::string::npos) name.erase(0, colons + 2);
    return AnsiString::FromBytes(name);
}

// ---- Published methods --------------------------------------------------------------

namespace {
std::vector<const TPublishedMethodsBase *> &PublishedMethods() {
    static std::vector<const TPublishedMethodsBase *> all;
    return all;
}
}  // namespace

TPublishedMethodsBase::TPublishedMethodsBase(
    AnsiString className, std::vector<std::pair<AnsiString, TMethodInvoker>> methods)
    : className_(std::move(className)), methods_(std::move(methods)) {
    PublishedMethods().push_back(this);
}

TPublishedMethodsBase::~TPublishedMethodsBase() {
    auto &all = PublishedMethods();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

const TMethodInvoker *TPublishedMethodsBase::Find(const AnsiString &className,
                                                  const AnsiString &name) {
    const auto &all = PublishedMethods();
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        if (!SameIdentifier((*it)->className_, className)) continue;
        for (const auto &[methodName, invoker] : (*it)->methods_)
            if (SameIdentifier(methodName, name)) return &invoker;
        return nullptr;
    }
    return nullptr;
}

// ---- TApplication -------------------------------------------------------------------

namespace {
AnsiString ExecutableBaseName() {
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return AnsiString();
    std::string full(path, static_cast<std::size_t>(n));
    return AnsiString::FromUtf8(full.substr(full.rfind('/') + 1));
}

// The class that TApplication::CreateForm is making, for TForm's constructor.
AnsiString &PendingFormClass() {
    static AnsiString pending;
    return pending;
}
}  // namespace

TApplication::TFormCreation::TFormCreation(AnsiString className) {
    PendingFormClass() = std::move(className);
}

TApplication::TFormCreation::~TFormCreation() { PendingFormClass() = AnsiString(); }

AnsiString TApplication::TakeFormClass() {
    AnsiString className = PendingFormClass();
    PendingFormClass() = AnsiString();
    return className;
}

TApplication::TApplication(TComponent *AOwner)
    : TComponent(AOwner), programName_(ExecutableBaseName()) {}

TApplication::~TApplication() {
    // The forms go while the application is whole: they tell it so.
    DestroyComponents();
}

void TApplication::Initialize() {
    // Nothing to set up beyond what the widget set did when it was installed.
}

AnsiString TApplication::GetTitle() const { return title_.IsEmpty() ? programName_ : title_; }

void TApplication::FormCreated(TForm *form) {
    if (!mainForm_) mainForm_ = form;
}

void TApplication::FormDestroyed(TForm *form) {
    if (mainForm_ == form) mainForm_ = nullptr;
}

void TApplication::Run() {
    if (!mainForm_) return;
    mainForm_->Show();
    if (!terminated_) WidgetSet().Run();
}

void TApplication::Terminate() {
    terminated_ = true;
    WidgetSet().Terminate();
}

void TApplication::ShowException(Exception *E) {
    WidgetSet().MessageBox(E->Message + ".", Title, MB_ICONSTOP | MB_OK);
}

void TApplication::HandleException(TObject *) {
    std::exception_ptr thrown = std::current_exception();
    if (!thrown) return;
    try {
        std::rethrow_exception(thrown);
    } catch (Exception &e) {
        ShowException(&e);
    } catch (std::exception &e) {
        Exception shown(AnsiString::FromBytes(e.what()));
        ShowException(&shown);
    } catch (...) {
        Exception shown("Unknown exception");
        ShowException(&shown);
    }
}

namespace {
TApplication TheApplication(nullptr);
}  // namespace

TApplication *Application = &TheApplication;

void DoneApplication() {
    if (Application) Application->DestroyComponents();
}

void RunEventHandler(TObject *Sender, const std::function<void()> &handler) {
    try {
        handler();
    } catch (std::exception &) {
        // The platform's exceptions and the language's: shown, and the window goes on.
        Application->HandleException(Sender);
    }
}
