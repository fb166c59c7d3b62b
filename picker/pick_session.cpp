#include "picker/pick_session.h"

#include <QKeyEvent>
#include <QWheelEvent>
#include <QWidget>

#include "colour/average.h"
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

void PickSession::setAverage(int size) {
    int chosen = 1;
    for (int s : kAverageSizes)
        if (s <= size) chosen = s;
    if (std::exchange(m_average, chosen) != chosen) emit averageChanged(chosen);
}

void PickSession::stepAverage(int steps) { setAverage(std::clamp(m_average + 2 * steps, 1, 9)); }

bool PickSession::chooseAverage(const QKeyEvent* key) {
    const int size = key->key() - Qt::Key_0;
    if ((key->modifiers() & ~Qt::KeypadModifier) || !isAverageSize(size)) return false;
    setAverage(size);
    if (isTicking()) sample();
    return true;
}

bool PickSession::chooseAverage(const QWheelEvent* wheel) {
    const int notches = wheel->angleDelta().y() / 120;
    if (!(wheel->modifiers() & Qt::ControlModifier) || notches == 0) return false;
    stepAverage(notches);
    if (isTicking()) sample();
    return true;
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
    const QImage region = m_probe.regionUnderPointer(
        std::max(m_loupeShown ? Magnifier::kRadius : 0, m_average / 2), &m_pointer);
    // The pixel taken is never the loupe's.
    if (loupeStepsAside(m_pointer)) return std::nullopt;
    const std::optional<std::int32_t> pixel = taken(region);
    if (!pixel) {
        // A screen that cannot be read is no white pixel: nothing is taken, and nothing shown.
        if (m_loupe) m_loupe->hide();
        return std::nullopt;
    }
    if (m_loupeShown) {
        if (!m_loupe) m_loupe = std::make_unique<Magnifier>();
        m_loupe->show(m_pointer, region, m_average, *pixel);
    }
    return pixel;
}

std::optional<std::int32_t> PickSession::taken(const QImage& region) const {
    if (m_average == 1) return ScreenProbe::centreOf(region);
    const std::optional<Channels> mean = averageAround(region, m_average);
    return mean ? std::optional(rgb(mean->red, mean->green, mean->blue)) : std::nullopt;
}

std::optional<std::int32_t> PickSession::readUnderPointer() {
    return taken(m_probe.regionUnderPointer(m_average / 2));
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
