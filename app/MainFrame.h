#pragma once

#include <app/AppSettings.h>
#include <app/VarnholtDoc.h>

#include <commands/CommandHost.h>
#include <library/Library.h>

#include <QMainWindow>
#include <QMap>
#include <QPixmap>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>

class CDoorListPane;
class CModelPane;
class MachiningCommands;
class LibraryCommands;
class ModelCommands;
class OrderCommands;
struct CommandTargets;
enum class CommandMenu;
class CHingesPane;
class CLockHolePane;
class CVarnholtView;
class QActionGroup;
class QLabel;
class QMenu;
class QToolBar;

// The main window. It owns the library of the folder it is given from window
// creation until it is destroyed, hosts the drawing view and the three model
// panes, and carries the menus, the toolbar and the status bar. The
// constructor is the window creation: view, look, bars, panes, then the
// library in the fixed order hinges, lock cores, doors, tools; the panes and
// the drawing follow the library's change signal from then on.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kMaxUserToolbars = 10;
    static constexpr int kUserImageSize = 16;
    static constexpr int kToolbarIconSize = 16;
    static constexpr qint64 kMaxUserImagesBytes = 819200;

    explicit CMainFrame(const std::string& libraryFolder, QWidget* parent = nullptr);
    ~CMainFrame() override;

    Library& library() { return m_library; }
    CVarnholtView* activeView() const { return m_view; }
    CVarnholtDoc& document() { return m_document; }
    CHingesPane* hingesPane() const { return m_hingesPane; }
    CLockHolePane* lockCorePane() const { return m_lockCorePane; }
    CDoorListPane* doorPane() const { return m_doorPane; }
    std::array<CModelPane*, 3> panes() const;
    // The selected row of the pane that has, or last had, the focus.
    std::optional<LibraryRow> chosenRow() const;
    QToolBar* standardToolBar() const { return m_toolBar; }
    // The status bar's note on what loading passed over; hidden when nothing was.
    QLabel* passedOverNote() const { return m_passedOverNote; }
    // The action of a command id (menus, toolbar, accelerators); null if none.
    QAction* action(int id) const;

    int currentLook() const { return m_look; }
    const QList<QPixmap>& userImages() const { return m_userImages; }
    const QList<QToolBar*>& userToolbars() const { return m_userToolbars; }
    // Adds a user-defined toolbar carrying the customise button, under the
    // first free id; null when the ten allowed exist already.
    QToolBar* createUserToolbar();
    void renameUserToolbar(QToolBar* bar, const QString& title);
    void deleteUserToolbar(QToolBar* bar);
    // The standard toolbar and the user toolbars.
    QList<QToolBar*> toolbars() const;
    // Gives a command user image number index (-1: its own picture again).
    void assignUserImage(int commandId, int index);
    // Every command of the menus, by menu, as the customise dialog lists them.
    QList<QPair<QString, QList<QAction*>>> menuCommands() const;
    // Keeps the toolbars' contents and the commands' user images in the
    // settings; called after every customisation.
    void storeCustomisation() const;
    // What customising changes: the toolbars with their titles and buttons,
    // which toolbars and panes are shown, the commands' user images.
    struct Customisation {
        QList<AppSettings::ToolbarContent> toolbars;
        QMap<QString, bool> shown; // by object name
        QMap<int, int> images;
    };
    Customisation customisation() const;
    // Brings back a customisation taken before: user toolbars made since go,
    // those deleted since come back.
    void restoreCustomisation(const Customisation& saved);

    // The file commands without their dialogs.
    bool openDocumentFile(const QString& path);
    // Opens a document as the user asked for it (menu, recent file, command
    // line): a file that cannot be read is named in a message box.
    bool openDocumentAndReport(const QString& path);
    // Names the file that could not be opened in a message box.
    void reportOpenFailure(const QString& path);
    bool saveDocumentAs(const QString& path);
    QStringList recentFiles() const { return m_recentFiles.files(); }

    QMenu* createPopupMenu() override;
    // Moves the focus to the next (step 1) or previous (step -1) of the view
    // and the visible panes.
    void focusNeighbourPane(int step);

public slots:
    // Switches to look 210..218 (any other id takes the 2007 style) and
    // stores it as "ApplicationLook".
    void OnApplicationLook(int id);
    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnViewCustomize();
    void OnAppAbout();
    // "刷新": reads the whole library again from disk, as at start-up, and
    // refills the panes; files other programs added or changed appear.
    void reloadLibrary();
    // Lists the files loading passed over and the doors lacking a model.
    void OnViewPassedOver();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

signals:
    // The set of toolbars changed: one was created or deleted.
    void toolbarsChanged();

private:
    void createView();
    void createActions();
    void connectCommands(ModelCommands& models, LibraryCommands& library, MachiningCommands& machining,
                         OrderCommands& orders);
    void addMenuCommands(QMenu* menu, CommandMenu place);
    void createMenus();
    void createToolBars();
    void createStatusBar();
    void createDockWindows();
    void connectPanes();
    void updatePassedOverNote();
    void loadUserImages();
    void restoreWorkspace();
    void restoreToolbars();
    QList<AppSettings::ToolbarContent> toolbarContents() const;
    void restoreColumnWidths();
    void placeOnFirstStart();
    void sizePanesOnFirstStart();
    void saveWorkspace();
    void applyCommandIcons();
    QToolBar* addUserToolbar(int id, const QString& title);

    QAction* addCommand(int id, const QString& text, const QList<QKeySequence>& keys = {});
    void updateLookMarks();
    void rebuildRecentFiles();
    void fillToolbarsMenu();
    void updateTitle();

    Library m_library;
    Library::Connection m_libraryFollowed;
    CVarnholtDoc m_document;
    CRecentFileList m_recentFiles;
    int m_look;

    CVarnholtView* m_view = nullptr;
    CHingesPane* m_hingesPane = nullptr;
    CLockHolePane* m_lockCorePane = nullptr;
    CDoorListPane* m_doorPane = nullptr;
    CModelPane* m_chosenPane = nullptr;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_passedOverNote = nullptr;
    QList<QToolBar*> m_userToolbars;
    QList<QPixmap> m_userImages;
    QMap<int, int> m_commandImages; // command id to user image index
    bool m_fitOnShow = false;       // the geometry came from the settings

    std::map<int, QAction*> m_actions;
    std::unique_ptr<CommandTargets> m_commandTargets;
    QActionGroup* m_lookGroup = nullptr;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_toolbarsMenu = nullptr;
    QAction* m_recentAnchor = nullptr;
    QList<QAction*> m_recentActions;
};
