// Screen colour grab: while grab mode is on, Timer1 makes the colour follow the screen pixel
// under the pointer, and the loupe shows the pixels around it. Grab mode is on exactly while
// Timer1's Interval is not 0.

#include <QKeyEvent>
#include <QPointer>
#include <exception>

#include "platform/store.h"
#include "tools/magnifier.h"
#include "window/form1.h"

namespace swatchly {

void Form1::grabOn() {
    Timer1->setEnabled(true);
    Timer1->setInterval(100);
    GetPixelbtn->setChecked(true);  // pressed while grab mode is on
}

void Form1::grabOff() {
    Timer1->setInterval(0);
    Timer1->setEnabled(false);
    GetPixelbtn->setChecked(false);
    if (loupe) loupe->hide();
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
            GetPixelbtn->setChecked(false);  // no grab mode here: the desktop picks
            return pickFromDesktop();
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

void Form1::pickFromDesktop() {
    // The desktop's picker takes the pointer until the user picks or cancels; then grab mode is
    // over, as a click outside the window ends it where the screen can be read. So the timer
    // never runs on this path.
    QPointer<Form1> self(this);
    m_services.probe->pickColour(this, [self](PickResult result) {
        if (self) guard([&] { self->takePickedColour(result); });
    });
}

void Form1::takePickedColour(const PickResult& result) {
    switch (result.kind) {
        case PickResult::Picked:
            try {
                SetBars(result.colour.red, result.colour.green, result.colour.blue);
                picked();
            } catch (const std::exception&) {
                // As a failed tick: silent, the bars keep what was written.
            }
            break;
        case PickResult::Cancelled:
            break;
        case PickResult::Unavailable:
            m_services.messageBox->show(this, kNoColourPicker, MessageBox::OkOnly,
                                        QStringLiteral("Swatchly"));
            break;
    }
}

void Form1::Timer1_Timer() {
    ScreenProbe& probe = *m_services.probe;
    if (QString::number(probe.activeWindow()) != activetxt->Text()) {
        // The user picked by clicking another window. We leave the focus with it: taking it back
        // would pull the user out of the application they just went to.
        grabOff();
        picked();
        return;
    }
    try {
        // One read serves the tick and the loupe, and says where the pointer is.
        const QImage region =
            probe.regionUnderPointer(mag->isChecked() ? Magnifier::kRadius : 0, &GrabPoint);
        // The pixel taken is never the loupe's: where the pointer has run into it, it moves
        // aside and this tick takes nothing.
        if (loupe && loupe->stepAside(GrabPoint)) {
            GrabColor = -1;
            return;
        }
        const std::optional<std::int32_t> pixel = ScreenProbe::centreOf(region);
        if (!pixel) {
            // A screen that cannot be read is no white pixel: keep the colour, try next tick.
            GrabColor = -1;
            if (loupe) loupe->hide();
            return;
        }
        if (mag->isChecked()) {
            if (!loupe) loupe = std::make_unique<Magnifier>();
            loupe->show(GrabPoint, region);
        }
        GrabColor = *pixel;
        SetBarsFromLongColor(GrabColor);
    } catch (const std::exception&) {
        // A failed sample ends only this tick, silently; grab mode stays on and the next tick
        // samples again. The bars keep what SetBars wrote before the failure.
    }
}

void Form1::Gradient_Click() { grabOff(); }
void Form1::GradientL_Click() { grabOff(); }
void Form1::GradientR_Click() { grabOff(); }

void Form1::mag_Click() {
    if (!mag->isChecked() && loupe) loupe->hide();
    m_services.store->setOption(QStringLiteral("magnifier"), mag->isChecked());
}

}  // namespace swatchly
