// One paint of a drawing through the renderer, side by side with QPainter
// drawing the same polylines and circles directly into the same image with the
// same transform, every vertex of them. The renderer paints long polylines
// thinned for the zoom (a quarter pixel at most off the line), so a dense
// outline costs it less than the direct paint; the door, of few vertices,
// shows what the renderer adds on top of the painting itself.
#include <kernel/GK_Factories.h>
#include <kernel/GK_Operation.h>
#include <kernel/GK_Shape.h>
#include <kernel/GK_Window.h>

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

namespace {

constexpr QSize kWindow(1200, 800);
constexpr int kHingeVertices = 100000;

class ImageWindow : public GK_Window {
public:
    QSize clientSize() const override { return kWindow; }
    void requestRepaint() override {}
};

std::unique_ptr<GK_Hinges> denseHinge()
{
    // A wavy closed outline, so that neighbouring vertices are not collinear.
    GU_Pt_List outline;
    outline.reserve(kHingeVertices);
    for (int i = 0; i < kHingeVertices; ++i) {
        const double a = 2 * std::numbers::pi * i / kHingeVertices;
        const double r = 50 + 3 * std::sin(400 * a);
        outline.add_tail({r * std::cos(a), r * std::sin(a), 0});
    }
    auto hinge = api_gk_make_hinges(outline);
    for (int h = 0; h < 4; ++h)
        hinge->AddHoleToList(api_gk_make_circle_hole({-30.0 + 20 * h, 0, 0}, 8, 3).release());
    return hinge;
}

GU_Pt_List rectangle(double w, double h)
{
    return GU_Pt_List{{0, 0, 0}, {w, 0, 0}, {w, h, 0}, {0, h, 0}};
}

struct DoorModels {
    std::shared_ptr<GK_Hinges> hinge;
    std::shared_ptr<GK_LockCore> lockCore;
    std::unique_ptr<GK_DoorWithHinges> door;
};

DoorModels doorModels()
{
    DoorModels m;
    m.hinge = api_gk_make_hinges(rectangle(100, 24));
    for (double x : {15.0, 50.0, 85.0})
        m.hinge->AddHoleToList(api_gk_make_circle_hole({x, 12, 0}, 4.5, 3).release());
    m.lockCore = api_gk_make_lockcore(rectangle(24, 240), rectangle(60, 180));
    m.lockCore->GetSideList().add_tail(api_gk_make_circle_hole({35, 55, 0}, 22, 40).release());
    m.lockCore->GetSideList().add_tail(api_gk_make_hole(GU_Pt_List{{31, 116, 0}, {39, 116, 0}, {39, 124, 0}}, 40).release());
    m.door = api_gk_make_door_with_hinges("door", "", 2100, 900, 40);
    m.door->SetHingesModel(m.hinge);
    m.door->SetLockCoreModel(m.lockCore);
    for (double x : {250.0, 1050.0, 1850.0})
        m.door->SetHingesPos({x, 0, 0});
    m.door->SetLockCorePos({1000, 0, 0});
    return m;
}

// A drawing holding a prepared copy of the object, fitted to the window.
struct Drawing {
    explicit Drawing(const GK_Object& object)
    {
        op.init(&window, "bench", 0.0, 0);
        GK_Object* copy = nullptr;
        object.copy(&copy);
        copy->prepare_display(op.render().display_context());
        op.drawing().list().add_tail(copy);
        api_gk_zoom_all(op);
    }
    ImageWindow window;
    GK_Operation op;
};

void paintThroughRenderer(benchmark::State& state, const GK_Object& object)
{
    Drawing drawing(object);
    QImage image(kWindow, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        drawing.op.render().draw(&painter, drawing.op.drawing());
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

// The same figures painted straight from polygons built beforehand.
void paintDirectly(benchmark::State& state, const GK_Object& object)
{
    Drawing drawing(object);
    const GK_Shape shape = GK_BuildShape(object);
    const QTransform transform = drawing.op.render().transform().toQTransform();
    QImage image(kWindow, QImage::Format_ARGB32_Premultiplied);
    QPen pen(Qt::black, 0.0);
    pen.setCosmetic(true);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::white);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setTransform(transform);
        painter.setPen(pen);
        for (const auto* group : {&shape.leaf, &shape.outlines, &shape.holes})
            for (const QPolygonF& polygon : *group)
                painter.drawPolyline(polygon);
        for (const GK_ShapeCircle& c : shape.circles)
            painter.drawEllipse(c.centre, c.radius, c.radius);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_PaintHinge100k_Renderer(benchmark::State& state)
{
    static const auto hinge = denseHinge();
    paintThroughRenderer(state, *hinge);
}

void BM_PaintHinge100k_QPainterDirect(benchmark::State& state)
{
    static const auto hinge = denseHinge();
    paintDirectly(state, *hinge);
}

void BM_PaintDoor_Renderer(benchmark::State& state)
{
    static const DoorModels models = doorModels();
    paintThroughRenderer(state, *models.door);
}

void BM_PaintDoor_QPainterDirect(benchmark::State& state)
{
    static const DoorModels models = doorModels();
    paintDirectly(state, *models.door);
}

} // namespace

BENCHMARK(BM_PaintHinge100k_QPainterDirect)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintHinge100k_Renderer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintDoor_QPainterDirect)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintDoor_Renderer)->Unit(benchmark::kMicrosecond);
