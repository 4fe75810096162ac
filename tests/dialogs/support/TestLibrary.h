#pragma once

#include <kernel/GK_Factories.h>
#include <library/ModelLibrary.h>

#include <memory>
#include <string>

// A library in memory with helpers to put small models into it.
class TestLibrary {
public:
    static GU_Pt_List square(double side)
    {
        return {{0, 0, 0}, {side, 0, 0}, {side, side, 0}, {0, side, 0}};
    }

    GK_Hinges* addHinges(const std::string& name, double side = 10.0)
    {
        auto model = api_gk_make_hinges(square(side));
        model->SetName(name);
        GK_Hinges* raw = model.get();
        library.hinges.add_tail(std::move(model));
        return raw;
    }

    GK_LockCore* addLockCore(const std::string& name, double side = 10.0)
    {
        auto model = api_gk_make_lockcore(square(side), square(side / 2));
        model->SetName(name);
        GK_LockCore* raw = model.get();
        library.lockCores.add_tail(std::move(model));
        return raw;
    }

    KnifeInfo* addKnife(int id, double diameter, int type = 0)
    {
        auto knife = std::make_unique<KnifeInfo>();
        knife->ID = id;
        knife->Diameter = diameter;
        knife->Type = type;
        KnifeInfo* raw = knife.get();
        library.knives.add_tail(std::move(knife));
        return raw;
    }

    ModelLibrary library;
};
