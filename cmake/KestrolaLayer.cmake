# A layer is every .cpp/.h in its folder and the folders below it, so a layer can be split
# into subfolders without touching the build. A layer without sources yet is an INTERFACE
# library so that the layers above it can already name it.
function(kestrola_layer name)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    set(cpp ${sources})
    list(FILTER cpp INCLUDE REGEX "\\.cpp$")
    if(cpp)
        add_library(${name} STATIC ${sources})
        target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    endif()
endfunction()

# One test program per folder under tests/, built from every .cpp there and in its
# subfolders, run by ctest. A bench/ subfolder holds programs with their own main that are
# built separately. LABELS "integration" marks tests that need a display (Xvfb).
function(kestrola_test name)
    cmake_parse_arguments(ARG "" "" "DEPS;LABELS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    list(FILTER sources EXCLUDE REGEX "^(.*/)?bench/")
    list(TRANSFORM sources PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
    if(NOT sources)
        return()
    endif()
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} kestrola_test_support
        GTest::gtest GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name})
    # A store created without a "Ktr.ini" in the working directory reads the user's
    # configuration folder: the tests get one of their own in the build tree.
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "KESTROLA_BIN_DIR=${PROJECT_BINARY_DIR}/bin;XDG_CONFIG_HOME=${PROJECT_BINARY_DIR}/test-config"
        LABELS "${ARG_LABELS}")
endfunction()
