# The release package vellumo-<version>-win32.zip in the build folder: the
# DLL, the two command-line tools, README.txt, LICENSE and SHA256SUMS. It is
# part of the win32 preset's default build and is made again only when one
# of its files changed; scripts/package.sh builds it alone.
set(VELLUMO_PACKAGE_NAME vellumo-${PROJECT_VERSION}-win32)
set(package_zip ${CMAKE_BINARY_DIR}/${VELLUMO_PACKAGE_NAME}.zip)
set(package_sources
    ${CMAKE_CURRENT_LIST_DIR}/README.txt
    ${CMAKE_SOURCE_DIR}/LICENSE
    ${CMAKE_CURRENT_LIST_DIR}/make-package.cmake)
add_custom_command(OUTPUT ${package_zip}
    COMMAND ${CMAKE_COMMAND}
        -DDLL=$<TARGET_FILE:vellumo>
        -DTRANSLATE=$<TARGET_FILE:vellumo-translate>
        -DHTML2TEXT=$<TARGET_FILE:vellumo-html2text>
        -DREADME=${CMAKE_CURRENT_LIST_DIR}/README.txt
        -DLICENSE=${CMAKE_SOURCE_DIR}/LICENSE
        -DVERSION=${PROJECT_VERSION}
        -DSTRIP=${CMAKE_STRIP}
        -DSTAGE=${CMAKE_BINARY_DIR}/package/${VELLUMO_PACKAGE_NAME}
        -DZIP=${package_zip}
        -P ${CMAKE_CURRENT_LIST_DIR}/make-package.cmake
    DEPENDS vellumo vellumo-translate vellumo-html2text ${package_sources}
    COMMENT "Packing ${VELLUMO_PACKAGE_NAME}.zip"
    VERBATIM)
add_custom_target(release_package ALL DEPENDS ${package_zip})
