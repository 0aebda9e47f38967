// projmodel: project, simulation case, configurations, project objects and
// connectors.
//
// Ownership: every pointer returned by these classes (lists, streams,
// project objects, entries, parent areas) belongs to the caller, who releases
// it through its virtual destructor; null means none.
//
// Class ids used by the module: 2005 utility streams configuration, 2105 the
// configuration that guards the fuel heating value lookup, 1705 equipment
// items, 3005 3105 3205 3305 utility streams.
#ifndef HOST_PROJMODEL_H
#define HOST_PROJMODEL_H

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "host/listkit.h"
#include "host/objstore.h"
#include "host/visibility.h"

class CqxProject;
class CqxProjectObject;
class CqxStream;

// Simulator types (QX_SIMULATOR_TYPE) and connector directions
// (QX_DIRECTION_TYPE: 0 every connector, 1 and 2 the two sides of a stream:
// 1 the side it comes from, 2 the side it goes to).
enum QX_SIMULATOR_TYPE : int { QX_SIMULATOR_TYPE_4 = 4 };
enum QX_DIRECTION_TYPE : int { QX_DIRECTION_ALL = 0, QX_DIRECTION_1 = 1, QX_DIRECTION_2 = 2 };

// ---------------------------------------------------------------------------
// Info nodes: list elements that name a project object.

class QXHOST_API CqxObjectInfoNode : public CListNode {
public:
    CqxObjectInfoNode(const char* name = nullptr, const char* reserved1 = nullptr,
                      const char* reserved2 = nullptr, int flags = 0, int class_id = 0,
                      const void* reserved3 = nullptr);

    std::string Key() const override { return name_; }
    std::unique_ptr<CListNode> Clone() const override;

    const std::string& ObjectName() const { return name_; }
    int ClassId() const { return class_id_; }

    // The named object opened as a project object (it sees the connections
    // that name it as item), or null when the project has no such object.
    CqxProjectObject* Instantiate(CqxProject* project, int flags) const;
    // The named object opened as a stream (it sees the connections that name
    // it as stream), or null.
    CqxStream* InstantiateStream(CqxProject* project, int flags) const;

    // For the host: where the named object stands in the project that made
    // the node, so that opening it need not look the name up.
    void SetIndexHint(long index) { index_hint_ = index; }

protected:
    std::string name_;
    int class_id_;
    long index_hint_ = -1;
};

// A connection as seen from one object: the object at the other end (name
// and class id; empty and 0 for a connector with nothing joined) and the name
// of the connector.
class QXHOST_API CqxConnectorInfoNode : public CqxObjectInfoNode {
public:
    CqxConnectorInfoNode(const char* name = nullptr, const char* reserved1 = nullptr,
                         const char* reserved2 = nullptr, int flags = 0, int class_id = 0,
                         const void* reserved3 = nullptr, int reserved4 = 0);

    std::unique_ptr<CListNode> Clone() const override;

    const std::string& Name() const { return connector_; }
    // Host side: the connector name.
    void SetConnectorName(std::string_view connector) { connector_ = connector; }

private:
    std::string connector_;
};

using CqxObjectInfoList = TList<CqxObjectInfoNode>;
using CqxConnectorInfoList = TList<CqxConnectorInfoNode>;

// ---------------------------------------------------------------------------
// Project objects

class QXHOST_API CqxObject : public CqxValueObject {};

// An object with connectors: a stream, or an item that streams join.
class QXHOST_API CqxItemObject : public CqxObject {
public:
    ~CqxItemObject() override;

    int IsValid() const override;
    std::uint32_t UserInstance() const override;
    std::string ObjectName() const override;
    int ClassId() const override;
    std::string ProjectName() const override;
    std::string ScenarioName() const override;

    // The connectors in `direction` (0 every one); null when there are none.
    CqxConnectorInfoList* GetConnectors(int direction, int flags, const void* reserved);
    // Nodes naming the objects joined in `direction` and the connector names;
    // null when there are none.
    CqxConnectorInfoList* GetConnectedObjects(int direction, const void* reserved1,
                                              const void* reserved2);

protected:
    enum class Role { stream, item };
    CqxItemObject(CqxProject* project, std::string_view name, int class_id, Role role);
    // The object at `index` of the project, already found: no name lookup.
    CqxItemObject(CqxProject* project, long index, Role role);

    qxhost::SlotTable* OwnSlots(bool for_writing) override;
    const qxhost::SlotTable* DefaultSlots() override;
    void AppendSourceName(std::string& out) const override;

    std::uint32_t instance_ = 0;
    long index_ = -1;  // position of the object in the loaded project, -1 when none
    Role role_;
};

// A project object opened by name and class id, as an item.
class QXHOST_API CqxProjectObject : public CqxItemObject {
public:
    // Valid when the project has an object of that name and class id.
    CqxProjectObject(const char* name, int class_id, CqxProject* project, int flags);
    ~CqxProjectObject() override;

    std::string Model() const override;
    // Non-zero with `*area` set to the area object that holds the item (owned
    // by the caller); 0 and `*area` untouched when the item lies in no area.
    int GetParentAreaObject(CqxProjectObject** area);

private:
    friend class CqxObjectInfoNode;
    friend class CqxProject;
    CqxProjectObject(CqxProject* project, long index);
};

// A utility stream.
class QXHOST_API CqxStream : public CqxItemObject {
public:
    ~CqxStream() override;
    // Writes the stream's name (its "stream_name", else its object name).
    int GetStreamName(std::string& name) const;

private:
    friend class CqxObjectInfoNode;
    CqxStream(CqxProject* project, long index);
};

// ---------------------------------------------------------------------------
// Project and simulation case

class QXHOST_API CqxProject : public CqxBase {
public:
    // Valid when the loaded project has this user instance and both texts.
    CqxProject(std::uint32_t instance, const char* name1, const char* name2, int flags,
               const void* reserved1, const void* reserved2, int reserved3);
    ~CqxProject() override;

    int IsValid() const override;
    std::uint32_t UserInstance() const override;
    std::string ProjectName() const override;
    std::string ScenarioName() const override;

    // The project's streams of exactly that class id, in file order; null
    // when there are none.
    CqxObjectInfoList* GetStreams(int class_id);

    // Builds the object list that FindObjectByRefID searches.
    int InitObjectList();
    // The project object with that reference id (opened as an item), or null;
    // null also before InitObjectList.
    CqxProjectObject* FindObjectByRefID(std::uint32_t ref_id);
    // Releases the object list.
    static void DeleteObjectList();

private:
    std::uint32_t instance_;
    bool valid_;
};

class QXHOST_API CqxSimCase : public CqxBase {
public:
    CqxSimCase(std::uint32_t instance, const void* reserved, const char* name1, const char* name2,
               int flags, int simulator_type);
    ~CqxSimCase() override;

    int IsValid() const override;
    std::uint32_t UserInstance() const override;
    // The simulator type the case comes from (0 when the case is not valid).
    int SimType() const;

private:
    std::uint32_t instance_;
    bool valid_;
    int sim_type_;
};

// ---------------------------------------------------------------------------
// Configurations

// A project configuration of a class id, or an entry of the utility streams
// configuration. Entries inherit from their defaults; an entry that is not
// valid fails every read and write.
class QXHOST_API CqxProjectConfig : public CqxObject {
public:
    // Valid when the project has a configuration of that class id.
    CqxProjectConfig(CqxProject* project, int class_id, const void* reserved, int flags);
    ~CqxProjectConfig() override;

    int IsValid() const override;
    std::uint32_t UserInstance() const override;
    std::string ObjectName() const override;
    int ClassId() const override;

protected:
    CqxProjectConfig(std::uint32_t instance, int class_id, std::string entry, bool valid);
    qxhost::SlotTable* OwnSlots(bool for_writing) override;
    const qxhost::SlotTable* DefaultSlots() override;
    void AppendSourceName(std::string& out) const override;

    std::uint32_t instance_;
    int class_id_;
    std::string entry_;  // the entry's name; empty for a configuration itself
    bool valid_;
    bool is_entry_ = false;  // an entry of the utility streams configuration

    friend class CqxProjectStreamsConfig;
};

// The utility streams configuration (class 2005): one entry per utility.
class QXHOST_API CqxProjectStreamsConfig : public CqxProjectConfig {
public:
    CqxProjectStreamsConfig(CqxProject* project, int class_id, int flags);
    ~CqxProjectStreamsConfig() override;

    // Appends every entry name, in the configuration's order.
    int GetEntries(CStrList& names, const void* reserved1, const void* reserved2);
    // The entry of that name (owned by the caller), or null when there is none.
    CqxProjectConfig* InstantiateEntry(std::string_view name);
};

// ---------------------------------------------------------------------------

class QXHOST_API CqxAppTasks {
public:
    // Cost basis of a rate units text: 1 volume, 2 mass, 3 duty, 0 none.
    static int GetUnitBasis(std::string_view units, std::uint32_t instance);
};

#endif
