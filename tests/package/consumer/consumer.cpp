// Posts an amount through the installed module and prints the stored text.
#include <cstdio>

#include <host/listkit.h>
#include <tovex/tovex.h>

int main()
{
    QX_LIST cost_slots = list2_create();
    QX_LIST values = list2_create();
    list2_append(cost_slots, "Steam");
    list2_append(values, "");
    char text[64] = "12.5\nKLB/H";
    const int stored = tovex_add_utility_costs(cost_slots, values, "Steam", text);
    std::printf("%d %s\n", stored, text);
    list2_destroy(values);
    list2_destroy(cost_slots);
    return stored == 1 ? 0 : 1;
}
