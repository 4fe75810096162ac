#pragma once

#include <kernel/GK_DoorWithHinges.h>
#include <kernel/GK_Hinges.h>
#include <kernel/GK_LockCore.h>

// Whether every coordinate and size of a model is a finite number. A model
// that fails is not written: its file would not be read back.
bool HasFiniteNumbers(const GK_Hinges& model);
bool HasFiniteNumbers(const GK_LockCore& model);
bool HasFiniteNumbers(const GK_DoorWithHinges& door);
