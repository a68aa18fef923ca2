#pragma once

#include <string>
#include <utility>
#include <vector>

#include "datafiles/record_fields.h"

class QWidget;
class TEditingSession;

// "Set for Group...": one row per record field the group can share (Class,
// Type, Object Z, Object R, Density, State), each a check box and a field
// that types as the record's field does; a catalogue entry fills Class and
// Type. Starts with the shown record's texts, nothing checked. The checked
// fields' texts (State as "0" or "1") when OK is pressed; nothing on Cancel.
std::vector<std::pair<TField, std::string>> AskGroupFields(QWidget* parent,
                                                           const TEditingSession& session);
