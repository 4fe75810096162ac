// The job sheet as a reader of the PDF sees it: the text pdftotext finds, and
// a page rendered by pdftoppm showing the leaf and its hinges where the row's
// door has them.
#include "OrderFixtures.h"

#include <orders/JobSheet.h>
#include <orders/OrderPrograms.h>

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

namespace fs = std::filesystem;

std::string run(const std::string& command)
{
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, n);
        ::pclose(pipe);
    }
    return out;
}

bool havePoppler()
{
    return std::system("command -v pdftotext >/dev/null && command -v pdftoppm >/dev/null") == 0;
}

std::string sizeOf(const OrderRow& row)
{
    const auto n = [](double v) {
        std::string s = std::to_string(v);
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.')
            s.pop_back();
        return s;
    };
    return n(row.length) + "×" + n(row.width) + "×" + n(row.thickness);
}

struct Sheet {
    Order order;
    std::vector<RowOutcome> outcomes;
    std::string pdf;
};

Sheet writeSheet(const std::string& folder)
{
    GU_OwnedList<KnifeInfo> tools;
    fixtures::standardTools(tools);
    Sheet s;
    s.order = orderfixtures::order();
    OrderRow refused;
    refused.line = 40;
    refused.order = "R-1";
    refused.doorModel = "X";
    refused.length = 1234;
    refused.width = 567;
    refused.thickness = 40;
    refused.refusal.kind = RowRefusal::Kind::UnknownModel;
    s.order.rows.push_back(refused);
    s.outcomes = AssessOrder(s.order, tools, MachineProfile());
    s.pdf = folder + "/订单一.pdf";
    QString error;
    EXPECT_TRUE(WriteJobSheet(QString::fromStdString(s.pdf), s.order, s.outcomes, &error)) << error.toStdString();
    return s;
}

TEST(JobSheet, TextNamesEveryRowAndItsDimensions)
{
    if (!havePoppler())
        GTEST_SKIP() << "pdftotext and pdftoppm (poppler-utils) are not installed";
    const std::string folder = orderfixtures::scratch("sheet-text");
    const Sheet s = writeSheet(folder);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1) << "no temporary file left";

    const std::string text = run("pdftotext -layout '" + s.pdf + "' -");
    EXPECT_NE(text.find("生产单 订单一"), std::string::npos) << text;
    for (const char* head : {"行号", "订单号", "门型", "长×宽×厚", "数量", "预计时间", "状态/原因", "合计"})
        EXPECT_NE(text.find(head), std::string::npos) << head;
    EXPECT_NE(text.find(RefusalText(s.order.rows.back().refusal)), std::string::npos);

    // Page 1 lists every row; each usable row has a page of its own with its
    // size, its hinges' and lock core's distances from the leaf's end, and
    // its tools.
    const std::string list = run("pdftotext -layout -f 1 -l 1 '" + s.pdf + "' -");
    for (const OrderRow& row : s.order.rows)
        EXPECT_NE(list.find(sizeOf(row)), std::string::npos) << sizeOf(row) << "\n" << list;
    for (std::size_t i = 0; i + 1 < s.order.rows.size(); ++i) {
        const OrderRow& row = s.order.rows[i];
        const std::string page = std::to_string(i + 2);
        const std::string t = run("pdftotext -layout -f " + page + " -l " + page + " '" + s.pdf + "' -");
        EXPECT_NE(t.find("第" + std::to_string(row.line) + "行"), std::string::npos) << t;
        EXPECT_NE(t.find(sizeOf(row)), std::string::npos) << t;
        EXPECT_NE(t.find("数量 " + std::to_string(row.quantity)), std::string::npos) << t;
        const GU_Pt_List& hinges = row.door->GetHingesPos();
        for (const position& p : hinges) {
            const std::string at = std::to_string(static_cast<long>(p.x));
            EXPECT_NE(t.find(at), std::string::npos) << "hinge at " << at << "\n" << t;
        }
        EXPECT_NE(t.find(std::to_string(static_cast<long>(row.door->GetLockCorePos().x))), std::string::npos) << "lock core";
        for (const char* tool : {"T1", "T5"})
            EXPECT_NE(t.find(tool), std::string::npos) << tool;
        EXPECT_NE(t.find("直径 12 mm"), std::string::npos) << t;
    }
    const std::string pages = run("pdfinfo '" + s.pdf + "' | grep Pages");
    EXPECT_NE(pages.find(std::to_string(s.order.rows.size())), std::string::npos) << pages << " (list + usable rows)";
}

// The share of dark pixels in the rectangle.
double ink(const QImage& image, QRect r)
{
    r = r.intersected(image.rect());
    int dark = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            dark += qGray(image.pixel(x, y)) < 160;
    return r.isEmpty() ? 0.0 : double(dark) / (r.width() * r.height());
}

TEST(JobSheet, RowPageShowsTheLeafAndItsHinges)
{
    if (!havePoppler())
        GTEST_SKIP() << "pdftotext and pdftoppm (poppler-utils) are not installed";
    const std::string folder = orderfixtures::scratch("sheet-picture");
    const Sheet s = writeSheet(folder);
    for (std::size_t i = 0; i + 1 < s.order.rows.size(); ++i) {
        const OrderRow& row = s.order.rows[i];
        const std::string what = orderfixtures::kRows[i].name;
        const std::string png = folder + "/page";
        run("pdftoppm -r 50 -gray -singlefile -f " + std::to_string(i + 2) + " -l " + std::to_string(i + 2) + " '" +
            s.pdf + "' '" + png + "'");
        const QImage image(QString::fromStdString(png + ".pgm"));
        ASSERT_FALSE(image.isNull()) << what;

        // The leaf: the topmost of the longest dark horizontal runs (the
        // overall length's dimension line is as long, but lies below it),
        // and the row as far below it as the door is wide.
        struct Run { int y, x0, x1; };
        std::vector<Run> runs;
        int longest = 0;
        for (int y = 0; y < image.height(); ++y) {
            Run best{y, 0, -1};
            for (int x = 0, start = -1; x <= image.width(); ++x) {
                const bool dark = x < image.width() && qGray(image.pixel(x, y)) < 160;
                if (dark && start < 0)
                    start = x;
                if (!dark && start >= 0) {
                    if (x - 1 - start > best.x1 - best.x0)
                        best = {y, start, x - 1};
                    start = -1;
                }
            }
            runs.push_back(best);
            longest = std::max(longest, best.x1 - best.x0);
        }
        ASSERT_GT(longest, image.width() / 3) << what;
        const Run top = *std::find_if(runs.begin(), runs.end(), [&](const Run& r) { return r.x1 - r.x0 >= longest - 2; });
        const double pxPerMm = (top.x1 - top.x0) / row.length;
        const int bottomY = top.y + static_cast<int>(std::lround(row.width * pxPerMm));
        const QRect leaf(QPoint(top.x0, top.y), QPoint(top.x1, bottomY));
        // Its outline all round.
        for (const QRect edge : {QRect(leaf.left(), leaf.top() - 1, leaf.width(), 3),
                                 QRect(leaf.left(), leaf.bottom() - 1, leaf.width(), 3),
                                 QRect(leaf.left() - 1, leaf.top(), 3, leaf.height()),
                                 QRect(leaf.right() - 1, leaf.top(), 3, leaf.height())})
            EXPECT_GT(ink(image, edge), 0.25) << what << ": leaf outline " << edge.x() << "," << edge.y() << " " << edge.width() << "x" << edge.height();

        // Each hinge (100 × 40 mm, reaching in from its edge) shows ink; the
        // middle of the leaf between the parts is clean.
        const auto at = [&](double x, double y) {
            return QPoint(leaf.left() + static_cast<int>(std::lround(x * pxPerMm)),
                          leaf.bottom() - static_cast<int>(std::lround(y * pxPerMm)));
        };
        for (const position& p : row.door->GetHingesPos()) {
            const double y0 = row.hingesUp ? row.width - 36 : 4, y1 = row.hingesUp ? row.width - 4 : 36;
            const QRect hinge = QRect(at(p.x - 45, y1), at(p.x + 45, y0)).normalized();
            EXPECT_GT(ink(image, hinge), 0.08) << what << ": hinge at " << p.x;
        }
        const QRect middle = QRect(at(row.length * 0.3 - 30, row.width * 0.5 + 30),
                                   at(row.length * 0.3 + 30, row.width * 0.5 - 30)).normalized();
        EXPECT_LT(ink(image, middle), 0.01) << what << ": nothing drawn in the middle of the leaf";
        if (!::testing::Test::HasFailure())
            fs::remove(png + ".pgm");
    }
}

} // namespace
