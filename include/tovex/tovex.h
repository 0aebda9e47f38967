/* tovex: utility calculation module for process-plant cost estimating.
 *
 * The module's only public header: the five entry points it exports, under
 * plain (undecorated) names. The host program loads the module at run time
 * and finds them by these names.
 *
 * The caller lists (QX_LIST, see host/listkit.h) are always passed in the
 * order name list, cost slot list, value list; the module only adds to them.
 * No exception leaves an entry point: an internal failure gives the entry
 * point's failure result.
 */
#ifndef TOVEX_TOVEX_H
#define TOVEX_TOVEX_H

#include <stdint.h>

#ifdef __cplusplus
class CqxProject;
class CqxSimCase;
class CqxProjectStreamsConfig;
struct QxList2;
#define TOVEX_EXTERN_C extern "C"
#else
typedef struct CqxProject CqxProject;
typedef struct CqxSimCase CqxSimCase;
typedef struct CqxProjectStreamsConfig CqxProjectStreamsConfig;
typedef struct QxList2 QxList2;
#define TOVEX_EXTERN_C
#endif

#if defined(_WIN32)
#define TOVEX_API TOVEX_EXTERN_C __declspec(dllexport)
#else
#define TOVEX_API TOVEX_EXTERN_C __attribute__((visibility("default")))
#endif

/* Full run: deletes the results database UTILRES0 of an earlier run, runs the
 * stream passes with equipment information (or the duty balance for class
 * 3005 when the simulation case is of simulator type 4), stores the total
 * process utility cost, and writes the summary and detailed reports into the
 * current working directory. Returns 1 when the run reached its end, 0 when
 * the project or its utility streams configuration is not valid (nothing is
 * then read or written). */
TOVEX_API int32_t tovex_get_utility_init(const char* name1, const char* name2, uint32_t instance,
                                         QxList2* names, QxList2* cost_slots, QxList2* values);

/* Reduced run: stream passes without equipment information, the total cost
 * and the summary report. Results as for tovex_get_utility_init. */
TOVEX_API int32_t tovex_get_utility_old(const char* name1, const char* name2, uint32_t instance,
                                        QxList2* names, QxList2* cost_slots, QxList2* values);

/* Stream pass over the project's streams of one class id: posts each utility
 * stream's signed rate into the caller lists. Always returns 1. */
TOVEX_API int32_t tovex_get_utility_for_class(CqxProject* project, CqxSimCase* sim_case,
                                              CqxProjectStreamsConfig* config, int32_t class_id,
                                              QxList2* names, QxList2* cost_slots, QxList2* values);

/* The same, recording each stream's connected item and amount in UTILRES0
 * when `record` is non-zero. Always returns 1. */
TOVEX_API int32_t tovex_get_utility_for_class_and_equip_info(
    CqxProject* project, CqxSimCase* sim_case, CqxProjectStreamsConfig* config, int32_t class_id,
    QxList2* names, QxList2* cost_slots, QxList2* values, int32_t record);

/* Adds the value text `value_text` (amount, line feed, units) into the value
 * of the cost slot `key`: `keys` is the cost slot list, `values` the value
 * list. On return `value_text` holds the new accumulated value text, written
 * "%-8.7g\n%s"; it must have room for up to 14 characters of amount, the line
 * feed, the units and the terminator. Returns the host's result of storing it
 * (1 stored, 0 when the key is not in the keys list). */
TOVEX_API int32_t tovex_add_utility_costs(QxList2* keys, QxList2* values, const char* key,
                                          char* value_text);

#endif
