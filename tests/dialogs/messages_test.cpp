#include <dialogs/ImportMessages.h>
#include <dialogs/UserMessages.h>

#include <QRegularExpression>

#include <cerrno>

#include <gtest/gtest.h>

namespace {

// English words are runs of lower-case Latin letters; the names of file
// formats and DXF keywords that a message may quote are upper case, and so
// is the one product name a message names, AutoCAD.
// Names of programs and what the user is to type (quoted) may be English.
bool hasEnglish(QString text)
{
    static const QRegularExpression word(QStringLiteral("[a-z]{2,}"));
    static const QRegularExpression quoted(QStringLiteral("“[^”]*”"));
    return text.remove(QStringLiteral("AutoCAD")).remove(QStringLiteral("Node.js")).remove(quoted).contains(word);
}

TEST(Messages, FailedSavesSayWhyInChinese)
{
    struct Case {
        SaveResult result;
        const char* text;
    };
    const Case cases[] = {
        {{SaveProblem::CannotCreate, "/lib/Hinges/H1.xml", ModelNameProblem::None, ENOENT},
         "文件“/lib/Hinges/H1.xml”没有保存：无法在文件夹中建立文件（文件夹不存在）。\n模型没有加入列表。"},
        {{SaveProblem::CannotWrite, "/lib/D.xml", ModelNameProblem::None, ENOSPC},
         "文件“/lib/D.xml”没有保存：无法写入文件（磁盘空间已满）。\n模型没有加入列表。"},
        {{SaveProblem::CannotReplace, "/lib/D.xml", ModelNameProblem::None, EACCES},
         "文件“/lib/D.xml”没有保存：无法替换原有的文件（没有访问权限）。\n模型没有加入列表。"},
        {{SaveProblem::BadName, "/lib/a", ModelNameProblem::Separator},
         "文件“/lib/a”没有保存：名称中不能有“/”或“\\”。\n模型没有加入列表。"},
        {{SaveProblem::NotFinite, "/lib/N.xml"}, "文件“/lib/N.xml”没有保存：有坐标或尺寸不是有效的数。\n模型没有加入列表。"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ModelNotSavedMessage(c.result), QString::fromUtf8(c.text));
}

// Whatever the lower layers report, and whatever the system's error, the
// user reads no English.
TEST(Messages, NoOutcomeIsWordedInEnglish)
{
    for (int error = 0; error < 140; ++error) {
        EXPECT_FALSE(hasEnglish(SystemErrorText(error))) << error;
        for (auto problem : {SaveProblem::NoModel, SaveProblem::NoLibrary, SaveProblem::NotFinite, SaveProblem::OutOfRange,
                             SaveProblem::CannotCreate, SaveProblem::CannotWrite, SaveProblem::CannotReplace,
                             SaveProblem::TooLarge}) {
            const QString text = ToolTableNotSavedMessage(SaveResult{problem, "/库/刀具表", {}, error});
            EXPECT_FALSE(hasEnglish(text)) << text.toStdString();
        }
    }
    for (auto problem : {ModelNameProblem::DotName, ModelNameProblem::Separator, ModelNameProblem::ControlCharacter,
                         ModelNameProblem::NotGbk}) {
        EXPECT_FALSE(ModelNameProblemText(problem).isEmpty());
        EXPECT_FALSE(hasEnglish(RefusedNameMessage(problem)));
    }
    for (int problem = static_cast<int>(ImportProblem::FileMissing);
         problem <= static_cast<int>(ImportProblem::UnitPastLimit); ++problem) {
        ImportReport report;
        report.failure = {static_cast<ImportProblem>(problem), EACCES, 12, "LWPOLYLINE"};
        const QString text = ImportFailedMessage(ModelKind::LockCore, QStringLiteral("/图/甲.DXF"), report);
        EXPECT_FALSE(hasEnglish(text)) << text.toStdString();
        EXPECT_NE(ImportFailureText(report), ImportFailureText(ImportReport{})) << problem;
        EXPECT_TRUE(ImportSummary(report).startsWith(QStringLiteral("导入失败："))) << problem;
    }
}

TEST(Messages, ImportFailuresNameWhatTheFileSays)
{
    ImportReport report;
    report.failure = {ImportProblem::BadCount, 0, 12, "LWPOLYLINE"};
    EXPECT_EQ(ImportFailedMessage(ModelKind::Hinges, QStringLiteral("/d/a.dxf"), report),
              QStringLiteral("没有从CAD图“/d/a.dxf”得到合页模型：DXF 文件中的 LWPOLYLINE 声明了不合理的点数（第 12 行）。"));
    report.failure = {ImportProblem::Unparsable};
    report.format = DrawingFormat::Dwg;
    EXPECT_EQ(ImportFailureText(report), QStringLiteral("DWG 文件已损坏，无法解析"));
    EXPECT_EQ(ImportFailureText(ImportReport{}), QStringLiteral("图中没有可以用作模型的内容"));
}

TEST(Messages, ImportSummaryNamesUnitAndWhatWasLeft)
{
    ImportReport report;
    report.outlines = 2;
    report.holes = 3;
    EXPECT_EQ(ImportSummary(report), QStringLiteral("导入完成：轮廓 2 个，孔 3 个"));

    report.unit = DrawingUnit{25.4, 1, 1};
    report.skipped[{SkipReason::Unsupported, "TEXT"}] = 2;
    report.skipped[{SkipReason::PaperSpace, ""}] = 1;
    report.openChains.resize(3);
    report.openChains[0].closedAnyway = true;
    report.leftInside = 1;
    report.frames = 2;
    report.parts = 3;
    EXPECT_EQ(ImportSummary(report), QStringLiteral("导入完成：轮廓 2 个，孔 3 个，图框 2 个，图中零件 3 个，"
                                                    "单位 英寸（$INSUNITS = 1），跳过图元 3 个（不支持的图元类型 TEXT 2 个；"
                                                    "位于图纸空间 1 个），补闭合 1 处，"
                                                    "未闭合链 2 条，轮廓内未导入 1 个"));

    // A DWG drawing names its version and code page after the unit; a cut
    // text is noted last.
    report.format = DrawingFormat::Dwg;
    report.version = "AC1015";
    report.codePage = "ANSI_936";
    report.skipped.clear();
    report.openChains.clear();
    report.notes.push_back(ImportNote{NoteKind::TextCut, 2, {}});
    EXPECT_EQ(ImportSummary(report), QStringLiteral("导入完成：轮廓 2 个，孔 3 个，图框 2 个，图中零件 3 个，"
                                                    "单位 英寸（$INSUNITS = 1），DWG 版本 AutoCAD 2000（AC1015），"
                                                    "代码页 ANSI_936，轮廓内未导入 1 个，过长的文字 2 处已截断"));
}

// Every kind of skipped entity names its own cause, and the limit where there
// is one; an outline lost to them is not reported as missing.
TEST(Messages, SkippedEntitiesNameTheirCauseAndLimit)
{
    const std::pair<SkippedKind, const char*> kinds[] = {
        {{SkipReason::Unsupported, "HATCH"}, "不支持的图元类型 HATCH"},
        {{SkipReason::Unsupported, ""}, "其他不支持的图元类型"},
        {{SkipReason::PolygonMesh, ""}, "多边形网格"},
        {{SkipReason::PaperSpace, ""}, "位于图纸空间"},
        {{SkipReason::NotInPlane, ""}, "不平行于 XY 平面"},
        {{SkipReason::BadCoordinates, ""}, "坐标超出 ±1000000000 毫米的上限或不是有效数字"},
        {{SkipReason::BadScale, ""}, "图块引用的比例为零或无效"},
        {{SkipReason::BadArc, ""}, "圆弧的半径或角度无效"},
        {{SkipReason::BadCircle, ""}, "圆的半径或圆心无效"},
        {{SkipReason::BadPolyline, ""}, "多段线的顶点不足两个或数值无效"},
        {{SkipReason::BadEllipse, ""}, "椭圆的轴或参数无效"},
        {{SkipReason::BadSpline, ""}, "样条曲线的阶数超过 11、控制点不足或数值无效"},
    };
    for (const auto& [kind, cause] : kinds) {
        ImportReport report;
        report.skipped[kind] = 2;
        EXPECT_EQ(ImportSummary(report),
                  QStringLiteral("导入完成：轮廓 0 个，孔 0 个，跳过图元 2 个（%1）").arg(QString::fromUtf8(cause)));
    }

    // A closed outline far too large to draw is skipped, and the refusal
    // says so instead of claiming there is no outline at all.
    ImportReport report;
    report.failure = {ImportProblem::NoClosedOutline};
    report.skipped[{SkipReason::BadCoordinates, ""}] = 4;
    report.openChains.resize(1);
    EXPECT_EQ(ImportFailureText(report), QStringLiteral("图中没有封闭轮廓（有 1 条未闭合的线段链）；跳过图元 4 个"
                                                        "（坐标超出 ±1000000000 毫米的上限或不是有效数字）"));
}

// The status bar after an import: what was saved, or that nothing was.
TEST(Messages, AnEndedImportSaysWhatWasSaved)
{
    ImportReport report;
    report.outlines = 3;
    EXPECT_EQ(ImportEndedText(ModelKind::Hinges, {}, report), QStringLiteral("没有保存合页模型"));
    EXPECT_EQ(ImportEndedText(ModelKind::LockCore, {"\xBA\xCF", "B"}, report),
              QStringLiteral("已保存锁芯模型“合”、“B”；导入完成：轮廓 3 个，孔 0 个"));
    EXPECT_EQ(ImportStartedText(QStringLiteral("/d/甲.dxf")), QStringLiteral("正在导入“/d/甲.dxf”…"));
}

TEST(Messages, UnitsSayWhereTheyCameFrom)
{
    struct Case {
        DrawingUnit unit;
        const char* name;
        const char* source;
    };
    const Case cases[] = {
        {{1.0, 4, std::nullopt}, "毫米", "图纸未设单位，按毫米"},
        {{1.0, 4, 0}, "毫米", "$INSUNITS = 0（无单位，按毫米）"},
        {{1.0, 4, 77}, "毫米", "$INSUNITS = 77（未知单位，按毫米）"},
        {{1.0, 4, 4}, "毫米", "$INSUNITS = 4"},
        {{0.001, 13, 13}, "微米", "$INSUNITS = 13"},
        {{1.0, 24, 24}, "美国测量英里", "$INSUNITS = 24"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UnitName(c.unit.code), QString::fromUtf8(c.name));
        EXPECT_EQ(UnitSource(c.unit), QString::fromUtf8(c.source));
    }
}

} // namespace
