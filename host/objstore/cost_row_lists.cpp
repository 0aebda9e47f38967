#include "model/cost_row_lists.h"

namespace qxhost {

namespace {

// Owns a list until it is handed over, so that a failure halfway through
// building the three lists releases what was made.
struct ListGuard {
    QX_LIST list = list2_create();
    ~ListGuard()
    {
        if (list != nullptr) list2_destroy(list);
    }
    QX_LIST release()
    {
        QX_LIST held = list;
        list = nullptr;
        return held;
    }
};

}  // namespace

CallerLists::CallerLists(const std::vector<CostRow>& rows)
{
    ListGuard names;
    ListGuard cost_slots;
    ListGuard values;
    for (const CostRow& row : rows) {
        list2_append(names.list, row.name);
        list2_append(cost_slots.list, row.cost_slot);
        list2_append(values.list, row.value);
    }
    names_ = names.release();
    cost_slots_ = cost_slots.release();
    values_ = values.release();
}

CallerLists::~CallerLists()
{
    list2_destroy(values_);
    list2_destroy(cost_slots_);
    list2_destroy(names_);
}

void CallerLists::copy_values_to(std::vector<CostRow>& rows) const
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int position = static_cast<int>(i);
        if (const char* text = list2_get_item(values_, position, nullptr)) rows[i].value = text;
        std::uint64_t number = 0;
        if (list2_get_number(values_, position, &number) != 0) rows[i].number = number;
    }
}

}  // namespace qxhost
