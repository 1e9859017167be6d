#include "SysfsPowerSourceReader.h"

#include "UdevPowerSupplyWatch.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>

#include <algorithm>
#include <cmath>

namespace zelvik {

Q_LOGGING_CATEGORY(lcPowerSupply, "zelvik.battery.sysfs", QtWarningMsg)

namespace {

// Attribute files hold a word or a number; anything longer is not one.
constexpr qint64 kMaxAttributeBytes = 256;
// Far beyond any real battery (energy in µWh, charge in µAh); a larger value
// is a broken driver and reads as missing, so that sums cannot overflow.
constexpr qint64 kAbsurdValue = qint64(1) << 50;
// Batteries of different kinds are combined as parts per this much.
constexpr qint64 kCombinedScale = 10000;

std::optional<QByteArray> attribute(const QDir& supply, const char* name) {
    QFile file(supply.filePath(QLatin1String(name)));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.read(kMaxAttributeBytes).trimmed();
}

QByteArray text(const QDir& supply, const char* name) {
    return attribute(supply, name).value_or(QByteArray());
}

// A non-negative, sane integer; missing, empty, not a number, negative and
// absurd values all read as absent.
std::optional<qint64> number(const QDir& supply, const char* name) {
    const auto raw = attribute(supply, name);
    if (!raw)
        return std::nullopt;
    bool ok = false;
    const qint64 value = raw->toLongLong(&ok);
    if (!ok || value < 0 || value > kAbsurdValue)
        return std::nullopt;
    return value;
}

// How full one battery is: now out of full, in one of three units.
struct Charge {
    enum class Unit { energy, charge, percent };
    Unit unit;
    qint64 now;
    qint64 full;
};

std::optional<Charge> pair(const QDir& supply, const char* now, const char* full,
                           Charge::Unit unit) {
    const auto n = number(supply, now);
    const auto f = number(supply, full);
    if (!n || !f || *f == 0)
        return std::nullopt;
    // Worn or freshly calibrated batteries report slightly more than full.
    return Charge{unit, std::min(*n, *f), *f};
}

std::optional<Charge> chargeOf(const QDir& supply) {
    if (auto energy = pair(supply, "energy_now", "energy_full", Charge::Unit::energy))
        return energy;
    if (auto charge = pair(supply, "charge_now", "charge_full", Charge::Unit::charge))
        return charge;
    if (const auto capacity = number(supply, "capacity"))
        return Charge{Charge::Unit::percent, std::min<qint64>(*capacity, 100), 100};
    return std::nullopt;
}

// Several system batteries (some laptops have two) are one internal battery,
// so that the level does not jump between them from one read to the next.
std::pair<qint64, qint64> combined(const QList<Charge>& charges) {
    const bool sameUnit = std::all_of(charges.cbegin(), charges.cend(), [&](const Charge& c) {
        return c.unit == charges.first().unit;
    });
    qint64 now = 0;
    qint64 full = 0;
    for (const Charge& c : charges) {
        if (sameUnit) {
            now += c.now;
            full += c.full;
        } else {
            now += std::llround(double(c.now) * kCombinedScale / double(c.full));
            full += kCombinedScale;
        }
    }
    return {now, full};
}

} // namespace

SysfsPowerSourceReader::SysfsPowerSourceReader(Scheduler& scheduler, QString root)
    : m_scheduler(scheduler)
    , m_root(std::move(root)) {}

SysfsPowerSourceReader::~SysfsPowerSourceReader() {
    m_fallback.cancel();
}

std::optional<QList<QVariantMap>> SysfsPowerSourceReader::powerSources() {
    const QDir root(m_root);
    if (!root.exists())
        return std::nullopt;
    bool onAC = false;
    bool charging = false;
    QList<Charge> charges;
    // Entries are symbolic links to the devices' folders.
    const QStringList names = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : names) {
        const QDir supply(root.filePath(name));
        // A peripheral's battery or charger (a mouse, a phone) is not the machine's.
        if (text(supply, "scope") == "Device")
            continue;
        const QByteArray type = text(supply, "type");
        if (type == "Mains" || type.startsWith("USB")) {
            onAC = onAC || number(supply, "online").value_or(0) > 0;
            continue;
        }
        if (type != "Battery" || number(supply, "present") == 0)
            continue;
        // A battery with nothing readable is as good as none.
        const auto charge = chargeOf(supply);
        if (!charge)
            continue;
        charges << *charge;
        charging = charging || text(supply, "status") == "Charging";
    }
    QList<QVariantMap> sources;
    if (charges.isEmpty())
        return sources;
    const auto [now, full] = combined(charges);
    sources << QVariantMap{
        {QLatin1String(powerSourceKey::type), QLatin1String(kInternalBattery)},
        {QLatin1String(powerSourceKey::currentCapacity), now},
        {QLatin1String(powerSourceKey::maxCapacity), full},
        {QLatin1String(powerSourceKey::state), QLatin1String(onAC ? kACPower : kBatteryPower)},
        {QLatin1String(powerSourceKey::isCharging), charging},
    };
    return sources;
}

bool SysfsPowerSourceReader::subscribe(std::function<void()> changed) {
    m_changed = std::move(changed);
    m_uevents = std::make_unique<UdevPowerSupplyWatch>([this] {
        // A battery that has just come is re-read from now on.
        if (!m_fallback.isPending())
            armFallback();
        if (m_changed)
            m_changed();
    });
    if (!m_uevents->isActive())
        qCDebug(lcPowerSupply) << "no power-supply uevents; re-reading once a minute only";
    m_fallback.cancel();
    armFallback();
    return true;
}

bool SysfsPowerSourceReader::hasBatteryEntry() const {
    const QDir root(m_root);
    const QStringList names = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    return std::any_of(names.cbegin(), names.cend(), [&root](const QString& name) {
        const QDir supply(root.filePath(name));
        return text(supply, "type") == "Battery" && text(supply, "scope") != "Device";
    });
}

void SysfsPowerSourceReader::armFallback() {
    // A machine without a battery has nothing a missed uevent could change
    // but the coming of a supply, which is a uevent of its own: a desktop is
    // never woken for it. Once a battery has been seen the re-read goes on,
    // as its charge changes without uevents on many machines.
    m_hadBattery = m_hadBattery || hasBatteryEntry();
    if (m_uevents && m_uevents->isActive() && !m_hadBattery)
        return;
    m_fallback = m_scheduler.after(fallbackInterval, [this] {
        armFallback();
        if (m_changed)
            m_changed();
    });
}

} // namespace zelvik
