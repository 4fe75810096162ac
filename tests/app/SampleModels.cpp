#include "SampleModels.h"

#include <library/DoorModelFile.h>
#include <library/HingesFile.h>
#include <library/KnifeFile.h>
#include <library/LockCoreFile.h>
#include <library/ModelLibrary.h>

#include <gtest/gtest.h>

#include <tuple>

namespace SampleModels {

namespace {
GU_Pt_List rectangle(double w, double h)
{
    return GU_Pt_List{{0, 0, 0}, {w, 0, 0}, {w, h, 0}, {0, h, 0}};
}
} // namespace

std::unique_ptr<GK_Hinges> hinge(const std::string& name, double width, double height)
{
    auto h = api_gk_make_hinges(rectangle(width, height));
    h->SetName(name);
    h->SetComments("comment " + name);
    h->SetThick(3);
    h->AddHoleToList(api_gk_make_circle_hole({width / 2, height / 2, 0}, 8, 3).release());
    return h;
}

std::unique_ptr<GK_LockCore> lockCore(const std::string& name)
{
    auto l = api_gk_make_lockcore(rectangle(24, 240), rectangle(60, 200));
    l->SetName(name);
    l->SetComments("lock " + name);
    l->GetTopList().add_tail(api_gk_make_circle_hole({12, 120, 0}, 18, 30).release());
    return l;
}

std::unique_ptr<GK_DoorWithHinges> door(const std::string& name, double length, double width, double thickness)
{
    return api_gk_make_door_with_hinges(name, "door " + name, length, width, thickness);
}

void writeLibrary(const std::string& folder)
{
    const SaveContext here{folder};
    ModelLibrary written;
    written.hinges.add_tail(hinge("H1", 100, 24));
    written.hinges.add_tail(hinge("H2", 80, 20));
    written.lockCores.add_tail(lockCore("L1"));
    for (const GK_Hinges* h : written.hinges)
        ASSERT_TRUE(SaveHingesFile(h, here));
    ASSERT_TRUE(SaveLockCoreFile(written.lockCores[0], here));

    auto d1 = door("D1", 2100, 900, 40);
    d1->SetHingesModel(written.hinges.share(0));
    d1->SetLockCoreModel(written.lockCores.share(0));
    d1->SetHingesPos({200, 0, 0});
    d1->SetHingesPos({1800, 0, 0});
    d1->SetLockCorePos({1000, 0, 0});
    d1->SetHingesUp(1);
    ASSERT_TRUE(SaveDoorModelFile(d1.get(), here));
    auto d2 = door("D2", 1950.5, 850.25, 38);
    ASSERT_TRUE(SaveDoorModelFile(d2.get(), here));

    for (int id : {1, 2}) {
        auto tool = std::make_unique<KnifeInfo>();
        tool->ID = id;
        tool->Diameter = 5.0 * id;
        written.knives.add_tail(std::move(tool));
    }
    ASSERT_TRUE(SaveKnifeFile(written.knives, here));
}

void writeMachiningTools(const std::string& folder)
{
    GU_OwnedList<KnifeInfo> tools;
    for (const auto& [id, type, diameter] : {std::tuple{1, 1, 8.0}, std::tuple{2, 2, 16.0}}) {
        auto k = std::make_unique<KnifeInfo>();
        k->ID = id;
        k->Type = type;
        k->Diameter = diameter;
        k->Vel = 3000;
        tools.add_tail(std::move(k));
    }
    ASSERT_TRUE(SaveKnifeFile(tools, SaveContext{folder}));
}

} // namespace SampleModels
