#include "picker/pick_session.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QWidget>

#include "colour/average.h"
#include "colour/names.h"
#include "picker/magnifier.h"

namespace swatchly {

PickSession::PickSession(ScreenProbe& probe, QObject* parent) : QObject(parent), m_probe(probe) {
    m_now = [clock = std::make_shared<QElapsedTimer>()] {
        if (!clock->isValid()) clock->start();
        return clock->elapsed();
    };
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

bool PickSession::choose(const QKeyEvent* key) {
    const int size = key->key() - Qt::Key_0;
    if (key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) return false;
    if (key->key() == Qt::Key_Space)
        freeze(!isFrozen());
    else if (key->key() == Qt::Key_Plus || key->key() == Qt::Key_Equal)
        setZoom(m_zoom + 1);
    else if (key->key() == Qt::Key_Minus)
        setZoom(m_zoom - 1);
    else if (isAverageSize(size))
        setAverage(size);
    else
        return false;
    if (isTicking()) sample();
    return true;
}

bool PickSession::choose(const QWheelEvent* wheel) {
    const int notches = wheel->angleDelta().y() / 120;
    if (notches == 0) return false;
    if (wheel->modifiers() & Qt::ControlModifier)
        stepAverage(notches);
    else
        setZoom(m_zoom + notches);
    if (isTicking()) sample();
    return true;
}

void PickSession::setZoom(int zoom) {
    m_zoom = std::clamp(zoom, Magnifier::kMinZoom, Magnifier::kMaxZoom);
    if (m_loupe) m_loupe->setZoom(m_zoom);
}

void PickSession::freeze(bool on) {
    m_frozen = QImage();
    m_freezing = on;
    if (!on) return;
    if (m_loupe && m_loupe->isVisible())
        m_loupe->hide();  // read at the next tick, once the screen under it has repainted
    else
        regionUnderPointer(0);
}

QImage PickSession::regionUnderPointer(int radius) {
    // Far enough for any aim the user moves to while frozen; a pixel beyond reads as none.
    constexpr int kFrozenReach = 600;
    if (m_freezing) {
        m_freezing = false;
        m_frozen = m_probe.regionUnderPointer(kFrozenReach, &m_frozenAt);
    }
    if (m_frozen.isNull()) return m_probe.regionUnderPointer(radius, &m_pointer);
    m_pointer = m_probe.cursorPos();
    const QPoint corner =
        QPoint(kFrozenReach, kFrozenReach) + m_pointer - m_frozenAt - QPoint(radius, radius);
    // Past the edge of the frozen read there is nothing to take.
    if (!m_frozen.rect().contains(corner + QPoint(radius, radius))) return {};
    return m_frozen.copy(corner.x(), corner.y(), 2 * radius + 1, 2 * radius + 1);
}

void PickSession::startTicking() {
    sample();
    m_ticks.start();
}

void PickSession::stop() {
    m_ticks.stop();
    freeze(false);
    if (m_loupe) m_loupe->hide();
}

std::optional<std::int32_t> PickSession::sample() {
    // One read serves the pick and the loupe, and says where the pointer is.
    const bool frozen = isFrozen();
    const QImage region =
        regionUnderPointer(std::max(m_loupeShown ? Magnifier::radiusAt(m_zoom) : 0, m_average / 2));
    // The pixel taken is never the loupe's; a frozen read was made without it.
    if (!frozen && loupeStepsAside(m_pointer)) return std::nullopt;
    const std::optional<std::int32_t> pixel = taken(region);
    if (!pixel) {
        // A screen that cannot be read is no white pixel: nothing is taken, and nothing shown.
        if (m_loupe) m_loupe->hide();
        return std::nullopt;
    }
    speak(unpack(*pixel));
    if (m_loupeShown) {
        if (!m_loupe) m_loupe = std::make_unique<Magnifier>(), m_loupe->setZoom(m_zoom);
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
    return taken(regionUnderPointer(m_average / 2));
}

void PickSession::speak(Channels colour) {
    // A reader that spoke every tick would never finish a word: a change waits for the half
    // second since the last to pass, and is said then if it still stands.
    const QString text = nameText(colour);
    const qint64 now = m_now();
    if (text == m_spoken || (m_spokenAt && now - *m_spokenAt < 500)) return;
    m_spoken = text;
    m_spokenAt = now;
    emit announce(text);
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
            emit announce(QStringLiteral("Picked ") + nameText(result.colour));
            m_spoken.clear(), m_spokenAt.reset();
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
