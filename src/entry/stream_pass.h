// The utility stream pass over the project's streams of one class, and the
// small operations it is made of.
#ifndef TOVEX_ENTRY_STREAM_PASS_H
#define TOVEX_ENTRY_STREAM_PASS_H

#include <string>

#include "host/listkit.h"

class CqxProject;
class CqxSimCase;
class CqxProjectStreamsConfig;
class CqxItemObject;
class CqxSlot;

namespace tovex {

// Connector patterns of a stream.
enum connector_pattern : int { unconnected = 0, side_1_only = 1, side_2_only = 2, both_sides = 3 };

// Posts every utility stream of `class_id` into the caller lists; with
// `record` also records each stream's connected item and own amount in
// UTILRES0. Always 1.
int run_stream_pass(CqxProject* project, CqxSimCase* sim_case, CqxProjectStreamsConfig* config,
                    int class_id, QX_LIST names, QX_LIST cost_slots, QX_LIST values, bool record);

int classify_stream_connectors(CqxItemObject* stream);

// Reads the stream's own "DESCRIPTION" into `slot`; 1 when the slot is valid.
int read_stream_description(CqxItemObject* stream, CqxSlot& slot);

// The first object joined to the stream in `direction` and its
// "CpItemDescription" (read with inheritance). Outputs are only written when
// found. 1 when both outputs are non-empty.
int get_connected_item(CqxProject* project, CqxItemObject* stream, int direction,
                       std::string& item_name, std::string& item_description);

// The text of a description slot: its text, or its list's first item, when
// not blank. 0 when the slot is not valid (text untouched), else 1.
int get_slot_text(const CqxSlot& slot, std::string& text);

}  // namespace tovex

#endif
