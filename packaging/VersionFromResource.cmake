# vellumo_version_from_resource(RC_FILE OUT_VAR): sets OUT_VAR to the version
# of the version resource in RC_FILE as "A.B.C.D". The resource writes the
# number four times (FILEVERSION, PRODUCTVERSION and the two text entries);
# configuring stops when they disagree, so a half-done version change cannot
# reach a build. Editing RC_FILE configures the project again.
function(vellumo_version_from_resource rc_file out_var)
    file(STRINGS ${rc_file} lines REGEX "^ *(FILEVERSION|PRODUCTVERSION|VALUE \"(File|Product)Version\")")
    set(numbers_pattern "([0-9]+) *, *([0-9]+) *, *([0-9]+) *, *([0-9]+)")
    set(version "")
    foreach(line IN LISTS lines)
        if(NOT line MATCHES "${numbers_pattern}")
            message(FATAL_ERROR "${rc_file}: no version number in: ${line}")
        endif()
        set(found "${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.${CMAKE_MATCH_3}.${CMAKE_MATCH_4}")
        if(version STREQUAL "")
            set(version ${found})
        elseif(NOT found STREQUAL version)
            message(FATAL_ERROR "${rc_file}: version ${found} differs from ${version}: ${line}")
        endif()
    endforeach()
    list(LENGTH lines count)
    if(NOT count EQUAL 4)
        message(FATAL_ERROR "${rc_file}: expected 4 version entries, found ${count}")
    endif()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${rc_file})
    set(${out_var} ${version} PARENT_SCOPE)
endfunction()
