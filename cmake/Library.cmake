# One static library per source folder; every .cpp in the folder (and in its
# subfolders) belongs to it.
function(tapestrel_library name)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
        ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# One test executable per library: every .cpp under tests/<folder>.
function(tapestrel_test name)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} test_support GTest::gtest)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# Registers a test executable that needs an X server: under xvfb-run with a
# screen of 1024 x 768 at 24 bits and -noreset (Xvfb would otherwise reset
# the root window when its last client leaves, which is exactly when a kept
# background pixmap has to survive). The test itself runs off screen.
function(tapestrel_xvfb_test name)
    find_program(XVFB_RUN xvfb-run)
    if(XVFB_RUN)
        add_test(NAME ${name} COMMAND ${XVFB_RUN} -a -s "-screen 0 1024x768x24 -noreset"
            $<TARGET_FILE:${name}>)
    else()
        add_test(NAME ${name} COMMAND ${name})
    endif()
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
endfunction()
