# One library per module. Sources are picked up by glob so that adding a file to a module needs no
# edit of a shared list; CONFIGURE_DEPENDS re-runs the glob when files come or go.
function(ardenvo_library name)
    cmake_parse_arguments(ARG "" "" "LINK" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    list(FILTER sources INCLUDE REGEX "\\.(cpp|qrc)$")
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    add_library(${name} STATIC ${sources} ${headers})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LINK})
endfunction()

# One GoogleTest executable per test folder, from every .cpp in it.
function(ardenvo_test_folder name)
    cmake_parse_arguments(ARG "QT" "" "LINK" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    if(NOT sources)
        return()
    endif()
    add_executable(${name} ${sources})
    set_target_properties(${name} PROPERTIES AUTOMOC ${ARG_QT})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE ${ARG_LINK} GTest::gtest GTest::gmock)
    if(ARG_QT)
        target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/QtTestMain.cpp)
        target_link_libraries(${name} PRIVATE Qt6::Widgets)
    else()
        target_link_libraries(${name} PRIVATE GTest::gtest_main)
    endif()
    target_compile_definitions(${name} PRIVATE ARDENVO_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                                               ARDENVO_BINARY_DIR="${PROJECT_BINARY_DIR}")
    # The desktop's thumbnails and the houses' earlier versions the tests make stay in the build
    # tree, never in the user's cache and data.
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                         PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300
                         ENVIRONMENT_MODIFICATION
                         "XDG_CACHE_HOME=set:${PROJECT_BINARY_DIR}/test-cache;XDG_DATA_HOME=set:${PROJECT_BINARY_DIR}/test-data")
endfunction()
