// CqxSlot: a slot value handed out by the host.
#include "host/objstore.h"

CqxSlot::CqxSlot(const char* name, int flags)
{
    // The name and flags of a cursor slot select nothing in this host.
    (void)name;
    (void)flags;
}

void CqxSlot::Clear()
{
    kind_ = Kind::none;
    text_.clear();
    number_ = 0.0;
    units_.clear();
    items_.clear();
}

CStrList CqxSlot::List() const
{
    CStrList list;
    if (kind_ == Kind::list)
        for (const std::string& item : items_) list.AddText(item);
    return list;
}

void CqxSlot::SetText(std::string_view text)
{
    Clear();
    kind_ = Kind::text;
    text_.assign(text.data(), text.size());
}

void CqxSlot::SetNumber(double number, std::string_view units)
{
    Clear();
    kind_ = Kind::number;
    number_ = number;
    units_.assign(units.data(), units.size());
}

void CqxSlot::SetList(const std::vector<std::string>& items)
{
    Clear();
    kind_ = Kind::list;
    items_ = items;
}
