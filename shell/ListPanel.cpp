// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ListPanel.h"

#include "dialogs/frmStation.h"
#include "forms/AppTitle.h"
#include "forms/CorePath.h"
#include "forms/ListText.h"
#include "jobs/JobError.h"
#include "keptlist/CheckFindings.h"
#include "keptlist/KeptList.h"
#include "keptlist/RowOrder.h"
#include "keptlist/StationRow.h"
#include "shell/ListModel.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Shows no panel text: the list's save is not a job of the status bar.
class NoStatus : public borvelin::StatusSink {
public:
    void setPanelText(int, const std::string&) override {}
};

const QString ListName = QStringLiteral("QSL.TXT");
const QString FindingsName = QStringLiteral("QSLCHK.CSV");

std::string fileNameOf(const QString& path)
{
    return corePath(path);
}

// Check List's findings belong to the list when it wrote them after the list last changed.
std::unique_ptr<borvelin::CheckFindings> findingsOf(const QString& list, const QString& findings)
{
    const QFileInfo listFile(list);
    const QFileInfo findingsFile(findings);
    if (!findingsFile.isFile() || findingsFile.lastModified() < listFile.lastModified())
        return nullptr;
    try {
        return std::make_unique<borvelin::CheckFindings>(fileNameOf(findings));
    } catch (const borvelin::JobError&) {
        return nullptr; // the list is shown without them
    }
}

} // namespace

struct ListPanel::Loaded {
    std::unique_ptr<borvelin::KeptList> list;
    std::unique_ptr<borvelin::CheckFindings> findings;
    borvelin::FileVersion findingsVersion;
    QString error;
};

ListPanel::ListPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ListPanel"));
    createControls();
    watcher_ = new QFileSystemWatcher(this);
    // A change comes as several signals: one look once they have passed.
    auto* settle = new QTimer(this);
    settle->setSingleShot(true);
    settle->setInterval(200);
    connect(settle, &QTimer::timeout, this, &ListPanel::checkTheDisk);
    connect(watcher_, &QFileSystemWatcher::fileChanged, settle, qOverload<>(&QTimer::start));
    connect(watcher_, &QFileSystemWatcher::directoryChanged, settle, qOverload<>(&QTimer::start));
}

ListPanel::~ListPanel()
{
    stopLoading();
}

void ListPanel::createControls()
{
    Model = new ListModel(this);
    connect(Model, &ListModel::listChanged, this, &ListPanel::stateChanged);
    stkList = new QStackedWidget(this);
    stkList->setObjectName(QStringLiteral("stkList"));
    lblLoading = new QLabel(this);
    lblLoading->setObjectName(QStringLiteral("lblLoading"));
    lblLoading->setAlignment(Qt::AlignCenter);
    lblLoading->setWordWrap(true);
    stkList->addWidget(lblLoading);
    stkList->addWidget(createGuide());
    stkList->addWidget(createTable());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(stkList);
}

QWidget* ListPanel::createGuide()
{
    fraGuide = new QWidget(this);
    fraGuide->setObjectName(QStringLiteral("fraGuide"));
    auto* text = new QLabel(QStringLiteral("There is no QSL.TXT in this folder.\n\n"
                                           "Open the folder that holds your QSL manager list, or try the example "
                                           "list: it is copied into a folder you choose, where every command can "
                                           "be tried on it."),
                            fraGuide);
    text->setObjectName(QStringLiteral("lblGuide"));
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignCenter);
    cmdGuideOpenFolder = new QPushButton(QStringLiteral("Open Folder..."), fraGuide);
    cmdGuideOpenFolder->setObjectName(QStringLiteral("cmdGuideOpenFolder"));
    connect(cmdGuideOpenFolder, &QPushButton::clicked, this, &ListPanel::openFolderAsked);
    cmdTryExample = new QPushButton(QStringLiteral("Try the example list"), fraGuide);
    cmdTryExample->setObjectName(QStringLiteral("cmdTryExample"));
    connect(cmdTryExample, &QPushButton::clicked, this, &ListPanel::tryExampleAsked);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdGuideOpenFolder);
    buttons->addWidget(cmdTryExample);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(fraGuide);
    layout->addStretch();
    layout->addWidget(text);
    layout->addLayout(buttons);
    layout->addStretch();
    return fraGuide;
}

QWidget* ListPanel::createTable()
{
    auto* page = new QWidget(this);
    fraChanged = new QFrame(page);
    fraChanged->setObjectName(QStringLiteral("fraChanged"));
    fraChanged->setFrameStyle(QFrame::StyledPanel);
    lblChanged = new QLabel(fraChanged);
    lblChanged->setObjectName(QStringLiteral("lblChanged"));
    lblChanged->setWordWrap(true);
    cmdReload = new QPushButton(QStringLiteral("Reload"), fraChanged);
    cmdReload->setObjectName(QStringLiteral("cmdReload"));
    connect(cmdReload, &QPushButton::clicked, this, &ListPanel::reloadAsked);
    auto* changedRow = new QHBoxLayout(fraChanged);
    changedRow->addWidget(lblChanged, 1);
    changedRow->addWidget(cmdReload);
    fraChanged->hide();

    chkFindingsOnly = new QCheckBox(QStringLiteral("&Only lines with findings"), page);
    chkFindingsOnly->setObjectName(QStringLiteral("chkFindingsOnly"));
    connect(chkFindingsOnly, &QCheckBox::toggled, this, [this](bool only) {
        QApplication::setOverrideCursor(Qt::BusyCursor);
        Model->setFindingsOnly(only);
        QApplication::restoreOverrideCursor();
        emit stateChanged();
    });

    tblList = new QTableView(page);
    tblList->setObjectName(QStringLiteral("tblList"));
    tblList->setModel(Model);
    tblList->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblList->setSelectionMode(QAbstractItemView::SingleSelection);
    tblList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblList->setWordWrap(false);
    tblList->setAlternatingRowColors(true);
    tblList->verticalHeader()->hide();
    // Rows of one height: the view then needs nothing of ten million rows but their number.
    tblList->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tblList->verticalHeader()->setDefaultSectionSize(tblList->fontMetrics().height() + 6);
    const QFontMetrics metrics = tblList->fontMetrics();
    const int em = metrics.horizontalAdvance(QLatin1Char('M'));
    for (const auto& [column, width] : {std::pair{ListModel::LineColumn, 6},
                                        {ListModel::CallColumn, 8},
                                        {ListModel::ManagerColumn, 16},
                                        {ListModel::RemarksColumn, 14}})
        tblList->setColumnWidth(column, width * em);
    tblList->setColumnWidth(ListModel::RouteColumn,
                            metrics.horizontalAdvance(QStringLiteral("QSL via Home Call")) + em);
    tblList->horizontalHeader()->setStretchLastSection(true);
    tblList->setSortingEnabled(true);
    tblList->sortByColumn(ListModel::LineColumn, Qt::AscendingOrder);
    // Enter and a double click open the station.
    connect(tblList, &QTableView::activated, this, &ListPanel::editStation);
    connect(tblList->selectionModel(), &QItemSelectionModel::currentChanged, this, &ListPanel::stateChanged);
    connect(Model, &ListModel::unreadable, this, [this](const QString& error) {
        lblChanged->setText(error);
        fraChanged->show();
    });

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(fraChanged);
    layout->addWidget(chkFindingsOnly);
    layout->addWidget(tblList, 1);
    return page;
}

QString ListPanel::listPath() const
{
    return QDir::current().absoluteFilePath(ListName);
}

void ListPanel::stopLoading()
{
    if (!loader_)
        return;
    stopLoader_->store(true);
    loader_->wait();
    loader_.reset();
}

void ListPanel::watch(const QString& path)
{
    if (!watcher_->files().isEmpty())
        watcher_->removePaths(watcher_->files());
    if (!watcher_->directories().isEmpty())
        watcher_->removePaths(watcher_->directories());
    watcher_->addPath(QFileInfo(path).absolutePath());
    if (QFileInfo::exists(path))
        watcher_->addPath(path);
}

void ListPanel::load()
{
    stopLoading();
    const int run = ++loadRun_;
    const QString path = listPath();
    watch(path);
    fraChanged->hide();
    if (!QFileInfo::exists(path)) {
        Model->setList(nullptr, nullptr);
        stkList->setCurrentWidget(fraGuide);
        emit stateChanged();
        emit loaded();
        return;
    }
    lblLoading->setText(QStringLiteral("Reading %1 …").arg(QDir::toNativeSeparators(path)));
    stkList->setCurrentWidget(lblLoading);
    Model->setList(nullptr, nullptr);
    stopLoader_ = std::make_shared<std::atomic<bool>>(false);
    QPointer<ListPanel> panel(this);
    const auto stop = stopLoader_;
    const QString findings = QDir::current().absoluteFilePath(FindingsName);
    loader_.reset(QThread::create([panel, run, path, findings, stop] {
        auto loaded = std::make_shared<Loaded>();
        int shownPercent = -1;
        const auto progress = [&](std::uint64_t read, std::uint64_t all) {
            const int percent = all == 0 ? 100 : static_cast<int>(read * 100 / all);
            if (percent != shownPercent) {
                shownPercent = percent;
                QMetaObject::invokeMethod(panel, [panel, run, path, percent] {
                    if (panel && panel->loadRun_ == run)
                        panel->lblLoading->setText(
                            QStringLiteral("Reading %1: %2%").arg(QDir::toNativeSeparators(path)).arg(percent));
                });
            }
            return !stop->load();
        };
        try {
            loaded->list = std::make_unique<borvelin::KeptList>(fileNameOf(path), progress);
            loaded->findingsVersion = borvelin::versionOf(fileNameOf(findings));
            loaded->findings = findingsOf(path, findings);
        } catch (const borvelin::JobError& error) {
            loaded->error = QStringLiteral("Error %1: %2: %3")
                                .arg(error.number())
                                .arg(fromCore(error.text()), QDir::toNativeSeparators(path));
        } catch (const std::bad_alloc&) {
            loaded->error = QStringLiteral("Error 7: Out of memory: %1").arg(QDir::toNativeSeparators(path));
        }
        QMetaObject::invokeMethod(panel, [panel, run, loaded] {
            if (panel && panel->loadRun_ == run)
                panel->takeLoaded(loaded);
        });
    }));
    loader_->start();
}

void ListPanel::takeLoaded(const std::shared_ptr<Loaded>& result)
{
    loader_->wait();
    loader_.reset();
    if (!result->error.isEmpty()) {
        lblLoading->setText(result->error);
    } else {
        findingsVersion_ = result->findingsVersion;
        Model->setList(std::move(result->list), std::move(result->findings));
        showWhetherFindingsAreThere();
        stkList->setCurrentIndex(stkList->count() - 1);
    }
    emit stateChanged();
    emit loaded();
}

bool ListPanel::hasList() const
{
    return Model->list() != nullptr;
}

bool ListPanel::modified() const
{
    return hasList() && Model->list()->modified();
}

bool ListPanel::canUndo() const
{
    return hasList() && Model->list()->canUndo();
}

bool ListPanel::canRedo() const
{
    return hasList() && Model->list()->canRedo();
}

bool ListPanel::hasCurrentRow() const
{
    return currentRow().has_value();
}

std::optional<std::uint64_t> ListPanel::currentRow() const
{
    const QModelIndex current = tblList->currentIndex();
    if (!hasList() || !current.isValid())
        return std::nullopt;
    return Model->rowAt(current.row());
}

void ListPanel::select(int position)
{
    const QModelIndex index = Model->index(position, ListModel::CallColumn);
    tblList->setCurrentIndex(index);
    tblList->scrollTo(index, QAbstractItemView::PositionAtCenter);
    emit stateChanged();
}

QString ListPanel::describe(const borvelin::JobError& error) const
{
    QString text = QStringLiteral("Error %1: %2").arg(error.number()).arg(fromCore(error.text()));
    if (!error.fileName().empty())
        text += QStringLiteral(": ") +
                QDir::toNativeSeparators(QDir::current().absoluteFilePath(fromCore(error.fileName())));
    return text;
}

// A line is changed in the encoding it was read in; a line of plain ASCII as new lines are.
bool ListPanel::windows1252(const std::string& line) const
{
    if (!ListText::isUtf8(line))
        return true;
    const bool ascii = std::all_of(line.begin(), line.end(), [](char byte) { return (byte & 0x80) == 0; });
    return ascii && ListText::newLinesInWindows1252();
}

void ListPanel::editStation()
{
    const auto row = currentRow();
    if (!row)
        return;
    std::string line;
    try {
        line = Model->list()->row(*row);
    } catch (const borvelin::JobError& error) {
        QMessageBox::critical(window(), AppTitle, describe(error));
        return;
    }
    const borvelin::StationFields before = borvelin::readStationRow(line).fields;
    frmStation dialog(window(), QStringLiteral("Edit Station"), before, windows1252(line));
    if (dialog.exec() != QDialog::Accepted || dialog.fields() == before)
        return;
    select(Model->replaceRow(*row, dialog.line()));
}

// A new station goes below the row the cursor is on, or at the end of the list.
void ListPanel::newStation()
{
    if (!hasList())
        return;
    frmStation dialog(window(), QStringLiteral("New Station"), {}, ListText::newLinesInWindows1252());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const auto row = currentRow();
    const QModelIndex current = tblList->currentIndex();
    const std::uint64_t listRow = row ? *row + 1 : Model->list()->rowCount();
    const int position = current.isValid() ? current.row() + 1 : Model->rowCount();
    select(Model->insertRow(listRow, dialog.line(), position));
}

void ListPanel::deleteStation()
{
    const auto row = currentRow();
    if (!row)
        return;
    const int position = tblList->currentIndex().row();
    Model->eraseRow(*row);
    if (Model->rowCount() > 0)
        select(std::min(position, Model->rowCount() - 1));
}

void ListPanel::undo()
{
    if (const auto position = Model->undo())
        select(*position);
}

void ListPanel::redo()
{
    if (const auto position = Model->redo())
        select(*position);
}

bool ListPanel::save()
{
    if (!hasList())
        return false;
    const QString path = listPath();
    if (borvelin::versionOf(fileNameOf(path)) != Model->list()->file().version() &&
        QMessageBox::question(window(), AppTitle,
                              QStringLiteral("%1 has changed on the disk since it was read. Save the list shown "
                                             "over it?")
                                  .arg(QDir::toNativeSeparators(path))) != QMessageBox::Yes)
        return false;
    const QModelIndex current = tblList->currentIndex();
    QApplication::setOverrideCursor(Qt::BusyCursor);
    borvelin::listfile::Saved savedList;
    try {
        NoStatus status; // a wait for the folder's lock shows as the busy cursor
        Model->save(status, savedList);
    } catch (const borvelin::JobError& error) {
        QApplication::restoreOverrideCursor();
        QMessageBox::critical(window(), AppTitle, describe(error));
        return false;
    }
    QApplication::restoreOverrideCursor();
    if (current.isValid())
        select(current.row());
    watch(path);
    fraChanged->hide();
    const std::uint64_t lines = Model->list()->rowCount();
    QString report = QStringLiteral("Saved %1: %2 %3.")
                         .arg(ListName, QLocale().toString(static_cast<qulonglong>(lines)),
                              lines == 1 ? QStringLiteral("line") : QStringLiteral("lines"));
    if (savedList.kept) {
        report += QStringLiteral("\nThe list before the save is kept as %1").arg(fromCore(savedList.kept->backup));
        report += savedList.kept->older.empty()
                      ? QStringLiteral(".")
                      : QStringLiteral("; the backup before it as %1.").arg(fromCore(savedList.kept->older));
    }
    // The findings moved with their lines, but the line numbers they name are the old ones.
    if (Model->hasFindings())
        report += QStringLiteral("\nThe findings are of the list as Check List read it: run it again for the list "
                                 "as it is now.");
    emit saved(report);
    emit stateChanged();
    return true;
}

bool ListPanel::mayLeave()
{
    if (!modified())
        return true;
    QMessageBox box(QMessageBox::Warning, AppTitle, QStringLiteral("The list has changes that are not saved."),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, window());
    box.setInformativeText(QStringLiteral("Save them to %1?").arg(QDir::toNativeSeparators(listPath())));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save: return save();
    case QMessageBox::Discard: load(); return true;
    default: return false;
    }
}

void ListPanel::afterJob()
{
    if (!hasList() || borvelin::versionOf(fileNameOf(listPath())) != Model->list()->file().version()) {
        if (!loading())
            load();
        return;
    }
    const QString findings = QDir::current().absoluteFilePath(FindingsName);
    const borvelin::FileVersion stamp = borvelin::versionOf(fileNameOf(findings));
    if (stamp == findingsVersion_)
        return;
    findingsVersion_ = stamp;
    Model->setFindings(findingsOf(listPath(), findings));
    showWhetherFindingsAreThere();
    emit stateChanged();
}

void ListPanel::showWhetherFindingsAreThere()
{
    chkFindingsOnly->setEnabled(Model->hasFindings());
    chkFindingsOnly->setToolTip(
        Model->hasFindings() ? QString() : QStringLiteral("File > Check List puts its findings beside the lines."));
}

void ListPanel::checkTheDisk()
{
    if (!isEnabled() || loading())
        return; // a job runs: it is looked at when it has ended
    const QString path = listPath();
    watch(path); // a file replaced on the disk is watched anew
    if (!hasList()) {
        if (QFileInfo::exists(path) && stkList->currentWidget() == fraGuide)
            load();
        return;
    }
    if (borvelin::versionOf(fileNameOf(path)) == Model->list()->file().version()) {
        fraChanged->hide();
        return;
    }
    const QString change = QFileInfo::exists(path) ? QStringLiteral("%1 has changed on the disk since it was read.")
                                                   : QStringLiteral("%1 has been removed from the disk.");
    lblChanged->setText(change.arg(ListName) +
                        (modified() ? QStringLiteral(" Reload it? Your changes that are not saved would be lost.")
                                    : QStringLiteral(" Reload it to see it as it is now.")));
    fraChanged->show();
}

void ListPanel::reloadAsked()
{
    if (modified() &&
        QMessageBox::question(window(), AppTitle,
                              QStringLiteral("Drop the changes that are not saved, and read %1 as it is on the disk "
                                             "now?")
                                  .arg(ListName)) != QMessageBox::Yes)
        return;
    load();
}

bool ListPanel::selectStation(const QString& call)
{
    if (!hasList())
        return false;
    QApplication::setOverrideCursor(Qt::BusyCursor);
    std::optional<std::uint64_t> row;
    try {
        row = borvelin::findStation(*Model->list(), ListText::toBytes(call, ListText::newLinesInWindows1252()));
    } catch (const borvelin::JobError&) {
        row.reset();
    }
    QApplication::restoreOverrideCursor();
    if (!row)
        return false;
    if (!Model->positionOf(*row)) // filtered out: show every line
        chkFindingsOnly->setChecked(false);
    if (const auto position = Model->positionOf(*row))
        select(*position);
    return true;
}
