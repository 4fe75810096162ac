#pragma once

#include <importer/CadImporter.h>
#include <kernel/position.h>

#include <cstddef>
#include <optional>
#include <set>
#include <vector>

// What the drawing view shows of an import before it is named: the parts of
// the sheet, the chosen outline or faces over them, and the chosen model's
// holes. Millimetres, as the model will be saved.
struct ImportPicture {
    enum class Role { Part, Saved, Chosen, TopFace, SideFace };
    struct Shape {
        Role role = Role::Part;
        std::vector<position> points; // closed, first point not repeated
    };
    struct Circle {
        position centre;
        double radius = 0.0;
    };
    std::vector<Shape> outlines; // the chosen ones last, so that they paint on top
    // The chosen model's holes.
    std::vector<std::vector<position>> holeOutlines;
    std::vector<Circle> holeCircles;
    // What lies inside the parts not chosen, so that parts can be told apart.
    std::vector<std::vector<position>> otherHoleOutlines;
    std::vector<Circle> otherHoleCircles;
};

// Width and height of an outline, in millimetres, and the holes that go with it.
struct ChosenOutline {
    double width = 0.0;
    double height = 0.0;
    std::size_t holes = 0;
};

// A size that door hardware cannot have, and the unit that would give it a
// plausible one.
struct ImplausibleSize {
    double width = 0.0, height = 0.0; // as imported, millimetres
    std::optional<int> unit;          // $INSUNITS code that would fit
    double unitWidth = 0.0, unitHeight = 0.0;
};

// The user's choice among the parts of an imported sheet: which outline makes
// the hinge, which two the lock core's faces, in which unit the drawing is
// read, and which parts were already saved. Works on the importer's model.
class ImportChoice {
public:
    // Plausible outlines of door hardware, millimetres: an outline larger than
    // the first or smaller than the second in both directions is not.
    static constexpr double kLargest = 1000.0;
    static constexpr double kSmallest = 5.0;

    ImportChoice(CadImporter& importer, bool lockCore);

    // The units the user may read the drawing in ($INSUNITS codes): those
    // door hardware is drawn in, and the current one.
    static std::vector<int> offeredUnits(int current);

    bool lockCore() const { return m_lockCore; }
    // Parts on the sheet: outlines that may be a model, inside no other.
    std::size_t partCount() const;
    // Whether there is anything to choose between.
    bool choosable() const { return m_selectable.size() > 1; }
    // For a lock core: whether the next pick sets the side face (else the top).
    bool picksSideNext() const { return m_sideNext; }

    // A click at the drawing point (x, y): the part under it is chosen; for a
    // lock core the first click sets the top face, the next the side face.
    // False when no part lies there or nothing changed.
    bool pickAt(double x, double y);
    // The next (or previous) part, or for a lock core the next pair of faces.
    bool cycle(bool forward);
    bool swapFaces();
    // Reads the drawing in another unit; why the importer refused it, if it did.
    ImportFailure chooseUnit(int code);

    // Notes that the current model was saved. Then moves to a part not yet
    // saved, for the next model of the same sheet; false when none is left.
    bool nextAfterSaved();

    ImportPicture picture() const;
    // The hinge outline, or the lock core's top and side face.
    std::vector<ChosenOutline> chosen() const;
    // Set when the model's outline is implausible for door hardware.
    std::optional<ImplausibleSize> implausible() const;

private:
    std::vector<std::size_t> current() const;
    void addPartHoles(std::size_t part, ImportPicture& picture) const;
    bool choose(std::size_t top, std::size_t side);

    CadImporter& m_importer;
    bool m_lockCore;
    bool m_sideNext = false;
    std::vector<std::size_t> m_selectable; // parts, and the importer's first choice, in drawing order
    std::set<std::size_t> m_saved;
};
