# ROWSHIFT_PLUGIN_EXPORT_NAMES: the plug-in's 14 export names, in order, read
# from the one list of them (boundary/plugin_exports.h), so the module's .def
# and .map and the export check cannot drift from the code.
set(rowshift_export_list ${PROJECT_SOURCE_DIR}/boundary/plugin_exports.h)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${rowshift_export_list})
file(READ ${rowshift_export_list} rowshift_export_text)
string(REGEX MATCHALL "\n  EXPORT\\(([A-Za-z0-9_]+)," rowshift_export_lines "${rowshift_export_text}")
set(ROWSHIFT_PLUGIN_EXPORT_NAMES)
foreach(line IN LISTS rowshift_export_lines)
  string(REGEX REPLACE "^\n  EXPORT\\(([A-Za-z0-9_]+),$" "\\1" name "${line}")
  list(APPEND ROWSHIFT_PLUGIN_EXPORT_NAMES ${name})
endforeach()
list(LENGTH ROWSHIFT_PLUGIN_EXPORT_NAMES rowshift_export_count)
if(NOT rowshift_export_count EQUAL 14)
  message(FATAL_ERROR "boundary/plugin_exports.h lists ${rowshift_export_count} exports, not 14")
endif()
