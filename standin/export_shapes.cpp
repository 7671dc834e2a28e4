// Every export the plug-in calls has the exact shape of its slot in the
// entry-point table: checked here for all of them, from the one list.
#include <type_traits>

#include "boundary/host_function_list.h"
#include "boundary/host_functions.h"
#include "standin/document_exports.h"
#include "standin/settings_entry_points.h"
#include "standin/widget_exports.h"

#define STANDIN_MATCHES_SLOT(name, result, parameters)                                        \
  static_assert(std::is_same_v<decltype(&name), decltype(rowshift::HostFunctionTable::name)>, \
                #name " differs from its entry-point table slot");
#define STANDIN_ANY_SHAPE(name)
ROWSHIFT_HOST_FUNCTIONS(STANDIN_MATCHES_SLOT, STANDIN_ANY_SHAPE)
#undef STANDIN_MATCHES_SLOT
#undef STANDIN_ANY_SHAPE
