// The utility duty balance for class 3005 streams of a simulator type 4 case.
#ifndef TOVEX_RATES_DUTY_BALANCE_H
#define TOVEX_RATES_DUTY_BALANCE_H

#include <cstdint>
#include <map>
#include <string>

#include "host/listkit.h"

class CqxProject;
class CqxSimCase;
class CqxProjectStreamsConfig;

namespace tovex {

// Utility name -> balance text (lines "VALUE-DIRECTION\n"), in byte order.
using balance_map = std::map<std::string, std::string>;

// 0 when the project gives no stream list for the class, else 1.
int balance_utility_duties(CqxProject* project, CqxSimCase* sim_case, CqxProjectStreamsConfig* config,
                           std::uint32_t class_id, QX_LIST names, QX_LIST cost_slots, QX_LIST values);

// Reduces each utility's balance lines to one net duty and posts it. Always 1.
int post_duty_balances(const balance_map& balances, QX_LIST names, QX_LIST cost_slots, QX_LIST values);

}  // namespace tovex

#endif
