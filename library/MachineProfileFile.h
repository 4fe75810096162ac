#pragma once

#include <library/MachineProfile.h>
#include <library/SaveResult.h>

// The machine profile lives in the library's folder + "MachineProfile.xml"
// (the program's own folder when the program runs): root "MachineProfile"
// whose attributes are the profile's fields by name in the order of
// ProfileFields, reals "%.2f", integers "%d", texts as GBK bytes (line breaks
// in the header and footer kept as character references).

// The profile in the file. A missing or unreadable file gives the defaults;
// a value that is absent or that the program cannot work with keeps its
// default while the other values are taken, reals at the file's hundredths.
MachineProfile LoadMachineProfile(const std::string& folder);

// Writes the whole profile atomically; a profile that fails
// CheckMachineProfile as the file keeps it (AsStored) is not written.
SaveResult SaveMachineProfile(const std::string& folder, const MachineProfile& profile);
