# vellumo.dll: the export shims, the Windows-only host code, the dialogs and
# the resource script, over the portable core.
file(GLOB dll_sources CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/src/host/*_win.cpp
    ${CMAKE_SOURCE_DIR}/src/translate/*_win.cpp
    ${CMAKE_SOURCE_DIR}/src/ui/*.cpp)
add_library(vellumo SHARED ${dll_sources}
    ${CMAKE_SOURCE_DIR}/src/ui/vellumo.rc
    ${CMAKE_SOURCE_DIR}/src/host/vellumo.def)
set_target_properties(vellumo PROPERTIES PREFIX "" OUTPUT_NAME vellumo)
target_include_directories(vellumo PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(vellumo PRIVATE vellumo_translate
    user32 gdi32 shell32 ole32 oleaut32 uuid comctl32 version kernel32)
# The .def file maps the plain export names onto the stdcall symbols.
target_link_options(vellumo PRIVATE -Wl,--enable-stdcall-fixup -Wl,--no-insert-timestamp)
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/ui/vellumo.rc PROPERTIES
    OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/src/ui/version.rc")
target_compile_definitions(vellumo PRIVATE VELLUMO_DLL)
