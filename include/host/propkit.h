// propkit: stream physical properties.
#ifndef HOST_PROPKIT_H
#define HOST_PROPKIT_H

#include "host/visibility.h"

class CqxStream;

// Makes sure the stream's "TOTAL MASS DENSITY" holds its mass density with
// units. A density the stream already has (own slot or default) is kept;
// otherwise it is computed from "FLUID", "TEMPERATURE" and "PRESSURE" and
// stored in PCF on the stream's own slots. Returns 1 when the slot holds a
// density afterwards, 0 when the stream has no usable fluid.
QXHOST_API int propkit_calc_tot_mass_density(CqxStream* stream);

#endif
