#include "AppFixture.h"
#include "PixelRegions.h"
#include "DialogDriving.h"
#include "GeneratedDrawings.h"

#include <app/CommandIds.h>
#include <app/ImportOverlay.h>
#include <app/VarnholtView.h>

#include <QAction>
#include <QFileDialog>
#include <QMessageBox>
#include <QStatusBar>

#include <gtest/gtest.h>

#include <deque>
#include <memory>

// Failed expectations show the texts.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << text.toStdString();
}

namespace {

const QString kDrawings = QStringLiteral(VARNHOLT_SOURCE_DIR "/tests/importer/data/");

// Answers the next file dialog with the path.
void ChooseFile(const QString& path)
{
    WhenDialogShown("QFileDialog", [path](QWidget* dialog) {
        auto* files = static_cast<QFileDialog*>(dialog);
        files->selectFile(path);
        static_cast<QDialog*>(files)->accept();
    });
}

QString Chosen(QWidget* dialog)
{
    auto* label = dialog->findChild<QLabel*>(QStringLiteral("chosen"));
    return label ? label->text() : QString();
}

// A 60 × 45 hinge with two holes, drawn in millimetres but marked as metres,
// as scripting tools write them.
std::string MetresHinge()
{
    DxfText dxf;
    dxf.group(0, "SECTION").group(2, "HEADER").group(9, "$INSUNITS").group(70, "6").group(0, "ENDSEC");
    dxf.beginEntities().line(0, 0, 60, 0).line(60, 0, 60, 45).line(60, 45, 0, 45).line(0, 45, 0, 0);
    for (const double x : {15.0, 45.0})
        dxf.group(0, "CIRCLE").group(8, "0").group(10, x).group(20, 22.5).group(40, 3.0);
    return dxf.endOfFile().text;
}

// Everything drawn: the pixels that are not the white background.
QRegion drawnPixels(const QImage& image)
{
    QRegion region;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                region += QRect(x, y, 1, 1);
    return region;
}

int darkestIn(const QImage& image, const QRegion& region)
{
    int darkest = 255;
    for (const QRect& r : region)
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                darkest = std::min(darkest, image.pixelColor(x, y).lightness());
    return darkest;
}

class ImportPreview : public AppFixture {
protected:
    ImportPreview()
    {
        makeFolders();
        start()->resize(1200, 800);
        QApplication::processEvents();
    }

    CVarnholtView& view() const { return *frame()->activeView(); }

    using Step = std::function<void(QWidget*)>;

    // Imports the drawing; the naming dialogs, one after the other, get the
    // steps in turn.
    void import(int command, const QString& path, std::vector<Step> steps)
    {
        auto remaining = std::make_shared<std::deque<Step>>(steps.begin(), steps.end());
        ChooseFile(path);
        drive(remaining);
        frame()->action(command)->trigger();
        EXPECT_TRUE(remaining->empty()) << remaining->size() << " dialogs not shown";
    }

    static void drive(std::shared_ptr<std::deque<Step>> steps)
    {
        if (steps->empty())
            return;
        WhenDialogShown("CDlgImportHinges", [steps](QWidget* dialog) {
            const Step step = steps->front();
            steps->pop_front();
            drive(steps);
            step(dialog);
        });
    }

    void clickAt(double x, double y)
    {
        QTest::mouseClick(&view(), Qt::LeftButton, Qt::NoModifier, view().importPreviewPoint(x, y).toPoint());
    }
};

// Three hinges side by side: the preview starts on the largest; a click on
// another one chooses it and that one is saved; the next part is offered
// right after, without opening the file again. Cancel brings the drawing back.
TEST_F(ImportPreview, ClickChoosesTheSavedPartAndTheNextPartFollows)
{
    const GK_Object* drawnBefore = view().operation().drawing().list().first();
    QString status;
    QString second;
    import(ID_IMPORT_HINGES_CAD, kDrawings + "frame_three_hinges.dxf",
           {[&](QWidget* dialog) {
                EXPECT_TRUE(view().importPreviewShown());
                status = frame()->statusBar()->currentMessage();
                EXPECT_EQ(Chosen(dialog), QStringLiteral("已选轮廓 70.00 × 48.00，孔 3 个"));
                clickAt(65, 132.5);
                EXPECT_EQ(Chosen(dialog), QStringLiteral("已选轮廓 60.00 × 45.00，孔 2 个"));
                Type(dialog, "name", "left");
                Click(dialog, "ok");
            },
            [&](QWidget* dialog) {
                second = Chosen(dialog);
                Click(dialog, "cancel");
            }});
    EXPECT_TRUE(status.contains(QStringLiteral("图中零件 3 个"))) << status.toStdString();
    ASSERT_EQ(frame()->library().models().hinges.count(), 1u);
    const GK_Hinges* saved = frame()->library().models().hinges[0];
    EXPECT_EQ(saved->GetName(), "left");
    EXPECT_EQ(saved->GetListHole().count(), 2u);
    EXPECT_NEAR(saved->GetLoopOut().vertex(0).x, 35.0, 1.0) << "the left hinge, not the default one";
    EXPECT_EQ(second, QStringLiteral("已选轮廓 70.00 × 48.00，孔 3 个")) << "the next part not yet saved";
    EXPECT_FALSE(view().importPreviewShown());
    EXPECT_EQ(view().operation().drawing().list().first(), drawnBefore);
}

TEST_F(ImportPreview, TabCyclesThroughTheParts)
{
    QStringList seen;
    import(ID_IMPORT_HINGES_CAD, kDrawings + "frame_three_hinges.dxf", {[&](QWidget* dialog) {
               seen << Chosen(dialog);
               for (int i = 0; i < 3; ++i) {
                   QTest::keyClick(&view(), Qt::Key_Tab);
                   seen << Chosen(dialog);
               }
               QTest::keyClick(&view(), Qt::Key_Backtab);
               seen << Chosen(dialog);
               Click(dialog, "cancel");
           }});
    ASSERT_EQ(seen.size(), 5);
    // The two smaller hinges are alike; the largest is where the cycle starts.
    EXPECT_NE(seen[1], seen[0]) << seen.join('|').toStdString();
    EXPECT_NE(seen[2], seen[0]);
    EXPECT_EQ(seen[3], seen[0]) << "round the three parts and back";
    EXPECT_EQ(seen[4], seen[2]);
    EXPECT_EQ(frame()->library().models().hinges.count(), 0u);
}

// "交换" swaps the faces, and so does a first click on the side face.
TEST_F(ImportPreview, LockCoreFacesSwap)
{
    QStringList seen;
    import(ID_IMPORT_LOCKCORE_CAD, kDrawings + "frame_lockcore.dxf", {[&](QWidget* dialog) {
               seen << Chosen(dialog);
               Click(dialog, "swap");
               seen << Chosen(dialog);
               clickAt(115, 162); // the first face, picked as the top
               seen << Chosen(dialog);
               clickAt(115, 110); // the other face, as the side
               seen << Chosen(dialog);
               Click(dialog, "swap");
               Type(dialog, "name", "core");
               Click(dialog, "ok");
           }});
    const QString original = QStringLiteral("已选顶面 150.00 × 24.00，孔 3 个；侧面 150.00 × 40.00，孔 1 个");
    const QString swapped = QStringLiteral("已选顶面 150.00 × 40.00，孔 1 个；侧面 150.00 × 24.00，孔 3 个");
    EXPECT_EQ(seen, (QStringList{original, swapped, original, original}));
    ASSERT_EQ(frame()->library().models().lockCores.count(), 1u);
    const GK_LockCore* core = frame()->library().models().lockCores[0];
    EXPECT_EQ(core->GetTopList().count(), 1u) << "saved as swapped last";
    EXPECT_EQ(core->GetSideList().count(), 3u);
}

// A drawing marked as metres arrives a thousand times too large: the dialog
// says so and names millimetres; taking them rescales the model at once.
TEST_F(ImportPreview, MetresToMillimetresRescalesAndTheWarningFollows)
{
    ScratchFolder folder;
    const QString path = QString::fromStdString(folder.write("metres.dxf", MetresHinge()));
    struct Seen {
        QString chosen;
        bool warned;
        QString warning;
    };
    std::vector<Seen> seen;
    import(ID_IMPORT_HINGES_CAD, path, {[&](QWidget* dialog) {
               QComboBox* unit = List(dialog, "unit");
               auto* warning = dialog->findChild<QLabel*>(QStringLiteral("unitWarning"));
               const auto look = [&] { seen.push_back({Chosen(dialog), warning->isVisible(), warning->text()}); };
               EXPECT_EQ(unit->currentText(), QStringLiteral("米"));
               look();
               emit unit->activated(unit->findText(QStringLiteral("毫米")));
               look();
               emit unit->activated(unit->findText(QStringLiteral("米")));
               look();
               emit unit->activated(unit->findText(QStringLiteral("毫米")));
               Type(dialog, "name", "m");
               Click(dialog, "ok");
           }});
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].chosen, QStringLiteral("已选轮廓 60000.00 × 45000.00，孔 2 个"));
    EXPECT_TRUE(seen[0].warned);
    EXPECT_TRUE(seen[0].warning.contains(QStringLiteral("“毫米”"))) << seen[0].warning.toStdString();
    EXPECT_EQ(seen[1].chosen, QStringLiteral("已选轮廓 60.00 × 45.00，孔 2 个"));
    EXPECT_FALSE(seen[1].warned);
    EXPECT_TRUE(seen[2].warned);
    ASSERT_EQ(frame()->library().models().hinges.count(), 1u);
    double right = 0.0;
    for (const position& p : frame()->library().models().hinges[0]->GetLoopOut())
        right = std::max(right, p.x);
    EXPECT_NEAR(right, 60.0, 1e-9);
    EXPECT_NEAR(frame()->library().models().hinges[0]->GetListHole()[0]->get_radius(), 3.0, 1e-9);
}

// The naming dialog stands over the view: the preview fits the sheet into
// the part it leaves free. The parts not chosen show their holes too, paler
// than the chosen part's.
TEST_F(ImportPreview, TheDialogHidesNothingAndEveryPartShowsItsHoles)
{
    const std::pair<int, const char*> drawings[] = {{ID_IMPORT_HINGES_CAD, "frame_three_hinges.dxf"},
                                                    {ID_IMPORT_LOCKCORE_CAD, "frame_lockcore.dxf"}};
    for (const auto& [command, file] : drawings) {
        QImage picture;
        QRect covered;
        import(command, kDrawings + file, {[&](QWidget* dialog) {
                   covered = QRect(view().mapFromGlobal(dialog->frameGeometry().topLeft()),
                                   dialog->frameGeometry().size()) & view().rect();
                   picture = view().grab().toImage();
                   Click(dialog, "cancel");
               }});
        ASSERT_FALSE(covered.isEmpty()) << file << ": the dialog stands over the view";
        const QRegion drawn = drawnPixels(picture);
        EXPECT_GT(drawn.boundingRect().width(), picture.width() / 4) << file;
        EXPECT_TRUE((drawn & covered).isEmpty()) << file << ": drawn under the dialog at "
                                                 << (drawn & covered).boundingRect().topLeft().x();
        if (command != ID_IMPORT_HINGES_CAD)
            continue;
        const QRect chosen = pixelsOf(picture, QColor(0x00, 0x55, 0xCC)).boundingRect().adjusted(-3, -3, 3, 3);
        const QRegion holes = pixelsOf(picture, ImportOverlay::holeColor());
        const QRegion otherHoles = holes - chosen;
        EXPECT_GT(otherHoles.boundingRect().width(), 10) << "the other two hinges' holes";
        EXPECT_LT(darkestIn(picture, holes & chosen), darkestIn(picture, otherHoles)) << "the chosen ones stronger";
    }
}

// The status bar speaks of the import that ran last: a saved model replaces
// the preview's hints, and a refused drawing replaces that with its cause.
TEST_F(ImportPreview, EachImportReplacesTheStatusBarsSummary)
{
    import(ID_IMPORT_HINGES_CAD, kDrawings + "frame_three_hinges.dxf",
           {[](QWidget* dialog) {
                Type(dialog, "name", "h1");
                Click(dialog, "ok");
            },
            [](QWidget* dialog) { Click(dialog, "cancel"); }});
    const QString saved = frame()->statusBar()->currentMessage();
    EXPECT_TRUE(saved.startsWith(QStringLiteral("已保存合页模型“h1”；导入完成："))) << saved.toStdString();
    EXPECT_FALSE(saved.contains(QStringLiteral("单击轮廓"))) << "the preview's hint goes with the preview";

    // One outline, 10^12 millimetres wide: far past what the import takes.
    ScratchFolder folder;
    DxfText dxf;
    dxf.beginEntities().square(0, 0, 1e12);
    ChooseFile(QString::fromStdString(folder.write("huge.dxf", dxf.endOfFile().text)));
    QString warned;
    WhenDialogShown("QMessageBox", [&](QWidget* box) {
        warned = static_cast<QMessageBox*>(box)->text();
        static_cast<QMessageBox*>(box)->accept();
    });
    frame()->action(ID_IMPORT_HINGES_CAD)->trigger();
    const QString cause = QStringLiteral("跳过图元 4 个（坐标超出 ±1000000000 毫米的上限或不是有效数字）");
    EXPECT_EQ(frame()->statusBar()->currentMessage(), QStringLiteral("导入失败：图中没有封闭轮廓；") + cause);
    EXPECT_TRUE(warned.contains(cause)) << warned.toStdString();
}

// A unit that would take the drawing past the coordinate limit is refused
// with that cause, and the list keeps the unit the drawing is read in.
TEST_F(ImportPreview, AUnitPastTheLimitIsRefusedWithItsCause)
{
    ScratchFolder folder;
    DxfText dxf;
    dxf.group(0, "SECTION").group(2, "HEADER").group(9, "$INSUNITS").group(70, "4").group(0, "ENDSEC");
    dxf.beginEntities().square(0, 0, 2e6);
    const QString path = QString::fromStdString(folder.write("large.dxf", dxf.endOfFile().text));
    QString warned, listed, chosen;
    import(ID_IMPORT_HINGES_CAD, path, {[&](QWidget* dialog) {
               QComboBox* unit = List(dialog, "unit");
               WhenDialogShown("QMessageBox", [&](QWidget* box) {
                   warned = static_cast<QMessageBox*>(box)->text();
                   static_cast<QMessageBox*>(box)->accept();
               });
               emit unit->activated(unit->findText(QStringLiteral("米")));
               listed = unit->currentText();
               chosen = Chosen(dialog);
               Click(dialog, "cancel");
           }});
    EXPECT_EQ(warned, QStringLiteral("图纸仍按原单位读取，没有改为“米”：按“米”读图，坐标将超出 ±1000000000 毫米的上限。"));
    EXPECT_EQ(listed, QStringLiteral("毫米"));
    EXPECT_EQ(chosen, QStringLiteral("已选轮廓 2000000.00 × 2000000.00，孔 0 个"));
}

} // namespace
