#pragma once
// edbtool create: a database from a schema and a TSV file.
#include "commands.h"

namespace zorli::edbtool {

// Builds the database beside OUT under a temporary name and renames it over OUT only
// when every line was stored, so a failed create leaves OUT and its auxiliary file as
// they were. Every input error is a message naming the line, the column and the reason.
int Create(const Command& command);

}  // namespace zorli::edbtool
