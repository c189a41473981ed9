// Helpers of the Qt widget set's tests: a fresh application object on the Qt widget
// set, and answering the modal message boxes that the code under test opens.
#pragma once

#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <memory>

#include "platform/Forms.hpp"
#include "platform/qt/QtWidgetSet.hpp"

namespace qttest {

// For its lifetime, Application is a fresh application object and the Qt widget set is
// installed; at the end the application's forms go, then the old ones come back.
class QtApplication {
public:
    QtApplication() : saved_(Application) {
        Application = &app_;
        SetWidgetSet(&widgets_);
    }
    ~QtApplication() {
        app_.DestroyComponents();
        SetWidgetSet(nullptr);
        Application = saved_;
    }
    QtApplication(const QtApplication &) = delete;
    QtApplication &operator=(const QtApplication &) = delete;

    TApplication &App() { return app_; }
    TQtWidgetSet &Widgets() { return widgets_; }

private:
    TApplication *saved_;
    TApplication app_{nullptr};
    TQtWidgetSet widgets_;
};

// What a message box showed.
struct SeenBox {
    bool Shown = false;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QString Title, Text;
    QMessageBox::StandardButtons Buttons;
    Qt::WindowModality Modality = Qt::NonModal;
};

// Answers the next modal message box with `button`, keeping what it showed in `seen`.
// Keep the returned timer until the box has been answered.
std::unique_ptr<QTimer> AnswerMessageBox(SeenBox &seen, QMessageBox::StandardButton button);

// The widget of a control's or form's peer.
template <class W = QWidget>
W *WidgetOf(const TControl *control) {
    return qobject_cast<W *>(QtWidgetOf(control->Peer()));
}

}  // namespace qttest
