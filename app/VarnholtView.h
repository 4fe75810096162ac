#pragma once

#include <app/ImportOverlay.h>
#include <app/MachiningOverlay.h>

#include <commands/CommandHost.h>

#include <kernel/GK_Operation.h>
#include <kernel/GK_Window.h>

#include <QWidget>

class GK_Object;

// The drawing view: owns the drawing context of its window, paints the
// visible objects of the drawing, zooms with the wheel about the cursor and
// fits the drawing to the window on every resize.
class CVarnholtView : public QWidget, public GK_Window {
    Q_OBJECT
public:
    // Zoom factors of one wheel step away from and towards the user.
    static constexpr double kZoomIn = 1.2;
    static constexpr double kZoomOut = 0.8;
    // Angle delta of one wheel notch; finer wheels and touchpads send parts of it.
    static constexpr int kWheelNotch = 120;
    // The least room the drawing keeps when the window narrows or a pane's
    // splitter is dragged: the panes give way first.
    static constexpr QSize kMinimumSize{320, 200};

    explicit CVarnholtView(QWidget* parent = nullptr);
    ~CVarnholtView() override;

    GK_Operation& operation() { return m_operation; }

    // Door for which an NC file was last created, with its two flags; set by
    // the NC commands.
    int m_ncFlagOne = 1;
    int m_ncFlagTwo = 1;
    GK_Object* m_ncDoor = nullptr;

    // The machining preview drawn over the door while a door is shown; an
    // empty one takes it away. The drawing is fitted anew when the preview
    // needs more room than before, or less.
    void setMachiningPreview(const MachiningPreview& preview);
    const MachiningOverlay& machiningPreview() const { return m_preview; }

    // The picture of an import, shown in place of the drawing and fitted to
    // the window until hidden; clicks and Tab presses go to input meanwhile.
    // The drawing, its zoom and the machining preview are left as they were.
    void showImportPreview(const ImportPicture& picture, ImportPreviewInput input);
    void hideImportPreview();
    bool importPreviewShown() const { return !m_import.empty(); }
    // The part of the view a window over it hides (view coordinates): the
    // import preview is fitted into the largest part beside it, until hidden.
    void setImportPreviewCover(const QRect& covered);
    // Where the import preview is fitted: the view less what is covered.
    QRect importPreviewArea() const;
    // Where a drawing point of the import preview lies in the window.
    QPointF importPreviewPoint(double x, double y) const { return m_importTransform.toWindow(x, y); }

    QSize clientSize() const override { return size(); }
    void requestRepaint() override { update(); }

public slots:
    // "切换显示门板": shows the door objects of the drawing and hides the rest.
    void OnShowDoor();

signals:
    // The mouse came to rest on a cut or hole of the machining preview, with
    // its status text, or left them (an empty text).
    void previewHovered(const QString& text);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // Zooms by factor about the window point and repaints.
    void zoomAbout(double factor, QPointF at);
    bool pinch(QEvent* event);
    bool doorShown() const;
    bool previewShown() const { return !m_preview.empty() && doorShown(); }
    void hover(QPointF at);
    void fitImportPreview();

    GK_Operation m_operation;
    MachiningOverlay m_preview;
    ImportOverlay m_import;
    ImportPreviewInput m_importInput;
    GK_ViewTransform m_importTransform;
    QRect m_importCover;
    int m_wheelRest = 0;  // angle delta received towards the next notch
    QPoint m_dragFrom;    // where the middle button last moved the drawing from
    bool m_dragging = false;
    QString m_hovered; // the status text of the cut under the mouse
};
