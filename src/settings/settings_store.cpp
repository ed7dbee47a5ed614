#include "settings/settings_store.h"

#include "core/messages.h"
#include "core/user_error.h"

namespace yilou::settings {

namespace {

const QString kApplication = QStringLiteral("11S5OMBRIX");
const QString kGroup = QStringLiteral("IniSetting/");

} // namespace

SettingsStore::SettingsStore()
    : settings_(QSettings::NativeFormat, QSettings::UserScope, kApplication, kApplication) {}

void SettingsStore::sync() {
    settings_.sync();
    if (settings_.status() != QSettings::NoError)
        throw UserError(messages::cannotSaveSettings(settings_.fileName().toStdString()));
}

namespace {

/// The key of a game's draws per day: "intDayDraws11x5gd".
std::string dayDrawsKey(int game) {
    return "intDayDraws" + history::gameAt(game).gameCode();
}

} // namespace

int SettingsStore::dayDraws(int game) const {
    return readInt(dayDrawsKey(game).c_str(), history::gameAt(game).drawsPerDay,
                   history::kFewestDrawsPerDay, history::kMostDrawsPerDay);
}

void SettingsStore::setDayDraws(int game, int value) {
    writeInt(dayDrawsKey(game).c_str(), value);
}

std::array<int, history::kGameCount> SettingsStore::dayDrawsOfGames() const {
    std::array<int, history::kGameCount> draws{};
    for (int game = 0; game < history::kGameCount; ++game)
        draws[game] = dayDraws(game);
    return draws;
}

std::string SettingsStore::UpdateUrl() const {
    return settings_.value(kGroup + "UpdateUrl").toString().trimmed().toStdString();
}

void SettingsStore::setUpdateUrl(const std::string& value) {
    settings_.setValue(kGroup + "UpdateUrl", QString::fromStdString(value).trimmed());
}

namespace {

QString prizesKey(int highestNumber) {
    return kGroup + QStringLiteral("Prizes") + QString::number(highestNumber);
}

} // namespace

std::optional<std::string> SettingsStore::Prizes(int highestNumber) const {
    const QVariant value = settings_.value(prizesKey(highestNumber));
    if (!value.isValid())
        return std::nullopt;
    // Typed by hand with commas and without quotes, the value reads as a list.
    return value.toStringList().join(QLatin1Char(',')).toStdString();
}

void SettingsStore::setPrizes(int highestNumber, const std::string& value) {
    settings_.setValue(prizesKey(highestNumber), QString::fromStdString(value));
}

int SettingsStore::readInt(const char* key, int fallback, int min, int max) const {
    bool ok = false;
    const int value = settings_.value(kGroup + key).toString().trimmed().toInt(&ok);
    return ok && value >= min && value <= max ? value : fallback;
}

bool SettingsStore::readBool(const char* key, bool fallback) const {
    const QString text = settings_.value(kGroup + key).toString().trimmed();
    if (text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        return false;
    return fallback;
}

void SettingsStore::writeInt(const char* key, int value) {
    settings_.setValue(kGroup + key, QString::number(value));
}

void SettingsStore::writeBool(const char* key, bool value) {
    settings_.setValue(kGroup + key, value ? QStringLiteral("True") : QStringLiteral("False"));
}

} // namespace yilou::settings
