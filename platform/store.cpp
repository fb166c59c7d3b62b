#include "platform/store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <cstdio>

#include "colour/average.h"
#include "colour/drop.h"
#include "colour/forms.h"

namespace swatchly {

namespace {

QString slotKey(std::size_t i) { return QStringLiteral("swatches/%1").arg(i + 1); }
QString endKey(bool right) {
    return right ? QStringLiteral("gradient/right") : QStringLiteral("gradient/left");
}
const QString kPosition = QStringLiteral("window/position");
const QString kCopyForm = QStringLiteral("options/copyForm");
const QString kAverage = QStringLiteral("pick/average");

struct OptionKey {
    const char* key;
    bool byDefault;
};
// In the order of Store::Option.
constexpr OptionKey kOptions[] = {{"options/magnifier", true},
                                  {"options/showSwatches", false},
                                  {"options/copyOnPick", false},
                                  {"options/keepPicks", false}};
QString keyOf(Store::Option option) {
    return QString::fromLatin1(kOptions[static_cast<int>(option)].key);
}

std::optional<std::int32_t> slotColour(const QVariant& value) {
    const std::optional<Channels> c = readHtmlHexExactly(value.toString());
    if (!c) return std::nullopt;
    return rgb(c->red, c->green, c->blue);
}

// Every line a section, a key with its value, or nothing: what QSettings would drop unread is
// a file it cannot parse.
bool understood(const QByteArray& file) {
    for (const QByteArray& raw : file.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (!line.isEmpty() && !line.startsWith(';') && !line.contains('=') &&
            !(line.startsWith('[') && line.endsWith(']')))
            return false;
    }
    return true;
}

void say(const QString& line) {
    std::fputs(qPrintable(QStringLiteral("swatchly: ") + line + u'\n'), stderr);
}

}  // namespace

QString Store::defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/swatchly/swatchly.conf");
}

Store::Store(const QString& path) : m_path(path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QString problem;
    if (file.exists() && !file.open(QIODevice::ReadOnly))
        problem = QStringLiteral("it cannot be read");
    else if (file.isOpen() && !understood(file.readAll()))
        problem = QStringLiteral("it cannot be parsed");
    file.close();
    m_settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
    if (problem.isEmpty() && m_settings->status() != QSettings::NoError)
        problem = QStringLiteral("it cannot be parsed");
    for (const QString& key : m_settings->allKeys())
        if (!valid(key)) m_bad << key;
    if (problem.isEmpty() && m_bad.isEmpty()) return;
    if (problem.isEmpty()) problem = QStringLiteral("bad values for ") + m_bad.join(u", ");

    // The bad file is kept aside before anything is written over it; what was good is written
    // back.
    const QString aside = path + QStringLiteral(".bad");
    QFile::remove(aside);
    const bool kept =
        problem == u"it cannot be read" ? QFile::rename(path, aside) : QFile::copy(path, aside);
    say(QStringLiteral("%1: %2; the defaults stand for what is bad%3")
            .arg(path, problem,
                 kept ? QStringLiteral(", and the file is kept as ") + aside
                      : QStringLiteral("; the file is left as it is")));
    if (!kept) {
        m_cannotWrite = true;  // nothing may be written over it
        return;
    }
    QMap<QString, QVariant> good;
    for (const QString& key : m_settings->allKeys())
        if (!m_bad.contains(key)) good.insert(key, m_settings->value(key));
    m_settings.reset();
    QFile::remove(path);
    m_settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
    for (auto it = good.cbegin(); it != good.cend(); ++it)
        m_settings->setValue(it.key(), it.value());
    written();
}

bool Store::valid(const QString& key) const {
    const QVariant value = m_settings->value(key);
    if (key.startsWith(u"swatches/"))
        return value.toString().isEmpty() || slotColour(value).has_value();
    if (key.startsWith(u"gradient/")) {
        const QStringList texts = value.toStringList();
        return texts.size() == 3 && dropColour(texts[0], texts[1], texts[2]).has_value();
    }
    if (key == kCopyForm) return ColourForm::names().contains(value.toString());
    if (key == kAverage) return isAverageSize(value.toString().toInt());
    if (key == kPosition) return value.typeId() == QMetaType::QPoint;
    if (key.startsWith(u"options/"))
        return value.toString() == u"true" || value.toString() == u"false";
    return true;  // another version's: left as it is
}

Slots Store::swatches() {
    m_settings->sync();  // takes in what other processes wrote
    Slots s;
    for (std::size_t i = 0; i < s.size(); ++i) s[i] = slotColour(m_settings->value(slotKey(i)));
    return s;
}

Slots Store::updateSlots(const std::function<void(Slots&)>& change) {
    // Without the folder there is no lock to take, and no file to write either.
    QLockFile lock(m_path + QStringLiteral(".slots-lock"));
    lock.tryLock(2000);
    Slots s = swatches();
    change(s);
    for (std::size_t i = 0; i < s.size(); ++i) {
        m_settings->setValue(slotKey(i), s[i] ? htmlHex(unpack(*s[i])) : QString());
    }
    written();
    return s;
}

std::optional<QStringList> Store::gradientEnd(bool right) const {
    const QString key = endKey(right);
    if (!m_settings->contains(key) || m_bad.contains(key)) return std::nullopt;
    return m_settings->value(key).toStringList();
}

void Store::setGradientEnd(bool right, const QStringList& texts) { write(endKey(right), texts); }

bool Store::option(Option option) const {
    const QString key = keyOf(option);
    if (!m_settings->contains(key) || m_bad.contains(key))
        return kOptions[static_cast<int>(option)].byDefault;
    return m_settings->value(key).toBool();
}

void Store::setOption(Option option, bool on) { write(keyOf(option), on); }

QString Store::copyForm() const {
    if (m_bad.contains(kCopyForm)) return ColourForm::names().first();
    return m_settings->value(kCopyForm, ColourForm::names().first()).toString();
}

void Store::setCopyForm(const QString& form) { write(kCopyForm, form); }

int Store::averageSize() const {
    if (m_bad.contains(kAverage)) return 1;
    return m_settings->value(kAverage, 1).toInt();
}

void Store::setAverageSize(int size) { write(kAverage, size); }

std::optional<QPoint> Store::position() const {
    if (!m_settings->contains(kPosition) || m_bad.contains(kPosition)) return std::nullopt;
    return m_settings->value(kPosition).toPoint();
}

void Store::setPosition(QPoint topLeft) { write(kPosition, topLeft); }

void Store::write(const QString& key, const QVariant& value) {
    m_settings->setValue(key, value);
    m_bad.removeAll(key);
    written();
}

void Store::written() {
    if (m_cannotWrite) return;
    m_settings->sync();
    if (m_settings->status() == QSettings::NoError) return;
    // Once: everything goes on working, with what is kept held until the program ends.
    m_cannotWrite = true;
    say(QStringLiteral("%1 cannot be written; what you keep now lasts until Swatchly ends")
            .arg(m_path));
}

}  // namespace swatchly
