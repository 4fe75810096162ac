#pragma once

#include <kernel/GK_Factories.h>

#include <memory>
#include <string>

// Small models for the application tests, written into the library folder
// with the library's own writers.
namespace SampleModels {

std::unique_ptr<GK_Hinges> hinge(const std::string& name, double width, double height);
std::unique_ptr<GK_LockCore> lockCore(const std::string& name);
std::unique_ptr<GK_DoorWithHinges> door(const std::string& name, double length, double width, double thickness);

// Writes hinges "H1" and "H2", lock core "L1", doors "D1" (2100 x 900 x 40,
// with hinge "H1" at 200 and 1800 on the top edge and lock core "L1" at 1000) and "D2" (without models), and a
// table of two tools.
void writeLibrary(const std::string& folder);
// Replaces the table with the tools door "D1" is machined with: tool 1, an
// 8 mm vertical tool for its hinges' holes, and tool 2, a 16 mm side cutter
// for its lock core's faceplate and faceplate hole.
void writeMachiningTools(const std::string& folder);

} // namespace SampleModels
