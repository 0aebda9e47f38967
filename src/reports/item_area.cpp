#include "reports/item_area.h"

#include "common/host_ptr.h"
#include "host/projmodel.h"

namespace tovex {

int get_item_area_and_group(CqxProject* project, std::string_view item_name, std::string& area_reference,
                            std::string& report_group)
{
    if (project == nullptr || item_name.empty()) return 0;
    const std::string name(item_name);
    CqxProjectObject item(name.c_str(), 1705, project, 0);
    if (!item.IsValid()) return 0;
    CqxProjectObject* found_area = nullptr;
    const int has_area = item.GetParentAreaObject(&found_area);
    const auto area = adopt(found_area);
    if (has_area == 0 || !area) return 0;
    area->GetValue("ArAreaReferenceNumber", area_reference);
    area->GetValue("ArReportGroupNumber", report_group);
    return 1;
}

}  // namespace tovex
