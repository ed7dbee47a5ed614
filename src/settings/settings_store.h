#pragma once

#include "core/games.h"
#include "core/keep_days.h"

#include <QSettings>
#include <QString>
#include <array>
#include <optional>
#include <string>

namespace yilou::settings {

/// The user's settings: the per-user store of application 11S5OMBRIX, group IniSetting.
/// Integers are kept as decimal text, booleans as True/False (read back in any case); a value
/// that is missing, unreadable or out of range reads as its default.
class SettingsStore {
public:
    SettingsStore();

    int GsZl() const { return readInt("GsZl", 0, 0, 27); }
    void setGsZl(int value) { writeInt("GsZl", value); }
    bool bolZyw() const { return readBool("bolZyw", true); }
    void setBolZyw(bool value) { writeBool("bolZyw", value); }
    int intLei() const { return readInt("intLei", 0, 0, 5); }
    void setIntLei(int value) { writeInt("intLei", value); }
    bool bolLdm() const { return readBool("bolLdm", true); }
    void setBolLdm(bool value) { writeBool("bolLdm", value); }
    int intZhWSetup() const { return readInt("intZhWSetup", 2, 1, 5); }
    void setIntZhWSetup(int value) { writeInt("intZhWSetup", value); }
    int SxIni() const { return readInt("SxIni", 1, 0, 1); }
    void setSxIni(int value) { writeInt("SxIni", value); }
    int DsIni() const { return readInt("DsIni", 1, 0, 1); }
    void setDsIni(int value) { writeInt("DsIni", value); }
    /// The play of the page 玩法遗漏: its place in analysis::allPlays().
    int intWanfa() const { return readInt("intWanfa", 0, 0, 12); }
    void setIntWanfa(int value) { writeInt("intWanfa", value); }
    int IniSerchDay() const {
        return readInt("IniSerchDay", 6, history::kFewestKeepDays, history::kMostKeepDays);
    }
    void setIniSerchDay(int value) { writeInt("IniSerchDay", value); }
    /// The draws per day of game `game` (0..27), 1..120: the game table's value unless set.
    int dayDraws(int game) const;
    void setDayDraws(int game, int value);
    /// dayDraws of every game, in game order.
    std::array<int, history::kGameCount> dayDrawsOfGames() const;
    /// The address template of the online update ({code}, {n}); empty when none is set.
    std::string UpdateUrl() const;
    void setUpdateUrl(const std::string& value);
    /// The prize table of the 11- or 12-number games as saved ("r2=6 r3=19 …", 奖金设置); none
    /// when it never was.
    std::optional<std::string> Prizes(int highestNumber) const;
    void setPrizes(int highestNumber, const std::string& value);

    /// Writes pending changes to the store now; throws UserError when they could not be
    /// written, so a choice is never reported as saved when it was not.
    void sync();

private:
    int readInt(const char* key, int fallback, int min, int max) const;
    bool readBool(const char* key, bool fallback) const;
    void writeInt(const char* key, int value);
    void writeBool(const char* key, bool value);

    mutable QSettings settings_;
};

} // namespace yilou::settings
