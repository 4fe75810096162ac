#include <commands/ImportChoice.h>

#include <importer/PolygonOps.h>
#include <importer/Units.h>

#include <algorithm>
#include <array>

namespace {

// Units tried, in this order, for an outline of implausible size: those that
// drawings of door hardware are made in.
constexpr std::array<int, 6> kLikelyUnits{4, 5, 14, 6, 1, 2};

bool plausible(double width, double height)
{
    const bool large = width > ImportChoice::kLargest && height > ImportChoice::kLargest;
    const bool small = width < ImportChoice::kSmallest && height < ImportChoice::kSmallest;
    return !large && !small;
}

ChosenOutline sizeOf(const GU_Loop& loop, std::size_t holes)
{
    const GK_Box box = boundingBox(loop.vertices());
    return {box.width(), box.height(), holes};
}

void addHoles(const GU_OwnedList<GK_Hole>& holes, ImportPicture& picture)
{
    for (std::size_t i = 0; i < holes.count(); ++i) {
        const GK_Hole* hole = holes[i];
        if (hole->is_circle()) {
            const auto* circle = static_cast<const GK_Circle_Hole*>(hole);
            picture.holeCircles.push_back({circle->get_cen(), circle->get_radius()});
        } else if (const GU_Loop* loop = hole->get_loop()) {
            picture.holeOutlines.push_back(loop->vertices());
        }
    }
}

} // namespace

ImportChoice::ImportChoice(CadImporter& importer, bool lockCore) : m_importer(importer), m_lockCore(lockCore)
{
    if (const ImportSheet* sheet = m_importer.sheet())
        m_selectable = sheet->layout.parts;
    for (const std::size_t outline : current())
        if (std::find(m_selectable.begin(), m_selectable.end(), outline) == m_selectable.end())
            m_selectable.push_back(outline);
    std::sort(m_selectable.begin(), m_selectable.end());
}

std::vector<int> ImportChoice::offeredUnits(int current)
{
    std::vector<int> codes(kLikelyUnits.begin(), kLikelyUnits.end());
    if (std::find(codes.begin(), codes.end(), current) == codes.end())
        codes.push_back(current);
    return codes;
}

std::size_t ImportChoice::partCount() const
{
    const ImportSheet* sheet = m_importer.sheet();
    return sheet ? sheet->layout.parts.size() : 0;
}

std::vector<std::size_t> ImportChoice::current() const
{
    if (m_lockCore) {
        if (const auto faces = m_importer.lockCoreFaces())
            return {faces->top, faces->side};
    } else if (const auto outline = m_importer.hingesOutline()) {
        return {*outline};
    }
    return {};
}

bool ImportChoice::choose(std::size_t top, std::size_t side)
{
    const std::vector<std::size_t> before = current();
    if (m_lockCore ? !m_importer.chooseLockCoreFaces({top, side}) : !m_importer.chooseHingesOutline(top))
        return false;
    return current() != before;
}

bool ImportChoice::pickAt(double x, double y)
{
    const ImportSheet* sheet = m_importer.sheet();
    const std::vector<std::size_t> now = current();
    if (!sheet || now.empty())
        return false;
    // The smallest part around the point, so that a part drawn inside another
    // can be picked too.
    std::optional<std::size_t> hit;
    for (const std::size_t s : m_selectable) {
        const Outline& o = sheet->geometry.outlines[s];
        if (o.box.contains(x, y) && pointInPolygon(o.points, x, y) &&
            (!hit || o.area < sheet->geometry.outlines[*hit].area))
            hit = s;
    }
    if (!hit)
        return false;
    if (!m_lockCore)
        return choose(*hit, 0);

    // The face the click sets; picking the other face swaps the two.
    std::size_t top = now[0], side = now[1];
    if (m_sideNext) {
        if (*hit == top)
            std::swap(top, side);
        else
            side = *hit;
    } else {
        if (*hit == side)
            std::swap(top, side);
        else
            top = *hit;
    }
    m_sideNext = !m_sideNext;
    return choose(top, side);
}

bool ImportChoice::cycle(bool forward)
{
    const std::vector<std::size_t> now = current();
    const std::size_t n = m_selectable.size();
    if (now.empty() || n < (m_lockCore ? 2u : 1u))
        return false;
    const auto indexOf = [this](std::size_t outline) {
        return static_cast<std::size_t>(std::find(m_selectable.begin(), m_selectable.end(), outline) -
                                        m_selectable.begin());
    };
    if (!m_lockCore) {
        const std::size_t i = indexOf(now[0]);
        return choose(m_selectable[(forward ? i + 1 : i + n - 1) % n], 0);
    }
    // Ordered pairs of different parts, numbered top * n + side; the pairs
    // of one part with itself are passed over.
    const std::size_t pairs = n * n;
    std::size_t k = indexOf(now[0]) * n + indexOf(now[1]);
    do
        k = forward ? (k + 1) % pairs : (k + pairs - 1) % pairs;
    while (k / n == k % n);
    return choose(m_selectable[k / n], m_selectable[k % n]);
}

bool ImportChoice::swapFaces()
{
    const std::vector<std::size_t> now = current();
    return m_lockCore && now.size() == 2 && choose(now[1], now[0]);
}

ImportFailure ImportChoice::chooseUnit(int code)
{
    return m_importer.chooseUnit(code);
}

bool ImportChoice::nextAfterSaved()
{
    for (const std::size_t outline : current())
        m_saved.insert(outline);
    std::vector<std::size_t> left;
    for (const std::size_t s : m_selectable)
        if (!m_saved.count(s))
            left.push_back(s);
    if (left.size() < (m_lockCore ? 2u : 1u))
        return false;
    m_sideNext = false;
    return choose(left[0], m_lockCore ? left[1] : 0);
}

ImportPicture ImportChoice::picture() const
{
    ImportPicture picture;
    const ImportSheet* sheet = m_importer.sheet();
    const std::vector<std::size_t> now = current();
    if (!sheet || now.empty())
        return picture;
    const auto& outlines = sheet->geometry.outlines;
    for (const std::size_t s : m_selectable)
        if (std::find(now.begin(), now.end(), s) == now.end()) {
            picture.outlines.push_back(
                {m_saved.count(s) ? ImportPicture::Role::Saved : ImportPicture::Role::Part, outlines[s].points});
            addPartHoles(s, picture);
        }
    if (m_lockCore) {
        picture.outlines.push_back({ImportPicture::Role::TopFace, outlines[now[0]].points});
        picture.outlines.push_back({ImportPicture::Role::SideFace, outlines[now[1]].points});
        const GK_LockCore* core = m_importer.get_lockcore_model();
        addHoles(core->GetTopList(), picture);
        addHoles(core->GetSideList(), picture);
    } else {
        picture.outlines.push_back({ImportPicture::Role::Chosen, outlines[now[0]].points});
        const GK_Hinges* hinges = m_importer.get_hinges_model();
        for (std::size_t i = 0; i < hinges->GetListHole().count(); ++i) {
            const GK_Circle_Hole* hole = hinges->GetListHole()[i];
            picture.holeCircles.push_back({hole->get_cen(), hole->get_radius()});
        }
    }
    return picture;
}

// The circles that may be holes and the outlines directly inside the part,
// other parts left out.
void ImportChoice::addPartHoles(std::size_t part, ImportPicture& picture) const
{
    const ImportSheet& sheet = *m_importer.sheet();
    const SheetLayout& layout = sheet.layout;
    for (std::size_t o = 0; o < layout.parent.size(); ++o)
        if (layout.parent[o] == part && std::find(m_selectable.begin(), m_selectable.end(), o) == m_selectable.end())
            picture.otherHoleOutlines.push_back(sheet.geometry.outlines[o].points);
    for (std::size_t c = 0; c < sheet.geometry.circles.size(); ++c)
        if (c < layout.holeCircle.size() && c < layout.circleParent.size() && layout.holeCircle[c]
            && layout.candidateAroundCircle(c) == part)
            picture.otherHoleCircles.push_back({sheet.geometry.circles[c].centre, sheet.geometry.circles[c].radius});
}

std::vector<ChosenOutline> ImportChoice::chosen() const
{
    if (const GK_LockCore* core = m_lockCore ? m_importer.get_lockcore_model() : nullptr)
        return {sizeOf(core->GetTopLoop(), core->GetTopList().count()),
                sizeOf(core->GetSideLoop(), core->GetSideList().count())};
    if (const GK_Hinges* hinges = m_lockCore ? nullptr : m_importer.get_hinges_model())
        return {sizeOf(hinges->GetLoopOut(), hinges->GetListHole().count())};
    return {};
}

std::optional<ImplausibleSize> ImportChoice::implausible() const
{
    const std::vector<ChosenOutline> outlines = chosen();
    const std::optional<DrawingUnit>& unit = m_importer.report().unit;
    if (outlines.empty() || !unit)
        return std::nullopt;
    const ChosenOutline& outline = outlines.front();
    if (plausible(outline.width, outline.height))
        return std::nullopt;
    ImplausibleSize size{outline.width, outline.height, std::nullopt, 0.0, 0.0};
    for (const int code : kLikelyUnits) {
        const std::optional<DrawingUnit> other = unitOfCode(code);
        const double factor = other->millimetres / unit->millimetres;
        if (code != unit->code && plausible(outline.width * factor, outline.height * factor)) {
            size.unit = code;
            size.unitWidth = outline.width * factor;
            size.unitHeight = outline.height * factor;
            break;
        }
    }
    return size;
}
