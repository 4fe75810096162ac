#include <library/MachineProfile.h>

#include <library/ProfileFields.h>

ProfileProblem CheckMachineProfile(const MachineProfile& profile)
{
    for (const ProfileField& field : ProfileFields())
        if (field.valid && !field.valid(profile))
            return field.problem;
    return ProfileProblem::None;
}
