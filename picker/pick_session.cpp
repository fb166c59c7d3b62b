#include "picker/pick_session.h"

#include <QWidget>

#include "picker/magnifier.h"

namespace swatchly {

PickSession::PickSession(ScreenProbe& probe, QObject* parent) : QObject(parent), m_probe(probe) {
    m_ticks.setInterval(100);
    connect(&m_ticks, &QTimer::timeout, this, [this] { sample(); });
}

PickSession::~PickSession() = default;

void PickSession::setLoupeShown(bool shown) {
    m_loupeShown = shown;
    if (!shown && m_loupe) m_loupe->hide();
}

void PickSession::startTicking() {
    sample();
    m_ticks.start();
}

void PickSession::stop() {
    m_ticks.stop();
    if (m_loupe) m_loupe->hide();
}

std::optional<std::int32_t> PickSession::sample() {
    // One read serves the pick and the loupe, and says where the pointer is.
    const QImage region =
        m_probe.regionUnderPointer(m_loupeShown ? Magnifier::kRadius : 0, &m_pointer);
    // The pixel taken is never the loupe's.
    if (loupeStepsAside(m_pointer)) return std::nullopt;
    const std::optional<std::int32_t> pixel = ScreenProbe::centreOf(region);
    if (!pixel) {
        // A screen that cannot be read is no white pixel: nothing is taken, and nothing shown.
        if (m_loupe) m_loupe->hide();
        return std::nullopt;
    }
    if (m_loupeShown) {
        if (!m_loupe) m_loupe = std::make_unique<Magnifier>();
        m_loupe->show(m_pointer, region);
    }
    return pixel;
}

bool PickSession::loupeStepsAside(QPoint pointer) { return m_loupe && m_loupe->stepAside(pointer); }

void PickSession::pickWithDesktop(QWidget* window) {
    // The desktop's picker takes the pointer until the user picks or cancels, and may answer
    // after this session has gone.
    QPointer<PickSession> self(this);
    m_probe.pickColour(window, [self](PickResult result) {
        if (self) self->finish(result);
    });
}

void PickSession::finish(const PickResult& result) {
    stop();
    switch (result.kind) {
        case PickResult::Picked:
            emit picked(result.colour);
            break;
        case PickResult::Cancelled:
            emit cancelled();
            break;
        case PickResult::Unavailable:
            emit unavailable(result.why);
            break;
    }
}

}  // namespace swatchly
