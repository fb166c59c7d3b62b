// Screen colour grab: while grab mode is on, Timer1 makes the colour follow the screen pixel
// under the pointer, and the loupe shows the pixels around it. Grab mode is on exactly while
// Timer1's Interval is not 0.

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <exception>

#include "picker/pick_session.h"
#include "window/form1.h"

namespace swatchly {

void Form1::grabOn() {
    qApp->installEventFilter(this);
    Timer1->setEnabled(true);
    Timer1->setInterval(100);
    GetPixelbtn->setChecked(true);  // pressed while grab mode is on
}

void Form1::grabOff() {
    Timer1->setInterval(0);
    Timer1->setEnabled(false);
    GetPixelbtn->setChecked(false);
    pickSession->stop();
    qApp->removeEventFilter(this);
}

const QString Form1::kNoColourPicker = QStringLiteral(
    "Grab Color cannot read the screen on this desktop, and the desktop offers no colour "
    "picker to use instead. The colour is unchanged.");

void Form1::GetPixelbtn_Click() {
    // The click has just activated our window, so this is the identity a tick compares with:
    // the user clicking anywhere else changes it.
    activetxt->setText(QString::number(m_services.probe->activeWindow()));
    if (Timer1->Interval() == 0) {
        if (!m_services.probe->readsScreen()) {
            // No grab mode here: the desktop's picker takes the pointer until the user picks or
            // cancels, and then the pick is over, as a click outside the window ends grab mode.
            GetPixelbtn->setChecked(false);
            return pickSession->pickWithDesktop(this);
        }
        grabOn();
    } else {
        grabOff();
    }
}

void Form1::keyPressEvent(QKeyEvent* e) {
    // Escape ends grab mode, as a second press of Grab Color does.
    if (e->key() == Qt::Key_Escape && Timer1->Interval() != 0)
        guard([this] { GetPixelbtn_Click(); });
    else
        QMainWindow::keyPressEvent(e);
}

void Form1::wheelEvent(QWheelEvent* e) {
    if (Timer1->Interval() == 0 || !pickSession->choose(e)) QMainWindow::wheelEvent(e);
}

bool Form1::eventFilter(QObject* watched, QEvent* e) {
    // While grabbing, the picking keys go to the pick before the focused control, which would
    // take Space as a press; a text box keeps its text's keys.
    if (e->type() == QEvent::KeyPress && Timer1->Interval() != 0 &&
        !qobject_cast<QLineEdit*>(QApplication::focusWidget()) &&
        pickSession->choose(static_cast<QKeyEvent*>(e)))
        return true;
    return QMainWindow::eventFilter(watched, e);
}

void Form1::Timer1_Timer() {
    if (QString::number(m_services.probe->activeWindow()) != activetxt->Text()) {
        // The user picked by clicking another window. We leave the focus with it: taking it back
        // would pull the user out of the application they just went to.
        grabOff();
        pickSession->finish(
            {PickResult::Picked, {RScroll->Value(), GScroll->Value(), BScroll->Value()}, {}});
        return;
    }
    try {
        const std::optional<std::int32_t> pixel = pickSession->sample();
        GrabPoint = pickSession->pointer();
        // Nothing read: the colour stays, and the next tick tries again.
        GrabColor = pixel.value_or(-1);
        if (pixel) SetBarsFromLongColor(*pixel);
    } catch (const std::exception&) {
        // A failed sample ends only this tick, silently; grab mode stays on and the next tick
        // samples again. The bars keep what SetBars wrote before the failure.
    }
}

void Form1::Gradient_Click() { grabOff(); }
void Form1::GradientL_Click() { grabOff(); }
void Form1::GradientR_Click() { grabOff(); }

}  // namespace swatchly
