// The settings menu, the game choice and the help links of frmMain.
#include "app/frm_main.h"
#include "app/history/command_bar.h"
#include "app/history/history_entry_panel.h"
#include "app/shell/help_links.h"
#include "app/shell/main_menus.h"
#include "core/user_error.h"
#include "core/zodiac.h"
#include "session/game_steps.h"
#include "session/history_steps.h"
#include "session/messages.h"
#include "session/typed_input.h"
#include "version.h"

#include <QAction>
#include <QClipboard>
#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>

namespace yilou::app {

void frmMain::saveSettings() {
    try {
        settings_.sync();
    } catch (const UserError& error) {
        showFailure(error);
    }
}

void frmMain::mnu11S5_Click(int index) {
    const bool switching = index != choices_.gsZl;
    if (switching) {
        if (db_)
            history::rememberOwnChanges(*db_);
        db_.reset();
        try {
            session::useGameHistory(dataFolder_, index);
        } catch (const UserError& error) {
            // Refused or failed, nothing moved: the game chosen before stays, its history open.
            menus_->mnu11S5[choices_.gsZl]->setChecked(true);
            showHistory(openHistory(), true);
            showFailure(error);
            return;
        }
    }
    choices_.gsZl = index;
    choices_.drawsPerDay = settings_.dayDraws(index);
    // Saved once the histories are switched: a kill in between, and the next start brings
    // back the game saved before.
    settings_.setGsZl(index);
    saveSettings();
    menus_->mnu11S5[index]->setChecked(true);
    updateTitle();
    if (switching)
        showHistory(openHistory(), true);
    updateStatus();
    if (const auto mismatch = session::historyGameMismatch(snapshot_, choices_.game()))
        prompts_.warn(messages::kNoticeTitle, *mismatch);
}

int frmMain::intSxYear() const {
    if (const auto issue = history::parseIssueText(entry_->Text1->text().toStdString());
        issue && history::isPlausibleIssue(*issue))
        return history::SetZodiacYear(*issue);
    return today_().year;
}

void frmMain::updateGameMenu() {
    for (const auto& summary : session::gameHistories(dataFolder_, settings_.dayDrawsOfGames())) {
        // The current history as the window holds it; the others as stored.
        const std::size_t draws = summary.current ? snapshot_.size() : summary.draws;
        menus_->mnu11S5[summary.game]->setText(
            qs(messages::gameMenuCaption(history::gameAt(summary.game).name, draws)));
    }
}

void frmMain::mnuSxcs_Click(int index) {
    choices_.sxIni = index;
    settings_.setSxIni(index);
    saveSettings();
    menus_->mnuSxcs[index]->setChecked(true);
    // From now on a draw's zodiac code counts from the zodiac of the current zodiac year.
    choices_.positionalZodiacYear = intSxYear();
    statusBar()->showMessage(
        qs(messages::zodiacBaseChanged(index, *choices_.positionalZodiacYear)));
}

void frmMain::mnuDscs_Click(int index) {
    choices_.dsIni = index;
    settings_.setDsIni(index);
    saveSettings();
    menus_->mnuDscs[index]->setChecked(true);
}

void frmMain::mnuSetDay_Click() {
    QString current = QString::number(settings_.IniSerchDay());
    for (;;) {
        const auto answer = prompts_.askText(messages::kDaysTitle, messages::kDaysPrompt, current);
        if (!answer || answer->trimmed().isEmpty())
            return;
        if (const auto days = session::readKeepDays(answer->trimmed().toStdString())) {
            settings_.setIniSerchDay(*days);
            saveSettings();
            return;
        }
        prompts_.warn(messages::kDaysErrorTitle, messages::kDaysError);
    }
}

void frmMain::setDayDraws(int draws) {
    settings_.setDayDraws(choices_.gsZl, draws);
    saveSettings();
    choices_.drawsPerDay = draws;
    QihaoXianshi();
}

void frmMain::mnuDayDraws_Click() {
    QString current = QString::number(choices_.game().drawsPerDay);
    for (;;) {
        const auto answer = prompts_.askText(
            messages::kDayDrawsTitle, messages::dayDrawsPrompt(choices_.game().name), current);
        if (!answer || answer->trimmed().isEmpty())
            return;
        try {
            setDayDraws(session::parseDrawsPerDay(answer->trimmed().toStdString()));
            return;
        } catch (const UserError&) {
            prompts_.warn(messages::kDaysErrorTitle, messages::kDayDrawsError);
        }
    }
}

void frmMain::Command9_Click() {
    menus_->mnuSetup->popup(QCursor::pos());
}

void frmMain::openAddress(const QUrl& address) {
    openUrl_(address, [this, address] {
        // Where the page is, to open by hand: a file's path, or the web address.
        const QString where = address.isLocalFile()
                                  ? QDir::toNativeSeparators(address.toLocalFile())
                                  : address.toString();
        if (prompts_.confirm(messages::kNoticeTitle,
                             messages::cannotOpenAddress(where.toStdString())))
            QGuiApplication::clipboard()->setText(where);
    });
}

void frmMain::mnuFrontPage_Click() {
    openAddress(homePageAddress());
}

void frmMain::mnuDescrb_Click() {
    openAddress(guideAddress(GuidePage::Guide));
}

void frmMain::numYanshiDown_Click() {
    openAddress(guideAddress(GuidePage::Walkthrough));
}

void frmMain::mnuAbout_Click() {
    prompts_.inform(messages::kAboutTitle, messages::aboutText(kVersion));
}

} // namespace yilou::app
