#include "AppFixture.h"
#include "SampleModels.h"

#include <app/CommandIds.h>
#include <app/ModelDisplay.h>
#include <app/ModelPanes.h>
#include <app/VarnholtView.h>

#include <QAction>
#include <QLoggingCategory>

#include <vector>

namespace {

// What the drawing holds: type code and visibility of each object, in order.
std::vector<std::pair<int, int>> drawingContent(CMainFrame* f)
{
    std::vector<std::pair<int, int>> content;
    for (const GK_Object* o = f->activeView()->operation().drawing().list().first(); o; o = o->next)
        content.emplace_back(o->type(), o->visible);
    return content;
}

using Pair = std::pair<int, int>;

class Display : public AppFixture {
protected:
    void SetUp() override
    {
        makeFolders();
        SampleModels::writeLibrary(libraryFolder());
        f = start();
        f->resize(1000, 700);
    }
    void doubleClick(CModelPane* pane, void* model) { emit pane->grid().leftButtonDoubleClicked(model); }

    CMainFrame* f = nullptr;
};

TEST_F(Display, HingeThenLockCoreThenAnotherHinge)
{
    GK_Hinges* a = f->library().models().hinges[0];
    GK_Hinges* c = f->library().models().hinges[1];
    doubleClick(f->hingesPane(), a);
    doubleClick(f->lockCorePane(), f->library().models().lockCores[0]);
    doubleClick(f->hingesPane(), c);
    EXPECT_EQ(drawingContent(f), (std::vector<Pair>{{GK_TYPE_LOCKCORE, 0}, {GK_TYPE_HINGES, 1}}));
    const auto* shown = static_cast<const GK_Hinges*>(f->activeView()->operation().drawing().list().first()->next);
    EXPECT_NE(shown, c) << "the drawing holds a copy, never the library model";
    EXPECT_EQ(shown->GetName(), "H2");
}

TEST_F(Display, TheSameDoorTwiceLeavesOneDoor)
{
    doubleClick(f->doorPane(), f->library().models().doors[0]);
    doubleClick(f->doorPane(), f->library().models().doors[0]);
    EXPECT_EQ(drawingContent(f), (std::vector<Pair>{{GK_TYPE_DOOR, 1}}));
}

TEST_F(Display, ShowDoorAfterDoorAndHingeShowsTheDoorAlone)
{
    doubleClick(f->doorPane(), f->library().models().doors[0]);
    doubleClick(f->hingesPane(), f->library().models().hinges[0]);
    EXPECT_EQ(drawingContent(f), (std::vector<Pair>{{GK_TYPE_DOOR, 0}, {GK_TYPE_HINGES, 1}}));
    f->action(ID_SHOW_DOOR)->trigger();
    EXPECT_EQ(drawingContent(f), (std::vector<Pair>{{GK_TYPE_DOOR, 1}, {GK_TYPE_HINGES, 0}}));
}

TEST_F(Display, ShowDoorOnAnEmptyDrawingChangesNothing)
{
    f->action(ID_SHOW_DOOR)->trigger();
    EXPECT_TRUE(drawingContent(f).empty());
}

TEST_F(Display, DisplayFitsTheNewObjectIntoTheView)
{
    CVarnholtView* view = f->activeView();
    doubleClick(f->doorPane(), f->library().models().doors[0]);
    const GK_ViewTransform& t = view->operation().render().transform();
    const QPointF low = t.toWindow(0, 0);
    const QPointF high = t.toWindow(2100, 900);
    EXPECT_GE(low.x(), 0);
    EXPECT_LE(high.x(), view->width());
    EXPECT_GE(high.y(), 0);
    EXPECT_LE(low.y(), view->height());
}

TEST_F(Display, NullModelChangesNothing)
{
    doubleClick(f->doorPane(), f->library().models().doors[0]);
    const auto before = drawingContent(f);
    doubleClick(f->hingesPane(), nullptr);
    ShowLockCoreInView(*f->activeView(), nullptr);
    EXPECT_EQ(drawingContent(f), before);
}

// A pane only tells which model was activated; the frame shows it.
TEST_F(Display, PanesTellWhichModelWasActivated)
{
    std::vector<const GK_Hinges*> hinges;
    std::vector<const GK_DoorWithHinges*> doors;
    QObject::connect(f->hingesPane(), &CHingesPane::hingesActivated, [&](const GK_Hinges* m) { hinges.push_back(m); });
    QObject::connect(f->doorPane(), &CDoorListPane::doorActivated, [&](const GK_DoorWithHinges* m) { doors.push_back(m); });
    doubleClick(f->hingesPane(), f->library().models().hinges[1]);
    doubleClick(f->hingesPane(), nullptr);
    EXPECT_EQ(hinges, std::vector<const GK_Hinges*>{f->library().models().hinges[1]});
    EXPECT_TRUE(doors.empty());
}

// Collects the messages of the hinge pane's logging category.
class TraceCapture {
public:
    TraceCapture() { previous = qInstallMessageHandler(&TraceCapture::handle); }
    ~TraceCapture() { qInstallMessageHandler(previous); }
    static inline QStringList lines;

private:
    static void handle(QtMsgType, const QMessageLogContext& context, const QString& message)
    {
        if (context.category && QString::fromLatin1(context.category) == QLatin1String(lcHingesPane().categoryName()))
            lines.append(message);
    }
    QtMessageHandler previous;
};

TEST_F(Display, HingePaneTracesClicksAndDoubleClicksWhenAskedTo)
{
    TraceCapture::lines.clear();
    const TraceCapture capture;
    emit f->hingesPane()->grid().leftButtonPressed(f->library().models().hinges[0]);
    EXPECT_TRUE(drawingContent(f).empty()) << "a single click changes nothing";
    const auto clicks = [this] {
        emit f->hingesPane()->grid().leftButtonPressed(f->library().models().hinges[0]);
        doubleClick(f->hingesPane(), f->library().models().hinges[0]);
        doubleClick(f->hingesPane(), nullptr);
        emit f->lockCorePane()->grid().leftButtonPressed(f->library().models().lockCores[0]);
    };
    clicks();
    EXPECT_TRUE(TraceCapture::lines.isEmpty()) << "the traces are off unless asked for";

    QLoggingCategory::setFilterRules(QStringLiteral("varnholt.hingespane.debug=true"));
    clicks();
    QLoggingCategory::setFilterRules(QString());
    EXPECT_EQ(TraceCapture::lines, QStringList({"lbutton click!", "lbutton double click!", "lbutton double click!"}));
}

TEST_F(Display, ThePaneFollowsTheLibraryAsTheListGrows)
{
    f->library().putHinges(*SampleModels::hinge("H3", 50, 20));
    const CTreeGridCtrl& grid = f->hingesPane()->grid();
    ASSERT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(rowTexts(grid, 0).first(), "1");
    EXPECT_EQ(rowTexts(grid, 2), QStringList({"3", "H3", "comment H3"}));
}

} // namespace
