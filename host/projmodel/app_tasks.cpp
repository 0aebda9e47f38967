// CqxAppTasks: services of the host application.
#include "host/projmodel.h"
#include "host/unitkit.h"

int CqxAppTasks::GetUnitBasis(std::string_view units, std::uint32_t) { return unitkit_flow_basis(units); }
