// objstore: base objects, slots, generic objects and object databases.
//
// Every host object derives from CqxBase. Objects are handles onto the loaded
// project: constructing one finds or opens what was asked for, and IsValid()
// tells whether it did. Objects that the host hands out by pointer belong to
// the caller, who releases them through the (virtual, deleting) destructor;
// their storage comes from CqxBaseMem.
//
// Slot values are read into caller outputs. A read that fails (a missing
// slot, an object that is not valid, a text with no leading number read as a
// number) returns 0 and leaves every output as it was.
#ifndef HOST_OBJSTORE_H
#define HOST_OBJSTORE_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/listkit.h"
#include "host/visibility.h"

namespace qxhost {
class SlotTable;
struct Value;
struct ReadSource;
}

// Storage of host objects constructed on the heap.
class QXHOST_API CqxBaseMem {
public:
    static void* operator new(std::size_t size);
    static void operator delete(void* memory) noexcept;
};

// A slot value as the host hands it out: text, number (with or without
// units) or list of texts; not valid when nothing was read into it.
class QXHOST_API CqxSlot {
public:
    explicit CqxSlot(const char* name = nullptr, int flags = 0);

    void Clear();
    int IsValid() const { return kind_ != Kind::none; }
    int IsText() const { return kind_ == Kind::text; }
    int IsNumber() const { return kind_ == Kind::number; }
    int HasUnits() const { return kind_ == Kind::number && !units_.empty(); }
    int IsList() const { return kind_ == Kind::list; }
    // The text of a text value, else null.
    const char* Text() const { return kind_ == Kind::text ? text_.c_str() : nullptr; }
    double Number() const { return kind_ == Kind::number ? number_ : 0.0; }
    // The units of a number value ("" when none).
    const char* Units() const { return units_.c_str(); }
    // A copy of a list value (empty for other values).
    CStrList List() const;

    // Host side: fill the slot.
    void SetText(std::string_view text);
    void SetNumber(double number, std::string_view units);
    void SetList(const std::vector<std::string>& items);

private:
    enum class Kind { none, text, number, list };
    Kind kind_ = Kind::none;
    std::string text_;
    double number_ = 0.0;
    std::string units_;
    std::vector<std::string> items_;
};

// Root of every host object. The virtual operations are declared in the
// host's slot order; the defaults fail (0, empty) for objects without slots.
class QXHOST_API CqxBase : public CqxBaseMem {
public:
    CqxBase() = default;
    CqxBase(const CqxBase&) = delete;
    CqxBase& operator=(const CqxBase&) = delete;
    virtual ~CqxBase();

    virtual int Exists();
    virtual int Delete();
    virtual int IsValid() const;
    virtual std::uint32_t UserInstance() const;

    virtual int GetValue(std::string_view slot, CqxSlot& value);
    virtual int GetValue(std::string_view slot, std::string& text);
    virtual int GetValue(std::string_view slot, double& number, std::string& units);
    // Sets a number; empty `units` stores it without units.
    virtual int SetValue(std::string_view slot, double number, std::string_view units, int flags);
    // Like GetValue, falling back on the object's defaults when its own slots
    // lack the name. `reserved` is passed as null.
    virtual int GetValueWithInheritance(std::string_view slot, CqxSlot& value, const void* reserved);
    virtual int GetValueWithInheritance(std::string_view slot, std::string& text, const void* reserved);
    virtual int GetValueWithInheritance(std::string_view slot, double& number, std::string& units,
                                        const void* reserved);

    virtual std::string ProjectName() const;
    virtual std::string ScenarioName() const;
    virtual std::string Model() const;
};

// An object with a name and a class id.
class QXHOST_API CqxBaseObject : public CqxBase {
public:
    virtual std::string ObjectName() const;
    virtual int ClassId() const;
};

// An object with named slots, kept in insertion order.
class QXHOST_API CqxValueObject : public CqxBaseObject {
public:
    int GetValue(std::string_view slot, CqxSlot& value) override;
    int GetValue(std::string_view slot, std::string& text) override;
    int GetValue(std::string_view slot, double& number, std::string& units) override;
    int SetValue(std::string_view slot, double number, std::string_view units, int flags) override;
    int GetValueWithInheritance(std::string_view slot, CqxSlot& value, const void* reserved) override;
    int GetValueWithInheritance(std::string_view slot, std::string& text, const void* reserved) override;
    int GetValueWithInheritance(std::string_view slot, double& number, std::string& units,
                                const void* reserved) override;

    // Sets a text; non-zero on success.
    virtual int SetValue(std::string_view slot, std::string_view text, int flags);
    // Removes the slot; nothing happens when there is none. Non-zero when removed.
    virtual int DeleteAttribute(std::string_view slot);
    // Appends the object's own slot names, in insertion order, to `names`.
    virtual int GetSlots(CStrList& names, int flags, int reserved);

    using CqxBase::SetValue;

protected:
    // Sets a text and gives the value as stored, or null when it could not.
    qxhost::Value* WriteText(std::string_view slot, std::string_view text);
    // The object's own slots (null when it has none); `for_writing` is true
    // for a write. The defaults (null when none) are read only by the
    // inheriting getters.
    virtual qxhost::SlotTable* OwnSlots(bool for_writing);
    virtual const qxhost::SlotTable* DefaultSlots();
    // Appends the text that names the object in unit warnings to `out`.
    virtual void AppendSourceName(std::string& out) const;

private:
    friend struct qxhost::ReadSource;  // names the object only when a read notes its source
};

// An object of an object database, named by database and object name.
class QXHOST_API CqxGenericObject : public CqxValueObject {
public:
    // Valid when `instance` names the loaded project and the database exists;
    // with `create` non-zero a missing object is made.
    CqxGenericObject(std::uint32_t instance, std::string_view db, std::string_view object_name,
                     int create, const void* reserved, int flags);
    ~CqxGenericObject() override;

    int IsValid() const override;
    int Exists() override;  // non-zero when the object exists in its database
    std::uint32_t UserInstance() const override;
    std::string ObjectName() const override;
    // Also tell the workspace's watcher, if any.
    int SetValue(std::string_view slot, std::string_view text, int flags) override;
    int DeleteAttribute(std::string_view slot) override;
    using CqxValueObject::SetValue;

protected:
    qxhost::SlotTable* OwnSlots(bool for_writing) override;
    const qxhost::SlotTable* DefaultSlots() override;
    void AppendSourceName(std::string& out) const override;

private:
    std::uint32_t instance_;
    std::string db_;
    std::string object_;
    bool valid_;
    // The object's slots as last found, good while the databases'
    // generation is unchanged.
    qxhost::SlotTable* slots_ = nullptr;
    std::uint64_t slots_generation_ = 0;
};

// A handle on an object database of the project.
class QXHOST_API CqxODB : public CqxBase {
public:
    // Valid when `instance` names the loaded project; `create` non-zero makes
    // the database when it is missing.
    CqxODB(std::uint32_t instance, std::string_view db_name, int create);
    ~CqxODB() override;

    int IsValid() const override;
    int Exists() override;   // non-zero when the database exists
    int Delete() override;   // removes the database and all its objects
    std::uint32_t UserInstance() const override;
    int Open(int flags);     // non-zero when the database exists
    int Close(int flags);
    const char* DB() const { return name_.c_str(); }

    using CqxBase::GetValue;
    // The slot of the named object of this database.
    int GetValue(std::string_view object, std::string_view slot, std::string& text, int flags);
    int GetValue(std::string_view object, std::string_view slot, double& number, std::string& units,
                 int flags);

private:
    std::uint32_t instance_;
    std::string name_;
    bool valid_;
};

#endif
