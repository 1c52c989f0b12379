# Source selection shared by every target: *_win.cpp files build only for
# Windows, *_posix.cpp files only elsewhere.
function(vellumo_platform_filter out_var)
    set(kept)
    foreach(file IN LISTS ARGN)
        if(WIN32 AND file MATCHES "_posix\\.cpp$")
            continue()
        endif()
        if(NOT WIN32 AND file MATCHES "_win\\.cpp$")
            continue()
        endif()
        list(APPEND kept ${file})
    endforeach()
    set(${out_var} ${kept} PARENT_SCOPE)
endfunction()

# The files matching any of the globs and none of the exclude globs
# (patterns relative to the source folder).
function(vellumo_collect out_var globs excludes)
    set(files)
    foreach(pattern IN LISTS globs)
        file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${pattern})
        list(APPEND files ${found})
    endforeach()
    foreach(pattern IN LISTS excludes)
        file(GLOB dropped CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${pattern})
        if(dropped)
            list(REMOVE_ITEM files ${dropped})
        endif()
    endforeach()
    set(${out_var} ${files} PARENT_SCOPE)
endfunction()

# vellumo_layer(folder [lower-layer...]): src/<folder> becomes the static
# library vellumo_<folder>, linked to the layers named below it. Its headers
# are reached as "<folder>/name.h" through an include root that holds only
# that folder, so a layer sees its own headers and those of the layers it
# links, and an include of a higher layer does not compile.
function(vellumo_layer folder)
    set(name vellumo_${folder})
    # A subfolder (html/engine) belongs to its folder's layer.
    vellumo_collect(files "src/${folder}/*.cpp;src/${folder}/*/*.cpp" "")
    vellumo_platform_filter(files ${files})
    # A layer whose sources are all for the other platform still links.
    set(placeholder ${CMAKE_BINARY_DIR}/empty_${name}.cpp)
    if(NOT EXISTS ${placeholder})
        file(WRITE ${placeholder} "")
    endif()
    add_library(${name} STATIC ${files} ${placeholder})
    set(root ${CMAKE_BINARY_DIR}/layers/${folder})
    file(MAKE_DIRECTORY ${root})
    if(NOT EXISTS ${root}/${folder})
        file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
    endif()
    target_include_directories(${name} PUBLIC ${root})
    foreach(lower IN LISTS ARGN)
        target_link_libraries(${name} PUBLIC vellumo_${lower})
    endforeach()
endfunction()
