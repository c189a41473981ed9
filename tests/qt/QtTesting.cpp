#include "QtTesting.h"

#include <QAbstractButton>
#include <QApplication>

namespace qttest {

std::unique_ptr<QTimer> AnswerMessageBox(SeenBox &seen, QMessageBox::StandardButton button) {
    auto timer = std::make_unique<QTimer>();
    timer->setInterval(10);
    QTimer *t = timer.get();
    QObject::connect(t, &QTimer::timeout, t, [t, &seen, button] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) return;
        t->stop();
        seen.Shown = true;
        seen.Icon = box->icon();
        seen.Title = box->windowTitle();
        seen.Text = box->text();
        seen.Buttons = box->standardButtons();
        seen.Modality = box->windowModality();
        if (QAbstractButton *b = box->button(button))
            b->click();
        else
            box->reject();
    });
    timer->start();
    return timer;
}

}  // namespace qttest
