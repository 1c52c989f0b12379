# Assembles the release package; run by the release_package target with
# cmake -P and the variables below. Copies the binaries into a fresh folder
# without their symbols, writes README.txt and LICENSE with CR LF line ends
# (Notepad on older Windows shows nothing else properly), lists the SHA-256
# of every file in SHA256SUMS (the format sha256sum -c reads, with CR LF
# line ends too, for the same reason) and zips the
# folder's files, without a folder of their own.
cmake_minimum_required(VERSION 3.25)
foreach(name DLL TRANSLATE HTML2TEXT README LICENSE VERSION STAGE ZIP)
    if(NOT DEFINED ${name} OR "${${name}}" STREQUAL "")
        message(FATAL_ERROR "make-package.cmake needs -D${name}=...")
    endif()
endforeach()

file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})

set(files "")
foreach(binary IN ITEMS ${DLL} ${TRANSLATE} ${HTML2TEXT})
    get_filename_component(name ${binary} NAME)
    if(STRIP)
        execute_process(COMMAND ${STRIP} --strip-all -o ${STAGE}/${name} ${binary}
                        RESULT_VARIABLE failed)
        if(failed)
            message(FATAL_ERROR "could not strip ${binary}")
        endif()
    else()
        file(COPY ${binary} DESTINATION ${STAGE})
    endif()
    list(APPEND files ${name})
endforeach()

function(write_with_crlf source target)
    file(READ ${source} text)
    string(REPLACE "\r\n" "\n" text "${text}")
    string(REPLACE "@VERSION@" "${VERSION}" text "${text}")
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE ${target} "${text}")
endfunction()
write_with_crlf(${README} ${STAGE}/README.txt)
write_with_crlf(${LICENSE} ${STAGE}/LICENSE)
list(APPEND files README.txt LICENSE)

set(sums "")
foreach(name IN LISTS files)
    file(SHA256 ${STAGE}/${name} hash)
    string(APPEND sums "${hash}  ${name}\r\n")
endforeach()
file(WRITE ${STAGE}/SHA256SUMS "${sums}")
list(APPEND files SHA256SUMS)

file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip ${files}
                WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "could not write ${ZIP}")
endif()
message(STATUS "Release package: ${ZIP}")
