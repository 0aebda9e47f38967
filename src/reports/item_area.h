// The area of an equipment item, as the detailed report names it.
#ifndef TOVEX_REPORTS_ITEM_AREA_H
#define TOVEX_REPORTS_ITEM_AREA_H

#include <string>
#include <string_view>

class CqxProject;

namespace tovex {

// Reads the "ArAreaReferenceNumber" and "ArReportGroupNumber" of the area
// that holds the equipment item (class 1705) named `item_name`. 1 when the
// item has a parent area; 0, with both texts left as they were, when the
// name is empty, the item is no equipment item or lies in no area.
int get_item_area_and_group(CqxProject* project, std::string_view item_name, std::string& area_reference,
                            std::string& report_group);

}  // namespace tovex

#endif
