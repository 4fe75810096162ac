// Feeds arbitrary bytes to the machine-profile reader as the profile. What it
// reads must be a profile the program can work with, and must save and read
// back unchanged but for the rounding of reals.
#include "FuzzLibrary.h"

#include <library/MachineProfileFile.h>

#include <cmath>

namespace {
// The file keeps hundredths: a value read with more places comes back
// rounded, by up to half a hundredth and the error of the rounding itself.
bool near(double a, double b)
{
    return std::abs(a - b) <= 0.005 * (1 + std::abs(a));
}

bool sameProfile(const MachineProfile& a, const MachineProfile& b)
{
    return a.OriginCorner == b.OriginCorner && a.XDirection == b.XDirection && a.YDirection == b.YDirection &&
           a.SideAxisX == b.SideAxisX && a.SideAxisY == b.SideAxisY && a.SideAxisZ == b.SideAxisZ &&
           near(a.SafeHeight, b.SafeHeight) && near(a.Breakthrough, b.Breakthrough) &&
           near(a.RecessDepth, b.RecessDepth) && a.Stepover == b.Stepover && a.CannedCycles == b.CannedCycles &&
           a.Comments == b.Comments && a.LineNumbers == b.LineNumbers && a.Header == b.Header &&
           a.Footer == b.Footer && a.Extension == b.Extension && a.CrLf == b.CrLf && a.RapidFeed == b.RapidFeed;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const fuzz_library::ScratchFolder scratch;
    fuzz_library::checkPrecheckAgreesWithParser(data, size);
    scratch.write("MachineProfile.xml", data, size);
    const MachineProfile profile = LoadMachineProfile(scratch.folder());
    if (CheckMachineProfile(profile) != ProfileProblem::None || !SaveMachineProfile(scratch.folder(), profile))
        __builtin_trap();
    if (!sameProfile(profile, LoadMachineProfile(scratch.folder())))
        __builtin_trap();
    return 0;
}
