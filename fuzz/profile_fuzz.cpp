// Feeds arbitrary bytes to the machine-profile reader as the profile. What it
// reads must be a profile the program can work with, and must save and read
// back unchanged but for the rounding of reals.
#include "FuzzLibrary.h"

#include <library/MachineProfileFile.h>
#include <library/ProfileFields.h>

#include <cmath>

namespace {
// The file keeps hundredths: a value read with more places comes back
// rounded, by up to half a hundredth and the error of the rounding itself.
bool near(double a, double b)
{
    return std::abs(a - b) <= 0.005 * (1 + std::abs(a));
}

template <typename T>
bool near(const T& a, const T& b)
{
    return a == b;
}

bool sameProfile(const MachineProfile& a, const MachineProfile& b)
{
    for (const ProfileField& field : ProfileFields())
        if (!std::visit([&](auto member) { return near(a.*member, b.*member); }, field.member))
            return false;
    return true;
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
