#include "platform/qt/QtWidgetSet.hpp"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QIcon>
#include <QImageReader>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>
#include <map>
#include <vector>

#include "platform/Controls.hpp"
#include "platform/Forms.hpp"
#include "platform/Menus.hpp"
#include "platform/StdCtrls.hpp"
#include "platform/qt/QtText.hpp"

namespace {

using QtText::ToUnicode;

// The class library's cursor identifiers that have a toolkit shape.
Qt::CursorShape CursorShape(int cursor, Qt::CursorShape normal) {
    switch (cursor) {
        case -1:
            return Qt::BlankCursor;  // crNone
        case -2:
            return Qt::ArrowCursor;  // crArrow
        case -3:
            return Qt::CrossCursor;  // crCross
        case -4:
            return Qt::IBeamCursor;  // crIBeam
        case -6:
            return Qt::SizeBDiagCursor;  // crSizeNESW
        case -7:
            return Qt::SizeVerCursor;  // crSizeNS
        case -8:
            return Qt::SizeFDiagCursor;  // crSizeNWSE
        case -9:
            return Qt::SizeHorCursor;  // crSizeWE
        case -10:
            return Qt::UpArrowCursor;  // crUpArrow
        case -11:
            return Qt::WaitCursor;  // crHourGlass
        case -18:
            return Qt::ForbiddenCursor;  // crNo
        case -19:
            return Qt::BusyCursor;  // crAppStart
        case -20:
            return Qt::WhatsThisCursor;  // crHelp
        case -21:
            return Qt::PointingHandCursor;  // crHandPoint
        case -22:
            return Qt::SizeAllCursor;  // crSizeAll
        default:
            return normal;  // crDefault and the rest
    }
}

// An icon file's images, each size of it.
QIcon IconOf(const std::string &icoBytes) {
    QIcon icon;
    QByteArray data(icoBytes.data(), static_cast<qsizetype>(icoBytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    for (int i = 0; i < std::max(reader.imageCount(), 1); ++i) {
        if (i > 0 && !reader.jumpToNextImage()) break;
        QImage image = reader.read();
        if (image.isNull()) break;
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

// What every peer of this widget set has: its widget.
class TQtPeer {
public:
    virtual ~TQtPeer() = default;
    virtual QWidget *Widget() const = 0;
};

// The window of a form. Its close box asks the form to close instead of closing.
class FormWindow : public QMainWindow {
public:
    explicit FormWindow(TForm *form) : form_(form) {}

    // The outer size wanted; the window's own size follows once the frame is known.
    void SetOuterBounds(const QRect &outer) {
        outer_ = outer;
        Fit(true);
    }

protected:
    void closeEvent(QCloseEvent *event) override {
        event->ignore();
        form_->Close();
    }

    bool event(QEvent *event) override {
        bool done = QMainWindow::event(event);
        switch (event->type()) {
            case QEvent::Show:
            case QEvent::Move:
            case QEvent::Resize:
                if (fitting_) Fit(false);
                break;
            default:
                break;
        }
        return done;
    }

private:
    // The window manager's frame is known only some time after the window is shown; the
    // first time it is, the window is made smaller by it, so that the frame has the
    // outer size. Sizes and moves that leave the frame as it is are the user's.
    void Fit(bool always) {
        QRect frame = frameGeometry(), inner = geometry();
        QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(),
                         frame.right() - inner.right(), frame.bottom() - inner.bottom());
        if (!always && margins == applied_) return;
        applied_ = margins;
        if (!margins.isNull() && isVisible()) fitting_ = false;
        if (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))
            return;
        move(outer_.topLeft());
        resize(std::max(outer_.width() - margins.left() - margins.right(), 1),
               std::max(outer_.height() - margins.top() - margins.bottom(), 1));
    }

    TForm *form_;
    QRect outer_;
    QMargins applied_;
    bool fitting_ = true;
};

class TQtFormPeer : public TFormPeer, public TQtPeer {
public:
    explicit TQtFormPeer(TForm *form) : window_(new FormWindow(form)) {
        window_->setAttribute(Qt::WA_DeleteOnClose, false);
        client_ = new QWidget(window_);
        client_->setObjectName("client");
        window_->setCentralWidget(client_);
        menuBar_ = window_->menuBar();
        menuBar_->setNativeMenuBar(false);
        menuBar_->setCursor(Qt::ArrowCursor);
        menuBar_->hide();  // until it has an item, as a form without a menu
        SetObjectName(window_, form);
    }
    ~TQtFormPeer() override { DeleteWidget(window_); }

    QWidget *Widget() const override { return window_; }
    QWidget *Client() const { return client_; }

    void SetBounds(int left, int top, int width, int height) override {
        window_->SetOuterBounds(QRect(left, top, width, height));
    }
    void SetVisible(bool visible) override {
        if (visible) {
            window_->show();
            window_->raise();
            window_->activateWindow();
        } else {
            window_->hide();
        }
    }
    void SetCursor(int cursor) override {
        client_->setCursor(CursorShape(cursor, Qt::ArrowCursor));
    }
    void SetCaption(const AnsiString &text) override { window_->setWindowTitle(ToUnicode(text)); }
    void SetFont(const TFontData &font) override {
        // The menu bar takes the form's font too: the system's Japanese menu font is of
        // the same make and size.
        window_->setFont(QtFontOf(font));
    }
    void SetTabOrder(int) override {}

    void AddMenuBarItem(TMenuItem *item) override {
        QAction *action = menuBar_->addAction(QString());
        QObject::connect(action, &QAction::triggered, action, [item] { item->Click(); });
        actions_[item] = action;
        menuBar_->show();
    }
    void SetMenuItemCaption(TMenuItem *item, const AnsiString &caption) override {
        if (QAction *a = ActionOf(item)) a->setText(ToUnicode(caption));
    }
    void SetMenuItemVisible(TMenuItem *item, bool visible) override {
        if (QAction *a = ActionOf(item)) a->setVisible(visible);
    }
    void SetIcon(const std::string &icoBytes) override { window_->setWindowIcon(IconOf(icoBytes)); }

    // The controls in their tab order; the same order twice keeps the order they came in.
    void PlaceInTabOrder(QWidget *widget, int order) {
        auto at = std::find_if(tabOrder_.begin(), tabOrder_.end(),
                               [widget](const auto &e) { return e.second == widget; });
        if (at != tabOrder_.end()) tabOrder_.erase(at);
        tabOrder_.emplace_back(order, widget);
        std::stable_sort(tabOrder_.begin(), tabOrder_.end(),
                         [](const auto &a, const auto &b) { return a.first < b.first; });
        for (std::size_t i = 1; i < tabOrder_.size(); ++i)
            if (tabOrder_[i - 1].second && tabOrder_[i].second)
                QWidget::setTabOrder(tabOrder_[i - 1].second, tabOrder_[i].second);
    }

    static void SetObjectName(QObject *object, TComponent *component) {
        object->setObjectName(QString::fromUtf8(component->Name().ToUtf8()));
    }
    // A peer's widget may already be gone with its window, or with the application.
    template <class W>
    static void DeleteWidget(QPointer<W> &widget) {
        if (widget && QCoreApplication::instance()) delete widget.data();
    }

private:
    QAction *ActionOf(TMenuItem *item) const {
        auto it = actions_.find(item);
        return it == actions_.end() ? nullptr : it->second.data();
    }

    QPointer<FormWindow> window_;
    QPointer<QWidget> client_;
    QPointer<QMenuBar> menuBar_;
    std::map<TMenuItem *, QPointer<QAction>> actions_;
    std::vector<std::pair<int, QPointer<QWidget>>> tabOrder_;
};

TQtFormPeer &QtParent(TFormPeer *parent) {
    auto *peer = dynamic_cast<TQtFormPeer *>(parent);
    if (!peer) throw Exception("A control of the Qt widget set needs a form of it");
    return *peer;
}

class TQtButtonPeer : public TControlPeer, public TQtPeer {
public:
    TQtButtonPeer(TButton *button, TFormPeer *parent)
        : parent_(QtParent(parent)), button_(new QPushButton(parent_.Client())) {
        button_->setAutoDefault(false);
        button_->setCursor(Qt::ArrowCursor);
        TQtFormPeer::SetObjectName(button_, button);
        QObject::connect(button_.data(), &QPushButton::clicked, button_.data(),
                         [button] { button->Click(); });
        button_->show();
    }
    ~TQtButtonPeer() override { TQtFormPeer::DeleteWidget(button_); }
    QWidget *Widget() const override { return button_; }

    void SetBounds(int left, int top, int width, int height) override {
        button_->setGeometry(left, top, width, height);
    }
    // A hidden button takes no access key either: the toolkit drops the shortcuts of
    // hidden widgets.
    void SetVisible(bool visible) override { button_->setVisible(visible); }
    void SetCursor(int cursor) override {
        button_->setCursor(CursorShape(cursor, Qt::ArrowCursor));
    }
    void SetCaption(const AnsiString &text) override { button_->setText(ToUnicode(text)); }
    void SetFont(const TFontData &font) override { button_->setFont(QtFontOf(font)); }
    void SetTabOrder(int order) override { parent_.PlaceInTabOrder(button_, order); }

private:
    TQtFormPeer &parent_;
    QPointer<QPushButton> button_;
};

class TQtMemoPeer : public TMemoPeer, public TQtPeer {
public:
    TQtMemoPeer(TMemo *memo, TFormPeer *parent)
        : parent_(QtParent(parent)), edit_(new QPlainTextEdit(parent_.Client())) {
        TQtFormPeer::SetObjectName(edit_, memo);
        edit_->setLineWrapMode(QPlainTextEdit::NoWrap);
        edit_->setTabChangesFocus(true);
        edit_->setUndoRedoEnabled(false);
        // As the Windows edit control does, the selection shows only while the memo has
        // the focus; it stays set all the same.
        QPalette palette = edit_->palette();
        palette.setColor(QPalette::Inactive, QPalette::Highlight,
                         palette.color(QPalette::Inactive, QPalette::Base));
        palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                         palette.color(QPalette::Inactive, QPalette::Text));
        edit_->setPalette(palette);
        // The frame and the scroll bars show the arrow; the cursor property is the
        // text's.
        edit_->setCursor(Qt::ArrowCursor);
        SetScrollBars(0);
        SetReadOnly(false);
        edit_->show();
    }
    ~TQtMemoPeer() override { TQtFormPeer::DeleteWidget(edit_); }
    QWidget *Widget() const override { return edit_; }

    void SetBounds(int left, int top, int width, int height) override {
        edit_->setGeometry(left, top, width, height);
    }
    void SetVisible(bool visible) override { edit_->setVisible(visible); }
    void SetCursor(int cursor) override {
        cursor_ = cursor;
        // The edit control's own cursor is the I-beam.
        edit_->viewport()->setCursor(CursorShape(cursor, Qt::IBeamCursor));
    }
    void SetCaption(const AnsiString &text) override { SetText(text); }
    void SetFont(const TFontData &font) override { edit_->setFont(QtFontOf(font)); }
    void SetTabOrder(int order) override { parent_.PlaceInTabOrder(edit_, order); }

    // A new text puts the caret at its start, as the edit control's window text does.
    void SetText(const AnsiString &text) override {
        bytes_ = text.Bytes();
        edit_->setPlainText(QtText::EditText(bytes_));
    }
    // Appended at the end as the edit control does, with the caret after it, scrolled
    // into view.
    void AppendText(const AnsiString &tail) override {
        if (QtText::EndsCleanly(bytes_)) {
            bytes_ += tail.Bytes();
            QTextCursor end(edit_->document());
            end.movePosition(QTextCursor::End);
            end.insertText(QtText::EditText(tail.Bytes()));
        } else {
            // The tail joins the last character: the whole text is shown anew.
            SetText(AnsiString::FromBytes(bytes_ + tail.Bytes()));
        }
        MoveCaret(edit_->document()->characterCount() - 1, -1);
        edit_->ensureCursorVisible();
    }
    void SetSelection(int start, int length) override {
        int from = QtText::CharPosition(bytes_, start);
        int to = QtText::CharPosition(bytes_, length > 0 ? start + length : start);
        MoveCaret(to, from);
        edit_->ensureCursorVisible();
    }
    void SetReadOnly(bool readOnly) override {
        edit_->setReadOnly(readOnly);
        // Read-only text can still be selected with the keys and copied, as in the
        // edit control.
        if (readOnly)
            edit_->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                           Qt::TextSelectableByKeyboard);
        SetCursor(cursor_);  // the toolkit sets its own viewport cursor on the change
    }
    void SetScrollBars(int scrollBars) override {
        edit_->setHorizontalScrollBarPolicy(scrollBars & 1 ? Qt::ScrollBarAlwaysOn
                                                           : Qt::ScrollBarAlwaysOff);
        edit_->setVerticalScrollBarPolicy(scrollBars & 2 ? Qt::ScrollBarAlwaysOn
                                                         : Qt::ScrollBarAlwaysOff);
    }

private:
    // Selects from `anchor` to `position` (character positions); no anchor: the caret only.
    void MoveCaret(int position, int anchor) {
        QTextCursor cursor(edit_->document());
        int end = edit_->document()->characterCount() - 1;
        cursor.setPosition(std::clamp(anchor < 0 ? position : anchor, 0, end));
        cursor.setPosition(std::clamp(position, 0, end), QTextCursor::KeepAnchor);
        edit_->setTextCursor(cursor);
    }

    TQtFormPeer &parent_;
    QPointer<QPlainTextEdit> edit_;
    std::string bytes_;
    int cursor_ = 0;
};

}  // namespace

QFont QtFontOf(const TFontData &font) {
    QString family = ToUnicode(font.Name);
    const QStringList families = QFontDatabase::families();
    if (!families.contains(family, Qt::CaseInsensitive) && families.contains(QtFallbackFamily))
        family = QtFallbackFamily;
    QFont f(family);
    // A negative height is the character height in pixels; a positive one the height of
    // the character cell, which for these fonts is close enough to the same.
    int pixels = font.Height < 0 ? -font.Height : font.Height;
    if (pixels > 0) f.setPixelSize(pixels);
    f.setBold(font.Style & 1);
    f.setItalic(font.Style & 2);
    f.setUnderline(font.Style & 4);
    f.setStrikeOut(font.Style & 8);
    f.setStyleStrategy(QFont::PreferMatch);
    return f;
}

QWidget *QtWidgetOf(const TControlPeer *peer) {
    auto *qt = dynamic_cast<const TQtPeer *>(peer);
    return qt ? qt->Widget() : nullptr;
}

TQtWidgetSet::TQtWidgetSet() {
    // Only the main form's closing (through the form) ends the message loop.
    QApplication::setQuitOnLastWindowClosed(false);
}

TQtWidgetSet::~TQtWidgetSet() = default;

std::unique_ptr<TFormPeer> TQtWidgetSet::CreateFormPeer(TForm *form) {
    return std::make_unique<TQtFormPeer>(form);
}

std::unique_ptr<TControlPeer> TQtWidgetSet::CreateButtonPeer(TButton *button, TFormPeer *parent) {
    return std::make_unique<TQtButtonPeer>(button, parent);
}

std::unique_ptr<TMemoPeer> TQtWidgetSet::CreateMemoPeer(TMemo *memo, TFormPeer *parent) {
    return std::make_unique<TQtMemoPeer>(memo, parent);
}

void TQtWidgetSet::SetApplicationIcon(const std::string &icoBytes) {
    QApplication::setWindowIcon(IconOf(icoBytes));
}

void TQtWidgetSet::Run() {
    // A Terminate that came before the loop ends it at once.
    if (!terminated_) QApplication::exec();
    terminated_ = false;
}

void TQtWidgetSet::Terminate() {
    terminated_ = true;
    QCoreApplication::exit(0);
}

int TQtWidgetSet::MessageBox(const AnsiString &text, const AnsiString &caption, int flags) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (flags & 0xF0) {
        case 0x10:
            icon = QMessageBox::Critical;
            break;  // MB_ICONSTOP
        case 0x20:
            icon = QMessageBox::Question;
            break;  // MB_ICONQUESTION
        case 0x30:
            icon = QMessageBox::Warning;
            break;  // MB_ICONEXCLAMATION
        case 0x40:
            icon = QMessageBox::Information;
            break;  // MB_ICONINFORMATION
        default:
            break;
    }
    // The buttons of MB_OK, MB_OKCANCEL, MB_YESNOCANCEL and MB_YESNO, with the number
    // that each gives back (IDOK 1, IDCANCEL 2, IDYES 6, IDNO 7).
    struct Choice {
        QMessageBox::StandardButton button;
        int id;
    };
    std::vector<Choice> choices;
    switch (flags & 0x0F) {
        case 1:
            choices = {{QMessageBox::Ok, 1}, {QMessageBox::Cancel, 2}};
            break;
        case 3:
            choices = {{QMessageBox::Yes, 6}, {QMessageBox::No, 7}, {QMessageBox::Cancel, 2}};
            break;
        case 4:
            choices = {{QMessageBox::Yes, 6}, {QMessageBox::No, 7}};
            break;
        default:
            choices = {{QMessageBox::Ok, 1}};
            break;
    }
    QMessageBox box(icon, ToUnicode(caption), ToUnicode(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    for (const Choice &c : choices) box.addButton(c.button);
    box.setDefaultButton(choices.front().button);
    int chosen = box.exec();
    for (const Choice &c : choices)
        if (chosen == c.button) return c.id;
    return choices.size() > 1 ? 2 : 1;  // closed by its close box: Cancel, or OK alone
}

void TQtWidgetSet::ClipboardClear() { QGuiApplication::clipboard()->clear(); }

void TQtWidgetSet::ClipboardSetText(const AnsiString &text) {
    QGuiApplication::clipboard()->setText(ToUnicode(text));
}
