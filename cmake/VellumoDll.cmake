# vellumo.dll: the exports and plug-in start in src/plugin, the top layer,
# with the resource script, over the dialogs and the portable core.
vellumo_collect(plugin_sources "src/plugin/*.cpp" "")
add_library(vellumo SHARED ${plugin_sources}
    ${CMAKE_SOURCE_DIR}/src/ui/vellumo.rc
    ${CMAKE_SOURCE_DIR}/src/plugin/vellumo.def)
set_target_properties(vellumo PROPERTIES PREFIX "" OUTPUT_NAME vellumo)
set(plugin_root ${CMAKE_BINARY_DIR}/layers/plugin)
file(MAKE_DIRECTORY ${plugin_root})
if(NOT EXISTS ${plugin_root}/plugin)
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/plugin ${plugin_root}/plugin SYMBOLIC)
endif()
target_include_directories(vellumo PRIVATE ${plugin_root})
target_link_libraries(vellumo PRIVATE vellumo_ui vellumo_translate kernel32)
# The .def file maps the plain export names onto the stdcall symbols.
target_link_options(vellumo PRIVATE -Wl,--enable-stdcall-fixup -Wl,--no-insert-timestamp)
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/ui/vellumo.rc PROPERTIES
    OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/src/ui/version.rc")
