#include <app/MainFrame.h>

#include <app/AboutDlg.h>
#include <app/CommandIds.h>
#include <app/CommandTable.h>
#include <app/CustomizeDlg.h>
#include <app/Looks.h>
#include <app/MachiningMenuCommands.h>
#include <app/ToolMenuCommands.h>
#include <app/ModelDisplay.h>
#include <app/ModelPanes.h>
#include <app/OrderMenuCommands.h>
#include <app/VarnholtView.h>

#include <dialogs/CDlgPassedOver.h>
#include <dialogs/UserMessages.h>

#include <library/PublishedLibrary.h>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>

namespace {

const char* const kApplicationTitle = "Varnholt";

// Shows the wait cursor while a look switch runs.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

CMainFrame::CMainFrame(const std::string& libraryFolder, QWidget* parent)
    : QMainWindow(parent), m_library(libraryFolder), m_look(AppSettings::readLook())
{
    setObjectName(QStringLiteral("MainFrame"));
    createView();
    OnApplicationLook(m_look);
    createActions();
    auto* toolCommands = new ToolMenuCommands(*this);
    createMenus();
    createToolBars();
    createStatusBar();
    createDockWindows();
    connectPanes();
    // The panes and the drawing follow the library first, so that what else
    // follows it finds them up to date.
    m_libraryFollowed = m_library.onChanged([this](const LibraryChange& change) {
        FollowLibraryChange(*this, change);
        if (change.kind == LibraryChange::Kind::Reloaded)
            updatePassedOverNote();
    });
    auto* machiningCommands = new MachiningMenuCommands(*this);
    auto* orderCommands = new OrderMenuCommands(*this, machiningCommands->commands());
    connectCommands(toolCommands->commands(), toolCommands->libraryCommands(), machiningCommands->commands(),
                    orderCommands->commands());
    PublishLibrary(&m_library.models(), m_library.folder());
    m_library.reload();
    setDockOptions(AnimatedDocks | AllowTabbedDocks | AllowNestedDocks);
    loadUserImages();
    restoreWorkspace();
    OnFileNew();
}

CMainFrame::~CMainFrame()
{
    // The panes go with the frame's children; focus changes on the way must
    // not reach the pane tracking.
    disconnect(qApp, nullptr, this, nullptr);
    if (CurrentLibrary() == &m_library.models())
        PublishLibrary(nullptr, {});
}

QAction* CMainFrame::action(int id) const
{
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::createView()
{
    m_view = new CVarnholtView(this);
    setCentralWidget(m_view);
}

void CMainFrame::createDockWindows()
{
    m_hingesPane = new CHingesPane(this);
    m_lockCorePane = new CLockHolePane(this);
    m_doorPane = new CDoorListPane(this);
    addDockWidget(Qt::RightDockWidgetArea, m_hingesPane);
    addDockWidget(Qt::RightDockWidgetArea, m_lockCorePane);
    addDockWidget(Qt::LeftDockWidgetArea, m_doorPane);
}

// A double click in a pane shows a copy of its model in the view; a right
// click on a row offers the library's commands; the pane that has the focus
// is the one whose row they act on.
void CMainFrame::connectPanes()
{
    QList<QAction*> rowActions;
    for (const int id : RowCommandIds())
        rowActions.append(action(id));
    for (CModelPane* pane : panes())
        pane->setRowActions(rowActions);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        for (CModelPane* pane : panes())
            if (now && pane->isAncestorOf(now))
                m_chosenPane = pane;
    });
    connect(m_hingesPane, &CHingesPane::hingesActivated, this,
            [this](const GK_Hinges* model) { ShowHingesInView(*m_view, model); });
    connect(m_lockCorePane, &CLockHolePane::lockCoreActivated, this,
            [this](const GK_LockCore* model) { ShowLockCoreInView(*m_view, model); });
    connect(m_doorPane, &CDoorListPane::doorActivated, this,
            [this](const GK_DoorWithHinges* model) { ShowDoorInView(*m_view, model); });
}

std::array<CModelPane*, 3> CMainFrame::panes() const
{
    return {m_hingesPane, m_lockCorePane, m_doorPane};
}

std::optional<LibraryRow> CMainFrame::chosenRow() const
{
    // The pane holding the window's focus, also while the window is not
    // the active one; else the one that held it last.
    CModelPane* pane = m_chosenPane;
    for (CModelPane* candidate : panes())
        if (focusWidget() && candidate->isAncestorOf(focusWidget()))
            pane = candidate;
    if (!pane)
        return std::nullopt;
    const std::optional<std::size_t> row = pane->selectedRow();
    if (!row)
        return std::nullopt;
    const LibraryPart part = pane == m_hingesPane      ? LibraryPart::Hinges
                             : pane == m_lockCorePane ? LibraryPart::LockCores
                                                      : LibraryPart::Doors;
    return LibraryRow{part, *row};
}

void CMainFrame::updatePassedOverNote()
{
    const ModelLibrary& models = m_library.models();
    const QString note = PassedOverNote(models.skipped.size(), models.unboundDoors.size());
    m_passedOverNote->setText(QStringLiteral("<a href=\"list\">%1</a>").arg(note.toHtmlEscaped()));
    m_passedOverNote->setVisible(!note.isEmpty());
}

void CMainFrame::OnViewPassedOver()
{
    auto* dialog = new CDlgPassedOver(m_library.models(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void CMainFrame::reloadLibrary()
{
    m_library.reload();
}

void CMainFrame::loadUserImages()
{
    if (!m_userImages.isEmpty())
        return;
    const QFileInfo file(QStringLiteral("UserImages.bmp"));
    if (!file.isFile() || file.size() > kMaxUserImagesBytes)
        return;
    const QImage strip(file.filePath());
    if (strip.isNull())
        return;
    for (int y = 0; y + kUserImageSize <= strip.height(); y += kUserImageSize)
        for (int x = 0; x + kUserImageSize <= strip.width(); x += kUserImageSize)
            m_userImages.append(QPixmap::fromImage(strip.copy(x, y, kUserImageSize, kUserImageSize)));
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    saveWorkspace();
    QMainWindow::closeEvent(event);
}

void CMainFrame::OnApplicationLook(int id)
{
    const WaitCursor wait;
    m_look = id;
    Looks::apply(id);
    if (Looks::usesSmartDocking(id) || !Looks::isKnown(id))
        setDockOptions(AnimatedDocks | AllowTabbedDocks | AllowNestedDocks);
    updateLookMarks();
    applyCommandIcons();
    update();
    AppSettings::writeLook(id);
}

void CMainFrame::updateTitle()
{
    setWindowTitle(m_document.title() + QStringLiteral(" - ") + QString::fromLatin1(kApplicationTitle));
}

void CMainFrame::OnFileNew()
{
    m_document.OnNewDocument();
    updateTitle();
}

bool CMainFrame::openDocumentFile(const QString& path)
{
    if (!m_document.OnOpenDocument(path)) {
        m_recentFiles.remove(path);
        rebuildRecentFiles();
        return false;
    }
    m_recentFiles.add(m_document.path());
    rebuildRecentFiles();
    updateTitle();
    return true;
}

bool CMainFrame::openDocumentAndReport(const QString& path)
{
    if (openDocumentFile(path))
        return true;
    reportOpenFailure(path);
    return false;
}

void CMainFrame::reportOpenFailure(const QString& path)
{
    QMessageBox::warning(this, QGuiApplication::applicationDisplayName(),
                         DocumentNotOpenedMessage(path, m_document.openError()));
}

bool CMainFrame::saveDocumentAs(const QString& path)
{
    if (!m_document.OnSaveDocument(path))
        return false;
    m_recentFiles.add(m_document.path());
    rebuildRecentFiles();
    updateTitle();
    return true;
}

void CMainFrame::OnFileOpen()
{
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("打开"));
    if (!path.isEmpty())
        openDocumentAndReport(path);
}

void CMainFrame::OnFileSave()
{
    if (m_document.path().isEmpty())
        OnFileSaveAs();
    else
        saveDocumentAs(m_document.path());
}

void CMainFrame::OnFileSaveAs()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("另存为"), m_document.title());
    if (!path.isEmpty())
        saveDocumentAs(path);
}

void CMainFrame::OnViewCustomize()
{
    auto* dialog = new CCustomizeDlg(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void CMainFrame::OnAppAbout()
{
    CAboutDlg dialog(this);
    dialog.exec();
}
