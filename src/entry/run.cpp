// The exported entry points: the two runs and the two stream passes.
#include <cstdint>

#include "common/guard.h"
#include "costs/total_cost.h"
#include "entry/stream_pass.h"
#include "host/objstore.h"
#include "host/projmodel.h"
#include "rates/duty_balance.h"
#include "reports/detailed_report.h"
#include "reports/summary_report.h"
#include "costs/usage_records.h"
#include "tovex/results_layout.h"
#include "tovex/tovex.h"

namespace tovex {

namespace {

constexpr int stream_classes[] = {3105, 3305, 3205, 3005};
constexpr int balanced_class = 3005;
constexpr int balanced_simulator_type = 4;
const char* const summary_file = layout::summary_report.data();
const char* const summary_da_file = layout::summary_report_da.data();

// Constructs the run's objects in order (project, simulation case, utility
// streams configuration), runs `steps` on them when the project and the
// configuration are valid, and releases them in the reverse order on every
// path. 1 when the steps ran, 0 when the project or configuration is not valid.
template <class Steps>
std::int32_t with_run_objects(const char* name1, const char* name2, std::uint32_t instance, Steps&& steps)
{
    CqxProject project(instance, name1, name2, 0, nullptr, nullptr, 0);
    if (project.IsValid() == 0) return 0;
    CqxSimCase sim_case(instance, nullptr, name1, name2, 0, balanced_simulator_type);
    CqxProjectStreamsConfig config(&project, 2005, 0);
    if (config.IsValid() == 0) return 0;
    steps(project, sim_case, config);
    return 1;
}

std::int32_t full_run(const char* name1, const char* name2, std::uint32_t instance, QX_LIST names,
                      QX_LIST cost_slots, QX_LIST values)
{
    return with_run_objects(name1, name2, instance, [&](CqxProject& project, CqxSimCase& sim_case,
                                                        CqxProjectStreamsConfig& config) {
        // Each full run starts without the usage records of an earlier one.
        CqxODB results(instance, results_database, 0);
        if (results.IsValid() != 0 && results.Exists() != 0) results.Delete();

        for (int class_id : stream_classes) {
            if (class_id == balanced_class && sim_case.SimType() == balanced_simulator_type)
                balance_utility_duties(&project, &sim_case, &config, class_id, names, cost_slots, values);
            else
                run_stream_pass(&project, &sim_case, &config, class_id, names, cost_slots, values, true);
        }
        calc_total_utility_cost(&project, names, cost_slots, values);
        write_summary_report(&project, summary_file, summary_da_file);
        write_summary_fuel_line(&project, summary_file, summary_da_file, names, cost_slots, values);
        write_detailed_report(&project, layout::detailed_report.data(), layout::detailed_report_da.data());
    });
}

std::int32_t reduced_run(const char* name1, const char* name2, std::uint32_t instance, QX_LIST names,
                         QX_LIST cost_slots, QX_LIST values)
{
    return with_run_objects(name1, name2, instance, [&](CqxProject& project, CqxSimCase& sim_case,
                                                        CqxProjectStreamsConfig& config) {
        for (int class_id : stream_classes)
            run_stream_pass(&project, &sim_case, &config, class_id, names, cost_slots, values, false);
        calc_total_utility_cost(&project, names, cost_slots, values);
        write_summary_report(&project, summary_file, summary_da_file);
    });
}

}  // namespace

}  // namespace tovex

TOVEX_API int32_t tovex_get_utility_init(const char* name1, const char* name2, uint32_t instance, QxList2* names,
                                         QxList2* cost_slots, QxList2* values)
{
    return tovex::guarded(0, [&] { return tovex::full_run(name1, name2, instance, names, cost_slots, values); });
}

TOVEX_API int32_t tovex_get_utility_old(const char* name1, const char* name2, uint32_t instance, QxList2* names,
                                        QxList2* cost_slots, QxList2* values)
{
    return tovex::guarded(0, [&] { return tovex::reduced_run(name1, name2, instance, names, cost_slots, values); });
}

TOVEX_API int32_t tovex_get_utility_for_class(CqxProject* project, CqxSimCase* sim_case,
                                              CqxProjectStreamsConfig* config, int32_t class_id, QxList2* names,
                                              QxList2* cost_slots, QxList2* values)
{
    return tovex::guarded(0, [&] {
        return tovex::run_stream_pass(project, sim_case, config, class_id, names, cost_slots, values, false);
    });
}

TOVEX_API int32_t tovex_get_utility_for_class_and_equip_info(CqxProject* project, CqxSimCase* sim_case,
                                                             CqxProjectStreamsConfig* config, int32_t class_id,
                                                             QxList2* names, QxList2* cost_slots,
                                                             QxList2* values, int32_t record)
{
    return tovex::guarded(0, [&] {
        return tovex::run_stream_pass(project, sim_case, config, class_id, names, cost_slots, values,
                                      record != 0);
    });
}
