#include "settings/settings_store.h"
#include "support/temp_dir.h"
#include "support/text_files.h"

#include <QSettings>
#include <filesystem>
#include <gtest/gtest.h>

namespace yilou::settings {
namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    SettingsStoreTest() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(dir.path().string()));
    }

    /// Writes the store's file by hand, as a user editing it would.
    void storeText(const std::string& lines) {
        std::filesystem::create_directories(dir / "11S5OMBRIX");
        yilou::testing::writeFile(dir / "11S5OMBRIX/11S5OMBRIX.conf", "[IniSetting]\n" + lines);
    }

    yilou::testing::TempDir dir;
};

TEST_F(SettingsStoreTest, NothingStoredGivesTheDefaults) {
    const SettingsStore settings;
    EXPECT_EQ(settings.GsZl(), 0);
    EXPECT_TRUE(settings.bolZyw());
    EXPECT_EQ(settings.intLei(), 0);
    EXPECT_TRUE(settings.bolLdm());
    EXPECT_EQ(settings.intZhWSetup(), 2);
    EXPECT_EQ(settings.SxIni(), 1);
    EXPECT_EQ(settings.DsIni(), 1);
    EXPECT_EQ(settings.IniSerchDay(), 6);
}

TEST_F(SettingsStoreTest, BooleansReadInAnyCaseAndUnreadableValuesFallBack) {
    storeText("bolZyw=false\nbolLdm=TRUE\nGsZl=28\nintLei=abc\nSxIni=0\nDsIni=-1\n"
              "IniSerchDay=16\nintZhWSetup=08\n");
    const SettingsStore settings;
    EXPECT_FALSE(settings.bolZyw());
    EXPECT_TRUE(settings.bolLdm());
    EXPECT_EQ(settings.GsZl(), 0);
    EXPECT_EQ(settings.intLei(), 0);
    EXPECT_EQ(settings.SxIni(), 0);
    EXPECT_EQ(settings.DsIni(), 1);
    EXPECT_EQ(settings.IniSerchDay(), 16);
    EXPECT_EQ(settings.intZhWSetup(), 2);
}

TEST_F(SettingsStoreTest, PrizesAreKeptPerGameFamilyAndReadAsTypedByHand) {
    {
        SettingsStore settings;
        EXPECT_FALSE(settings.Prizes(11));
        settings.setPrizes(12, "r5=600 q1=13");
        settings.setPrizes(11, "");
        settings.sync();
    }
    const SettingsStore settings;
    EXPECT_EQ(settings.Prizes(12), "r5=600 q1=13");
    EXPECT_EQ(settings.Prizes(11), ""); // saved empty: every prize cleared, not the defaults
    storeText("Prizes11=r5=600,q1=13\n");
    EXPECT_EQ(SettingsStore().Prizes(11), "r5=600,q1=13");
}

TEST_F(SettingsStoreTest, WritesTextFormsUnderTheApplicationGroup) {
    {
        SettingsStore settings;
        settings.setGsZl(27);
        settings.setBolZyw(false);
        settings.setBolLdm(true);
        settings.sync();
    }
    const std::string text = yilou::testing::readFile(dir / "11S5OMBRIX/11S5OMBRIX.conf");
    EXPECT_NE(text.find("[IniSetting]"), std::string::npos);
    EXPECT_NE(text.find("GsZl=27"), std::string::npos);
    EXPECT_NE(text.find("bolZyw=False"), std::string::npos);
    EXPECT_NE(text.find("bolLdm=True"), std::string::npos);
    EXPECT_EQ(SettingsStore().GsZl(), 27);
}

// Each game's draws per day: the game table's value unless a value of 1..120 is stored under
// the game's code.
TEST_F(SettingsStoreTest, DrawsPerDayAreKeptPerGame) {
    storeText("intDayDraws11x5gd=42\nintDayDraws11x5sd=121\nintDayDraws11x5jx=0\n"
              "intDayDraws11x5gx=120\n");
    const SettingsStore settings;
    const auto draws = settings.dayDrawsOfGames();
    EXPECT_EQ(draws[0], 42);
    EXPECT_EQ(draws[1], 120);
    EXPECT_EQ(draws[14], 87);
    EXPECT_EQ(draws[7], 84);
    EXPECT_EQ(draws[27], 78);
    SettingsStore().setDayDraws(27, 60);
    EXPECT_EQ(SettingsStore().dayDraws(27), 60);
    EXPECT_EQ(SettingsStore().dayDraws(26), 80);
}

} // namespace
} // namespace yilou::settings
