include(GoogleTest)

# One static library per source folder; every .cpp, .h and .qrc in the
# folder (and in its subfolders) belongs to it. A folder without any .cpp
# is a library of headers.
function(tapestrel_library name)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
        ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    list(FILTER sources INCLUDE REGEX "\\.cpp$")
    if(sources)
        file(GLOB_RECURSE all CONFIGURE_DEPENDS
            ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
            ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
        add_library(${name} STATIC ${all})
        target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
        target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
        target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    endif()
endfunction()

# One test executable per library: every .cpp under tests/<folder>. Each
# test case is registered on its own, so that a failure names its case.
# WIDGETS: the tests of a library with windows, which get the window
# helpers and a main with a widget application; the others link no widgets.
function(tapestrel_test name)
    cmake_parse_arguments(ARG "WIDGETS" "" "DEPS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    add_executable(${name} ${sources})
    if(ARG_WIDGETS)
        target_link_libraries(${name} PRIVATE ${ARG_DEPS} test_main_gui GTest::gtest)
    else()
        target_link_libraries(${name} PRIVATE ${ARG_DEPS} test_main GTest::gtest)
    endif()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
endfunction()

# Registers a test executable that needs an X server: each case under
# xvfb-run with a screen of 1024 x 768 at 24 bits and -noreset (Xvfb would
# otherwise reset the root window when its last client leaves, which is
# exactly when a kept background pixmap has to survive). The test itself
# runs off screen. The cases take turns: parallel xvfb-run calls can race
# for a display number.
function(tapestrel_xvfb_test name)
    find_program(XVFB_RUN xvfb-run)
    if(XVFB_RUN)
        set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR
            "${XVFB_RUN};-a;-s;-screen 0 1024x768x24 -noreset")
    endif()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120 RESOURCE_LOCK xvfb)
endfunction()
