// The values a save would change without the user having changed them, each
// named with what it will be saved as, so a user is told before it happens.
#pragma once

#include <string>
#include <vector>

#include "standin/settings_control.h"

namespace rowshift::tool {

// Warnings for each value of `stored` (the file as read) that `saved` (the
// tree to be saved, of the same root) changes where the plug-in did not mean
// to: text that is not a whole number as the plug-in writes one ("1e3",
// "0x10", "99999999999") where `saved` holds one, a negative window
// position, which reads as none, and the other position beside it, which goes
// with it. Children are paired by name, the n-th of a name with the n-th of
// that name, in time linear in their number.
std::vector<std::string> StoredValuesChangedBy(const standin::SettingsNode& stored,
                                               const standin::SettingsNode& saved);

}  // namespace rowshift::tool
