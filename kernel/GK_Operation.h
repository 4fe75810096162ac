#pragma once

#include <kernel/GK_Draw_Render.h>
#include <kernel/GK_Drawing.h>

#include <string>

class GK_Window;

// The drawing context of one window: the drawing and the renderer that maps
// it into the window.
class GK_Operation {
public:
    GK_Operation() = default;
    ~GK_Operation() { close_drawing(); }
    GK_Operation(const GK_Operation&) = delete;
    GK_Operation& operator=(const GK_Operation&) = delete;

    // Binds the context to its window. fitMargin is the free border in pixels
    // when the drawing is fitted (0 takes the renderer's default); options bit
    // kNoAntialiasing paints with plain lines.
    static constexpr int kNoAntialiasing = 0x1;
    void init(GK_Window* window, std::string title, double fitMargin, int options);

    GK_Drawing& drawing() { return m_drawing; }
    const GK_Drawing& drawing() const { return m_drawing; }
    GK_Draw_Render& render() { return m_render; }
    const std::string& title() const { return m_title; }

    // Takes the object out of the drawing and destroys it; false (and the
    // object untouched) when it does not stand in this drawing.
    bool delete_object(GK_Object* object);
    // Destroys every object of the drawing; a second call finds nothing.
    void close_drawing();

    // 1 while a wheel zoom of the user is in effect; the renderer sets it on
    // every zoom and the view clears it on every resize, which fits anew.
    unsigned char m_zoomed = 0;

private:
    GK_Drawing m_drawing;
    GK_Draw_Render m_render{m_zoomed};
    std::string m_title;
};

// Fits the visible objects of the drawing, and what the window paints over
// them (the renderer's extra bounds), into the window with the renderer's
// margin; a drawing with nothing visible shows the model origin at scale 1.
void api_gk_zoom_all(GK_Operation& operation);
