#pragma once

#include <grid/CItemInfo.h>
#include <kernel/ColorRef.h>

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QPen>
#include <QPixmap>

#include <memory>
#include <vector>

class QHeaderView;
class QPainter;
class GridHeaderModel;

// Notification numbers, kept as named constants; each becomes a signal.
inline constexpr int TGN_LBUTTONDOWN = 1126;   // WM_USER + 102
inline constexpr int TGN_LBUTTONDBLCLK = 1128; // WM_USER + 104
inline constexpr int TGN_ITEMCHANGED = 1129;   // WM_USER + 105

// List-view extended styles the owners set (only these two matter here).
inline constexpr unsigned LVS_EX_GRIDLINES = 0x1;
inline constexpr unsigned LVS_EX_CHECKBOXES = 0x4;

// A multi-column list whose rows are the visible nodes of a tree. Rows are
// painted by the grid itself from a flat vector of the shown nodes, so filling
// and clearing stay linear in the number of rows.
class CTreeGridCtrl : public QAbstractScrollArea {
    Q_OBJECT
public:
    class CTreeItem; // node; created and freed by the grid only

    // Where a point of the viewport falls: a row and a column, or nothing.
    struct HitInfo {
        QPoint point;
        int row = -1;
        int subItem = -1;
    };

    // The outcome of editing one cell's text.
    struct EditedItem {
        int row = -1;
        int subItem = 0;
        QString text;
    };

    explicit CTreeGridCtrl(QWidget* parent = nullptr);
    ~CTreeGridCtrl() override;

    void SetExtendedStyle(unsigned exStyle); // exactly the given styles
    int InsertColumn(int index, const QString& heading, int width, Qt::Alignment align = Qt::AlignLeft);
    int ColumnCount() const;
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int width);
    int TotalColumnWidth() const;
    // Widens every column to its widest shown cell and its heading in the
    // current font, never below the width it was inserted with; a column the
    // user sized keeps the user's width. Done again when the font changes.
    void FitColumnsToContents();
    // The same, but each column as wide as its texts, the width it was
    // inserted with no minimum; from now on, refits too.
    void FitColumnsToTexts();
    // The widths the user dragged the columns to, one per column, 0 where
    // the grid decides. Setting them applies them at once.
    QList<int> UserColumnWidths() const;
    void SetUserColumnWidths(const QList<int>& widths);
    // The column whose texts the typed letters search (0 unless set).
    void SetSearchColumn(int column) { m_searchColumn = column; }

    // Rows and nodes.
    CTreeItem* AddRootRow(CItemInfo* info); // takes ownership; null makes an empty record
    // Appends a child to a node. A node receiving its first child starts
    // collapsed; a child of an expanded, shown node is shown at once.
    CTreeItem* AddChildRow(CTreeItem* parent, CItemInfo* info);
    void RemoveAllRows();
    // Removes a node with its subtree, its rows and its records.
    void RemoveNode(CTreeItem* node);
    int NodeCount() const { return m_nodeCount; }
    int RowCount() const { return int(m_rows.size()); }
    CTreeItem* GetRowNode(int row) const;
    CItemInfo* GetRowInfo(int row) const; // null when out of range
    bool GetRowCheck(int row) const;      // the row's check box as shown

    // Selection and geometry.
    int GetFirstSelectedRow() const; // -1 when none
    void SetRowSelectedAndFocused(int row);
    QRect GetRowBounds(int row) const; // viewport coordinates
    QWidget* eventTarget() const;
    int RowHeight() const { return m_rowHeight; }
    int FocusColumn() const { return m_focusColumn; }
    int TopRow() const;
    void EnsureRowVisible(int row);

    // Tree operations.
    int ExpandNode(CTreeItem* node, int row);
    void CollapseNode(CTreeItem* node);
    void ExpandSubtree(CTreeItem* node, int& lastRow);
    int RowOfNode(const CTreeItem* node) const;
    virtual int RowImage(const CTreeItem* node) const;
    virtual void StoreEditedText(CTreeItem* node, const EditedItem& item);

signals:
    void leftButtonPressed(void* userData);       // TGN_LBUTTONDOWN
    void leftButtonDoubleClicked(void* userData); // TGN_LBUTTONDBLCLK
    void itemChanged(void* userData);             // TGN_ITEMCHANGED
    // Enter or Return on the selected row, the keyboard's double click. The
    // key goes on to the window behind (a dialog's default button) when
    // nothing listens or no row with data is selected.
    void returnPressed(void* userData);
    // The user dragged a column edge, or reset a column by a double click on it.
    void columnWidthsChangedByUser();

protected:
    virtual COLORREF FocusCellColor() const;
    virtual bool MayExpand(CTreeItem* node, int row);
    virtual void AfterExpand(CTreeItem* node, int row);
    virtual bool MayCollapse(CTreeItem* node);
    virtual void AfterCollapse(CTreeItem* node);
    virtual bool MayExpandAllKey(CTreeItem* node, int row);
    virtual bool MayCollapseKey(CTreeItem* node, int row);
    virtual bool MayExpandKey(CTreeItem* node, int row);
    virtual bool MayHandleClick(const HitInfo& hit);
    virtual bool MayToggleCheck(CTreeItem* node);
    virtual void AfterPlainClick();

    // True when the click goes the normal way, false when it expanded or
    // collapsed a node.
    bool HandleRowClick(HitInfo& hit, const QPoint& point);
    HitInfo HitTest(const QPoint& point) const;
    QRect ExpandBox(const QRect& bounds, int indent) const;

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void showEvent(QShowEvent* event) override;

private:
    struct PaintContext;

    // Model steps.
    void RenumberRows(int fromRow = 0);
    void RemoveChildRows(CTreeItem* node, bool hide, int firstRow);
    bool DetachRoot(CTreeItem* node);
    bool RemoveFromTree(CTreeItem* node);
    bool OwnsShownNode(const CTreeItem* node) const;

    // Selection and notifications.
    void SelectNode(CTreeItem* node);
    void SetRowCheck(CTreeItem* node, bool checked);
    void Notify(int code);
    void HandleLeftButton(const QPoint& point, int code);
    bool HandleFocusColumnKey(int key);
    void HandleTreeKey(int key);
    bool HandleNavigationKey(int key);
    // Selects the next row whose text in the search column starts with the
    // letters typed in quick succession.
    void SearchTypedText(const QString& typed);
    bool HandleReturnKey(int key);
    QString RowText(int row, int column) const;

    // Columns and scrolling.
    int ColumnPosition(int column) const;
    void ScrollColumnIntoView(int column);
    int VisibleRowCount() const;
    void RepaintRow(int row);
    void ScheduleGeometry();
    void UpdateGeometries();
    void FlushGeometry();
    void UpdateRowHeight();
    void ApplyColumnWidth(int column, int width);
    void OnSectionResized(int column, int newWidth);
    void OnSectionHandleDoubleClicked(int column);
    int ContentWidth(int column) const;
    int FittedWidth(int column) const;

    // Drawing.
    void DrawItem(QPainter& painter, int row, const QRect& clip, const PaintContext& context);
    struct RowColors {
        QColor background;
        QColor text;
    };
    // Column 0 of a row: the node's image and tree lines, the background,
    // the check box and the label.
    void DrawRowLabel(QPainter& painter, const CTreeItem& node, const QRect& bounds, const RowColors& colors,
                      const PaintContext& context);
    // The row's other columns, those within the clip.
    void DrawRowCells(QPainter& painter, const CItemInfo& info, const QRect& bounds, const QRect& clip,
                      const RowColors& colors, const PaintContext& context, bool selected);
    void DrawTreeLines(QPainter& painter, const CTreeItem* node, const QRect& bounds, int column0Right);
    void DrawCheckBox(QPainter& painter, int x, int y, bool checked) const;
    // Fills the cell in the focus colour when it is the focus cell; true then.
    bool PaintFocusCell(QPainter& painter, int column, const QRect& cell);
    QColor FocusTextColor(const RowColors& colors) const;
    void DrawFocusRect(QPainter& painter, const QRect& rect, const QColor& fill) const;
    void DrawGridLines(QPainter& painter, const PaintContext& context) const;

    QHeaderView* m_header = nullptr;          // child widget, owned through Qt's parent chain
    GridHeaderModel* m_headerModel = nullptr; // owned by the header
    std::vector<std::unique_ptr<CTreeItem>> m_roots;
    std::vector<CTreeItem*> m_rows; // shown nodes in row order
    CTreeItem* m_selected = nullptr;
    int m_nodeCount = 0;

    QPixmap m_images;
    int m_imageWidth = 0;
    int m_imageHeight = 0;
    QPen m_linePen;
    QPen m_boxPen;
    QPen m_signPen;
    QBrush m_boxBrush;
    int m_focusColumn = 0;
    int m_rowHeight = 0;
    unsigned m_exStyle = 0;
    bool m_geometryPending = false;

    std::vector<int> m_minimumWidths; // the widths the columns were inserted with
    std::vector<int> m_userWidths;    // 0 where the user has not sized the column
    bool m_fitsContents = false;
    bool m_widthsFromTexts = false; // the inserted widths are no minimum
    bool m_resizingColumns = false; // the grid itself is sizing a column
    int m_searchColumn = 0;
    QString m_searchText;
    QElapsedTimer m_lastTyped;
};
