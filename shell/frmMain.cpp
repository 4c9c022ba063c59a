// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/frmMain.h"

#include "adif/AdifFillJob.h"
#include "buro/BuroListJob.h"
#include "cluster/ClusterExportJob.h"
#include "dialogs/frmAbout.h"
#include "forms/AppIcon.h"
#include "forms/AppTitle.h"
#include "forms/Forms.h"
#include "forms/Twips.h"
#include "full/FulToTxtJob.h"
#include "full/TxtToFulJob.h"
#include "import/ImportJob.h"
#include "jobs/JobError.h"
#include "managers/List25Job.h"
#include "shell/ImportFileDialog.h"
#include "shell/StatusBar.h"
#include "shell/WindowPlacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QVBoxLayout>

#include <optional>

namespace {

// A long job does not yield to the event loop, but the cursor tells the user it runs.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

bool liesOnAnyScreen(const QRect& frame)
{
    const auto screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(),
                       [&frame](const QScreen* screen) { return screen->geometry().intersects(frame); });
}

// A frame more than twice the size of all screens together comes from a damaged
// settings store, not from the user; the window system could not even draw it.
bool fitsTheDesktop(const QRect& frame)
{
    QRect desktop;
    for (const QScreen* screen : QGuiApplication::screens())
        desktop |= screen->geometry();
    return frame.width() <= 2 * desktop.width() && frame.height() <= 2 * desktop.height();
}

} // namespace

frmMain::frmMain()
{
    setObjectName(QStringLiteral("frmMain"));
    Forms::track(this);
    setWindowTitle(AppTitle);
    setWindowIcon(AppIcon());
    createMenus();
    createStatusBars();
    // The designed panel of StatusBar1 gets five more, all empty.
    StatusBar1->addPanel();
    for (int PanelIndex = 1; PanelIndex <= 4; ++PanelIndex)
        StatusBar1->addPanel();
    applyStoredPlacement();
}

void frmMain::createMenus()
{
    QMenu* mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    addMenuItem(mnuFile, "mnuFileFull2TXT", QStringLiteral("Convert &FUL to TXT"), &frmMain::mnuFileFull2TXT_Click);
    addMenuItem(mnuFile, "mnuFileTXT2FUL", QStringLiteral("Convert &TXT to FUL"), &frmMain::mnuFileTXT2FUL_Click);
    addSeparator(mnuFile, "mnuFileBar0");
    addMenuItem(mnuFile, "mnuFileQSL_Buro_list", QStringLiteral("QSL &Buro list"),
                &frmMain::mnuFileQSL_Buro_list_Click);
    addMenuItem(mnuFile, "mnuFileList25", QStringLiteral("&List of 25+"), &frmMain::mnuFileList25_Click);
    addSeparator(mnuFile, "mnuFileBar2");
    addMenuItem(mnuFile, "mnuFileImport", QStringLiteral("&Import Manager List..."), &frmMain::mnuFileImport_Click);
    addMenuItem(mnuFile, "mnuFileFillQslVia", QStringLiteral("Fill QSL &Via in Log..."),
                &frmMain::mnuFileFillQslVia_Click);
    addMenuItem(mnuFile, "mnuFileCluster", QStringLiteral("&Export for DX Cluster"), &frmMain::mnuFileCluster_Click);
    addSeparator(mnuFile, "mnuFileBar1");
    addMenuItem(mnuFile, "mnuFileExit", QStringLiteral("E&xit"), &frmMain::mnuFileExit_Click);

    QMenu* mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    addMenuItem(mnuHelp, "mnuHelpContents", QStringLiteral("&Contents"), &frmMain::mnuHelpContents_Click);
    addMenuItem(mnuHelp, "mnuHelpSearchForHelpOn", QStringLiteral("&Search For Help On..."),
                &frmMain::mnuHelpSearchForHelpOn_Click);
    addSeparator(mnuHelp, "mnuHelpBar0");
    addMenuItem(mnuHelp, "mnuHelpAbout", QStringLiteral("&About "), &frmMain::mnuHelpAbout_Click);
}

QAction* frmMain::addMenuItem(QMenu* menu, const char* name, const QString& caption, void (frmMain::*handler)())
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void frmMain::addSeparator(QMenu* menu, const char* name)
{
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

void frmMain::createStatusBars()
{
    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addStretch();

    StatusBar2 = new StatusBar(QStringLiteral("StatusBar2"), StatusBar2Height, client);
    StatusBar2->addPanel(StatusBar::DefaultPanelWidth, false, QStringLiteral("Records:"));
    StatusBar2->addPanel(StatusBar::DefaultPanelWidth, false, QStringLiteral("From:"));
    StatusBar2->addPanel(StatusBar::DefaultPanelWidth, false, QStringLiteral("To:"));
    StatusBar2->addPanel(StatusBar::DefaultPanelWidth, true, QStringLiteral("Current Dir:"));
    connect(StatusBar2, &StatusBar::PanelClick, this, &frmMain::StatusBar2_PanelClick);
    layout->addWidget(StatusBar2);

    StatusBar1 = new StatusBar(QStringLiteral("StatusBar1"), StatusBar1Height, client);
    StatusBar1->addPanel(); // as designed: one empty panel
    layout->addWidget(StatusBar1);

    setCentralWidget(client);
}

void frmMain::applyStoredPlacement()
{
    const WindowPlacement stored = WindowPlacement::load();
    auto toFrame = [this](const WindowPlacement& placement) {
        return QRect(Twips::toPixelsX(*this, placement.MainLeft), Twips::toPixelsY(*this, placement.MainTop),
                     Twips::toPixelsX(*this, placement.MainWidth), Twips::toPixelsY(*this, placement.MainHeight));
    };
    QRect frame = toFrame(stored);
    if (frame.width() <= 0 || frame.height() <= 0 || !liesOnAnyScreen(frame) || !fitsTheDesktop(frame))
        frame = toFrame(WindowPlacement{});
    move(frame.topLeft());
    outerSize_ = frame.size();
    applyOuterSize();
}

// The stored width and height include the window frame, which the window system may
// add only after the window is on screen: once it is there, the size is applied again.
void frmMain::applyOuterSize()
{
    resize(outerSize_ - frameExtent());
}

QSize frmMain::frameExtent() const
{
    return frameGeometry().size() - geometry().size();
}

void frmMain::settleOuterSize()
{
    if (outerSizeSettled_ || !isVisible() || frameExtent().isNull())
        return;
    outerSizeSettled_ = true;
    applyOuterSize();
}

void frmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    settleOuterSize();
}

void frmMain::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    settleOuterSize();
}

void frmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    settleOuterSize();
}

void frmMain::saveCurrentPlacement() const
{
    const QRect frame = frameGeometry();
    WindowPlacement placement;
    placement.MainLeft = static_cast<float>(Twips::fromPixelsX(*this, frame.x()));
    placement.MainTop = static_cast<float>(Twips::fromPixelsY(*this, frame.y()));
    placement.MainWidth = static_cast<float>(Twips::fromPixelsX(*this, frame.width()));
    placement.MainHeight = static_cast<float>(Twips::fromPixelsY(*this, frame.height()));
    placement.save();
}

// Unloading the main window unloads the program's other windows first, the most
// recently opened one first, then keeps the placement.
void frmMain::closeEvent(QCloseEvent* event)
{
    const QList<QWidget*> windows = Forms::open();
    for (qsizetype i = windows.size() - 1; i >= 0; --i)
        if (windows[i] != this)
            windows[i]->close();
    if (!(windowState() & Qt::WindowMinimized))
        saveCurrentPlacement();
    event->accept();
}

// A job runs on this thread, so a panel shows a new text only when painted at once.
// The record count changes every 250 records: painting each would cost a large list
// more time than the conversion, so the count is painted when the eye can follow it,
// and the event loop paints the last one when the job is over.
void frmMain::setPanelText(int panel, const std::string& text)
{
    const QString shown = QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
    if (panel != borvelin::ProgressPanel) {
        StatusBar2->showPanelTextNow(panel, shown);
        return;
    }
    if (progressPainted_.isValid() && progressPainted_.elapsed() < ProgressPaintIntervalMs) {
        StatusBar2->setPanelText(panel, shown);
        return;
    }
    StatusBar2->showPanelTextNow(panel, shown);
    progressPainted_.start();
}

template <typename Job, typename... Extra>
void frmMain::runConversion(Extra&... extra)
{
    std::optional<borvelin::JobError> failure;
    {
        WaitCursor busy;
        try {
            Job(jobState_, *this, extra...).run();
        } catch (const borvelin::JobError& error) {
            failure = error;
        }
    }
    if (failure)
        showJobError(*failure);
}

void frmMain::showJobError(const borvelin::JobError& error)
{
    QMessageBox::critical(this, AppTitle,
                          QStringLiteral("Error %1: %2").arg(error.number()).arg(QString::fromLocal8Bit(error.what())));
}

void frmMain::mnuFileFull2TXT_Click()
{
    runConversion<borvelin::FulToTxtJob>();
}

void frmMain::mnuFileTXT2FUL_Click()
{
    runConversion<borvelin::TxtToFulJob>();
}

void frmMain::mnuFileQSL_Buro_list_Click()
{
    runConversion<borvelin::BuroListJob>();
}

void frmMain::mnuFileList25_Click()
{
    runConversion<borvelin::List25Job>(managerTally_);
}

void frmMain::mnuFileImport_Click()
{
    if (const auto choice = askImportFile(this))
        importManagerList(choice->fileName, choice->merge);
}

void frmMain::importManagerList(const QString& fileName, bool merge)
{
    std::string listFile = QFile::encodeName(fileName).toStdString();
    borvelin::ImportMode mode = merge ? borvelin::ImportMode::Merge : borvelin::ImportMode::Replace;
    runConversion<borvelin::ImportJob>(listFile, mode);
}

void frmMain::mnuFileFillQslVia_Click()
{
    const QString logFile = QFileDialog::getOpenFileName(this, QStringLiteral("Fill QSL Via in Log"), QString(),
                                                         QStringLiteral("ADIF logs (*.adi *.ADI);;All files (*)"));
    if (!logFile.isEmpty())
        fillQslVia(logFile);
}

void frmMain::fillQslVia(const QString& logFile)
{
    std::string log = QFile::encodeName(logFile).toStdString();
    runConversion<borvelin::AdifFillJob>(log);
}

void frmMain::mnuFileCluster_Click()
{
    runConversion<borvelin::ClusterExportJob>();
}

void frmMain::mnuFileExit_Click()
{
    close();
}

void frmMain::showHelpMessage()
{
    QMessageBox::information(this, windowTitle(), HelpMessage);
}

void frmMain::mnuHelpContents_Click()
{
    showHelpMessage();
}

void frmMain::mnuHelpSearchForHelpOn_Click()
{
    showHelpMessage();
}

void frmMain::mnuHelpAbout_Click()
{
    frmAbout about(this); // loaded anew at every showing
    about.exec();
}

void frmMain::StatusBar2_PanelClick(int)
{
    StatusBar2->setPanelText(borvelin::ProgressPanel, QStringLiteral("Records: "));
    StatusBar2->setPanelText(borvelin::FromPanel, QStringLiteral("From: "));
    StatusBar2->setPanelText(borvelin::ToPanel, QStringLiteral("To: "));
    StatusBar2->setPanelText(borvelin::CurrentDirPanel, QStringLiteral("Current Dir: "));
}
