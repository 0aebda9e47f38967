// A stand-in for the module: each entry point writes "call.txt" into the
// working directory saying how it was called, posts a fixed value and makes
// one unit conversion fail. It has no tovex_get_utility_old, so that the
// command's handling of a missing entry point can be seen.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/listkit.h"
#include "host/unitkit.h"
#include "tovex/tovex.h"

namespace {

void record_call(const std::string& text)
{
    if (std::FILE* file = std::fopen("call.txt", "w")) {
        std::fputs(text.c_str(), file);
        std::fclose(file);
    }
}

// A run that returns 1 leaves its four reports, as the module does; with
// TOVEX_STUB_NO_REPORTS set, none, as a module that could not write them.
void write_reports()
{
    if (std::getenv("TOVEX_STUB_NO_REPORTS") != nullptr) return;
    for (const char* name : {"UtilRes.Txt", "UtilRes_DA.Txt", "UtilRes2.Txt", "UtilRes2_DA.Txt"})
        if (std::FILE* file = std::fopen(name, "w")) std::fclose(file);
}

void fail_one_conversion()
{
    const double power = 1.0;  // [KW]
    double mass = 0.0;
    units_adjust("KW", "LB", &power, &mass, nullptr, "", "b");
}

}  // namespace

TOVEX_API int32_t tovex_get_utility_init(const char* name1, const char* name2, uint32_t instance, QxList2* names,
                                         QxList2* cost_slots, QxList2* values)
{
    (void)names;
    record_call("init\n" + std::string(name1) + "\n" + name2 + "\n" + std::to_string(instance) + "\n");
    // A run that takes a while, to show the command's progress.
    if (const char* milliseconds = std::getenv("TOVEX_STUB_RUN_MS")) usleep(1000U * std::strtoul(milliseconds, nullptr, 10));
    list2_add_slot_value(cost_slots, values, "Cooling Water", "5\nKLB/H", 99);
    fail_one_conversion();
    write_reports();
    return 1;
}

TOVEX_API int32_t tovex_get_utility_for_class(CqxProject* project, CqxSimCase* sim_case,
                                              CqxProjectStreamsConfig* config, int32_t class_id, QxList2* names,
                                              QxList2* cost_slots, QxList2* values)
{
    (void)names;
    (void)cost_slots;
    (void)values;
    const bool objects = project != nullptr && sim_case != nullptr && config != nullptr;
    record_call("pass " + std::to_string(class_id) + (objects ? " with objects\n" : " without objects\n"));
    return 1;
}

TOVEX_API int32_t tovex_get_utility_for_class_and_equip_info(CqxProject* project, CqxSimCase* sim_case,
                                                             CqxProjectStreamsConfig* config, int32_t class_id,
                                                             QxList2* names, QxList2* cost_slots,
                                                             QxList2* values, int32_t record)
{
    (void)names;
    (void)cost_slots;
    (void)values;
    const bool objects = project != nullptr && sim_case != nullptr && config != nullptr;
    record_call("recording pass " + std::to_string(class_id) + " " + std::to_string(record) +
                (objects ? " with objects\n" : " without objects\n"));
    return 1;
}
