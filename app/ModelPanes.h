#pragma once

#include <QDockWidget>
#include <QLoggingCategory>

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

class CTreeGridCtrl;
class QAction;
class GK_DoorWithHinges;
class GK_Hinges;
class GK_LockCore;
template <typename T>
class GU_SharedList;

Q_DECLARE_LOGGING_CATEGORY(lcHingesPane)

// A docked pane listing one kind of library model in a tree grid, one root
// row per model, numbered from 1, in the order of the library's list. The
// pane shares the models its rows show, so a row never outlives its model.
// A double click on a row, or Enter on the selected one, tells which model
// was activated; the main frame decides what that shows.
class CModelPane : public QDockWidget {
    Q_OBJECT
public:
    struct Column {
        QString heading;
        int width; // the least width; the column grows to its content
        Qt::Alignment align = Qt::AlignLeft;
    };

    CTreeGridCtrl& grid() const { return *m_grid; }
    int paneId() const { return m_paneId; }
    int gridId() const { return m_gridId; }

    // Empties the grid and lets go of the models shown, noting the selected
    // row's name.
    void clearRows();
    // Appends a root row showing the model, numbered and with the texts
    // (the first is the model's name).
    void addRow(std::shared_ptr<const void> model, const QStringList& texts);
    // The same under a number of its own, which also keeps the selection
    // through a refill (a null model makes a row that activates nothing).
    void addNumberedRow(std::shared_ptr<const void> model, const QString& number, const QStringList& texts);
    // Sizes the columns to the rows just filled in and selects again the row
    // of the name selected before, else the row of the same number, so that
    // Del after Del goes on down the list.
    void fitColumns();

    // The selected row, from 0.
    std::optional<std::size_t> selectedRow() const;
    // What a right click on a row offers; the row is selected first.
    void setRowActions(const QList<QAction*>& actions) { m_rowActions = actions; }
    const QList<QAction*>& rowActions() const { return m_rowActions; }

protected:
    CModelPane(const QString& caption, const QString& objectName, int paneId, int gridId, QWidget* parent);
    // Inserts the grid's columns; typed letters search the names in column 1.
    void insertColumns(const QList<Column>& columns);

    virtual void onLeftButtonPressed(void* userData);
    virtual void onLeftButtonDoubleClicked(void* userData);
    // Tells that the row's model was activated.
    virtual void activate(void* userData) = 0;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Shows the row actions for the row under the point (viewport coordinates).
    void showRowMenu(const QPoint& point, const QPoint& global, bool keyboard);

    CTreeGridCtrl* m_grid;
    std::vector<std::shared_ptr<const void>> m_shown;
    QStringList m_names;
    QString m_keptName;
    int m_keptRow = -1;
    QList<QAction*> m_rowActions;
    int m_paneId;
    int m_gridId;
};

// "合页列表"
class CHingesPane : public CModelPane {
    Q_OBJECT
public:
    explicit CHingesPane(QWidget* parent = nullptr);
    void fill(const GU_SharedList<GK_Hinges>& models);

signals:
    // A double click on the model's row, or Enter on it.
    void hingesActivated(const GK_Hinges* model);

protected:
    void onLeftButtonPressed(void* userData) override;
    void onLeftButtonDoubleClicked(void* userData) override;
    void activate(void* userData) override;
};

// "锁芯列表"
class CLockHolePane : public CModelPane {
    Q_OBJECT
public:
    explicit CLockHolePane(QWidget* parent = nullptr);
    void fill(const GU_SharedList<GK_LockCore>& models);

signals:
    void lockCoreActivated(const GK_LockCore* model);

protected:
    void activate(void* userData) override;
};

// "门型列表"
class CDoorListPane : public CModelPane {
    Q_OBJECT
public:
    explicit CDoorListPane(QWidget* parent = nullptr);
    void fill(const GU_SharedList<GK_DoorWithHinges>& models);
    void InitDoorColumns();

signals:
    void doorActivated(const GK_DoorWithHinges* model);

protected:
    void activate(void* userData) override;
};
