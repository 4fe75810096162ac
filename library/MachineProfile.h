#pragma once

#include <cstddef>
#include <string>

// How the machining programs are written for the machine at hand: where the
// machine's origin lies on the leaf, which way its axes run, the letters of
// the side head, heights, and the form of the text. Texts are GBK bytes.
struct MachineProfile {
    // Corner of the leaf (as the drawing view draws it) at the machine's
    // origin: 0 at (0, 0), 1 at (length, 0), 2 at (length, width), 3 at (0, width).
    int OriginCorner = 0;
    // 1 when the machine's X (Y) grows with the leaf's x (y), -1 when it runs against it.
    int XDirection = 1;
    int YDirection = 1;
    // The side head's axis letters for the leaf's x, y (into the lock edge) and z.
    std::string SideAxisX = "X";
    std::string SideAxisY = "Y";
    std::string SideAxisZ = "Z";
    double SafeHeight = 50.0;   // mm: travel height above the top face and outside the lock edge
    double Breakthrough = 1.0;  // mm below the bottom face for cuts through the door
    double RecessDepth = 3.0;   // mm: depth of the faceplate recess in the lock edge
    int Stepover = 50;          // per cent of the tool diameter between pocket passes
    int CannedCycles = 0;       // 1: holes drilled with G81, 0: plain G1 plunges
    int Comments = 1;           // 1: comments name tools and features
    int LineNumbers = 0;        // step between line numbers; 0 writes none
    std::string Header;         // lines written before the program
    std::string Footer;         // lines written before the program's end
    std::string Extension = "NC";
    int CrLf = 1;               // 1: lines end in CR LF, 0: in LF
    int RapidFeed = 15000;      // mm/min of rapid moves, for the time estimate
    // Largest depth a cutter takes in one pass, the smaller of the two counting:
    // a multiple of its diameter and a length.
    double PassDepthDiameters = 1.0;
    double PassDepthMax = 10.0;  // mm
    double HelixAngle = 3.0;     // degrees: steepest ramp of a helix
    double PeckDepth = 0.0;      // mm a drill goes in before it clears its chips; 0: no pecking
    std::string StartLine = "G40 G49 G80 G90"; // written first: a safe state of the controller
};

// The first value of a profile that the program cannot work with.
enum class ProfileProblem {
    None,
    OriginCorner,  // not 0 to 3
    Direction,     // an axis direction neither 1 nor -1
    SideAxis,      // a side-head letter that is not one of X Y Z U V W A B C, or two the same
    SafeHeight,    // not above 0 and at most kMaxSafeHeight
    Breakthrough,  // below 0 or above kMaxBreakthrough
    RecessDepth,   // not above 0 and at most kMaxRecessDepth
    Stepover,      // not kMinStepover to kMaxStepover per cent
    LineNumbers,   // below 0 or above kMaxLineNumberStep
    Extension,     // empty, longer than kMaxExtension, or not letters and digits
    RapidFeed,     // not kMinRapidFeed to kMaxRapidFeed
    PassDepthDiameters, // not kMinPassDepthDiameters to kMaxPassDepthDiameters
    PassDepthMax,  // not kMinPassDepthMax to kMaxPassDepthMax
    HelixAngle,    // not kMinHelixAngle to kMaxHelixAngle
    PeckDepth,     // neither 0 nor kMinPeckDepth to kMaxPeckDepth
    StartLine,     // longer than kMaxStartLine, or holding a line break or another control byte
};

inline constexpr double kMaxSafeHeight = 500.0;
inline constexpr double kMaxBreakthrough = 10.0;
inline constexpr double kMaxRecessDepth = 50.0;
inline constexpr int kMinStepover = 5;
inline constexpr int kMaxStepover = 50; // a pass may never leave a ridge between two others
inline constexpr int kMaxLineNumberStep = 1000;
inline constexpr std::size_t kMaxExtension = 8;
inline constexpr int kMinRapidFeed = 100;
inline constexpr int kMaxRapidFeed = 200000;
inline constexpr double kMinPassDepthDiameters = 0.1;
inline constexpr double kMaxPassDepthDiameters = 5.0;
inline constexpr double kMinPassDepthMax = 0.5;
inline constexpr double kMaxPassDepthMax = 50.0;
inline constexpr double kMinHelixAngle = 0.5;
inline constexpr double kMaxHelixAngle = 45.0;
inline constexpr double kMinPeckDepth = 1.0; // shallower pecks only wear the tool
inline constexpr double kMaxPeckDepth = 100.0;
inline constexpr std::size_t kMaxStartLine = 80; // bytes

// The first value, in the order of ProfileFields, that the program cannot
// work with.
ProfileProblem CheckMachineProfile(const MachineProfile& profile);
