// The project model: project and simulation case validity, configurations
// and their entries, streams of a class, connectors from both sides,
// reference ids and parent areas.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/projmodel.h"
#include "host_project.h"

namespace {

using host_test::instance;

template <class T>
struct Release {
    void operator()(T* object) const { delete object; }
};
template <class T>
using Owned = std::unique_ptr<T, Release<T>>;

// "name/class/connector" for each connector node.
std::vector<std::string> describe(CqxConnectorInfoList* raw)
{
    Owned<CqxConnectorInfoList> list(raw);
    std::vector<std::string> found;
    if (!list) return found;
    CqxConnectorInfoNode node;
    for (int i = 0; list->GetAt(i, node, nullptr); ++i)
        found.push_back(node.ObjectName() + "/" + std::to_string(node.ClassId()) + "/" + node.Name());
    return found;
}

using Texts = std::vector<std::string>;

class ProjectModel : public host_test::LoadedProject {
protected:
    void SetUp() override
    {
        LoadedProject::SetUp();
        handle_ = std::make_unique<CqxProject>(instance, "ETHYLENE-1", "Base Case", 0, nullptr, nullptr, 0);
    }
    std::unique_ptr<CqxProject> handle_;
};

TEST_F(ProjectModel, ProjectNeedsInstanceAndBothTexts)
{
    EXPECT_TRUE(handle_->IsValid());
    EXPECT_EQ(handle_->UserInstance(), instance);
    EXPECT_EQ(handle_->ScenarioName(), "Base Case");
    EXPECT_EQ(handle_->ProjectName(), "ETHYLENE-1");

    CqxProject by_zero(0, "ETHYLENE-1", "Base Case", 0, nullptr, nullptr, 0);
    EXPECT_TRUE(by_zero.IsValid());
    EXPECT_EQ(by_zero.UserInstance(), instance);

    EXPECT_FALSE(CqxProject(8, "ETHYLENE-1", "Base Case", 0, nullptr, nullptr, 0).IsValid());
    EXPECT_FALSE(CqxProject(instance, "ETHYLENE-2", "Base Case", 0, nullptr, nullptr, 0).IsValid());
    EXPECT_FALSE(CqxProject(instance, "ETHYLENE-1", "Other", 0, nullptr, nullptr, 0).IsValid());
    EXPECT_FALSE(CqxProject(instance, nullptr, nullptr, 0, nullptr, nullptr, 0).IsValid());
}

TEST_F(ProjectModel, SimulationCase)
{
    CqxSimCase sim(instance, nullptr, "ETHYLENE-1", "Base Case", 0, 4);
    EXPECT_TRUE(sim.IsValid());
    EXPECT_EQ(sim.SimType(), 4);

    project().sim_case_valid = false;
    CqxSimCase marked_invalid(instance, nullptr, "ETHYLENE-1", "Base Case", 0, 4);
    EXPECT_FALSE(marked_invalid.IsValid());
    EXPECT_EQ(marked_invalid.SimType(), 4);  // the type is reported all the same

    project().has_sim_case = false;
    project().sim_case_valid = true;
    EXPECT_FALSE(CqxSimCase(instance, nullptr, "ETHYLENE-1", "Base Case", 0, 4).IsValid());
    project().has_sim_case = true;
    EXPECT_FALSE(CqxSimCase(instance, nullptr, "ETHYLENE-1", "Other", 0, 4).IsValid());
}

TEST_F(ProjectModel, ConfigurationsListedByClassId)
{
    EXPECT_TRUE(CqxProjectConfig(handle_.get(), 2105, nullptr, 0).IsValid());
    EXPECT_FALSE(CqxProjectConfig(handle_.get(), 2106, nullptr, 0).IsValid());
    CqxProject wrong(8, "ETHYLENE-1", "Base Case", 0, nullptr, nullptr, 0);
    EXPECT_FALSE(CqxProjectConfig(&wrong, 2105, nullptr, 0).IsValid());
    EXPECT_FALSE(CqxProjectConfig(nullptr, 2105, nullptr, 0).IsValid());
}

TEST_F(ProjectModel, UtilityStreamsEntriesInOrderAndInherited)
{
    CqxProjectStreamsConfig streams(handle_.get(), 2005, 0);
    ASSERT_TRUE(streams.IsValid());
    CStrList names;
    ASSERT_EQ(streams.GetEntries(names, nullptr, nullptr), 1);
    ASSERT_EQ(names.GetLength(), 2);
    EXPECT_STREQ(names.GetTextAt(0), "Cooling Water");
    EXPECT_STREQ(names.GetTextAt(1), "Steam");

    EXPECT_EQ(streams.InstantiateEntry("Fuel"), nullptr);
    Owned<CqxProjectConfig> water(streams.InstantiateEntry("Cooling Water"));
    ASSERT_TRUE(water);
    EXPECT_TRUE(water->IsValid());
    EXPECT_EQ(water->ObjectName(), "Cooling Water");

    double number = 0;
    std::string units;
    ASSERT_EQ(water->GetValueWithInheritance("Unit Cost", number, units, nullptr), 1);
    EXPECT_EQ(number, 0.12);  // own slot before the default
    std::string fluid;
    EXPECT_EQ(water->GetValue("Fluid", fluid), 0);
    ASSERT_EQ(water->GetValueWithInheritance("Fluid", fluid, nullptr), 1);
    EXPECT_EQ(fluid, "Water");

    ASSERT_EQ(water->SetValue("Rate per Hour", 12.5, "KLB/H", 0), 1);
    ASSERT_EQ(water->SetValue("Cost per Hour", 1.5, "", 0), 1);
    const qxhost::Value* rate = project().entries.find("Cooling Water")->slots.find("Rate per Hour");
    ASSERT_NE(rate, nullptr);
    EXPECT_EQ(rate->units, "KLB/H");
}

TEST_F(ProjectModel, EntryMarkedInvalidFailsEveryReadAndWrite)
{
    CqxProjectStreamsConfig streams(handle_.get(), 2005, 0);
    Owned<CqxProjectConfig> steam(streams.InstantiateEntry("Steam"));
    ASSERT_TRUE(steam);
    EXPECT_FALSE(steam->IsValid());
    double number = 7;
    std::string units = "kept";
    EXPECT_EQ(steam->GetValue("Unit Cost", number, units), 0);
    EXPECT_EQ(steam->GetValueWithInheritance("Unit Cost", number, units, nullptr), 0);
    EXPECT_EQ(number, 7);
    EXPECT_EQ(steam->SetValue("Rate per Hour", 1.0, "", 0), 0);
    EXPECT_EQ(project().entries.find("Steam")->slots.find("Rate per Hour"), nullptr);
}

TEST_F(ProjectModel, StreamsConfigurationAbsentOrMarkedInvalid)
{
    project().utility_streams_valid = false;
    CqxProjectStreamsConfig marked(handle_.get(), 2005, 0);
    EXPECT_FALSE(marked.IsValid());
    CStrList names;
    EXPECT_EQ(marked.GetEntries(names, nullptr, nullptr), 0);
    EXPECT_EQ(marked.InstantiateEntry("Cooling Water"), nullptr);

    project().utility_streams_valid = true;
    project().has_utility_streams = false;
    EXPECT_FALSE(CqxProjectStreamsConfig(handle_.get(), 2005, 0).IsValid());
}

TEST_F(ProjectModel, StreamsOfExactlyOneClassInFileOrder)
{
    Owned<CqxObjectInfoList> streams(handle_->GetStreams(3105));
    ASSERT_TRUE(streams);
    ASSERT_EQ(streams->GetLength(), 2);
    CqxObjectInfoNode node;
    ASSERT_EQ(streams->GetAt(1, node), 1);
    EXPECT_EQ(node.ObjectName(), "CW-102");
    EXPECT_EQ(node.ClassId(), 3105);
    EXPECT_EQ(streams->FindPos(CqxObjectInfoNode("CW-102", nullptr, nullptr, 0, 3105, nullptr)), 1);
    EXPECT_LT(streams->FindPos(CqxObjectInfoNode("FUEL-1", nullptr, nullptr, 0, 3305, nullptr)), 0);

    EXPECT_EQ(handle_->GetStreams(3005), nullptr);
    CqxProject wrong(8, "ETHYLENE-1", "Base Case", 0, nullptr, nullptr, 0);
    EXPECT_EQ(wrong.GetStreams(3105), nullptr);
}

TEST_F(ProjectModel, StreamSeesItsConnectionsByDirection)
{
    CqxObjectInfoNode node("CW-101", nullptr, nullptr, 0, 3105, nullptr);
    Owned<CqxStream> stream(node.InstantiateStream(handle_.get(), 0));
    ASSERT_TRUE(stream);
    ASSERT_TRUE(stream->IsValid());
    EXPECT_EQ(stream->ClassId(), 3105);
    EXPECT_EQ(describe(stream->GetConnectedObjects(0, nullptr, nullptr)),
              (Texts{"E-101/1705/Inlet", "/0/Feed"}));
    EXPECT_EQ(describe(stream->GetConnectedObjects(2, nullptr, nullptr)), Texts{"E-101/1705/Inlet"});
    EXPECT_EQ(describe(stream->GetConnectors(1, 1, nullptr)), Texts{"/0/Feed"});

    std::string name;
    ASSERT_EQ(stream->GetStreamName(name), 1);
    EXPECT_EQ(name, "CW to E-101");

    Owned<CqxStream> other(CqxObjectInfoNode("CW-102").InstantiateStream(handle_.get(), 0));
    ASSERT_TRUE(other);
    EXPECT_EQ(describe(other->GetConnectors(2, 1, nullptr)), Texts{});
    ASSERT_EQ(other->GetStreamName(name), 1);
    EXPECT_EQ(name, "CW-102");

    Owned<CqxStream> fuel(CqxObjectInfoNode("FUEL-1").InstantiateStream(handle_.get(), 0));
    ASSERT_TRUE(fuel);
    EXPECT_EQ(fuel->GetConnectors(0, 1, nullptr), nullptr);

    EXPECT_EQ(CqxObjectInfoNode("NOPE").InstantiateStream(handle_.get(), 0), nullptr);
    EXPECT_EQ(CqxObjectInfoNode("CW-101").InstantiateStream(nullptr, 0), nullptr);
}

TEST_F(ProjectModel, ItemSeesTheStreamsThatNameIt)
{
    CqxProjectObject item("E-101", 1705, handle_.get(), 0);
    ASSERT_TRUE(item.IsValid());
    EXPECT_EQ(describe(item.GetConnectedObjects(0, nullptr, nullptr)),
              (Texts{"CW-101/3105/Inlet", "CW-102/3105/Outlet"}));
    EXPECT_EQ(describe(item.GetConnectedObjects(1, nullptr, nullptr)), Texts{"CW-102/3105/Outlet"});
    EXPECT_EQ(describe(item.GetConnectors(2, 1, nullptr)), Texts{"CW-101/3105/Inlet"});

    // The same stream opened as a project object is an item of no connection.
    Owned<CqxProjectObject> as_item(CqxObjectInfoNode("CW-101").Instantiate(handle_.get(), 0));
    ASSERT_TRUE(as_item);
    EXPECT_EQ(as_item->GetConnectedObjects(0, nullptr, nullptr), nullptr);
}

TEST_F(ProjectModel, ProjectObjectNeedsExactClass)
{
    CqxProjectObject item("E-101", 1705, handle_.get(), 0);
    EXPECT_EQ(item.Model(), "HE FLOAT HEAD");
    EXPECT_EQ(item.ObjectName(), "E-101");
    EXPECT_EQ(item.ProjectName(), "ETHYLENE-1");
    std::string description;
    ASSERT_EQ(item.GetValueWithInheritance("CpItemDescription", description, nullptr), 1);
    EXPECT_EQ(description, "Overhead condenser");

    CqxProjectObject wrong_class("E-101", 1505, handle_.get(), 0);
    EXPECT_FALSE(wrong_class.IsValid());
    EXPECT_EQ(wrong_class.ObjectName(), "");
    EXPECT_FALSE(CqxProjectObject("NOPE", 1705, handle_.get(), 0).IsValid());
    EXPECT_FALSE(CqxProjectObject(nullptr, 1705, handle_.get(), 0).IsValid());
    CqxProject wrong(8, "ETHYLENE-1", "Base Case", 0, nullptr, nullptr, 0);
    EXPECT_FALSE(CqxProjectObject("E-101", 1705, &wrong, 0).IsValid());
}

TEST_F(ProjectModel, ParentArea)
{
    CqxProjectObject item("E-101", 1705, handle_.get(), 0);
    CqxProjectObject* raw = nullptr;
    ASSERT_EQ(item.GetParentAreaObject(&raw), 1);
    Owned<CqxProjectObject> area(raw);
    ASSERT_TRUE(area);
    EXPECT_TRUE(area->IsValid());
    EXPECT_EQ(area->ObjectName(), "AREA-100");
    std::string number;
    ASSERT_EQ(area->GetValue("ArAreaReferenceNumber", number), 1);
    EXPECT_EQ(number, "100");

    CqxProjectObject* untouched = nullptr;
    EXPECT_EQ(area->GetParentAreaObject(&untouched), 0);
    EXPECT_EQ(untouched, nullptr);
    EXPECT_EQ(item.GetParentAreaObject(nullptr), 0);
}

TEST_F(ProjectModel, ReferenceIdsOnlyWhileTheObjectListIsBuilt)
{
    EXPECT_EQ(handle_->FindObjectByRefID(101), nullptr);
    ASSERT_EQ(handle_->InitObjectList(), 1);
    Owned<CqxProjectObject> item(handle_->FindObjectByRefID(101));
    ASSERT_TRUE(item);
    EXPECT_EQ(item->ObjectName(), "E-101");
    EXPECT_EQ(describe(item->GetConnectedObjects(0, nullptr, nullptr)).size(), 2u);
    Owned<CqxProjectObject> stream(handle_->FindObjectByRefID(202));
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->ClassId(), 3105);
    EXPECT_EQ(handle_->FindObjectByRefID(999), nullptr);
    CqxProject::DeleteObjectList();
    EXPECT_EQ(handle_->FindObjectByRefID(101), nullptr);
}

TEST_F(ProjectModel, HandlesFailOnceTheProjectIsGone)
{
    CqxProjectObject item("E-101", 1705, handle_.get(), 0);
    CqxProjectStreamsConfig streams(handle_.get(), 2005, 0);
    Owned<CqxProjectConfig> water(streams.InstantiateEntry("Cooling Water"));
    qxhost::Workspace::get().unload();
    EXPECT_FALSE(handle_->IsValid());
    EXPECT_FALSE(item.IsValid());
    EXPECT_EQ(item.GetConnectedObjects(0, nullptr, nullptr), nullptr);
    EXPECT_FALSE(water->IsValid());
    EXPECT_EQ(water->SetValue("Rate per Hour", 1.0, "", 0), 0);
}

TEST(AppTasks, UnitBasisOfRateUnits)
{
    EXPECT_EQ(CqxAppTasks::GetUnitBasis("M3/H", instance), 1);
    EXPECT_EQ(CqxAppTasks::GetUnitBasis("KLB/H", instance), 2);
    EXPECT_EQ(CqxAppTasks::GetUnitBasis("KW", instance), 3);
    EXPECT_EQ(CqxAppTasks::GetUnitBasis("KLB", instance), 0);
}

qxhost::Object named(std::string name, int class_id)
{
    qxhost::Object object;
    object.name = std::move(name);
    object.class_id = class_id;
    return object;
}

// Connections are looked up next to the last object found before the hash
// index: where a name repeats, the index's first object must still win.
TEST(ProjectIndex, TheFirstOfARepeatedNameWinsForLookupsAndConnections)
{
    qxhost::Project project;
    for (const char* name : {"S-1", "E-1", "S-2", "S-1", "E-1"}) project.objects.push_back(named(name, 3105));
    project.connections = {{"S-1", "E-1", 1, "Inlet"}, {"S-2", "E-1", 2, "Outlet"}, {"S-1", "", 2, "Outlet"}};
    project.reindex();
    EXPECT_EQ(project.object_index("S-1"), 0);
    EXPECT_EQ(project.index.connection_stream, (std::vector<long>{0, 2, 0}));
    EXPECT_EQ(project.index.connection_item, (std::vector<long>{1, 1, -1}));
    EXPECT_EQ(project.index.objects_by_class.at(3105).size(), 5u);

    // Built for these lists: kept. A list that changed: built again.
    EXPECT_TRUE(project.index.built_for(project.objects, project.connections));
    project.objects.push_back(named("S-3", 3105));
    EXPECT_FALSE(project.index.built_for(project.objects, project.connections));
    project.index_unless_built();
    EXPECT_EQ(project.object_index("S-3"), 5);
}

}  // namespace
