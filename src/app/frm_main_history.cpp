// The history side of frmMain: import, deletions, clear, text export and the typed draw.
#include "app/analysis/analysis_area.h"
#include "app/analysis/range_panel.h"
#include "app/dialogs/background_task.h"
#include "app/dialogs/busy_cursor.h"
#include "app/frm_main.h"
#include "app/history/command_bar.h"
#include "app/history/first_start_panel.h"
#include "app/history/history_entry_panel.h"
#include "app/history/history_grid.h"
#include "app/shell/main_menus.h"
#include "core/file_names.h"
#include "core/user_error.h"
#include "session/file_steps.h"
#include "session/game_steps.h"
#include "session/held_view.h"
#include "session/history_steps.h"
#include "session/messages.h"
#include "session/sample_histories.h"
#include "session/typed_input.h"

#include <QAction>
#include <QDir>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

namespace yilou::app {

void frmMain::wireHistory() {
    connect(commands_->cmdRdLst, &QPushButton::clicked, this, &frmMain::cmdRdLst_Click);
    connect(commands_->Command3, &QPushButton::clicked, this, &frmMain::Command3_Click);
    connect(commands_->Command4, &QPushButton::clicked, this, &frmMain::Command4_Click);
    connect(menus_->mnuErase, &QAction::triggered, this, &frmMain::mnuErase_Click);
    connect(menus_->mnuDlzd, &QAction::triggered, this, &frmMain::mnuDlzd_Click);
    connect(menus_->mnuEszhzd, &QAction::triggered, this, &frmMain::mnuEszhzd_Click);
    connect(menus_->mnuClear, &QAction::triggered, this, &frmMain::mnuClear_Click);
    connect(firstStart_->cmdFirstImport, &QPushButton::clicked, this, &frmMain::cmdRdLst_Click);
    connect(firstStart_->cmdFirstUpdateUrl, &QPushButton::clicked, this,
            &frmMain::mnuUpdateUrl_Click);
    connect(firstStart_, &FirstStartPanel::sampleChosen, this, &frmMain::loadSample);
    menus_->mnuLsgl->addMenu(firstStart_->sampleMenu);
    for (int i = 1; i <= 5; ++i) {
        QLineEdit* box = entry_->MaskEdBox1[i];
        box->installEventFilter(this);
        connect(box, &QLineEdit::textChanged, this, [this, i] { MaskEdBox1_Change(i); });
    }
    connect(entry_, &HistoryEntryPanel::enterPressed, this, &frmMain::MaskEdBox1_Enter);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress)
        for (int i = 1; i <= 5; ++i)
            if (watched == entry_->MaskEdBox1[i])
                MaskEdBox1_KeyPress(i);
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::showFailure(const std::exception& error) {
    prompts_.warn(messages::kNoticeTitle, error.what());
}

history::HistoryDb* frmMain::writableDb() {
    if (db_)
        return db_.get();
    const auto file = dataFolder_ / history::kDatabaseFileName;
    if (!prompts_.confirm(messages::kNoticeTitle, messages::askSetAsideDatabase(file)))
        return nullptr;
    try {
        // Never a new file in the place of a history a switch has not finished moving.
        session::useGameHistory(dataFolder_, choices_.gsZl);
        const auto target = session::setAsideDatabase(file);
        db_ = std::make_unique<history::HistoryDb>(file);
        openProblem_.reset();
        prompts_.inform(messages::kNoticeTitle, messages::databaseSetAside(target));
    } catch (const std::exception& error) {
        showFailure(error);
    }
    return db_.get();
}

void frmMain::setHistoryCommandsEnabled(bool enabled) {
    for (auto* button :
         {commands_->cmdRdLst, commands_->Command3, commands_->Command4, commands_->Command21})
        button->setEnabled(enabled);
    menus_->mnuLsgl->setEnabled(enabled);
    for (int i = 1; i <= 5; ++i)
        entry_->MaskEdBox1[i]->setEnabled(enabled);
}

bool frmMain::changeHistory(const QString& label,
                            const std::function<history::Snapshot(history::HistoryDb&)>& work,
                            bool restart) {
    return runHistoryChange(
        [&](history::HistoryDb& db) {
            return runWithProgress(this, label, [&] { return work(db); });
        },
        restart);
}

bool frmMain::runHistoryChange(const std::function<history::Snapshot(history::HistoryDb&)>& change,
                               bool restart) {
    history::HistoryDb* db = writableDb();
    if (!db)
        return false;
    setHistoryCommandsEnabled(false);
    changing_ = true;
    bool done = false;
    try {
        auto changed = change(*db);
        changing_ = false;
        setHistoryCommandsEnabled(true);
        showHistory(std::move(changed), restart);
        done = true;
    } catch (const std::exception& error) {
        changing_ = false;
        setHistoryCommandsEnabled(true);
        showFailure(error);
    }
    rememberOwnChanges();
    return done;
}

void frmMain::rememberOwnChanges() {
    // Queued behind the views' refresh, which historyChanged schedules the same way. A change
    // running meanwhile (its work on a thread of its own) uses the connection and queues this
    // again when it is over.
    QTimer::singleShot(0, this, [this] {
        if (db_ && !changing_)
            history::rememberOwnChanges(*db_);
    });
}

void frmMain::showHistory(history::Snapshot snapshot, bool restart) {
    // An update that only appended draws lets the views advance by them.
    if (!session::extendsHistory(snapshot_, snapshot))
        ++historyRevision_;
    snapshot_ = std::move(snapshot);
    AddHaoma();
    QihaoXianshi();
    emit historyChanged(restart);
}

void frmMain::cmdRdLst_Click() {
    if (!prompts_.confirm(messages::kImportTitle, messages::importQuestion(snapshot_.size())))
        return;
    const auto chosen = prompts_.openFile(
        QString::fromStdString((dataFolder_ / history::kHistoryTextFolder).string()),
        messages::kImportFilter);
    if (!chosen || !session::isHistoryTextFileName(chosen->toStdString())) {
        QihaoXianshi();
        return;
    }
    const std::filesystem::path file = chosen->toStdString();
    const auto choices = choices_;
    const std::size_t stored = snapshot_.size();
    std::optional<session::ImportRead> read;
    try {
        read = runWithProgress(this, qs(messages::kWorking),
                               [&] { return session::readImport(file, choices, stored); });
    } catch (const std::exception& error) {
        showFailure(error);
        return;
    }
    if (read->question && !prompts_.confirm(messages::kImportTitle, *read->question))
        return;
    const auto folder = dataFolder_;
    std::string report;
    const bool done = changeHistory(
        qs(messages::kWorking),
        [&](history::HistoryDb& db) {
            report = session::importHistory(db, std::move(*read), choices.rules(), folder);
            return db.loadSnapshot();
        },
        true);
    if (!done)
        return;
    prompts_.inform(messages::kImportTitle, report);
}

void frmMain::loadSample(const session::SampleHistory& sample) {
    const auto& game = history::gameAt(sample.game);
    // The sample goes into its own game's history.
    if (sample.game != choices_.gsZl)
        mnu11S5_Click(sample.game);
    if (!snapshot_.empty() &&
        !prompts_.confirm(messages::kSampleTitle,
                          messages::sampleReplacesHistory(snapshot_.size(), game.name)))
        return;
    const auto rules = choices_.rules();
    const auto folder = dataFolder_;
    std::string report;
    const bool done = changeHistory(
        qs(messages::kWorking),
        [&](history::HistoryDb& db) {
            report = session::loadSampleHistory(db, sample, rules, folder);
            return db.loadSnapshot();
        },
        true);
    if (!done)
        return;
    prompts_.inform(messages::kSampleTitle, report);
}

void frmMain::runDeletion(const session::Deletion& deletion, history::WhenAllDrawsGo whenAllGo) {
    const auto folder = dataFolder_;
    const auto rules = choices_.rules();
    session::DeletionShown shown;
    const bool done = changeHistory(qs(messages::kWorking), [&](history::HistoryDb& db) {
        shown = session::deleteDraws(db, deletion, folder, rules, whenAllGo);
        return db.loadSnapshot();
    });
    if (!done)
        return;
    if (shown.needsConfirmation) {
        if (prompts_.confirm(messages::kClearTitle, shown.question))
            runDeletion(deletion, history::WhenAllDrawsGo::Delete);
        return;
    }
    statusBar()->showMessage(qs(snapshot_.empty()
                                    ? messages::historyCleared()
                                    : messages::drawsDeleted(shown.removed, snapshot_.size())));
    if (shown.warning)
        prompts_.warn(messages::kNoticeTitle, *shown.warning);
}

void frmMain::Command3_Click() {
    if (snapshot_.empty())
        return;
    runDeletion(session::Deletion::newest(1));
    entry_->MaskEdBox1[1]->setFocus();
}

void frmMain::mnuErase_Click() {
    Command3_Click();
}

void frmMain::mnuDlzd_Click() {
    if (snapshot_.empty())
        return;
    // The row right-clicked for the menu, or one selected before.
    std::optional<std::size_t> selected;
    const auto rows = MSFlexGrid1_->selectionModel()->selectedRows();
    if (rows.size() == 1)
        selected = static_cast<std::size_t>(rows.front().row());
    const QString proposal =
        qs(session::deleteToProposal(snapshot_, selected, choices_.game().drawsPerDay));
    const auto answer =
        prompts_.askText(messages::kDeleteTitle, messages::kDeleteToPrompt, proposal);
    if (!answer || answer->trimmed().isEmpty())
        return;
    history::Issue keep = 0;
    try {
        keep = session::parseIssue(answer->trimmed().toStdString());
    } catch (const UserError& error) {
        showFailure(error);
        return;
    }
    runDeletion(session::Deletion::after(keep));
}

void frmMain::mnuEszhzd_Click() {
    QString proposal = QStringLiteral("1");
    int count = 0;
    // A text that is no whole number is said and asked again, with what was typed.
    for (;;) {
        const auto answer =
            prompts_.askText(messages::kDeleteTitle, messages::kDeleteCountPrompt, proposal);
        if (!answer || answer->trimmed().isEmpty())
            return;
        try {
            count =
                session::parseDecimal(answer->trimmed().toStdString(), messages::field::kDrawCount);
            break;
        } catch (const UserError& error) {
            showFailure(error);
            proposal = *answer;
        }
    }
    if (count <= 0 || snapshot_.empty())
        return;
    runDeletion(session::Deletion::newest(static_cast<std::size_t>(count)));
}

void frmMain::mnuClear_Click() {
    if (!prompts_.confirm(messages::kClearTitle, messages::kClearQuestion))
        return;
    runDeletion(session::Deletion::all(), history::WhenAllDrawsGo::Delete);
}

void frmMain::Command4_Click() {
    std::filesystem::path written;
    try {
        BusyCursor busy;
        written = session::exportHistoryText(snapshot_, dataFolder_).file;
    } catch (const std::exception& error) {
        showFailure(error);
        return;
    }
    showFile(written);
}

void frmMain::showFile(const std::filesystem::path& file) {
    openUrl_(QUrl::fromLocalFile(QString::fromStdString(file.string())), [this, file] {
        prompts_.inform(messages::kNoticeTitle, messages::cannotOpenFile(file));
    });
}

void frmMain::MaskEdBox1_KeyPress(int) {
    bolEntryReset_ = false;
}

void frmMain::MaskEdBox1_Change(int index) {
    if (bolEntryReset_)
        return;
    auto& boxes = entry_->MaskEdBox1;
    if (index == 5 && boxes[5]->text().size() == 2) {
        storeTypedDraw();
        return;
    }
    if (index <= 4 && boxes[index]->text().size() == 2)
        boxes[index + 1]->setFocus();
}

void frmMain::MaskEdBox1_Enter(int index) {
    // After a refused draw was corrected in another box, the fifth box need not be typed again.
    if (index == 5)
        storeTypedDraw();
}

void frmMain::storeTypedDraw() {
    auto& boxes = entry_->MaskEdBox1;
    history::HistoryDb* db = writableDb();
    if (!db)
        return;
    std::array<std::string, 5> typed;
    for (int i = 1; i <= 5; ++i)
        typed[i - 1] = boxes[i]->text().toStdString();
    history::DrawRecord record;
    try {
        BusyCursor busy;
        record = session::storeTypedDraw(*db, entry_->Text1->text().toStdString(), typed,
                                         choices_.game(), choices_.rules());
        // A draw after the newest one extends the history as it is; an older one changes
        // the numbering, and the history is read again.
        if (snapshot_.empty() || record.issue > snapshot_.issues.back()) {
            snapshot_.push(record);
        } else {
            snapshot_ = db->loadSnapshot();
            ++historyRevision_;
        }
    } catch (const session::TypedDrawRefusal& refusal) {
        showFailure(refusal);
        // The user goes on at the first box at fault, its digits selected to be typed over.
        QLineEdit* faulty = refusal.box() == 0 ? entry_->Text1 : boxes[refusal.box()];
        faulty->setFocus();
        faulty->selectAll();
        return;
    } catch (const std::exception& error) {
        showFailure(error);
        return;
    }
    bolEntryReset_ = true;
    for (int i = 1; i <= 5; ++i)
        boxes[i]->clear();
    boxes[1]->setFocus();
    MSFlexGrid1_->showChangedEnd();
    updateStatus();
    QihaoXianshi();
    emit historyChanged();
    rememberOwnChanges();
}

} // namespace yilou::app
